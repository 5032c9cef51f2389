#include "app/DeviceConnection.h"

#include "device/Discovery.h"

namespace yk {

void DeviceConnection::refreshDeviceConnection()
{
    if (settings_.readInt(kSettingAppInitialSetup) == 0)
        return;
    const bool wasConnected = device_.connected;
    device_.connected = findDevice(device_, host_);
    if (!device_.connected) {
        usbDisConnected();
        window_.hideIfVisible();
        return;
    }
    if (wasConnected)
        return;
    window_.showOnRequest();
    sdAccess_.onDeviceConnected();
}

void DeviceConnection::usbDisConnected()
{
    sdAccess_.onDeviceDisconnected();
}

} // namespace yk
