#include "secure/AutoLaunch.h"

#include <windows.h>

#include "base/Win32Handles.h"
#include "secure/AutoLaunchPath.h"

namespace yk {

namespace {

constexpr const wchar_t* kRunKeys[] = {
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run",
    L"SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Run",
};
constexpr wchar_t kValueName[] = L"Yarrowkeep";

UniqueRegistryKey openRunKey(const wchar_t* path, REGSAM access)
{
    UniqueRegistryKey key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path, 0, access, key.put()) != ERROR_SUCCESS)
        return UniqueRegistryKey();
    return key;
}

} // namespace

bool isAutoLaunchRegistered()
{
    for (const wchar_t* path : kRunKeys) {
        const UniqueRegistryKey key = openRunKey(path, KEY_READ);
        if (key.get() && RegQueryValueExW(key.get(), kValueName, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS)
            return true;
    }
    return false;
}

void registerAutoLaunch(const std::wstring& programPath)
{
    if (programPath.empty())
        return;
    const std::wstring command = autoLaunchCommand(programPath);
    for (const wchar_t* path : kRunKeys) {
        const UniqueRegistryKey key = openRunKey(path, KEY_SET_VALUE);
        if (key.get())
            RegSetValueExW(key.get(), kValueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                           static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
    }
}

void unregisterAutoLaunch()
{
    for (const wchar_t* path : kRunKeys) {
        const UniqueRegistryKey key = openRunKey(path, KEY_SET_VALUE);
        if (key.get())
            RegDeleteValueW(key.get(), kValueName);
    }
}

} // namespace yk
