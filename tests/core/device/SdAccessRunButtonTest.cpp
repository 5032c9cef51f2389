#include "SdAccessFixture.h"

namespace yk {
namespace {

using test::SdAccessFixture;

using SdAccessRunButton = SdAccessFixture;

TEST_F(SdAccessRunButton, GuardsComeBeforeAnyEnable)
{
    enum class Outcome { NotFound, Busy, Nothing, RunAtOnce };
    struct Case {
        bool connected;
        bool busy;
        bool present;
        bool enabled;
        Outcome outcome;
    };
    const Case cases[] = {
        {false, false, true, true, Outcome::NotFound}, {true, true, true, true, Outcome::Busy},
        {true, true, false, false, Outcome::Busy},     {true, false, false, false, Outcome::Nothing},
        {true, false, false, true, Outcome::Nothing},  {true, false, true, true, Outcome::RunAtOnce},
    };
    for (const auto& c : cases) {
        state.connected = c.connected;
        runInProgress = c.busy;
        state.sdPresent = c.present;
        state.sdEnabled = c.enabled;
        ui = {};
        runs.started.clear();

        access.startRunWhenSdReady(3);

        EXPECT_EQ(ui.notFound, c.outcome == Outcome::NotFound ? 1 : 0);
        EXPECT_EQ(ui.busyNotices, c.outcome == Outcome::Busy ? 1 : 0);
        EXPECT_EQ(runs.started,
                  c.outcome == Outcome::RunAtOnce ? std::vector<std::int32_t>{3} : std::vector<std::int32_t>{});
        EXPECT_EQ(ui.shown(), c.outcome == Outcome::NotFound || c.outcome == Outcome::Busy ? 1 : 0);
    }
    EXPECT_EQ(host.openCount, 0);
    EXPECT_TRUE(timers.running.empty());
}

TEST_F(SdAccessRunButton, AcceptedEnableStartsTheRunAtTheFirstTickWithAVolumeAndPollsPortsAfterIt)
{
    bool polledDuringRun = true;
    runs.during = [&](std::int32_t) {
        EXPECT_TRUE(state.sdEnabled);
        EXPECT_EQ(ui.homeStatus(), kHomeConnected);
        EXPECT_FALSE(timers.isRunning(kTimerManualVolumeWait));
        polledDuringRun = timers.isRunning(kTimerPortPoll) || device.portQueries != 0;
    };
    state.volumeWaitTicks = 17;

    access.startRunWhenSdReady(2);

    EXPECT_EQ(device.count(kSdEnable), 1);
    EXPECT_EQ(state.pendingAction, 2);
    EXPECT_EQ(state.volumeWaitTicks, 0);
    ASSERT_TRUE(timers.isRunning(kTimerManualVolumeWait));
    EXPECT_EQ(timers.period(kTimerManualVolumeWait), kVolumeWaitPeriodMs);

    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(tick(kTimerManualVolumeWait));
        EXPECT_TRUE(runs.started.empty());
        EXPECT_FALSE(state.sdEnabled);
    }
    EXPECT_EQ(state.volumeWaitTicks, 3);
    EXPECT_EQ(ui.backupRestoreRefreshes, 3);

    volumeAppears();
    ASSERT_TRUE(tick(kTimerManualVolumeWait));

