// The main window controller: the program's only top-level window, hidden until asked for. It owns the device
// and run state and the timers, and wires the side menu, the pages, the notification-area icon, the SD card
// access control and the runs together.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "app/DeviceConnection.h"
#include "app/MainCommands.h"
#include "app/MainTimers.h"
#include "app/MainWindowUi.h"
#include "app/PageHost.h"
#include "app/PageNavigator.h"
#include "app/ProfileSettings.h"
#include "app/SideBarBackground.h"
#include "app/SideMenu.h"
#include "app/TrayIcon.h"
#include "backup/BackupLocations.h"
#include "backup/RunPorts.h"
#include "backup/RunState.h"
#include "device/DeviceHost.h"
#include "device/DeviceState.h"
#include "device/VendorCommands.h"
#include "secure/SettingsStore.h"
#include "ui/DialogBase.h"
#include "update/UpdateCheck.h"

namespace yk {

class CYarrowkeepDlg final : public DialogBase,
                             WindowVisibility,
                             MainWindowActions,
                             RunShell,
                             BackupRestorePageActions,
                             SettingsPageActions,
                             HelpPageActions {
public:
    explicit CYarrowkeepDlg(DeviceHost& host);
    ~CYarrowkeepDlg() override;

    DeviceState& deviceState() { return deviceState_; }

private:
    // What needs the window and its scale: made during initialisation.
    struct Parts;

    bool onInitDialog() override;
    bool onCommand(int id, int code, HWND control) override;
    bool onTimer(UINT_PTR id) override;
    HBRUSH onCtlColor(HDC dc, HWND control, UINT message) override;
    bool onPaint() override;
    bool onClose() override;
    void onDestroy() override;
    std::optional<LRESULT> onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    void adjustThreadUiLanguage();
    void onWindowPosChanging(WINDOWPOS& position);
    void onTrayIcon(UINT mouseEvent);
    void onRunCommand(int id);
    void refreshDeviceConnection();
    void runInitialSetup();
    void quit();
    void quitForInstall();
    void onUpdateFound(std::unique_ptr<UpdateOffer> offer);

    // WindowVisibility
    void showOnRequest() override;
    void hideIfVisible() override;
    // MainWindowActions
    void requestInitialSetup() override;
    void openVendorSite() override;
    // RunShell and the backup/restore page
    void openSettingsPage() override;
    void setEjectButtonsEnabled(bool enabled) override;
    // The backup/restore page
    void runCommand(RunKind kind) override;
    void showBusyNotice() override;
    // The settings page
    void ejectSdCard() override;
    void showHomePage() override;
    void offerUpdate() override;
    // The help page
    void openDeviceInformation() override;
    void openVoltageCurrent() override;

    DeviceHost& host_;
    SettingsProfile profile_;
    ProfileSettings settings_{profile_};
    DeviceState deviceState_;
    RunState runState_;
    IdentityNames names_;
    std::int32_t restoreChoice_ = 0;
    float mag_ = 1.0f;
    bool mayShowWindow_ = false;
    bool setupPromptPending_ = false;
    bool startupRefreshPending_ = false;
    bool newVersionAvailable_ = false;
    bool updatePromptOpen_ = false;
    std::wstring okCaption_;
    std::wstring launchCaption_;
    std::wstring quitCaption_;
    HICON icon_ = nullptr;

    MainTimers timers_;
    SideMenu sideMenu_;
    SideBarBackground sideBar_;
    PageHost pages_{sideMenu_, PageContext{profile_, deviceState_, host_, names_, runState_, restoreChoice_,
                                           newVersionAvailable_, *this, *this, *this}};
    PageNavigator navigator_{pages_};
    MainWindowUi ui_{pages_, navigator_};
    VendorCommands commands_{deviceState_, host_};
    TrayIcon tray_;
    std::unique_ptr<Parts> parts_;
};

} // namespace yk
