// Waiting for the other thread of a copy. Handing a block over takes a few microseconds when both sides look
// at shared flags; a thread that blocks and is woken costs far more (under Wine the wake-up goes through the
// server), so a waiter looks for a while before it sleeps.
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace yk {

// Longer than a block's write on one side and its read and cipher on the other.
inline constexpr auto kLookBeforeSleeping = std::chrono::milliseconds(2);

// Returns once `condition` holds: looks for a while, then sleeps on `signal`. Whoever makes the condition
// hold changes it while holding `mutex`, then notifies `signal`.
template <class Condition>
void waitLookingFirst(std::mutex& mutex, std::condition_variable& signal, const Condition& condition)
{
    const auto giveUp = std::chrono::steady_clock::now() + kLookBeforeSleeping;
    while (!condition()) {
        if (std::chrono::steady_clock::now() < giveUp) {
            std::this_thread::yield();
            continue;
        }
        std::unique_lock lock(mutex);
        signal.wait(lock, condition);
    }
}

} // namespace yk
