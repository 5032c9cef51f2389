#include "update/InstallerName.h"

#include <array>

namespace yk {

namespace {

constexpr std::string_view kForbidden = "\\/:*?\"<>|";

// Names the file system opens as devices whatever the folder and the extension.
constexpr std::array<std::string_view, 24> kDeviceNames{
    "CON",  "PRN",  "AUX",  "NUL",  "COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7",   "COM8",
    "COM9", "LPT1", "LPT2", "LPT3", "LPT4", "LPT5", "LPT6", "LPT7", "LPT8", "LPT9", "CONIN$", "CONOUT$",
};

char upper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (upper(a[i]) != upper(b[i]))
            return false;
    }
    return true;
}

// The part before the first dot decides; spaces before that dot are dropped the way the file system drops
// them, so "nul .exe" is the device too.
bool isDeviceName(std::string_view name)
{
    std::string_view stem = name.substr(0, name.find('.'));
    while (!stem.empty() && stem.back() == ' ')
        stem.remove_suffix(1);
    for (const auto device : kDeviceNames) {
        if (equalsIgnoringCase(stem, device))
            return true;
    }
    return false;
}

} // namespace

bool isSafeInstallerName(std::string_view name)
{
    if (name.empty() || name.size() > kInstallerNameLimit)
        return false;
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte > 0x7E || kForbidden.find(c) != std::string_view::npos)
            return false;
    }
    // "." and ".." end in a dot as well.
    if (name.back() == '.' || name.back() == ' ' || name.front() == ' ')
        return false;
    return !isDeviceName(name);
}

} // namespace yk
