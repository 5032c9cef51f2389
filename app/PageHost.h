// The four pages of the main window: made from their templates as children of the main window, placed flush
// right, and shown one at a time.
#pragma once

#include <windows.h>

#include "app/PageNavigator.h"
#include "app/SideMenu.h"
#include "backup/CBackupRestoreDlg.h"
#include "secure/CBackupSettingDlg.h"
#include "ui/CHelpDlg.h"
#include "ui/CMainPageDlg.h"

namespace yk {

// What the pages show and whom they ask: the main window's state and its actions.
struct PageContext {
    const SettingsProfile& profile;
    const DeviceState& device;
    DeviceHost& host;
    const IdentityNames& names;
    const RunState& run;
    std::int32_t& restoreChoice;
    const bool& newVersionAvailable;
    BackupRestorePageActions& backupRestoreActions;
    SettingsPageActions& settingsActions;
    HelpPageActions& helpActions;
};

class PageHost final : public PageViews {
public:
    PageHost(SideMenu& menu, const PageContext& context)
        : backupRestore(context.profile, context.device, context.host, context.names, context.run,
                        context.restoreChoice, context.backupRestoreActions),
          settings(context.profile, context.device, context.host, context.newVersionAvailable, context.settingsActions),
          help(context.helpActions),
          menu_(menu)
    {
    }

    // Creates home, backup/restore, settings and help in that order and gives each the home page's size, at
    // the right edge of the main window. Each page's window id is its template id.
    bool create(HWND mainWindow);
    void setMag(float mag) { mag_ = mag; }

    void hideAllPages() override;
    void showPage(int index) override;
    void showBackupRestoreView(int mode) override;
    void loadSettingsPage() override;
    void setMenuHighlight(int selection, bool highlighted) override { menu_.setHighlight(selection, highlighted); }

    CMainPageDlg home;
    CBackupRestoreDlg backupRestore;
    CBackupSettingDlg settings;
    CHelpDlg help;

private:
    DialogBase* page(int index);

    SideMenu& menu_;
    float mag_ = 1.0f;
};

} // namespace yk
