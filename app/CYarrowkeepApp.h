// The application object: language, single instance, and the modal run of the main window.
#pragma once

#include <windows.h>

namespace yk {

// Names both the single-instance mutex and the message that asks the running instance to show itself.
inline constexpr wchar_t kSingleInstanceName[] = L"WBX Yarrowkeep Utility";

// Registered during static initialisation so the main window can route it from its first message on.
extern const UINT singleInstanceMessage;

// Broadcast by the installer before it replaces the program: the running instance ends unless a backup or
// restore is under way (the installer then waits for it).
inline constexpr wchar_t kQuitForInstallName[] = L"Yarrowkeep.QuitForInstall";
extern const UINT quitForInstallMessage;

class CYarrowkeepApp {
public:
    // The start-up operation; always false, so the process ends when the main window's run ends.
    bool initInstance();

private:
    HANDLE instanceMutex_ = nullptr; // held for the life of the process; exit releases it
};

} // namespace yk
