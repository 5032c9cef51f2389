// A backup with the program's own progress and result dialogs: the cancel button of the progress dialog
// stops the run in the middle of a large file, and the result dialog tells so.
#include "RunHarness.h"

#include "backup/CopyDialogs.h"
#include "backup_ids.h"
#include "support/BoxDriver.h"

namespace yk::test {
namespace {

// The dialogs, with a click on the real cancel button once the first chunk has been reported.
class ClickingDialogs final : public RunReporting {
public:
    explicit ClickingDialogs(CopyDialogs& dialogs) : dialogs_(dialogs) {}

    void openCopyProgress(RunKind kind) override { dialogs_.openCopyProgress(kind); }
    void setProgressTarget(const std::wstring& name) override { dialogs_.setProgressTarget(name); }
    void setProgressTotalBytes(std::uint64_t total) override { dialogs_.setProgressTotalBytes(total); }
    void updateProgressBytes(std::uint64_t done) override
    {
        if (done > 0 && !clicked && dialogs_.progress()) {
            clicked = true;
            progressLine = controlText(dialogs_.progress()->hwnd(), IDC_PROGRESS_LINE);
            clickControl(dialogs_.progress()->hwnd(), IDC_PROGRESS_CANCEL_TEXT);
        }
        dialogs_.updateProgressBytes(done);
    }
    void updateProgressCounts(const RunCounts& counts) override { dialogs_.updateProgressCounts(counts); }
    void closeCopyProgress() override { dialogs_.closeCopyProgress(); }
    // The result dialog is read and closed by a script.
    void showRunResult(RunKind kind, RunStatus status, const RunCounts& counts) override
    {
        BoxDriver driver;
        driver.then([&](HWND dialog) {
            heading = controlText(dialog, IDC_RESULT_HEADING);
            undone = controlText(dialog, IDC_RESULT_UNDONE_NUMBER);
            clickControl(dialog, IDC_RESULT_OK_IMAGE);
        });
        driver.run([&] {
            dialogs_.showRunResult(kind, status, counts);
            return 0;
        });
    }

    bool clicked = false;
    std::wstring progressLine;
    std::wstring heading;
    std::wstring undone;

private:
    CopyDialogs& dialogs_;
};

using DialogRun = CardRunTest;

TEST_F(DialogRun, TheCancelButtonStopsTheRunInALargeFile)
{
    const HWND owner = CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP | WS_VISIBLE, 100, 100, 600, 400, nullptr,
                                       nullptr, GetModuleHandleW(nullptr), nullptr);
    writeFile(pc / L"large.bin", patternBytes(16 * 1048576, "large"));
    int refreshes = 0;
    CopyDialogs dialogs(owner, run, card.host, 1.0f, [&] { ++refreshes; });
    ClickingDialogs clicking(dialogs);
    BackupRuns dialogRuns(
        RunContext{run, card.device, host, settings.profile(), names, restoreChoice, prompts, clicking, shell});

    dialogRuns.normalBackupFunc();
    DestroyWindow(owner);

    EXPECT_TRUE(clicking.clicked);
    EXPECT_EQ(clicking.progressLine, L"Backuping 1 Items to\u300CNormal Backup\u300D");
    EXPECT_EQ(run.cancelRequested, 1);
    EXPECT_EQ(run.failedFiles, 1u);
    EXPECT_EQ(clicking.heading, L"Backup Cancel");
    EXPECT_EQ(clicking.undone, L" 1 ");
    EXPECT_EQ(refreshes, 1);
    EXPECT_EQ(dialogs.progress(), nullptr) << "the run closed its progress dialog";
    EXPECT_TRUE(filesBelow(cardBackupFolder()).empty()) << "neither the file nor its temporary is left";
}

} // namespace
} // namespace yk::test
