#include "app/CYarrowkeepApp.h"

#include <commctrl.h>

#include "app/CYarrowkeepDlg.h"
#include "base/LanguageCode.h"
#include "device/Win32DeviceHost.h"
#if YK_WITH_SIMULATOR
#include "device/SimulatedDeviceHost.h"
#endif

namespace yk {

const UINT singleInstanceMessage = RegisterWindowMessageW(kSingleInstanceName);
const UINT quitForInstallMessage = RegisterWindowMessageW(kQuitForInstallName);

namespace {

// The real device layer, or, in development builds, the simulated accessory when YARROWKEEP_SIMULATOR names
// its server. The installed program is built without the simulator and only ever talks to real devices.
std::unique_ptr<DeviceHost> makeDeviceHost()
{
#if YK_WITH_SIMULATOR
    if (const auto address = simulatorAddressFromEnvironment())
        return std::make_unique<SimulatedDeviceHost>(*address);
#endif
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
