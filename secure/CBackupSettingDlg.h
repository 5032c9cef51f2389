// The settings page: the switches, the backup folder, the password, the SD card and the version rows.
#pragma once

#include "ui/SkinnedDialog.h"

namespace yk {

class CBackupSettingDlg final : public SkinnedDialog {
public:
    CBackupSettingDlg();

    // The page's rows are not built yet: the main window already calls these where they belong, and they do
    // nothing until the page has them.
    void loadSettingsPage(float mag);
    void refreshSDCardStatus();
};

} // namespace yk
