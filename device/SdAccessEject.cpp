#include "device/SdAccess.h"

namespace yk {

void SdAccess::released()
{
    state().userEjected = true;
    enableSlot_.stop();
    state().sdEnabled = false;
    ui_.setHomeStatus(kHomeSdStandby);
    ui_.refreshBackupRestorePage();
    state().showEjectControl = false;
    ui_.refreshSDCardStatus();
    ui_.switchToHomePage();
}

void SdAccess::disableSDFunc()
{
    if (state().connected && commandAccepted(kSdRelease))
        released();
}

void SdAccess::disableSDButtonOnClick()
{
    if (!state().connected) {
        showDeviceNotFound();
        return;
    }
    if (ui_.askEjectConfirmation() == kBoxNo)
        return;
    // The box is modal: the device may have gone while it was open, and then there is nothing to eject.
    disableSDFunc();
}

void SdAccess::pollPortState()
{
    std::uint8_t requestCode = 0;
    std::uint8_t otherPortByte = 0;
    if (queryPortState(requestCode, otherPortByte)) {
        if (state().portRequest == 1 && requestCode == 2)
            state().mayAskEject = true;
        if (state().mayAskEject && !state().ejectQuestionShown) {
            state().ejectQuestionShown = true;
            showEjectQuestionA();
        }
        state().portRequest = requestCode;
    } else {
        state().mayAskEject = true;
        state().portRequest = 0;
        if (ui_.isEjectQuestionVisible(EjectQuestion::A) || ui_.isEjectQuestionVisible(EjectQuestion::B))
            closeDisableSDConfirmView();
    }
    state().otherPortBusy = otherPortByte != 0;
}

void SdAccess::showEjectQuestion(EjectQuestion view)
{
    ui_.showEjectQuestion(view, !runInProgress_);
}

void SdAccess::showEjectQuestionA()
{
    showEjectQuestion(EjectQuestion::A);
}

void SdAccess::showEjectQuestionB()
{
    showEjectQuestion(EjectQuestion::B);
}

void SdAccess::closeDisableSDConfirmView()
{
    for (const auto view : {EjectQuestion::A, EjectQuestion::B}) {
        if (ui_.isEjectQuestionVisible(view))
            ui_.hideEjectQuestion(view);
    }
    state().ejectQuestionShown = false;
}

void SdAccess::confirmEjectA()
{
    if (runInProgress_)
        return;
    closeDisableSDConfirmView();
    if (!state().connected)
        return;
    state().mayAskEject = true;
    portPollSlot_.start(kTimerPortPoll, kPortPollPeriodMs);
    state().ejectQuestionShown = true;
    showEjectQuestionB();
}

void SdAccess::confirmEjectB()
{
    if (runInProgress_)
        return;
    closeDisableSDConfirmView();
    disableSDFunc();
}

void SdAccess::declineEject()
{
    ui_.hideEjectQuestion(EjectQuestion::A);
    ui_.hideEjectQuestion(EjectQuestion::B);
    state().ejectQuestionShown = false;
    state().mayAskEject = false;
    state().showEjectControl = true;
    ui_.refreshSDCardStatus();
}

} // namespace yk
