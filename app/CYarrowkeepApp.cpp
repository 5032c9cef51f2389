#include "app/CYarrowkeepApp.h"

#include <commctrl.h>

#include "app/CYarrowkeepDlg.h"
#include "base/LanguageCode.h"
#include "device/SimulatedDeviceHost.h"
#include "device/Win32DeviceHost.h"

namespace yk {

const UINT singleInstanceMessage = RegisterWindowMessageW(kSingleInstanceName);

namespace {

// The real device layer, or the simulated accessory when YARROWKEEP_SIMULATOR names its server.
std::unique_ptr<DeviceHost> makeDeviceHost()
{
    if (const auto address = simulatorAddressFromEnvironment())
        return std::make_unique<SimulatedDeviceHost>(*address);
    return std::make_unique<Win32DeviceHost>();
}

} // namespace

bool CYarrowkeepApp::initInstance()
{
    RegisterApplicationRestart(nullptr, 0);

    INITCOMMONCONTROLSEX controls{sizeof controls, 0xFF};
    InitCommonControlsEx(&controls);

    languageCode = languageCodeFor(GetUserDefaultUILanguage());

    instanceMutex_ = CreateMutexW(nullptr, TRUE, kSingleInstanceName);
    const DWORD mutexError = GetLastError();
    const UINT showMessage = RegisterWindowMessageW(kSingleInstanceName);
    if (instanceMutex_ && mutexError == ERROR_ALREADY_EXISTS) {
        PostMessageW(HWND_BROADCAST, showMessage, 0, 0);
        return false;
    }
    if (!instanceMutex_)
        return false;

    const auto host = makeDeviceHost();
    CYarrowkeepDlg dialog(*host);
    dialog.runModal(nullptr);
    return false;
}

} // namespace yk
