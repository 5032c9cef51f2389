// The one record of device and SD card state, owned by the main window controller.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace yk {

// The longest device interface path that `devicePath` holds; longer paths are never truncated into it.
inline constexpr std::size_t kDevicePathCapacity = 254;

struct DeviceState {
    bool connected = false;
    std::wstring devicePath;
    std::wstring strDriveID; // drive letter, ':' and the disk's product identification, or empty
    bool sdEnabled = false;
    bool sdPresent = false;
    bool otherPortBusy = false;
    std::uint8_t portRequest = 0;
    bool mayAskEject = false;
    bool ejectQuestionShown = false;
    bool userEjected = false;
    bool showEjectControl = false;
    std::int32_t pendingAction = 0;
    std::int32_t volumeWaitTicks = 0;
    bool openBrowserWhenReady = false;
    bool autoEnableFirstTry = false;
    bool transportFailed = false;

    // The drive letter of the SD volume, or 0 while none is known.
    wchar_t driveLetter() const { return strDriveID.empty() ? L'\0' : strDriveID.front(); }
};

} // namespace yk
