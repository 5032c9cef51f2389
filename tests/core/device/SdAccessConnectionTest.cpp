#include "SdAccessFixture.h"

namespace yk {
namespace {

using test::SdAccessFixture;

struct SdAccessConnection : SdAccessFixture {
    SdAccessConnection() { state.sdPresent = false; }

    void setSettings(std::int32_t setupDone, std::int32_t autoBackup, std::int32_t secureBackup)
    {
        settings.values = {
            {L"APPInitialSetup", setupDone}, {L"Auto Backup", autoBackup}, {L"Secure Backup", secureBackup}};
    }
};

struct SettingsCase {
    std::int32_t setupDone;
    std::int32_t autoBackup;
    std::int32_t secureBackup;
    std::vector<int> posted;
    bool portPolling;
};

TEST_F(SdAccessConnection, WithTheVolumeAnsweringStartsTheAutomaticBackupAndPortPolling)
{
    const SettingsCase cases[] = {
        {1, 1, 0, {kNormalBackupButtonId}, true},
        {1, 1, 1, {kEncryptBackupButtonId}, true},
        {1, 2, 3, {kEncryptBackupButtonId}, true}, // any non-zero value counts here
        {1, 0, 1, {}, true},
        {0, 1, 1, {}, false},
    };
    cardEnabled();
    state.sdEnabled = false;
    device.portState = {0xAA, 0, 0};
    for (const auto& c : cases) {
        setSettings(c.setupDone, c.autoBackup, c.secureBackup);
        ui = {};
        timers.running.clear();
        state.mayAskEject = false;
        const int portQueries = device.portQueries;

        access.onDeviceConnected();

        EXPECT_TRUE(state.sdEnabled);
        EXPECT_TRUE(state.sdPresent);
        EXPECT_EQ(ui.homeStatus(), kHomeConnected);
        EXPECT_EQ(ui.posted, c.posted);
        EXPECT_EQ(state.mayAskEject, c.portPolling);
        EXPECT_EQ(timers.isRunning(kTimerPortPoll), c.portPolling);
        EXPECT_EQ(device.portQueries - portQueries, c.portPolling ? 1 : 0);
        EXPECT_FALSE(timers.isRunning(kTimerAutoEnable));
        ASSERT_TRUE(timers.isRunning(kTimerSdStatusPoll));
        EXPECT_EQ(timers.period(kTimerSdStatusPoll), kSdStatusPollPeriodMs);
        EXPECT_EQ(device.count(kSdEnable), 0);
    }
}

TEST_F(SdAccessConnection, WithoutAVolumeStartsAutomaticEnableAttempts)
{
    access.onDeviceConnected();

    EXPECT_FALSE(state.sdEnabled);
    EXPECT_TRUE(state.sdPresent); // from the status poll that follows at once
    EXPECT_EQ(ui.homeStatus(), kHomeSdStandby);
    EXPECT_TRUE(state.autoEnableFirstTry);
    ASSERT_TRUE(timers.isRunning(kTimerAutoEnable));
    EXPECT_EQ(timers.period(kTimerAutoEnable), kAutoEnableFirstPeriodMs);
    EXPECT_TRUE(timers.isRunning(kTimerSdStatusPoll));
    EXPECT_FALSE(timers.isRunning(kTimerPortPoll));
    EXPECT_TRUE(ui.posted.empty());
}

TEST_F(SdAccessConnection, AnEjectSkipsTheAutomaticEnableOfTheNextConnectionOnly)
{
    cardEnabled();
    access.disableSDButtonOnClick();
    ASSERT_TRUE(state.userEjected);
    access.onDeviceDisconnected();
    volumeVanishes();

    access.onDeviceConnected();
    EXPECT_FALSE(state.userEjected);
    EXPECT_FALSE(timers.isRunning(kTimerAutoEnable));
    EXPECT_FALSE(state.autoEnableFirstTry);

    access.onDeviceDisconnected();
    access.onDeviceConnected();
    EXPECT_TRUE(timers.isRunning(kTimerAutoEnable));
    EXPECT_EQ(device.count(kSdEnable), 0);
}

TEST_F(SdAccessConnection, AConnectionWithTheVolumeLeavesTheEjectMarkForLater)
{
    cardEnabled();
    state.userEjected = true;
    access.onDeviceConnected();
    EXPECT_TRUE(state.userEjected);
}

TEST_F(SdAccessConnection, AutomaticEnableRetriesEveryFiveSecondsWithoutAMessage)
{
    device.enableStatus = 2;
    access.onDeviceConnected();
    ui = {};

    ASSERT_TRUE(tick(kTimerAutoEnable));
    EXPECT_FALSE(state.autoEnableFirstTry);
    ASSERT_TRUE(timers.isRunning(kTimerAutoEnable));
    EXPECT_EQ(timers.period(kTimerAutoEnable), kAutoEnableRetryPeriodMs);

    device.enableStatus = std::nullopt; // an enable lost on the way is no success either
    ASSERT_TRUE(tick(kTimerAutoEnable));
    EXPECT_TRUE(timers.isRunning(kTimerAutoEnable));
    EXPECT_FALSE(timers.isRunning(kTimerAutoVolumeWait));

    device.enableStatus = 0;
    state.volumeWaitTicks = 9;
    ASSERT_TRUE(tick(kTimerAutoEnable));
    EXPECT_FALSE(timers.isRunning(kTimerAutoEnable));
    ASSERT_TRUE(timers.isRunning(kTimerAutoVolumeWait));
    EXPECT_EQ(timers.period(kTimerAutoVolumeWait), kVolumeWaitPeriodMs);
    EXPECT_EQ(state.volumeWaitTicks, 0);
    EXPECT_EQ(ui.shown(), 0);
}

TEST_F(SdAccessConnection, AcceptedFirstAttemptStopsTheAttempts)
{
    access.onDeviceConnected();
    ASSERT_TRUE(tick(kTimerAutoEnable));
    EXPECT_FALSE(timers.isRunning(kTimerAutoEnable));
    EXPECT_TRUE(timers.isRunning(kTimerAutoVolumeWait));
    EXPECT_EQ(device.count(kSdEnable), 1);
}

TEST_F(SdAccessConnection, AutomaticVolumeWaitStartsWhatTheSettingsAsk)
{
    const SettingsCase cases[] = {
        {1, 1, 0, {kNormalBackupButtonId}, true},
        {1, 1, 1, {kEncryptBackupButtonId}, true},
        {1, 0, 1, {}, true},
        {1, 2, 0, {}, false}, // here only the value 1 switches the automatic backup on
        {0, 1, 0, {}, false},
    };
    device.attachedToHost = true;
    for (const auto& c : cases) {
        setSettings(c.setupDone, c.autoBackup, c.secureBackup);
        ui = {};
        timers.running.clear();
        state.sdEnabled = false;
        state.mayAskEject = false;
        volumeVanishes();
        access.startVolumeWait(kTimerAutoVolumeWait);

        ASSERT_TRUE(tick(kTimerAutoVolumeWait));
        EXPECT_TRUE(ui.posted.empty());
        volumeAppears();
        ASSERT_TRUE(tick(kTimerAutoVolumeWait));

        EXPECT_TRUE(state.sdEnabled);
        EXPECT_EQ(ui.homeStatus(), kHomeConnected);
        EXPECT_FALSE(timers.isRunning(kTimerAutoVolumeWait));
        EXPECT_EQ(ui.posted, c.posted);
        EXPECT_EQ(state.mayAskEject, c.portPolling);
        EXPECT_EQ(timers.isRunning(kTimerPortPoll), c.portPolling);
    }
    EXPECT_TRUE(runs.started.empty()); // the posted command starts the run later, from the message loop
}

TEST_F(SdAccessConnection, FileBrowserWaitOpensTheCardRootOnceItAnswers)
{
    device.attachedToHost = true;
    state.openBrowserWhenReady = true;
    access.startVolumeWait(kTimerAutoVolumeWait);
    ASSERT_TRUE(tick(kTimerAutoVolumeWait));
    EXPECT_TRUE(ui.opened.empty());

    volumeAppears();
    ASSERT_TRUE(tick(kTimerAutoVolumeWait));
    EXPECT_EQ(ui.opened, std::vector<std::wstring>{L"E:\\"});
    EXPECT_FALSE(state.openBrowserWhenReady);
}

TEST_F(SdAccessConnection, DisconnectionStopsThePollsButNotTheVolumeWait)
{
    cardEnabled();
    access.onDeviceConnected();
    access.startVolumeWait(kTimerManualVolumeWait);
    device.enableStatus = 2;
    access.startRunWhenSdReady(0); // runs at once: the card is enabled
    state.sdEnabled = false;
    access.startRunWhenSdReady(0); // refused: the retry timer starts
    ASSERT_TRUE(timers.isRunning(kTimerEnableRetry));
    ASSERT_TRUE(timers.isRunning(kTimerPortPoll));
    ASSERT_TRUE(timers.isRunning(kTimerSdStatusPoll));
    ui = {};

    state.connected = false;
    access.onDeviceDisconnected();

    EXPECT_FALSE(timers.isRunning(kTimerEnableRetry));
    EXPECT_FALSE(timers.isRunning(kTimerPortPoll));
    EXPECT_FALSE(timers.isRunning(kTimerSdStatusPoll));
    EXPECT_FALSE(state.sdEnabled);
    EXPECT_FALSE(state.sdPresent);
    EXPECT_EQ(ui.homeStatus(), kHomeNotConnected);
    EXPECT_EQ(ui.homePageSwitches, 1);

    // The wait finds no device and ends by itself, without a command.
    const int opens = host.openCount;
    int ticks = 0;
    while (tick(kTimerManualVolumeWait))
        ++ticks;
    EXPECT_EQ(ticks, kVolumeWaitTicks);
    EXPECT_EQ(host.openCount, opens);
    EXPECT_EQ(runs.started, std::vector<std::int32_t>{0});
}

} // namespace
} // namespace yk
