// The auto-launch value "Yarrowkeep" in the machine-wide Run keys of both registry views.
#pragma once

#include <string>

namespace yk {

// True when the value exists under either Run key (whatever it holds).
bool isAutoLaunchRegistered();

// Writes the quoted upper-cased program path under both keys; a key that cannot be opened is passed over.
void registerAutoLaunch(const std::wstring& programPath);

// Deletes the value under both keys; a key or value that is missing is passed over.
void unregisterAutoLaunch();

} // namespace yk
