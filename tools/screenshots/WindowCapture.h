// Saving what a dialog looks like on the screen, for the screenshot programs.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace yk::shots {

// The visible dialog of this thread, or null.
HWND shownDialog();

// Saves the window as it appears on the screen, frame included, as a PNG; prints the file's name, or
// complains on the error stream when it could not be saved. Needs a GDI+ session.
bool saveWindow(HWND window, const std::wstring& file);

// Runs `show`, which shows a modal dialog; once the dialog has shown and painted, saves it to `file` and
// closes it.
void captureModal(const std::wstring& file, const std::function<void()>& show);

} // namespace yk::shots
