#include "secure/CBackupSettingDlg.h"

#include "secure_ids.h"

namespace yk {

CBackupSettingDlg::CBackupSettingDlg() : SkinnedDialog(IDD_SETTINGS_PAGE, 1.0f, palette::kPageBackground) {}

void CBackupSettingDlg::loadSettingsPage(float mag)
{
    setMag(mag);
}

void CBackupSettingDlg::refreshSDCardStatus() {}

} // namespace yk
