// The first-use dialogue: the user picks the backup folder, and the settings that let the program work by
// itself are saved.
#pragma once

#include <functional>
#include <string>

#include "backup/RunPorts.h"
#include "device/DeviceHost.h"
#include "secure/SettingsStore.h"

namespace yk {

// Asks for the folder (the prompt, then the picker starting in `documentsFolder`, where the Documents folder
// itself gets a folder of its own), saves "Directory", "Auto Backup" 1, "Secure Backup" 0 and
// "APPInitialSetup" 1, then shows the folder through `confirmFolder`. True when the settings were saved and
// the confirmation ended with OK. Every stop before the save leaves the settings as they were. An empty
// `documentsFolder` starts the picker nowhere in particular.
bool runInitialSetup(const SettingsProfile& profile, DeviceHost& host, RunPrompts& prompts,
                     const std::function<int(const std::wstring& folder)>& confirmFolder,
                     const std::wstring& documentsFolder);

} // namespace yk
