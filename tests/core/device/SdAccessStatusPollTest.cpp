#include "SdAccessFixture.h"

namespace yk {
namespace {

using test::SdAccessFixture;

using SdAccessStatusPoll = SdAccessFixture;

TEST_F(SdAccessStatusPoll, SetsTheCardStateAndTheHomeStatus)
{
    struct Case {
        bool volumeAnswers;
        bool attached;
        std::optional<std::uint8_t> presence; // none: the presence test never gets through
        bool otherPortBusy;
        bool wasPresent;
        bool enabled;
        bool present;
        int homeStatus;
    };
    const Case cases[] = {
        {true, true, 0, false, true, true, true, kHomeConnected},
        {true, true, 0, true, false, true, true, kHomeConnected},
        {true, true, 2, false, true, false, false, kHomeSdNotDetected},
        {false, false, 0, false, true, false, true, kHomeSdStandby},
        {false, false, 0, true, true, false, true, kHomeSdInPhone},
        {true, false, 0, false, false, false, true, kHomeSdStandby}, // volume of another medium
        {false, false, 2, true, true, false, false, kHomeSdNotDetected},
        {false, false, std::nullopt, false, true, false, false, kHomeSdNotDetected},
    };
    for (const auto& c : cases) {
        host.answeringVolumes.clear();
        if (c.volumeAnswers)
            volumeAppears();
        device.attachedToHost = c.attached;
        device.presenceStatus = c.presence;
        state.otherPortBusy = c.otherPortBusy;
        state.sdPresent = c.wasPresent;
        state.sdEnabled = !c.enabled;
        ui = {};

        access.pollSdStatus();

        EXPECT_EQ(state.sdEnabled, c.enabled);
        EXPECT_EQ(state.sdPresent, c.present);
        EXPECT_EQ(ui.homeStatuses, std::vector<int>{c.homeStatus});
        // Only a change of the card's presence brings the home page forward.
        const int changed = c.present != c.wasPresent ? 1 : 0;
        EXPECT_EQ(ui.homePageSwitches, changed);
        EXPECT_EQ(ui.sdCardRefreshes, changed);
        EXPECT_EQ(ui.notFound, 0);
    }
}

TEST_F(SdAccessStatusPoll, NeedsAConnectionAndADriveLetter)
{
    for (const bool connected : {false, true}) {
        state.connected = connected;
        state.strDriveID = connected ? L"" : L"E:SD Reader";
        state.sdPresent = true;
        access.pollSdStatus();
        EXPECT_TRUE(state.sdPresent);
        EXPECT_TRUE(ui.homeStatuses.empty());
        EXPECT_EQ(ui.notFound, 0);
        EXPECT_EQ(host.openCount, 0);
    }
}

TEST_F(SdAccessStatusPoll, ADeviceThatGoesAwayDuringThePollShowsNoMessage)
{
    // The removal notice is handled inside the poll's first command, and the refresh it runs clears
    // `connected`; the poll goes on silently and leaves the not-connected status in place.
    volumeAppears();
    device.attachedToHost = true;
    int dispatches = 0;
    host.onDispatch = [&] {
        if (dispatches++ == 0) {
            access.onDeviceDisconnected();
            state.connected = false;
        }
    };
    access.pollSdStatus();
    EXPECT_EQ(ui.notFound, 0);
    EXPECT_FALSE(state.sdPresent);
    EXPECT_FALSE(state.sdEnabled);
    EXPECT_EQ(ui.homeStatus(), kHomeNotConnected);
}

TEST(HomeStatusOf, FollowsTheConnectionStateTable)
{
    struct Case {
        bool connected, enabled, present, otherPortBusy;
        int status;
    };
    const Case cases[] = {
        {false, false, false, false, kHomeNotConnected}, {false, true, true, true, kHomeNotConnected},
        {true, true, true, false, kHomeConnected},        {true, true, true, true, kHomeConnected},
        {true, false, true, false, kHomeSdStandby},       {true, false, true, true, kHomeSdInPhone},
        {true, false, false, false, kHomeSdNotDetected},  {true, false, false, true, kHomeSdNotDetected},
    };
    for (const auto& c : cases) {
        DeviceState state;
        state.connected = c.connected;
        state.sdEnabled = c.enabled;
        state.sdPresent = c.present;
        state.otherPortBusy = c.otherPortBusy;
        EXPECT_EQ(homeStatusOf(state), c.status)
            << c.connected << c.enabled << c.present << c.otherPortBusy;
    }
}

} // namespace
} // namespace yk
