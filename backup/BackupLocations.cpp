#include "backup/BackupLocations.h"

#include <windows.h>

#include <shlobj.h>

#include "base/CatalogKeys.h"
#include "base/TextCatalog.h"
#include "backup/BackupPaths.h"
#include "backup/FileCatalogue.h"
#include "device/Discovery.h"
#include "ui/MessageBoxResult.h"

namespace yk {

namespace {

constexpr DWORD kNameBufferSize = 1024;

} // namespace

IdentityNames loadIdentityNames()
{
    IdentityNames names;
    wchar_t buffer[kNameBufferSize];
    DWORD size = kNameBufferSize;
    names.computerName = GetComputerNameW(buffer, &size) ? std::wstring(buffer, size) : L"UserPC";

    size = kNameBufferSize;
    if (GetUserNameW(buffer, &size) && size > 0)
        names.userName = buffer; // the size counts the terminating null
    if (names.userName.empty()) {
        const DWORD length = GetEnvironmentVariableW(L"USERNAME", buffer, kNameBufferSize);
        if (length > 0 && length < kNameBufferSize)
            names.userName.assign(buffer, length);
    }
    if (names.userName.empty())
        names.userName = L"UserFolder";
    return names;
}

std::wstring backupTargetFolder(const DeviceState& device, const IdentityNames& names, bool encrypted)
{
    if (!device.connected)
        return unavailableMarker(loadCatalogText(IDS_DEVICE_NOT_FOUND));
    if (!device.sdEnabled)
        return unavailableMarker(loadCatalogText(IDS_SD_NOT_ENABLED));
    return sdBackupFolder(device.driveLetter(), names.computerName, names.userName,
                          loadCatalogText(encrypted ? IDS_ENCRYPT_BACKUP : IDS_NORMAL_BACKUP));
}

std::optional<std::wstring> chooseRestoreSource(const DeviceState& device, const IdentityNames& names, bool encrypted,
                                                RunPrompts& prompts)
{
    const std::wstring start = restorePickerStart(backupTargetFolder(device, names, encrypted),
                                                  [](const std::wstring& path) { return isExistingFolder(path); });
    auto chosen = prompts.chooseFolder(start);
    if (!chosen)
        return std::nullopt;
    if (GetFileAttributesW(chosen->c_str()) == INVALID_FILE_ATTRIBUTES) {
        prompts.showMessage(box_kind::kFolder, IDS_DIRECTORY_INVALID);
        return std::nullopt;
    }
    return chosen;
}

std::uint64_t freeSpaceOfPath(DeviceHost& host, const std::wstring& path)
{
    const wchar_t letter = driveLetterOf(path);
    const bool isLetter = (letter >= L'A' && letter <= L'Z') || (letter >= L'a' && letter <= L'z');
    return isLetter ? getFreeSpace(host, letter) : 0;
}

FolderResult ensureFolder(const std::wstring& path, StorageSide side, DeviceHost& host, RunPrompts& prompts)
{
    if (freeSpaceOfPath(host, path) < kFolderSpaceMargin) {
        showFreeSpaceShortage(prompts, side);
        return FolderResult::SpaceShort;
    }
    if (pathExists(path))
        return isExistingFolder(path) ? FolderResult::Ready : FolderResult::Unavailable;
    return SHCreateDirectoryExW(nullptr, path.c_str(), nullptr) == ERROR_SUCCESS ? FolderResult::Ready
                                                                                 : FolderResult::Unavailable;
}

std::wstring findNumberedName(const std::wstring& target, std::uint64_t sourceTime, bool encrypted, TimeRule rule)
{
    const NameProbe probe{[](const std::wstring& path) { return pathExists(path); },
                          [](const std::wstring& path) -> std::optional<std::uint64_t> {
                              std::uint64_t time = 0;
                              if (!getLocalLastWriteTime(path, time))
                                  return std::nullopt;
                              return time;
                          },
                          rule};
    return yk::findNumberedName(std::wstring_view(target), sourceTime, encrypted, probe);
}

void showFreeSpaceShortage(RunPrompts& prompts, StorageSide side)
{
    if (side == StorageSide::Computer)
        prompts.showMessage(box_kind::kLowSpace, IDS_DISK_SPACE_LOW);
    else
        prompts.showMessage(box_kind::kSdEnableFailed, IDS_SD_SPACE_LOW);
}

void showPathUnavailable(RunPrompts& prompts)
{
    prompts.showMessage(box_kind::kFolder, IDS_ENCRYPT_PATH_UNAVAILABLE);
}

void showFolderUnavailable(RunPrompts& prompts, const CatalogKey& body, const std::wstring& folder)
{
    prompts.showFolderMessage(IDS_DESTINATION_UNAVAILABLE, body, folder);
}

} // namespace yk
