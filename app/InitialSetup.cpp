#include "app/InitialSetup.h"

#include <windows.h>

#include "backup/BackupLocations.h"
#include "base/CatalogKeys.h"
#include "ui/MessageBoxResult.h"

namespace yk {

namespace {

bool sameFolder(const std::wstring& a, const std::wstring& b)
{
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
           CSTR_EQUAL;
}

} // namespace

bool runInitialSetup(const SettingsProfile& profile, DeviceHost& host, RunPrompts& prompts,
                     const std::function<int(const std::wstring& folder)>& confirmFolder,
                     const std::wstring& documentsFolder)
{
    if (prompts.showMessage(box_kind::kFolder, IDS_SELECT_BACKUP_PATH) != kBoxOk)
        return false;
    const auto chosen = prompts.chooseFolder(documentsFolder);
    if (!chosen)
        return false;
    std::wstring folder = *chosen;
    if (GetFileAttributesW(folder.c_str()) == INVALID_FILE_ATTRIBUTES) {
        prompts.showMessage(box_kind::kFolder, IDS_DIRECTORY_INVALID);
        return false;
    }
    // The Documents folder itself is not a good home for backups: a folder of their own is made in it.
    if (!documentsFolder.empty() && sameFolder(folder, documentsFolder)) {
        folder += kDefaultBackupSubfolder;
        if (ensureFolder(folder, StorageSide::Computer, host, prompts) == FolderResult::Unavailable) {
            prompts.showFolderMessage(IDS_SET_PATH_AGAIN, IDS_CREATE_DIRECTORY_FAIL, folder);
            return false;
        }
    }
    const Settings settings(profile);
    setBackupDirectory(profile, folder);
    settings.autoBackup.set(1);
    settings.secureBackup.set(0);
    settings.appInitialSetup.set(1);
    return confirmFolder(folder) == kBoxOk;
}

} // namespace yk
