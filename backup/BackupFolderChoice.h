// Choosing the PC folder that is backed up: the picker, the checks, and the folder of its own made in
// Documents.
#pragma once

#include <optional>
#include <string>

#include "backup/RunPorts.h"
#include "device/DeviceHost.h"

namespace yk {

// The sub-folder made when the user picks the Documents folder itself as the first backup folder.
inline constexpr wchar_t kDefaultBackupSubfolder[] = L"\\Yarrowkeep_Backup";

// The picker starting in `startFolder`; the chosen folder once it exists. On a first choice (no folder set
// yet) the Documents folder itself becomes its sub-folder "Yarrowkeep_Backup", made there. Nothing when the
// picker was cancelled or the folder is refused; a refusal has been shown ("Directory is not valid", or
// "Please Set Path Again" when the sub-folder cannot be made).
std::optional<std::wstring> chooseBackupFolder(RunPrompts& prompts, DeviceHost& host, const std::wstring& startFolder,
                                               const std::wstring& documentsFolder, bool firstChoice);

} // namespace yk
