// The commands of the main window's side menu, file browser item and logo: the busy check, the first-use
// set-up check and the page they lead to.
#pragma once

#include "app/PageNavigator.h"
#include "device/DeviceState.h"
#include "device/SdAccess.h"

namespace yk {

// What the commands ask of the main window beyond the page switch.
class MainWindowActions {
public:
    virtual ~MainWindowActions() = default;
    // Arms the first-use set-up prompt (timer 1 at 10 ms).
    virtual void requestInitialSetup() = 0;
    virtual void openVendorSite() = 0;
};

class MainCommands {
public:
    MainCommands(PageNavigator& navigator, DeviceState& device, SdAccess& sdAccess, SdAccessUi& ui,
                 SdAccessSettings& settings, MainWindowActions& actions, const bool& runInProgress)
        : navigator_(navigator), device_(device), sdAccess_(sdAccess), ui_(ui), settings_(settings), actions_(actions),
          runInProgress_(runInProgress)
    {
    }

    // The side menu items (image or text), the file browser command and the logo; false for any other id.
    bool onCommand(int id);

    // A backup or restore item: the backup/restore page in that view when the card is usable, else home.
    void onRunMenuItem(int mode);
    void onPageMenuItem(int index);
    void OnStnClickedPicFileBrowser();
    void onLogo();

private:
    // True when the command may go on; otherwise the busy notice or the set-up prompt has been arranged.
    bool passesBusyCheck();
    bool passesSetupCheck();

    PageNavigator& navigator_;
    DeviceState& device_;
    SdAccess& sdAccess_;
    SdAccessUi& ui_;
    SdAccessSettings& settings_;
    MainWindowActions& actions_;
    const bool& runInProgress_;
};

} // namespace yk
