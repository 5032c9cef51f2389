// The main window's timers: window timers of the main window, by id.
#pragma once

#include <windows.h>

#include "device/SdAccessPorts.h"

namespace yk {

// The main window's own timers; 10 to 15 belong to the SD card access control.
inline constexpr int kTimerSetupPrompt = 1;
inline constexpr int kTimerStartupRefresh = 2;
inline constexpr int kTimerUpdateCheck = 100;
// Tries to put the notification-area icon in place again while the shell was not ready for it.
inline constexpr int kTimerTrayRetry = 30;

inline constexpr unsigned kSetupPromptPeriodMs = 100;
inline constexpr unsigned kSetupPromptFromMenuMs = 10;
inline constexpr unsigned kStartupRefreshPeriodMs = 100;
inline constexpr unsigned kUpdateCheckDelayMs = 5000;

class MainTimers final : public SdAccessTimers {
public:
    void attach(HWND window) { window_ = window; }

    // Starting an id that runs already restarts it with the new period.
    void start(int id, unsigned periodMs) override { SetTimer(window_, static_cast<UINT_PTR>(id), periodMs, nullptr); }
    void stop(int id) override { KillTimer(window_, static_cast<UINT_PTR>(id)); }

private:
    HWND window_ = nullptr;
};

} // namespace yk
