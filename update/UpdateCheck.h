// The daily check for a newer release of the program, on a worker thread of its own.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "secure/SettingsStore.h"
#include "update/OwnVersion.h"
#include "update/UpdateSchedule.h"

namespace yk {

// What the update dialog offers once a check has found a newer release.
struct UpdateOffer {
    std::wstring serverVersion;
    std::wstring installerName; // a bare file name: the check offers nothing else
    std::wstring md5;
    std::wstring versionLine;
};

// Posted to the main window when a check found a newer release; the LPARAM is an UpdateOffer* made with new,
// which the receiver owns.
inline constexpr UINT kUpdateFoundMessage = WM_APP + 10;

// The update server: the build's https address, or YARROWKEEP_UPDATE_URL when it names an https server or a
// plain http one on this machine's loopback address.
std::wstring updateBaseUrl();

struct UpdateCheckInputs {
    std::optional<FileVersion> ownVersion;
    std::wstring folder;  // where the version file is kept: the program's folder
    std::wstring baseUrl; // the update server
    LocalDateTime now;
};

// What the running program checks with: its version resource, its folder, its server and the local time.
UpdateCheckInputs currentUpdateCheckInputs();

// The offer when the server announces a higher version than the own one and an installer name that is a bare
// file name; nothing when the check is not due today, the server cannot be reached or answers badly, or there
// is nothing newer. The check's time stamp is written before any request.
std::optional<UpdateOffer> checkForUpdate(const SettingsProfile& profile, const UpdateCheckInputs& inputs);

// Starts the check on a worker thread and returns at once; a newer release is posted to the window as
// kUpdateFoundMessage.
void startUpdateCheck(HWND mainWindow, const SettingsProfile& profile);

} // namespace yk
