#include "app/CYarrowkeepApp.h"

#include <commctrl.h>

#include "app/CYarrowkeepDlg.h"
#include "app/LanguageCode.h"
#include "device/Win32DeviceHost.h"

namespace yk {

const UINT singleInstanceMessage = RegisterWindowMessageW(kSingleInstanceName);

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

    Win32DeviceHost host;
    CYarrowkeepDlg dialog(host);
    dialog.runModal(nullptr);
    return false;
}

} // namespace yk
