#include "secure/SettingsStore.h"

#include <windows.h>

#include <cstring>

#include "base/ExecutablePath.h"
#include "secure/StoredPassword.h"

namespace yk {

namespace {

class RegistryKey {
public:
    RegistryKey(const std::wstring& path, bool create)
    {
        const LSTATUS status =
            create ? RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr,
                                     &key_, nullptr)
                   : RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key_);
        if (status != ERROR_SUCCESS)
            key_ = nullptr;
    }
    ~RegistryKey()
    {
        if (key_)
            RegCloseKey(key_);
    }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    HKEY get() const { return key_; }

    // The raw data and type of a value, or empty when it cannot be read.
    std::optional<std::vector<std::uint8_t>> read(const wchar_t* name, DWORD expectedType) const
    {
        if (!key_)
            return std::nullopt;
        DWORD type = 0;
        DWORD size = 0;
        if (RegQueryValueExW(key_, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS || type != expectedType)
            return std::nullopt;
        std::vector<std::uint8_t> data(size);
        if (RegQueryValueExW(key_, name, nullptr, &type, data.data(), &size) != ERROR_SUCCESS ||
            type != expectedType)
            return std::nullopt;
        data.resize(size);
        return data;
    }

    bool write(const wchar_t* name, DWORD type, const void* data, std::size_t size) const
    {
        return key_ && RegSetValueExW(key_, name, 0, type, static_cast<const BYTE*>(data),
                                      static_cast<DWORD>(size)) == ERROR_SUCCESS;
    }

private:
    HKEY key_ = nullptr;
};

} // namespace

SettingsProfile::SettingsProfile()
    : sectionKey_(L"Software\\Local AppWizard-Generated Applications\\" + applicationName() + L"\\Yarrowkeep")
{
}

std::int32_t SettingsProfile::readInt(const wchar_t* name, std::int32_t fallback) const
{
    const auto data = RegistryKey(sectionKey_, false).read(name, REG_DWORD);
    if (!data || data->size() != sizeof(DWORD))
        return fallback;
    DWORD value = 0;
    std::memcpy(&value, data->data(), sizeof value);
    return static_cast<std::int32_t>(value);
}

bool SettingsProfile::writeInt(const wchar_t* name, std::int32_t value) const
{
    const DWORD data = static_cast<DWORD>(value);
    return RegistryKey(sectionKey_, true).write(name, REG_DWORD, &data, sizeof data);
}

std::wstring SettingsProfile::readString(const wchar_t* name, const std::wstring& fallback) const
{
    const auto data = RegistryKey(sectionKey_, false).read(name, REG_SZ);
    if (!data)
        return fallback;
    std::wstring text(data->size() / sizeof(wchar_t), L'\0');
    std::memcpy(text.data(), data->data(), text.size() * sizeof(wchar_t));
    // The stored data may or may not carry its terminator.
    if (const auto end = text.find(L'\0'); end != std::wstring::npos)
        text.erase(end);
    return text;
}

bool SettingsProfile::writeString(const wchar_t* name, const std::wstring& value) const
{
    return RegistryKey(sectionKey_, true).write(name, REG_SZ, value.c_str(), (value.size() + 1) * sizeof(wchar_t));
}

std::optional<std::vector<std::uint8_t>> SettingsProfile::readBinary(const wchar_t* name) const
{
    return RegistryKey(sectionKey_, false).read(name, REG_BINARY);
}

bool SettingsProfile::writeBinary(const wchar_t* name, std::span<const std::uint8_t> bytes) const
{
    return RegistryKey(sectionKey_, true).write(name, REG_BINARY, bytes.data(), bytes.size());
}

AutoBackupValues readAutoBackupValues(const SettingsProfile& profile)
{
    const Settings settings(profile);
    return {settings.autoBackup.get(), settings.secureBackup.get()};
}

void writeAutoBackupValues(const SettingsProfile& profile, const AutoBackupValues& values)
{
    const Settings settings(profile);
    settings.autoBackup.set(values.autoBackup);
    settings.secureBackup.set(values.secureBackup);
}

std::wstring getBackupDirectory(const SettingsProfile& profile)
{
    return Settings(profile).directory.get();
}

bool setBackupDirectory(const SettingsProfile& profile, const std::wstring& path)
{
    return Settings(profile).directory.set(path);
}

bool readDefaultPassword(const SettingsProfile& profile, PasswordKey& key)
{
    const auto stored = Settings(profile).password.get();
    return stored && unscrambleStoredPassword(*stored, key);
}

bool writeDefaultPassword(const SettingsProfile& profile, const PasswordKey& key)
{
    const auto stored = storedPasswordBytes(key);
    return Settings(profile).password.set(stored);
}

} // namespace yk
