#include "device/UsbIdentifiers.h"

namespace yk {

bool isSupportedDevice(UsbDeviceId id)
{
    for (const auto& entry : SupportedDeviceIds) {
        if (entry.vendorId == 0)
            break;
        if (entry.vendorId == id.vendorId && entry.productId == id.productId)
            return true;
    }
    return false;
}

bool isUsbStorageDisk(std::wstring_view compatibleIds)
{
    constexpr std::wstring_view kPrefix = L"USBSTOR\\Disk";
    return compatibleIds.substr(0, kPrefix.size()) == kPrefix;
}

namespace {

std::uint16_t hexField(std::wstring_view digits)
{
    std::uint16_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        const wchar_t c = i < digits.size() ? digits[i] : L'\0';
        int digit = 0;
        if (c >= L'0' && c <= L'9')
            digit = c - L'0';
        else if (c >= L'A' && c <= L'F')
            digit = c - L'A' + 10;
        value = static_cast<std::uint16_t>((value << 4) + digit);
    }
    return value;
}

} // namespace

std::optional<UsbDeviceId> parseUsbDeviceId(std::wstring_view deviceId)
{
    const auto vid = deviceId.find(L"VID_");
    const auto pid = deviceId.find(L"PID_");
    if (vid == std::wstring_view::npos || pid == std::wstring_view::npos)
        return std::nullopt;
    return UsbDeviceId{hexField(deviceId.substr(vid + 4)), hexField(deviceId.substr(pid + 4))};
}

} // namespace yk
