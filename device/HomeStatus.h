// The home page's status for the device and card state: one line of the connection state table.
#pragma once

#include "device/DeviceState.h"

namespace yk {

// Home page status codes.
inline constexpr int kHomeConnected = 1;
inline constexpr int kHomeSdInPhone = 2;
inline constexpr int kHomeNotConnected = 3;
inline constexpr int kHomeSdNotDetected = 4;
inline constexpr int kHomeSdStandby = 5;

// Not connected 3; card used by the PC 1; no card 4; card held by the other port 2; card in standby 5.
int homeStatusOf(const DeviceState& state);

} // namespace yk
