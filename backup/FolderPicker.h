// The platform folder picker: existing file-system folders only.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace yk {

// Opens the picker owned by `owner` in `startFolder`; the chosen folder, or nothing when cancelled.
std::optional<std::wstring> pickFolder(HWND owner, const std::wstring& startFolder);

} // namespace yk
