// Where backups live on the SD card and on the PC: the per-PC and per-user folders, the restore source,
// target folders with their free-space check, numbered names, and the messages about them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "backup/FileTime.h"
#include "base/CatalogKey.h"
#include "backup/RunPorts.h"
#include "device/DeviceHost.h"
#include "device/DeviceState.h"

namespace yk {

// Free space a folder needs on its drive before it is used or created (5 MiB).
inline constexpr std::uint64_t kFolderSpaceMargin = 0x500000;
// Free space beyond a file's size: on the card for a backup (10 MiB), on the PC for a restore (100 MiB).
inline constexpr std::uint64_t kBackupSpaceMargin = 0xA00000;
inline constexpr std::uint64_t kRestoreSpaceMargin = 0x6400000;

// The names of the per-PC and per-user folders on the card, read once at start-up.
struct IdentityNames {
    std::wstring computerName; // "UserPC" when it cannot be read
    std::wstring userName;     // "UserFolder" when no name can be found
};

IdentityNames loadIdentityNames();

enum class StorageSide { SdCard, Computer };

enum class FolderResult { Ready = 0, Unavailable = 1, SpaceShort = 2 };

// The card's folder of the plain or encrypted backup, or the parenthesized reason it is unavailable.
std::wstring backupTargetFolder(const DeviceState& device, const IdentityNames& names, bool encrypted);

// Lets the user pick the card folder to restore from, starting at the expected backup folder or its
// nearest existing ancestor. Nothing when the picker was cancelled or its choice is not valid (the
// latter after a message).
std::optional<std::wstring> chooseRestoreSource(const DeviceState& device, const IdentityNames& names, bool encrypted,
                                                RunPrompts& prompts);

// Makes sure the folder exists, creating missing parents, once its drive has 5 MiB free.
FolderResult ensureFolder(const std::wstring& path, StorageSide side, DeviceHost& host, RunPrompts& prompts);

// Free bytes available to the caller on the drive of a path; 0 for a path that names no drive.
std::uint64_t freeSpaceOfPath(DeviceHost& host, const std::wstring& path);

// The first free numbered path for a changed file, or empty when the file is not to be copied.
std::wstring findNumberedName(const std::wstring& target, std::uint64_t sourceTime, bool encrypted,
                              TimeRule rule = TimeRule::Plain);

void showFreeSpaceShortage(RunPrompts& prompts, StorageSide side);
void showPathUnavailable(RunPrompts& prompts);
void showFolderUnavailable(RunPrompts& prompts, const CatalogKey& body, const std::wstring& folder);

} // namespace yk
