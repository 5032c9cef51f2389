#include "app/InitialSetup.h"

#include "backup/BackupFolderChoice.h"
#include "base/CatalogKeys.h"
#include "ui/MessageBoxResult.h"

namespace yk {

bool runInitialSetup(const SettingsProfile& profile, DeviceHost& host, RunPrompts& prompts,
                     const std::function<int(const std::wstring& folder)>& confirmFolder,
                     const std::wstring& documentsFolder)
{
    if (prompts.showMessage(box_kind::kFolder, IDS_SELECT_BACKUP_PATH) != kBoxOk)
        return false;
    const auto folder = chooseBackupFolder(prompts, host, documentsFolder, documentsFolder, true);
    if (!folder)
        return false;
    const Settings settings(profile);
    setBackupDirectory(profile, *folder);
    settings.autoBackup.set(1);
    settings.secureBackup.set(0);
    settings.appInitialSetup.set(1);
    return confirmFolder(*folder) == kBoxOk;
}

} // namespace yk
