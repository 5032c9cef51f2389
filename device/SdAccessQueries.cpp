#include <array>

#include "device/SdAccess.h"

namespace yk {

namespace {

constexpr std::uint8_t kReplyValid = 0xAA;

} // namespace

bool SdAccess::commandAccepted(std::uint8_t parameter)
{
    // kStatusNotDelivered is not GOOD either: a command lost on the way is never taken for an accepted one.
    return commands_.sdControl(parameter) == kScsiStatusGood;
}

bool SdAccess::enableSDFunc()
{
    return state().connected && commandAccepted(kSdEnable);
}

bool SdAccess::isSdCardPresent()
{
    if (!state().connected) {
        showDeviceNotFound();
        return false;
    }
    return commandAccepted(kSdPresenceTest);
}

bool SdAccess::isSdCardPresentQuietly()
{
    return state().connected && commandAccepted(kSdPresenceTest);
}

bool SdAccess::isSdAttachedToHost()
{
    if (!state().connected)
        return false;
    std::array<std::uint8_t, kPortStateReplySize> reply{};
    return commands_.sdQuery(kQueryHostState, reply) == kScsiStatusGood && reply[0] == kReplyValid && reply[2] == 1;
}

bool SdAccess::queryPortState(std::uint8_t& requestCode, std::uint8_t& otherPortByte)
{
    if (!state().connected)
        return false;
    std::array<std::uint8_t, kPortStateReplySize> reply{};
    if (commands_.sdQuery(kQueryPortState, reply) != kScsiStatusGood)
        return false;
    otherPortByte = reply[2];
    if (otherPortByte != 0 || reply[0] != kReplyValid)
        return false;
    if (reply[1] != 1 && reply[1] != 2)
        return false;
    requestCode = reply[1];
    return true;
}

bool SdAccess::checkSdVolume(wchar_t letter)
{
    if (!state().connected || letter == L'\0')
        return false;
    return commands_.host().volumeAnswers(letter) && isSdAttachedToHost();
}

void SdAccess::showDeviceNotFound()
{
    ui_.showDeviceNotFound();
}

void SdAccess::pollSdStatus()
{
    if (!state().connected || state().strDriveID.empty())
        return;
    // A poll is background work: a device that goes away while it runs (its commands let the removal notice
    // through) leaves the state to the connection refresh, and no message appears.
    const bool wasPresent = state().sdPresent;
    if (checkSdVolume(state().driveLetter())) {
        const bool present = isSdCardPresentQuietly();
        state().sdEnabled = present;
        state().sdPresent = present;
    } else {
        state().sdEnabled = false;
        state().sdPresent = isSdCardPresentQuietly();
    }
    ui_.setHomeStatus(homeStatusOf(state()));
    if (state().sdPresent != wasPresent) {
        ui_.switchToHomePage();
        ui_.refreshSDCardStatus();
    }
}

} // namespace yk
