// SD card access control: enabling and ejecting the card, waiting for its volume, polling the device and the
// eject questions. Everything runs on the user-interface thread.
#pragma once

#include <cstdint>

#include "device/DeviceState.h"
#include "device/SdAccessPorts.h"
#include "device/SdAccessTimerSlot.h"
#include "device/VendorCommands.h"

namespace yk {

class SdAccess {
public:
    // `runInProgress` is the run state's flag; it is only read here.
    SdAccess(VendorCommands& commands, SdAccessTimers& timers, SdAccessUi& ui, SdAccessRuns& runs,
             SdAccessSettings& settings, const bool& runInProgress);

    SdAccess(const SdAccess&) = delete;
    SdAccess& operator=(const SdAccess&) = delete;

    // Device queries; each is false at once while not connected. A command that never reached the device
    // counts as refused.
    bool enableSDFunc();
    bool isSdCardPresent();
    // The same test for background polls: false without a word while not connected.
    bool isSdCardPresentQuietly();
    bool isSdAttachedToHost();
    // True while the other port requests the card (code 1 or 2) and does not use it. The outputs are left
    // alone when the device gave no answer.
    bool queryPortState(std::uint8_t& requestCode, std::uint8_t& otherPortByte);
    // The volume at `letter` answers and the device has the card on the PC side; false for letter 0.
    bool checkSdVolume(wchar_t letter);

    // Actions.
    void disableSDFunc();
    void disableSDButtonOnClick();
    void showDeviceNotFound();
    // The protocol of the run buttons: 0 normal backup, 1 normal restore, 2 encrypted backup, 3 decrypt restore.
    void startRunWhenSdReady(std::int32_t action);

    // Timer handlers.
    bool enableSDFuncShowFailMessage();
    bool manualEnableSDFuncActionType();
    void manualGetVolumePath();
    void autoGetVolumePath();
    void pollPortState();
    void pollSdStatus();

    // The eject questions and their buttons. The views call confirmEjectA / confirmEjectB from their left
    // button only while it is enabled, and declineEject from the right one.
    void showEjectQuestionA();
    void showEjectQuestionB();
    void closeDisableSDConfirmView();
    void confirmEjectA();
    void confirmEjectB();
    void declineEject();

    // Dispatches timers 10 to 15; false for any other id.
    bool onTimer(int id);

    // The SD part of a connection refresh that found the device newly connected.
    void onDeviceConnected();
    // The SD part of a refresh that found no device. The volume wait keeps running and ends by itself.
    void onDeviceDisconnected();

    // Starts a volume wait after an accepted enable; `timerId` is kTimerAutoVolumeWait (the file browser
    // command, the automatic enable) or kTimerManualVolumeWait (the run buttons).
    void startVolumeWait(int timerId);

    const TimerSlot& volumeWaitSlot() const { return volumeWaitSlot_; }
    const TimerSlot& enableSlot() const { return enableSlot_; }

private:
    DeviceState& state() { return commands_.state(); }
    bool commandAccepted(std::uint8_t parameter);
    void released();
    void volumeAnswers();
    void startPortPolling();
    void volumeStillMissing();
    void countVolumeWaitTick();
    void showEjectQuestion(EjectQuestion view);

    VendorCommands& commands_;
    SdAccessUi& ui_;
    SdAccessRuns& runs_;
    SdAccessSettings& settings_;
    const bool& runInProgress_;
    TimerSlot volumeWaitSlot_; // timers 10 and 11
    TimerSlot enableSlot_;     // timers 12 and 13
    TimerSlot portPollSlot_;   // timer 14
    TimerSlot statusPollSlot_; // timer 15
};

} // namespace yk
