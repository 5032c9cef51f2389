// The run buttons go through the SD card access control: at once when the card is enabled, after the enable
// and the volume wait when it is not, not at all during another run.
#include "RunHarness.h"

#include <map>

#include "backup/RunButtons.h"
#include "device/SdAccess.h"
#include "device/VendorCommands.h"

namespace yk::test {
namespace {

struct ScriptTimers final : SdAccessTimers {
    std::map<int, unsigned> running;
    void start(int id, unsigned periodMs) override { running[id] = periodMs; }
    void stop(int id) override { running.erase(id); }
};

struct QuietUi final : SdAccessUi {
    int busyNotices = 0;
    int notFound = 0;
    void showDeviceNotFound() override { ++notFound; }
    void showBusyNotice() override { ++busyNotices; }
    int showEnableFailed() override { return kBoxOk; }
    int askEjectConfirmation() override { return kBoxNo; }
    void setHomeStatus(int) override {}
    void refreshBackupRestorePage() override {}
    void refreshSDCardStatus() override {}
    void switchToHomePage() override {}
    void openInFileBrowser(const std::wstring&) override {}
    void postRunButtonCommand(int) override {}
    void showEjectQuestion(EjectQuestion, bool) override {}
    void hideEjectQuestion(EjectQuestion) override {}
    bool isEjectQuestionVisible(EjectQuestion) override { return false; }
};

struct NoSettings final : SdAccessSettings {
    std::int32_t readInt(std::wstring_view) override { return 0; }
};

class RunButtons : public CardRunTest {
protected:
    ScriptTimers timers;
    QuietUi ui;
    NoSettings sdSettings;
    VendorCommands commands{card.device, card.host};
    RunStarter starter{runs};
    SdAccess sdAccess{commands, timers, ui, starter, sdSettings, run.runInProgress};
};

TEST_F(RunButtons, AnEnabledCardStartsTheRunAtOnce)
{
    writeFile(pc / L"a.txt", patternBytes(10, "a"));
    normalBackupButtonOnClick(sdAccess);
    ASSERT_EQ(reporting.results.size(), 1u);
    EXPECT_EQ(reporting.results[0].kind, RunKind::NormalBackup);
    EXPECT_EQ(readFile(cardBackupFolder() + L"\\a.txt"), patternBytes(10, "a"));

    prompts.folderAnswers = {cardBackupFolder()};
    restoreChoice = 1;
    normalRestoreButtonOnClick(sdAccess);
    ASSERT_EQ(reporting.results.size(), 2u);
    EXPECT_EQ(reporting.results[1].kind, RunKind::NormalRestore);
}

TEST_F(RunButtons, NoSecondRunWhileOneIsActive)
{
    writeFile(pc / L"a.txt", patternBytes(10, "a"));
    run.runInProgress = true;
    normalBackupButtonOnClick(sdAccess);
    EXPECT_EQ(ui.busyNotices, 1);
    EXPECT_TRUE(reporting.results.empty());
    run.runInProgress = false;
}

TEST_F(RunButtons, ACardNotYetEnabledIsEnabledAndTheRunStartsWhenItsVolumeAnswers)
{
    writeFile(pc / L"a.txt", patternBytes(10, "a"));
    ASSERT_TRUE(card.link.control("release"));
    ASSERT_TRUE(waitFor([&] { return !card.host.volumeAnswers(card.letter()); }));
    card.device.sdEnabled = false;

    normalBackupButtonOnClick(sdAccess);
    EXPECT_TRUE(reporting.results.empty()) << "nothing runs before the volume answers";
    ASSERT_EQ(timers.running.count(kTimerManualVolumeWait), 1u);
    // The one-second ticks of the volume wait.
    ULONGLONG lastTick = GetTickCount64();
    ASSERT_TRUE(waitFor([&] {
        if (timers.running.count(kTimerManualVolumeWait) && GetTickCount64() - lastTick >= kVolumeWaitPeriodMs) {
            lastTick = GetTickCount64();
            sdAccess.onTimer(kTimerManualVolumeWait);
        }
        return !reporting.results.empty();
    }));
    EXPECT_TRUE(card.device.sdEnabled);
    EXPECT_EQ(reporting.results[0].status, RunStatus::Complete);
    EXPECT_EQ(readFile(cardBackupFolder() + L"\\a.txt"), patternBytes(10, "a"));
}

} // namespace
} // namespace yk::test
