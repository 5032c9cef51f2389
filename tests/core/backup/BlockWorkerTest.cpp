#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "backup/BlockWorker.h"

namespace yk {
namespace {

using namespace std::chrono_literals;

TEST(BlockWorker, RunsEachJobBesideTheCallerAndFinishWaitsForIt)
{
    BlockWorker worker;
    worker.finish(); // nothing given yet: returns at once

    std::vector<int> order;
    std::thread::id ranOn;
    std::atomic<bool> release{false};
    worker.start([&] {
        ranOn = std::this_thread::get_id();
        while (!release)
            std::this_thread::yield();
        order.push_back(1);
    });
    // The caller goes on while the job waits for it: the job cannot be running on this thread.
    release = true;
    worker.finish();
    EXPECT_NE(ranOn, std::this_thread::get_id());
    ASSERT_EQ(order, std::vector<int>{1});

    // A second job given while the first still runs waits for it; both run, in order.
    worker.start([&] {
        std::this_thread::sleep_for(20ms);
        order.push_back(2);
    });
    worker.start([&] { order.push_back(3); });
    worker.finish();
    EXPECT_EQ(order, (std::vector<int>{1, 2, 3}));
}

TEST(BlockWorker, GoingAwayWaitsForTheRunningJob)
{
    std::atomic<bool> done{false};
    {
        BlockWorker worker;
        worker.start([&] {
            std::this_thread::sleep_for(30ms);
            done = true;
        });
    }
    EXPECT_TRUE(done);
    BlockWorker unused; // never started: no thread to end
}

} // namespace
} // namespace yk
