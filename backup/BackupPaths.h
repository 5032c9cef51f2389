// Path strings of the backup runs: drive letters, components, the folder layout on the SD card, numbered
// names of changed files, and the temporary names files travel under until they are complete.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "backup/FileTime.h"

namespace yk {

// The one folder on the card that holds every PC's backups.
inline constexpr std::wstring_view kCrossFolderName = L"YarrowkeepCross";
// Numbered names run from "name (2).ext" up to and including this number.
inline constexpr int kLastVersionNumber = 999;

// The drive letter of a path: the first character of the text before its last colon, or the path's own
// first character when it has no colon (a network path then names no drive). 0 for an empty path.
wchar_t driveLetterOf(std::wstring_view path);

// The text after the last backslash or slash (the whole path when it has none).
std::wstring_view lastComponent(std::wstring_view path);

// The text before the last backslash or slash; empty when there is none.
std::wstring_view parentOf(std::wstring_view path);

// "%s\\%s".
std::wstring joinPath(std::wstring_view folder, std::wstring_view name);

// "%c:\\YarrowkeepCross\\<computer>\\<user>\\<kind folder>".
std::wstring sdBackupFolder(wchar_t letter, std::wstring_view computerName, std::wstring_view userName,
                            std::wstring_view kindFolderName);

// The text shown instead of a folder that cannot be used: "(%s)".
std::wstring unavailableMarker(std::wstring_view text);

// True for an empty folder or an unavailable marker.
bool isUnavailableFolder(std::wstring_view folder);

// True when the path lies on the drive of that letter ("%c:\\" compared without regard to case).
bool isOnDrive(std::wstring_view path, wchar_t letter);

// Where the restore-source picker starts: the expected folder with a trailing backslash when it exists,
// else its nearest existing ancestor (or the first ancestor of two characters or fewer) with one.
std::wstring restorePickerStart(std::wstring_view expectedFolder,
                                const std::function<bool(const std::wstring&)>& isExistingFolder);

// "%s\\%s (%d).%s" from the target's folder, base name, n and extension, with ".vltrin" appended when
// encrypted. The target is given without its encrypted extension.
std::wstring numberedCandidate(std::wstring_view target, int n, bool encrypted);

// What findNumberedName needs to know about candidate paths.
struct NameProbe {
    std::function<bool(const std::wstring&)> exists;
    // The local last-write time, or empty when it cannot be read.
    std::function<std::optional<std::uint64_t>(const std::wstring&)> localLastWriteTime;
    // How the medium of the candidates keeps its times.
    TimeRule rule = TimeRule::Plain;
};

// The first free numbered name for a changed file, or empty when an existing numbered copy already holds
// this version (its time, without milliseconds, is the same as `sourceTime`) or every number is taken.
std::wstring findNumberedName(std::wstring_view target, std::uint64_t sourceTime, bool encrypted,
                              const NameProbe& probe);

// Files are written under a temporary name beside their target and renamed once complete; a run skips
// such names when it lists or counts, and removes the ones an interrupted run left behind.
inline constexpr std::wstring_view kTransferNamePrefix = L"~yk";
inline constexpr std::wstring_view kTransferNameSuffix = L".yktmp";

// "~yk" + 16 lowercase hex digits of the token + ".yktmp".
std::wstring transferTemporaryName(std::uint64_t token);
bool isTransferTemporaryName(std::wstring_view name);

} // namespace yk
