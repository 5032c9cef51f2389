#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <chrono>
#include <optional>
#include <thread>

#include "backup/BlockRing.h"

namespace yk {
namespace {

using namespace std::chrono_literals;

// Pauses now and then on either side, some longer than a waiter looks before it sleeps, so both the looking
// and the sleeping waits are taken.
void pauseSometimes(int block, int every)
{
    if (block % every == 0)
        std::this_thread::sleep_for(block % (3 * every) == 0 ? 3ms : 50us);
}

TEST(BlockRing, BlocksArriveInOrderAndNoSlotIsRefilledBeforeItIsReleased)
{
    constexpr int kBlocks = 300;
    constexpr std::size_t kSlots = 3;
    BlockRing ring;
    ring.restart(kSlots);
    std::array<std::atomic<int>, kSlots> slots{};
    std::atomic<int> ahead{0};
    std::atomic<int> mostAhead{0};
    std::thread reader([&] {
        for (int block = 0; block < kBlocks; ++block) {
            const auto slot = ring.claim();
            if (!slot)
                return; // the writer gave up
            slots[*slot] = block;
            const int now = ++ahead;
            int seen = mostAhead;
            while (now > seen && !mostAhead.compare_exchange_weak(seen, now)) {
            }
            ring.fill();
            pauseSometimes(block, 7);
        }
    });
    int taken = 0;
    for (; taken < kBlocks; ++taken) {
        const std::size_t slot = ring.take();
        const int arrived = slots[slot];
        pauseSometimes(taken, 5);
        // Still this block afterwards: the reader has not filled the slot again while it was held.
        const int held = slots[slot];
        if (arrived != taken || held != taken) {
            ADD_FAILURE() << "block " << taken << ": arrived as " << arrived << ", then held " << held;
            break;
        }
        --ahead;
        ring.release();
    }
    ring.stop();
    reader.join();
    EXPECT_EQ(taken, kBlocks);
    EXPECT_LE(mostAhead, static_cast<int>(kSlots));
    EXPECT_GE(mostAhead, 2) << "the reader never ran ahead of the writer";
}

TEST(BlockRing, StoppingFreesAReaderWaitingForASlotAndRestartEmptiesTheRing)
{
    BlockRing ring;
    ring.restart(2);
    std::atomic<int> filled{0};
    std::optional<std::size_t> lastClaim{0};
    std::thread reader([&] {
        for (;;) {
            lastClaim = ring.claim();
            if (!lastClaim)
                return;
            ++filled;
            ring.fill();
        }
    });
    // The ring holds two blocks nobody takes; the reader then waits (looking, then asleep) for a slot.
    while (filled < 2)
        std::this_thread::yield();
    std::this_thread::sleep_for(10ms);
    EXPECT_EQ(filled, 2);
    ring.stop();
    reader.join();
    EXPECT_FALSE(lastClaim.has_value());
    EXPECT_FALSE(ring.claim().has_value()) << "a stopped ring gives nothing";

    ring.restart(2);
    EXPECT_EQ(ring.claim(), std::optional<std::size_t>(0));
    ring.fill();
    EXPECT_EQ(ring.take(), 0u);
}

} // namespace
} // namespace yk
