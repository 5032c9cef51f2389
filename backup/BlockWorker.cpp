#include "backup/BlockWorker.h"

#include <system_error>
#include <utility>

#include "backup/LookThenSleep.h"

namespace yk {

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
        runJob();
    }
}

void BlockWorker::finish()
{
    waitLookingFirst(mutex_, done_, [this] { return !hasJob_.load(std::memory_order_acquire); });
}

void BlockWorker::runJob()
{
    job_();
    job_ = nullptr;
    {
        // Taken so that a caller about to sleep either sees the job ended or gets the notice.
        const std::lock_guard lock(mutex_);
        hasJob_.store(false, std::memory_order_release);
    }
    done_.notify_one();
}

void BlockWorker::serve()
{
    for (;;) {
        waitLookingFirst(mutex_, wake_, [this] { return hasJob_.load(std::memory_order_acquire) || stopping_; });
        if (!hasJob_.load(std::memory_order_acquire))
            return; // stopping, nothing left to do
        runJob();
    }
}

} // namespace yk
