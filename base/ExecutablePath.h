// Where the running program lives, and the name it goes by.
#pragma once

#include <string>

namespace yk {

// The full path of the running executable; empty when it cannot be read.
std::wstring executablePath();

// The folder that holds it, without a trailing "\"; empty when the path cannot be read.
std::wstring executableFolder();

// The executable's file name without its extension: the caption of the platform's message boxes, the
// profile's name and the agent name of the program's web requests.
std::wstring applicationName();

} // namespace yk
