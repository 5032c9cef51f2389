// Finding the accessory among the disks and the drive letter of its SD volume.
#pragma once

#include <cstdint>

#include "device/DeviceHost.h"
#include "device/DeviceState.h"

namespace yk {

// True when a supported device is attached; then `devicePath` names it and `strDriveID` has been
// rebuilt. When nothing matches, `devicePath` and `strDriveID` keep their last values.
bool findDevice(DeviceState& state, DeviceHost& host);

// Rebuilds `strDriveID` from the volume that belongs to the device at `devicePath`.
void scanDriveLetters(DeviceState& state, DeviceHost& host);

// Total bytes of a drive; the free bytes available to the caller go to `freeBytes` when given.
// 0 for both when the query fails.
std::uint64_t getDriveSpace(DeviceHost& host, wchar_t letter, std::uint64_t* freeBytes = nullptr);

// Free bytes available to the caller on a drive, 0 when the query fails.
std::uint64_t getFreeSpace(DeviceHost& host, wchar_t letter);

} // namespace yk
