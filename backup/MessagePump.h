// Handles the waiting window messages during a run, often enough for the window to stay responsive and the
// cancel button to be seen at once, but not at every one of many small files.
#pragma once

#include <cstdint>

#include "device/DeviceHost.h"

namespace yk {

class MessagePump {
public:
    explicit MessagePump(DeviceHost& host) : host_(host) {}

    // True when the last handling was at least `kIntervalMs` ago.
    bool due() const;
    // Handles the waiting messages when due.
    void dispatchIfDue();
    // Handles them now.
    void dispatch();
    // Makes the next check due at once.
    void expire() { last_ = 0; }

    static constexpr std::uint64_t kIntervalMs = 15;

private:
    DeviceHost& host_;
    std::uint64_t last_ = 0;
};

} // namespace yk
