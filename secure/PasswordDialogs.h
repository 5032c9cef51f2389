// What the password dialogs share: their buttons, field set-up and the message box they report with.
#pragma once

#include <windows.h>

#include <string>

#include "base/CatalogKey.h"

namespace yk::password_dialog {

inline constexpr int kMaxPasswordCharacters = 32;
inline constexpr INT_PTR kOk = IDOK;
inline constexpr INT_PTR kCancel = IDCANCEL;

// A masked field of at most 32 characters showing `cue` while it is empty.
void prepareField(HWND field, const std::wstring& cue);
std::wstring fieldText(HWND field);
// The one-button box of the password dialogs (kind 6 or 7, "OK").
void showMessage(HWND parent, int kind, const CatalogKey& text, float mag);

} // namespace yk::password_dialog
