#include "SdAccessFixture.h"

namespace yk {
namespace {

using test::SdAccessFixture;

using Questions = std::vector<EjectQuestion>;

struct SdAccessEject : SdAccessFixture {
    SdAccessEject()
    {
        cardEnabled();
        state.mayAskEject = true;
    }

    void requestCode(std::uint8_t code) { device.portState = {0xAA, code, 0}; }
    bool anyQuestionVisible() { return ui.visible[EjectQuestion::A] || ui.visible[EjectQuestion::B]; }

    // The visible effects of a released card.
    void expectReleased()
    {
        EXPECT_TRUE(state.userEjected);
        EXPECT_FALSE(state.sdEnabled);
        EXPECT_FALSE(state.showEjectControl);
        EXPECT_EQ(ui.homeStatus(), kHomeSdStandby);
        EXPECT_EQ(ui.homePageSwitches, 1);
        EXPECT_GE(ui.backupRestoreRefreshes, 1);
        EXPECT_GE(ui.sdCardRefreshes, 1);
        EXPECT_EQ(access.enableSlot().held(), 0);
    }
    void expectNotReleased()
    {
        EXPECT_FALSE(state.userEjected);
        EXPECT_TRUE(state.sdEnabled);
        EXPECT_EQ(ui.homePageSwitches, 0);
        EXPECT_TRUE(ui.homeStatuses.empty());
    }
};

TEST_F(SdAccessEject, ARequestAsksOnceAndAgainOnlyWhenItChangesFromOneToTwoOrReturns)
{
    requestCode(1);
    access.pollPortState();
    EXPECT_EQ(ui.questionsShown, Questions{EjectQuestion::A});
    EXPECT_TRUE(ui.leftEnabled[EjectQuestion::A]);
    EXPECT_TRUE(state.ejectQuestionShown);
    access.pollPortState();
    EXPECT_EQ(ui.questionsShown.size(), 1u);

    access.declineEject();
    EXPECT_FALSE(anyQuestionVisible());
    EXPECT_FALSE(state.mayAskEject);
    EXPECT_TRUE(state.showEjectControl);
    access.pollPortState();
    EXPECT_EQ(ui.questionsShown.size(), 1u);

    requestCode(2);
    access.pollPortState();
    EXPECT_EQ(ui.questionsShown, (Questions{EjectQuestion::A, EjectQuestion::A}));
    EXPECT_EQ(state.portRequest, 2);

    // Staying at 2, or 2 to 1, is no new request; gone and back is.
    access.declineEject();
    access.pollPortState();
    EXPECT_EQ(ui.questionsShown.size(), 2u);
    requestCode(1);
    access.pollPortState();
    EXPECT_EQ(ui.questionsShown.size(), 2u);
    requestCode(0);
    access.pollPortState();
    requestCode(2);
    access.pollPortState();
    EXPECT_EQ(ui.questionsShown.size(), 3u);
}

TEST_F(SdAccessEject, BothViewsCloseAtThePollThatSeesNoRequest)
{
    struct Case {
        std::optional<std::uint8_t> status;
        std::array<std::uint8_t, 3> reply;
        bool otherPortBusy;
    };
    const Case cases[] = {
        {0, {0xAA, 0, 0}, false},
        {0, {0xAA, 1, 1}, true}, // the other port took the card
        {0, {0x00, 1, 0}, false},
        {std::nullopt, {0xAA, 1, 0}, false},
    };
    for (const auto& c : cases) {
        requestCode(1);
        access.pollPortState();
        access.confirmEjectA();
        ASSERT_TRUE(ui.visible[EjectQuestion::B]);
        ui.visible[EjectQuestion::A] = true; // both on screen: both must go
        state.mayAskEject = false;

        device.portState = c.reply;
        host.device = [this, c](const ScsiCommand& command, std::span<std::uint8_t> data) {
            return c.status ? device.answer(command, data) : std::nullopt;
        };
        access.pollPortState();

        EXPECT_FALSE(anyQuestionVisible());
        EXPECT_FALSE(state.ejectQuestionShown);
        EXPECT_TRUE(state.mayAskEject);
        EXPECT_EQ(state.portRequest, 0);
        EXPECT_EQ(state.otherPortBusy, c.otherPortBusy);
        host.device = [this](const ScsiCommand& command, std::span<std::uint8_t> data) {
            return device.answer(command, data);
        };
    }
    EXPECT_EQ(device.count(kSdRelease), 0);
}

TEST_F(SdAccessEject, ConfirmingBothQuestionsReleasesTheCard)
{
    requestCode(1);
    access.pollPortState();
    device.enableStatus = 2;
    state.sdEnabled = false;
    access.startRunWhenSdReady(0); // leaves the retry timer running
    state.sdEnabled = true;
    ASSERT_TRUE(timers.isRunning(kTimerEnableRetry));

    access.confirmEjectA();
    EXPECT_FALSE(ui.visible[EjectQuestion::A]);
    EXPECT_TRUE(ui.visible[EjectQuestion::B]);
    EXPECT_TRUE(ui.leftEnabled[EjectQuestion::B]);
    EXPECT_TRUE(state.ejectQuestionShown);
    EXPECT_TRUE(timers.isRunning(kTimerPortPoll));
    EXPECT_EQ(device.count(kSdRelease), 0);

    access.confirmEjectB();
    EXPECT_EQ(device.count(kSdRelease), 1);
    EXPECT_FALSE(anyQuestionVisible());
    EXPECT_FALSE(state.ejectQuestionShown);
    expectReleased();
    EXPECT_FALSE(timers.isRunning(kTimerEnableRetry));
}

TEST_F(SdAccessEject, DuringARunTheQuestionsCannotEject)
{
    runInProgress = true;
    requestCode(1);
    access.pollPortState();
    EXPECT_FALSE(ui.leftEnabled[EjectQuestion::A]);

    access.confirmEjectA();
    EXPECT_TRUE(ui.visible[EjectQuestion::A]);
    EXPECT_FALSE(ui.visible[EjectQuestion::B]);

    access.showEjectQuestionB();
    EXPECT_FALSE(ui.leftEnabled[EjectQuestion::B]);
    access.confirmEjectB();
    EXPECT_EQ(device.count(kSdRelease), 0);
    EXPECT_TRUE(ui.visible[EjectQuestion::B]);
    expectNotReleased();

    // The right button still works.
    access.declineEject();
    EXPECT_FALSE(anyQuestionVisible());
}

TEST_F(SdAccessEject, ConfirmingTheFirstQuestionWithoutADeviceOnlyCloses)
{
    requestCode(1);
    access.pollPortState();
    state.connected = false;
    access.confirmEjectA();
    EXPECT_FALSE(anyQuestionVisible());
    EXPECT_FALSE(state.ejectQuestionShown);
    EXPECT_EQ(ui.questionsShown.size(), 1u);
}

TEST_F(SdAccessEject, ARefusedOrUndeliveredEjectReleasesNothing)
{
    for (const std::optional<std::uint8_t> refusal : {std::optional<std::uint8_t>(2), std::optional<std::uint8_t>()}) {
        device.releaseStatus = refusal;
        access.showEjectQuestionB();
        access.confirmEjectB();
        EXPECT_FALSE(ui.visible[EjectQuestion::B]);
        access.disableSDButtonOnClick();
        access.disableSDFunc();
        expectNotReleased();
    }
    EXPECT_EQ(ui.ejectBoxes, 2);
}

TEST_F(SdAccessEject, SettingsPageEjectAsksFirst)
{
    struct Case {
        bool connected;
        int answer;
        int releases;
        int boxes;
        int notFound;
    };
    const Case cases[] = {
        {true, kBoxNo, 0, 1, 0},
        {true, kBoxYes, 1, 1, 0},
        {false, kBoxYes, 0, 0, 1},
    };
    for (const auto& c : cases) {
        state.connected = c.connected;
        state.sdEnabled = true;
        state.userEjected = false;
        device.sdControls.clear();
        ui = {};
        ui.ejectAnswer = c.answer;

        access.disableSDButtonOnClick();

        EXPECT_EQ(device.count(kSdRelease), c.releases);
        EXPECT_EQ(ui.ejectBoxes, c.boxes);
        EXPECT_EQ(ui.notFound, c.notFound);
        EXPECT_EQ(state.userEjected, c.releases == 1);
        EXPECT_EQ(state.sdEnabled, c.releases == 0);
    }
}

} // namespace
} // namespace yk
