#include "base/ExecutablePath.h"

#include <windows.h>

namespace yk {

std::wstring executablePath()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return {};
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        if (path.size() >= 32768)
            return {};
        path.resize(path.size() * 2);
    }
}

std::wstring executableFolder()
{
    std::wstring path = executablePath();
    const auto slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos)
        return {};
    path.erase(slash);
    return path;
}

std::wstring applicationName()
{
    std::wstring name = executablePath();
    name.erase(0, name.find_last_of(L"\\/") + 1);
    if (const auto dot = name.find_last_of(L'.'); dot != std::wstring::npos)
        name.erase(dot);
    return name;
}

} // namespace yk
