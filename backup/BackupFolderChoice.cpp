#include "backup/BackupFolderChoice.h"

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

std::optional<std::wstring> chooseBackupFolder(RunPrompts& prompts, DeviceHost& host, const std::wstring& startFolder,
                                               const std::wstring& documentsFolder, bool firstChoice)
{
    const auto chosen = prompts.chooseFolder(startFolder);
    if (!chosen)
        return std::nullopt;
    std::wstring folder = *chosen;
    if (GetFileAttributesW(folder.c_str()) == INVALID_FILE_ATTRIBUTES) {
        prompts.showMessage(box_kind::kFolder, IDS_DIRECTORY_INVALID);
        return std::nullopt;
    }
    // The Documents folder itself is not a good home for backups: a folder of their own is made in it.
    if (firstChoice && !documentsFolder.empty() && sameFolder(folder, documentsFolder)) {
        folder += kDefaultBackupSubfolder;
        if (ensureFolder(folder, StorageSide::Computer, host, prompts) == FolderResult::Unavailable) {
            prompts.showFolderMessage(IDS_SET_PATH_AGAIN, IDS_CREATE_DIRECTORY_FAIL, folder);
            return std::nullopt;
        }
    }
    return folder;
}

} // namespace yk
