// The installer's name comes from the network: the program only ever writes and starts a plain file in its
// own folder.
#pragma once

#include <string>
#include <string_view>

namespace yk {

inline constexpr std::size_t kInstallerNameLimit = 100;

// True for a bare file name that stays in the folder it is joined to: printable ASCII without
// \ / : * ? " < > |, not "." or "..", not starting with a space, not ending in a dot or a space, not a device
// name (CON, PRN, AUX, NUL, COM1-9, LPT1-9, CONIN$, CONOUT$, with or without an extension, any case, spaces
// before the extension ignored), 1 to kInstallerNameLimit long.
bool isSafeInstallerName(std::string_view name);

} // namespace yk
