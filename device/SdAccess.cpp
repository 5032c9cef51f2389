#include "device/SdAccess.h"

namespace yk {

SdAccess::SdAccess(VendorCommands& commands, SdAccessTimers& timers, SdAccessUi& ui, SdAccessRuns& runs,
                   SdAccessSettings& settings, const bool& runInProgress)
    : commands_(commands), ui_(ui), runs_(runs), settings_(settings), runInProgress_(runInProgress),
      volumeWaitSlot_(timers), enableSlot_(timers), portPollSlot_(timers), statusPollSlot_(timers)
{
}

bool SdAccess::onTimer(int id)
{
    switch (id) {
    case kTimerAutoVolumeWait:
        autoGetVolumePath();
        return true;
    case kTimerManualVolumeWait:
        manualGetVolumePath();
        return true;
    case kTimerAutoEnable:
        if (state().autoEnableFirstTry) {
            enableSlot_.stop();
            state().autoEnableFirstTry = false;
            if (!enableSDFuncShowFailMessage() && enableSlot_.held() == 0)
                enableSlot_.start(kTimerAutoEnable, kAutoEnableRetryPeriodMs);
        } else if (enableSDFuncShowFailMessage()) {
            enableSlot_.stop(kTimerAutoEnable);
        }
        return true;
    case kTimerEnableRetry:
        if (manualEnableSDFuncActionType())
            enableSlot_.stop(kTimerEnableRetry);
        return true;
    case kTimerPortPoll:
        pollPortState();
        return true;
    case kTimerSdStatusPoll:
        pollSdStatus();
        return true;
    default:
        return false;
    }
}

void SdAccess::onDeviceConnected()
{
    ui_.setHomeStatus(kHomeSdStandby);
    const auto setupDone = settings_.readInt(kSettingAppInitialSetup);
    const auto autoBackup = settings_.readInt(kSettingAutoBackup);
    const auto secureBackup = settings_.readInt(kSettingSecureBackup);
    if (checkSdVolume(state().driveLetter())) {
        state().sdEnabled = true;
        state().sdPresent = true;
        ui_.setHomeStatus(kHomeConnected);
        ui_.refreshBackupRestorePage();
        ui_.refreshSDCardStatus();
        if (autoBackup != 0 && setupDone != 0)
            ui_.postRunButtonCommand(secureBackup != 0 ? kEncryptBackupButtonId : kNormalBackupButtonId);
        if (setupDone != 0)
            startPortPolling();
    } else {
        state().sdEnabled = false;
        ui_.refreshBackupRestorePage();
        ui_.refreshSDCardStatus();
        if (state().userEjected) {
            // The user gave the card away; plugging the device in again does not take it back at once.
            state().userEjected = false;
        } else if (setupDone != 0) {
            state().autoEnableFirstTry = true;
            enableSlot_.start(kTimerAutoEnable, kAutoEnableFirstPeriodMs);
        }
    }
    statusPollSlot_.stop();
    pollSdStatus();
    statusPollSlot_.start(kTimerSdStatusPoll, kSdStatusPollPeriodMs);
}

void SdAccess::onDeviceDisconnected()
{
    enableSlot_.stop();
    portPollSlot_.stop();
    statusPollSlot_.stop();
    state().sdEnabled = false;
    state().sdPresent = false;
    ui_.refreshBackupRestorePage();
    ui_.setHomeStatus(kHomeNotConnected);
    ui_.refreshSDCardStatus();
    ui_.switchToHomePage();
}

void SdAccess::startVolumeWait(int timerId)
{
    state().volumeWaitTicks = 0;
    volumeWaitSlot_.start(timerId, kVolumeWaitPeriodMs);
}

void SdAccess::startRunWhenSdReady(std::int32_t action)
{
    if (!state().connected) {
        showDeviceNotFound();
        return;
    }
    if (runInProgress_) {
        ui_.showBusyNotice();
        return;
    }
    if (!state().sdPresent)
        return;
    if (state().sdEnabled) {
        runs_.startRun(action);
        return;
    }
    state().pendingAction = action;
    if (enableSDFunc()) {
        startVolumeWait(kTimerManualVolumeWait);
        return;
    }
    if (ui_.showEnableFailed() == kBoxOk)
        enableSlot_.start(kTimerEnableRetry, kEnableRetryPeriodMs);
}

bool SdAccess::enableSDFuncShowFailMessage()
{
    if (!enableSDFunc())
        return false;
    startVolumeWait(kTimerAutoVolumeWait);
    return true;
}

bool SdAccess::manualEnableSDFuncActionType()
{
    if (runInProgress_ || !enableSDFunc())
        return false;
    startVolumeWait(kTimerManualVolumeWait);
    return true;
}

void SdAccess::volumeAnswers()
{
    state().sdEnabled = true;
    ui_.setHomeStatus(kHomeConnected);
    ui_.refreshBackupRestorePage();
    ui_.refreshSDCardStatus();
    volumeWaitSlot_.stop();
}

void SdAccess::startPortPolling()
{
    state().mayAskEject = true;
    portPollSlot_.stop();
    pollPortState();
    portPollSlot_.start(kTimerPortPoll, kPortPollPeriodMs);
}

void SdAccess::volumeStillMissing()
{
    state().sdEnabled = false;
    ui_.refreshBackupRestorePage();
    ui_.refreshSDCardStatus();
}

void SdAccess::countVolumeWaitTick()
{
    if (++state().volumeWaitTicks >= kVolumeWaitTicks)
        volumeWaitSlot_.stop();
}

void SdAccess::manualGetVolumePath()
{
    if (checkSdVolume(state().driveLetter())) {
        volumeAnswers();
        // This tick may come from the message dispatch of a run that is under way; a run never starts
        // inside another, and the user hears why theirs did not.
        if (runInProgress_)
            ui_.showBusyNotice();
        else
            runs_.startRun(state().pendingAction);
        startPortPolling();
    } else {
        volumeStillMissing();
    }
    countVolumeWaitTick();
}

void SdAccess::autoGetVolumePath()
{
    const auto setupDone = settings_.readInt(kSettingAppInitialSetup);
    const auto autoBackup = settings_.readInt(kSettingAutoBackup);
    const auto secureBackup = settings_.readInt(kSettingSecureBackup);
    const wchar_t letter = state().driveLetter();
    if (checkSdVolume(letter)) {
        volumeAnswers();
        if (state().openBrowserWhenReady) {
            state().openBrowserWhenReady = false;
            ui_.openInFileBrowser(std::wstring{letter, L':', L'\\'});
        }
        if (setupDone == 1 && autoBackup == 1) {
            ui_.postRunButtonCommand(secureBackup == 1 ? kEncryptBackupButtonId : kNormalBackupButtonId);
            startPortPolling();
        } else if (setupDone == 1 && autoBackup == 0) {
            startPortPolling();
        }
    } else {
        volumeStillMissing();
    }
    countVolumeWaitTick();
}

} // namespace yk