    EXPECT_EQ(runs.started, std::vector<std::int32_t>{2});
    EXPECT_FALSE(polledDuringRun);
    EXPECT_TRUE(state.mayAskEject);
    EXPECT_EQ(device.portQueries, 1);
    ASSERT_TRUE(timers.isRunning(kTimerPortPoll));
    EXPECT_EQ(timers.period(kTimerPortPoll), kPortPollPeriodMs);
    // Carried out once: the wait is over.
    EXPECT_FALSE(tick(kTimerManualVolumeWait));
    EXPECT_EQ(ui.shown(), 0);
}

TEST_F(SdAccessRunButton, AVolumeThatNeverAnswersEndsTheWaitSilentlyAfterThirtyTicks)
{
    // The same for the wait after a run button (11) and after an automatic enable (10).
    for (const int timer : {kTimerManualVolumeWait, kTimerAutoVolumeWait}) {
        state.pendingAction = 1;
        state.openBrowserWhenReady = true;
        settings.values[L"Auto Backup"] = 1;
        access.startVolumeWait(timer);
        int ticks = 0;
        while (tick(timer))
            ++ticks;
        EXPECT_EQ(ticks, kVolumeWaitTicks);
        EXPECT_EQ(access.volumeWaitSlot().held(), 0);
        volumeAppears();
        EXPECT_FALSE(tick(timer));
        volumeVanishes();
    }
    EXPECT_TRUE(runs.started.empty());
    EXPECT_TRUE(ui.posted.empty());
    EXPECT_EQ(ui.shown(), 0);
    EXPECT_TRUE(timers.running.empty());
}

TEST_F(SdAccessRunButton, AVolumeWaitThatFiresDuringARunStartsNoSecondRun)
{
    // A wait left from before an unplug answers while the automatic backup dispatches its messages.
    access.startRunWhenSdReady(0);
    ASSERT_TRUE(timers.isRunning(kTimerManualVolumeWait));
    volumeAppears();
    runInProgress = true;
    ASSERT_TRUE(tick(kTimerManualVolumeWait));
    EXPECT_TRUE(runs.started.empty());
    EXPECT_EQ(ui.busyNotices, 1);
    EXPECT_FALSE(timers.isRunning(kTimerManualVolumeWait)) << "the wait is over either way";
    EXPECT_TRUE(state.sdEnabled);
}

TEST_F(SdAccessRunButton, RefusedOrUndeliveredEnableOffersTheRetryTimer)
{
    for (const std::optional<std::uint8_t> refusal : {std::optional<std::uint8_t>(2), std::optional<std::uint8_t>()}) {
        device.enableStatus = refusal;
        ui = {};
        timers.running.clear();

        access.startRunWhenSdReady(0);

        EXPECT_EQ(ui.enableFailedBoxes, 1);
        EXPECT_FALSE(timers.isRunning(kTimerManualVolumeWait));
        ASSERT_TRUE(timers.isRunning(kTimerEnableRetry));
        EXPECT_EQ(timers.period(kTimerEnableRetry), kEnableRetryPeriodMs);
    }
}

TEST_F(SdAccessRunButton, RetryTimerEnablesThenWaitsForTheVolume)
{
    device.enableStatus = 2;
    access.startRunWhenSdReady(1);
    ASSERT_TRUE(timers.isRunning(kTimerEnableRetry));

    // Still refused, then a run of its own is under way: the timer keeps trying.
    ASSERT_TRUE(tick(kTimerEnableRetry));
    EXPECT_EQ(device.count(kSdEnable), 2);
    device.enableStatus = 0;
    runInProgress = true;
    ASSERT_TRUE(tick(kTimerEnableRetry));
    EXPECT_EQ(device.count(kSdEnable), 2);
    EXPECT_TRUE(timers.isRunning(kTimerEnableRetry));
    EXPECT_FALSE(timers.isRunning(kTimerManualVolumeWait));

    runInProgress = false;
    state.volumeWaitTicks = 5;
    ASSERT_TRUE(tick(kTimerEnableRetry));
    EXPECT_FALSE(timers.isRunning(kTimerEnableRetry));
    EXPECT_EQ(access.enableSlot().held(), 0);
    EXPECT_TRUE(timers.isRunning(kTimerManualVolumeWait));
    EXPECT_EQ(state.volumeWaitTicks, 0);

    volumeAppears();
    ASSERT_TRUE(tick(kTimerManualVolumeWait));
    EXPECT_EQ(runs.started, std::vector<std::int32_t>{1});
    EXPECT_EQ(ui.enableFailedBoxes, 1); // the retries show nothing
}

TEST_F(SdAccessRunButton, SharedSlotsKeepOnlyTheTimerStartedLast)
{
    // An automatic wait (10) is running when a retry succeeds and starts 11: 10 must not run on unseen.
    access.startVolumeWait(kTimerAutoVolumeWait);
    state.pendingAction = 0;
    EXPECT_TRUE(access.manualEnableSDFuncActionType());
    EXPECT_FALSE(timers.isRunning(kTimerAutoVolumeWait));
    EXPECT_EQ(access.volumeWaitSlot().held(), kTimerManualVolumeWait);

    // Automatic enable attempts (12) give way to a run button's retry (13), which an eject stops.
    access.onDeviceConnected();
    ASSERT_TRUE(timers.isRunning(kTimerAutoEnable));
    device.enableStatus = 2;
    access.startRunWhenSdReady(0);
    EXPECT_FALSE(timers.isRunning(kTimerAutoEnable));
    EXPECT_EQ(access.enableSlot().held(), kTimerEnableRetry);
    access.disableSDFunc();
    EXPECT_FALSE(timers.isRunning(kTimerEnableRetry));
    EXPECT_TRUE(state.userEjected);
}

TEST_F(SdAccessRunButton, AnEnableAttemptKeepsARetryTimerStartedWhileItsCommandWasUnderWay)
{
    // Commands let waiting messages run first: a run button pressed then gets a refusal and its retry timer.
    const auto pressRunButtonDuringNextCommand = [&] {
        host.onDispatch = [&] {
            host.onDispatch = nullptr;
            const auto outer = device.enableStatus;
            device.enableStatus = 2;
            access.startRunWhenSdReady(0);
            device.enableStatus = outer;
        };
    };
    for (const bool accepted : {false, true}) {
        state.sdEnabled = false;
        access.onDeviceConnected();
        if (accepted) {
            device.enableStatus = 2;
            ASSERT_TRUE(tick(kTimerAutoEnable)); // the first attempt fails; later ones run every 5 s
            device.enableStatus = 0;
        } else {
            device.enableStatus = 2;
        }
        pressRunButtonDuringNextCommand();

        ASSERT_TRUE(tick(kTimerAutoEnable));

        EXPECT_EQ(access.enableSlot().held(), kTimerEnableRetry) << accepted;
        EXPECT_TRUE(timers.isRunning(kTimerEnableRetry));
        EXPECT_FALSE(timers.isRunning(kTimerAutoEnable));
        EXPECT_EQ(timers.isRunning(kTimerAutoVolumeWait), accepted);
        access.onDeviceDisconnected();
    }
}

} // namespace
} // namespace yk
