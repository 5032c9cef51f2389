// The SD card access control and the side menu read their settings straight from the profile.
#pragma once

#include <string>

#include "device/SdAccessPorts.h"
#include "secure/SettingsStore.h"

namespace yk {

class ProfileSettings final : public SdAccessSettings {
public:
    explicit ProfileSettings(const SettingsProfile& profile) : profile_(profile) {}

    std::int32_t readInt(std::wstring_view key) override { return profile_.readInt(std::wstring(key).c_str(), 0); }

private:
    const SettingsProfile& profile_;
};

} // namespace yk
