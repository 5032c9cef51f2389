// The settings page's Set/Change password action and the status line it leaves behind.
#pragma once

#include <windows.h>

#include <functional>

#include "base/CatalogKey.h"
#include "secure/SettingsStore.h"

namespace yk {

// Asks for the old password while one is stored (again after every wrong one, until Cancel), then lets the
// user set the new one; `refreshPage` runs at the end in every case.
void setDefaultPasswordOnClick(HWND parent, const SettingsProfile& profile, float mag,
                               const std::function<void()>& refreshPage);

// The password line and the caption of its control for the stored state.
struct PasswordStatus {
    CatalogKey line;
    CatalogKey control;
};
PasswordStatus passwordStatus(const SettingsProfile& profile);

} // namespace yk
