#include "backup/BlockRing.h"

#include "backup/LookThenSleep.h"

namespace yk {

void BlockRing::restart(std::size_t slots)
{
    slots_ = slots;
    filled_ = 0;
    released_ = 0;
    stopped_ = false;
}

std::optional<std::size_t> BlockRing::claim()
{
    const std::uint64_t filled = filled_.load(std::memory_order_relaxed);
    waitLookingFirst(mutex_, changed_, [&] {
        return stopped_.load(std::memory_order_acquire) || filled - released_.load(std::memory_order_acquire) < slots_;
    });
    if (stopped_.load(std::memory_order_acquire))
        return std::nullopt;
    return static_cast<std::size_t>(filled % slots_);
}

void BlockRing::fill()
{
    advance(filled_);
}

std::size_t BlockRing::take()
{
    const std::uint64_t released = released_.load(std::memory_order_relaxed);
    waitLookingFirst(mutex_, changed_, [&] { return filled_.load(std::memory_order_acquire) > released; });
    return static_cast<std::size_t>(released % slots_);
}

void BlockRing::release()
{
    advance(released_);
}

void BlockRing::stop()
{
    {
        const std::lock_guard lock(mutex_);
        stopped_.store(true, std::memory_order_release);
    }
    changed_.notify_all();
}

void BlockRing::advance(std::atomic<std::uint64_t>& count)
{
    {
        // Taken so that a side about to sleep either sees the new count or gets the notice.
        const std::lock_guard lock(mutex_);
        count.fetch_add(1, std::memory_order_release);
    }
    changed_.notify_all();
}

} // namespace yk
