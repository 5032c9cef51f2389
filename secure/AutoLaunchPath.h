// Starting the program at log-on: which copies may register themselves, and the command they register.
#pragma once

#include <string>

namespace yk {

// The letters a to z made upper case; every other character as it is.
std::wstring upperCaseAscii(std::wstring text);

// Whether the upper-cased program path begins with the upper-cased Program Files folder (so a copy below
// "C:\PROGRAM FILES (X86)" passes too). An empty folder admits nothing.
bool isInstalledProgram(const std::wstring& programPath, const std::wstring& programFilesFolder);

// The Run value for an upper-cased program path: the path in double quotes, so that a path with spaces can
// never be read as a shorter program and its arguments.
std::wstring autoLaunchCommand(const std::wstring& programPath);

} // namespace yk
