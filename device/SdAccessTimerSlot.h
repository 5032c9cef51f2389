// A stored timer handle shared by one or two timer ids: it holds whichever id was started last.
#pragma once

#include "device/SdAccessPorts.h"

namespace yk {

class TimerSlot {
public:
    explicit TimerSlot(SdAccessTimers& timers) : timers_(timers) {}

    // Stops the held timer first, so that the slot never loses track of a timer that is still running.
    void start(int id, unsigned periodMs)
    {
        stop();
        timers_.start(id, periodMs);
        held_ = id;
    }

    void stop()
    {
        if (held_ != 0)
            timers_.stop(held_);
        held_ = 0;
    }

    // Stops `id` only if the slot still holds it: a handler whose command let other handlers run meanwhile
    // must not stop a timer that one of them started.
    void stop(int id)
    {
        if (held_ == id)
            stop();
    }

    // The running timer id, or 0.
    int held() const { return held_; }

private:
    SdAccessTimers& timers_;
    int held_ = 0;
};

} // namespace yk
