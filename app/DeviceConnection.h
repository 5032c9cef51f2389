// The main window's reaction to the device coming and going: rediscover it, show or hide the window, and
// hand the card's side of a new connection to the SD card access control.
#pragma once

#include "device/DeviceHost.h"
#include "device/DeviceState.h"
#include "device/SdAccess.h"

namespace yk {

class WindowVisibility {
public:
    virtual ~WindowVisibility() = default;
    // A show request: the window may show from now on and is restored.
    virtual void showOnRequest() = 0;
    virtual void hideIfVisible() = 0;
};

class DeviceConnection {
public:
    DeviceConnection(DeviceState& device, DeviceHost& host, SdAccess& sdAccess, SdAccessSettings& settings,
                     WindowVisibility& window)
        : device_(device), host_(host), sdAccess_(sdAccess), settings_(settings), window_(window)
    {
    }

    // Nothing happens before the first-use set-up is done. A device that is gone hides the window; a device
    // that has just come shows it and starts the card's side (volume check, automatic enable or backup).
    void refreshDeviceConnection();
    void usbDisConnected();

private:
    DeviceState& device_;
    DeviceHost& host_;
    SdAccess& sdAccess_;
    SdAccessSettings& settings_;
    WindowVisibility& window_;
};

} // namespace yk
