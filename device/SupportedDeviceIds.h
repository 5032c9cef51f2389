// The USB identifiers of the accessories this program works with.
#pragma once

#include <cstdint>

namespace yk {

struct UsbDeviceId {
    std::uint16_t vendorId;
    std::uint16_t productId;
};

inline constexpr std::uint16_t kYarrowkeepVendorId = 0x3E7A;

// In the order they are looked up; ended by a pair whose vendor id is 0.
inline constexpr UsbDeviceId SupportedDeviceIds[] = {
    {kYarrowkeepVendorId, 0x0A01}, {kYarrowkeepVendorId, 0x0A02}, {kYarrowkeepVendorId, 0x0A03},
    {kYarrowkeepVendorId, 0x0B01}, {kYarrowkeepVendorId, 0x0B02}, {0, 0},
};

bool isSupportedDevice(UsbDeviceId id);

} // namespace yk
