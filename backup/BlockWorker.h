// One job at a time on a thread beside the caller: the reading (and ciphering) of a large file's blocks runs
// there while the copying thread writes them.
#pragma once

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace yk {

class BlockWorker {
public:
    BlockWorker() = default;
    // Waits for a job still running, then ends the thread.
    ~BlockWorker();
    BlockWorker(const BlockWorker&) = delete;
    BlockWorker& operator=(const BlockWorker&) = delete;

    // Hands `job` to the thread (started on first use); a job still running is waited for first. Jobs must
    // not throw.
    void start(std::function<void()> job);
    // Returns once the last job given has finished; at once when there is none.
    void finish();

private:
    void serve();
    // Runs the job given and marks it ended.
    void runJob();
    // Neither side sleeps before it has looked at these for a while: the worker for its next job, the caller
    // for a long job to end.
    std::atomic<bool> hasJob_{false};
    std::atomic<bool> stopping_{false};
    std::function<void()> job_;
    std::mutex mutex_;
    std::condition_variable wake_; // a job was given, or the thread is to end
    std::condition_variable done_; // the job given has ended
    std::thread thread_;
};

} // namespace yk
