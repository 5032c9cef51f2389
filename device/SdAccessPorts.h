// What SD card access control needs from the rest of the program: timers, the visible reactions, the runs and
// the settings. The main window implements them; tests script them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "device/HomeStatus.h"
#include "ui/MessageBoxResult.h" // the results of the custom message boxes

namespace yk {

// Window timers of the main window that belong to SD access control.
inline constexpr int kTimerAutoVolumeWait = 10;   // autoGetVolumePath
inline constexpr int kTimerManualVolumeWait = 11; // manualGetVolumePath
inline constexpr int kTimerAutoEnable = 12;       // enableSDFuncShowFailMessage
inline constexpr int kTimerEnableRetry = 13;      // manualEnableSDFuncActionType
inline constexpr int kTimerPortPoll = 14;         // pollPortState
inline constexpr int kTimerSdStatusPoll = 15;     // pollSdStatus

inline constexpr unsigned kVolumeWaitPeriodMs = 1000;
inline constexpr unsigned kAutoEnableFirstPeriodMs = 1500;
inline constexpr unsigned kAutoEnableRetryPeriodMs = 5000;
inline constexpr unsigned kEnableRetryPeriodMs = 5000;
inline constexpr unsigned kPortPollPeriodMs = 5000;
inline constexpr unsigned kSdStatusPollPeriodMs = 3000;
// One tick a second: the volume gets 30 s to answer after an enable.
inline constexpr std::int32_t kVolumeWaitTicks = 30;

// Command ids of the run buttons that the automatic backup posts.
inline constexpr int kNormalBackupButtonId = 1091;
inline constexpr int kEncryptBackupButtonId = 1093;

// Settings read here (integers, 0 when absent).
inline constexpr std::wstring_view kSettingAppInitialSetup = L"APPInitialSetup";
inline constexpr std::wstring_view kSettingAutoBackup = L"Auto Backup";
inline constexpr std::wstring_view kSettingSecureBackup = L"Secure Backup";

// The two eject question views, by their mode.
enum class EjectQuestion { A = 1, B = 2 };

// Window timers: starting an id that runs already restarts it with the new period.
class SdAccessTimers {
public:
    virtual ~SdAccessTimers() = default;
    virtual void start(int id, unsigned periodMs) = 0;
    virtual void stop(int id) = 0;
};

class SdAccessUi {
public:
    virtual ~SdAccessUi() = default;

    // The platform message box with the stop icon, IDS_DEVICE_NOT_FOUND.
    virtual void showDeviceNotFound() = 0;
    // IDS_RUN_IN_PROGRESS in the one-button box, shown from a worker thread so nothing waits for it.
    virtual void showBusyNotice() = 0;
    // CCustomMessageBox of kind 3, IDS_ENABLE_SD_FAILED with the button IDS_OK; kBoxOk when confirmed.
    virtual int showEnableFailed() = 0;
    // CCustomMessageBox2Btn, IDS_CONFIRM_EJECT with IDS_YES and IDS_NO; kBoxYes or kBoxNo.
    virtual int askEjectConfirmation() = 0;

    virtual void setHomeStatus(int status) = 0;
    virtual void refreshBackupRestorePage() = 0;
    virtual void refreshSDCardStatus() = 0;
    virtual void switchToHomePage() = 0;
    // Opens a folder such as "E:\\" in the system file browser.
    virtual void openInFileBrowser(const std::wstring& folder) = 0;
    // Posts the command of a run button to the main window; it runs later, from the message loop.
    virtual void postRunButtonCommand(int controlId) = 0;

    virtual void showEjectQuestion(EjectQuestion view, bool leftButtonEnabled) = 0;
    virtual void hideEjectQuestion(EjectQuestion view) = 0;
    virtual bool isEjectQuestionVisible(EjectQuestion view) = 0;
};

class SdAccessRuns {
public:
    virtual ~SdAccessRuns() = default;
    // Runs 0 normal backup, 1 normal restore, 2 encrypted backup or 3 decrypt restore to its end.
    virtual void startRun(std::int32_t action) = 0;
};

class SdAccessSettings {
public:
    virtual ~SdAccessSettings() = default;
    // The current value of an integer setting, 0 when absent.
    virtual std::int32_t readInt(std::wstring_view key) = 0;
};

} // namespace yk
