#include "backup/CBackupRestoreDlg.h"

#include "backup_ids.h"

namespace yk {

CBackupRestoreDlg::CBackupRestoreDlg() : SkinnedDialog(IDD_BACKUP_RESTORE_PAGE, 1.0f, palette::kPageBackground) {}

void CBackupRestoreDlg::setupBackupRestorePage(float mag)
{
    setMag(mag);
}

void CBackupRestoreDlg::refreshBackupRestorePage() {}

void CBackupRestoreDlg::showDriveSpace() {}

} // namespace yk
