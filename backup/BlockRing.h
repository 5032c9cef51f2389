// The blocks of one file handed from the thread that reads (and ciphers) them to the thread that writes them,
// in order, through a fixed number of slots. The reader fills free slots while the writer writes earlier
// ones, so neither waits for the other at every block: a slow read is made up by a fast one, and the reader
// waits only when it is a whole ring ahead.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <optional>

namespace yk {

class BlockRing {
public:
    BlockRing() = default;
    BlockRing(const BlockRing&) = delete;
    BlockRing& operator=(const BlockRing&) = delete;

    // Empties the ring for the next file, which goes through `slots` slots (numbered from 0). Only while no
    // reader uses it.
    void restart(std::size_t slots);

    // Reader: the slot to fill next, once one is free; nothing once the ring is stopped.
    std::optional<std::size_t> claim();
    // Reader: the slot claimed holds its block.
    void fill();

    // Writer: the slot of the oldest block not yet released, once it is filled.
    std::size_t take();
    // Writer: done with the slot taken; the reader may fill it again.
    void release();
    // Writer: the reader's next claim, or the one it waits in, gives nothing.
    void stop();

private:
    void advance(std::atomic<std::uint64_t>& count);

    std::size_t slots_ = 1;
    std::atomic<std::uint64_t> filled_{0};
    std::atomic<std::uint64_t> released_{0};
    std::atomic<bool> stopped_{false};
    std::mutex mutex_;
    std::condition_variable changed_; // a slot was filled or released, or the ring stopped
};

} // namespace yk
