// The connection refresh: nothing before the set-up, the window follows the device, and the card's side of a
// new connection is started once.
#include "core/device/SdAccessFixture.h"

#include "app/DeviceConnection.h"

namespace yk {
namespace {

struct RecordedWindow final : WindowVisibility {
    int shows = 0;
    int hides = 0;
    void showOnRequest() override { ++shows; }
    void hideIfVisible() override { ++hides; }
};

struct DeviceConnectionTest : test::SdAccessFixture {
    RecordedWindow window;
    DeviceConnection connection{state, host, access, settings, window};

    DeviceConnectionTest()
    {
        state.connected = false;
        state.sdPresent = false;
        state.strDriveID.clear();
        state.devicePath.clear();
    }

    void plugIn()
    {
        host.interfaces = {
            test::FakeDeviceHost::usbDisk(L"\\\\?\\usbstor#disk#yrrwkeep", L"USB\\VID_3E7A&PID_0A01\\1")};
        host.interfaceNumbers[L"\\\\?\\usbstor#disk#yrrwkeep"] = {7, 2, 0};
        host.volumes[test::kCardLetter] = {
            StorageIdentity{"YrrwKeep", "SD Reader"}, StorageDeviceNumber{7, 2, 1}, 0, {}};
    }
    void unplug()
    {
        host.interfaces.clear();
        host.volumes.clear();
    }
};

TEST_F(DeviceConnectionTest, BeforeTheSetupNothingHappens)
{
    settings.values[L"APPInitialSetup"] = 0;
    plugIn();
    connection.refreshDeviceConnection();
    EXPECT_FALSE(state.connected);
    EXPECT_EQ(window.shows + window.hides, 0);
    EXPECT_TRUE(ui.homeStatuses.empty());
    EXPECT_TRUE(timers.running.empty());
}

TEST_F(DeviceConnectionTest, ANewDeviceShowsTheWindowOnceAndStartsTheCard)
{
    plugIn();
    cardEnabled();
    state.sdEnabled = false;
    settings.values[L"Auto Backup"] = 1;
    connection.refreshDeviceConnection();
    EXPECT_TRUE(state.connected);
    EXPECT_EQ(state.strDriveID.substr(0, 2), L"E:");
    EXPECT_EQ(window.shows, 1);
    EXPECT_EQ(window.hides, 0);
    EXPECT_TRUE(state.sdEnabled);
    EXPECT_EQ(ui.homeStatus(), kHomeConnected);
    EXPECT_EQ(ui.posted, std::vector<int>{kNormalBackupButtonId});
    EXPECT_TRUE(timers.isRunning(kTimerSdStatusPoll));

    // A notice about another drive: still connected, nothing repeats.
    connection.refreshDeviceConnection();
    EXPECT_EQ(window.shows, 1);
    EXPECT_EQ(ui.posted.size(), 1u);
}

TEST_F(DeviceConnectionTest, NoDeviceHidesTheWindowAndShowsNotConnected)
{
    plugIn();
    cardEnabled();
    connection.refreshDeviceConnection();
    ASSERT_TRUE(state.connected);
    ui.homeStatuses.clear();

    unplug();
    connection.refreshDeviceConnection();
    EXPECT_FALSE(state.connected);
    EXPECT_FALSE(state.sdEnabled);
    EXPECT_FALSE(state.sdPresent);
    EXPECT_EQ(window.hides, 1);
    EXPECT_EQ(ui.homeStatus(), kHomeNotConnected);
    EXPECT_GE(ui.homePageSwitches, 1);
    EXPECT_FALSE(timers.isRunning(kTimerSdStatusPoll));
    EXPECT_FALSE(timers.isRunning(kTimerPortPoll));

    // Every refresh without the device hides a window the user brought forward from the tray.
    connection.refreshDeviceConnection();
    EXPECT_EQ(window.hides, 2);
    EXPECT_EQ(window.shows, 1);
}

} // namespace
} // namespace yk
