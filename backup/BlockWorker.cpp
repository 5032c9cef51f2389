#include "backup/BlockWorker.h"

#include <chrono>
#include <system_error>
#include <utility>

namespace yk {

namespace {

// How long the worker looks for the next job before it sleeps: longer than the read and write of a block.
constexpr auto kLookForWork = std::chrono::milliseconds(2);

} // namespace

BlockWorker::~BlockWorker()
{
    if (!thread_.joinable())
        return;
    finish();
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_one();
    thread_.join();
}

void BlockWorker::start(std::function<void()> job)
{
    finish();
    job_ = std::move(job);
    {
        // Taken so that a worker about to sleep either sees the job or gets the wake-up.
        const std::lock_guard lock(mutex_);
        hasJob_.store(true, std::memory_order_release);
    }
    wake_.notify_one();
    if (thread_.joinable())
        return;
    try {
        thread_ = std::thread([this] { serve(); });
    } catch (const std::system_error&) {
        // No thread to be had: the job runs here; the next one tries again.
        job_();
        job_ = nullptr;
        hasJob_.store(false, std::memory_order_release);
    }
}

void BlockWorker::finish()
{
    while (hasJob_.load(std::memory_order_acquire))
        std::this_thread::yield();
}

void BlockWorker::serve()
{
    for (;;) {
        const auto giveUp = std::chrono::steady_clock::now() + kLookForWork;
        while (!hasJob_.load(std::memory_order_acquire) && !stopping_) {
            if (std::chrono::steady_clock::now() < giveUp) {
                std::this_thread::yield();
                continue;
            }
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return hasJob_.load(std::memory_order_relaxed) || stopping_; });
        }
        if (!hasJob_.load(std::memory_order_acquire))
            return; // stopping, nothing left to do
        job_();
        job_ = nullptr;
        hasJob_.store(false, std::memory_order_release);
    }
}

} // namespace yk
