// The application's settings: values of section "Yarrowkeep" in the per-user registry profile, read when
// needed and written through at once. One small typed accessor per value.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "secure/AutoBackupSwitches.h"
#include "secure/PasswordKey.h"

namespace yk {

// The registry key (under HKEY_CURRENT_USER) that holds the section's values.
class SettingsProfile {
public:
    // Software\Local AppWizard-Generated Applications\<executable base name>\Yarrowkeep
    SettingsProfile();
    // Tests keep their values under a key of their own.
    explicit SettingsProfile(std::wstring sectionKey) : sectionKey_(std::move(sectionKey)) {}

    const std::wstring& sectionKey() const { return sectionKey_; }

    std::int32_t readInt(const wchar_t* name, std::int32_t fallback) const;
    bool writeInt(const wchar_t* name, std::int32_t value) const;
    std::wstring readString(const wchar_t* name, const std::wstring& fallback) const;
    bool writeString(const wchar_t* name, const std::wstring& value) const;
    // Empty when the value is absent.
    std::optional<std::vector<std::uint8_t>> readBinary(const wchar_t* name) const;
    bool writeBinary(const wchar_t* name, std::span<const std::uint8_t> bytes) const;

private:
    std::wstring sectionKey_;
};

class IntSetting {
public:
    IntSetting(const SettingsProfile& profile, const wchar_t* name, std::int32_t fallback = 0)
        : profile_(profile), name_(name), fallback_(fallback)
    {
    }
    std::int32_t get() const { return profile_.readInt(name_, fallback_); }
    bool set(std::int32_t value) const { return profile_.writeInt(name_, value); }

private:
    const SettingsProfile& profile_;
    const wchar_t* name_;
    std::int32_t fallback_;
};

class StringSetting {
public:
    StringSetting(const SettingsProfile& profile, const wchar_t* name) : profile_(profile), name_(name) {}
    std::wstring get() const { return profile_.readString(name_, {}); }
    bool set(const std::wstring& value) const { return profile_.writeString(name_, value); }

private:
    const SettingsProfile& profile_;
    const wchar_t* name_;
};

class BinarySetting {
public:
    BinarySetting(const SettingsProfile& profile, const wchar_t* name) : profile_(profile), name_(name) {}
    std::optional<std::vector<std::uint8_t>> get() const { return profile_.readBinary(name_); }
    bool set(std::span<const std::uint8_t> bytes) const { return profile_.writeBinary(name_, bytes); }

private:
    const SettingsProfile& profile_;
    const wchar_t* name_;
};

// Every value of the section, by its meaning.
struct Settings {
    explicit Settings(const SettingsProfile& profile)
        : directory(profile, L"Directory"), autoBackup(profile, L"Auto Backup"),
          secureBackup(profile, L"Secure Backup"), autoLaunch(profile, L"Auto Launch"),
          appInitialSetup(profile, L"APPInitialSetup"), autoCheckUpdate(profile, L"AutoCheckUpdate"),
          password(profile, L"Password")
    {
    }

    StringSetting directory;
    IntSetting autoBackup;
    IntSetting secureBackup;
    IntSetting autoLaunch;
    IntSetting appInitialSetup;
    StringSetting autoCheckUpdate;
    BinarySetting password;
};

// "Auto Backup" and "Secure Backup" together, as the automatic-backup switches change them.
AutoBackupValues readAutoBackupValues(const SettingsProfile& profile);
void writeAutoBackupValues(const SettingsProfile& profile, const AutoBackupValues& values);

std::wstring getBackupDirectory(const SettingsProfile& profile);
bool setBackupDirectory(const SettingsProfile& profile, const std::wstring& path);

// The default password's key when one is stored; `key` keeps what the caller put there otherwise, and
// beyond a stored value shorter than 32 bytes.
bool readDefaultPassword(const SettingsProfile& profile, PasswordKey& key);
// Stores the scrambled key as the default password (always 32 bytes).
bool writeDefaultPassword(const SettingsProfile& profile, const PasswordKey& key);

} // namespace yk
