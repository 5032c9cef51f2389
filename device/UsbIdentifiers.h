// Reading the USB identity of a disk out of the identifier strings the platform reports for it.
#pragma once

#include <optional>
#include <string_view>

#include "device/SupportedDeviceIds.h"

namespace yk {

// True when the compatible ids start with "USBSTOR\Disk" (a USB mass-storage disk).
bool isUsbStorageDisk(std::wstring_view compatibleIds);

// The vendor and product ids after "VID_" and "PID_" in a device id such as
// "USB\VID_3E7A&PID_0A01\0123". Only '0'-'9' and 'A'-'F' carry a value; any other character,
// lower-case hex included, counts as 0 but keeps its place. Empty when a marker is missing.
std::optional<UsbDeviceId> parseUsbDeviceId(std::wstring_view deviceId);

} // namespace yk
