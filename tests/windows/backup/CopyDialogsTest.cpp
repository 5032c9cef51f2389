// The progress and result dialogs: their texts in the three languages, the bar, the cancel button, the
// count lines and the closing click.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include "base/CatalogKeys.h"
#include "base/LanguageCode.h"
#include "base/TextCatalog.h"
#include "backup/CopyDialogs.h"
#include "backup/ProgressText.h"
#include "backup_ids.h"
#include "device/Win32DeviceHost.h"
#include "skin_ids.h"
#include "support/BoxDriver.h"
#include "ui/ScaleRule.h"
#include "ui/SkinImage.h"

namespace yk {
namespace {

using test::BoxDriver;
using test::controlRect;
using test::controlText;

// The languages of the catalog, and a run of the test under each.
class Language {
public:
    explicit Language(int code) : previous_(languageCode) { languageCode = code; }
    ~Language() { languageCode = previous_; }
    Language(const Language&) = delete;
    Language& operator=(const Language&) = delete;

private:
    int previous_;
};

// A stand-in for the main window: the owner of the dialogs.
class OwnerWindow {
public:
    OwnerWindow()
    {
        window_ = CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP | WS_VISIBLE, 200, 150, 700, 450, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    }
    ~OwnerWindow() { DestroyWindow(window_); }
    OwnerWindow(const OwnerWindow&) = delete;
    OwnerWindow& operator=(const OwnerWindow&) = delete;
    HWND get() const { return window_; }

private:
    HWND window_;
};

// Handles everything posted to this thread so far, as the run does between chunks.
void handlePostedMessages()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

int barPosition(HWND dialog)
{
    return static_cast<int>(SendDlgItemMessageW(dialog, IDC_PROGRESS_BAR, PBM_GETPOS, 0, 0));
}

class ProgressDialog : public ::testing::Test {
protected:
    OwnerWindow owner;
    RunState run;
    Win32DeviceHost host;
    int refreshes = 0;
    CopyDialogs dialogs{owner.get(), run, host, 1.0f, [this] { ++refreshes; }};
};

TEST_F(ProgressDialog, ShowsTheRunTheRemainingFilesAndTheBytes)
{
    dialogs.openCopyProgress(RunKind::NormalBackup);
    ASSERT_NE(dialogs.progress(), nullptr);
    const HWND dialog = dialogs.progress()->hwnd();
    ASSERT_TRUE(IsWindowVisible(dialog));
    EXPECT_TRUE(IsWindowEnabled(owner.get())) << "the progress dialog is not modal";
    EXPECT_EQ(GetWindow(dialog, GW_OWNER), owner.get());
    wchar_t title[64] = {};
    GetWindowTextW(dialog, title, 64);
    EXPECT_EQ(std::wstring(title), loadCatalogText(IDS_APP_NAME));
    EXPECT_EQ(controlText(dialog, IDC_PROGRESS_HEADING), L"Normal Backup");
    EXPECT_EQ(controlText(dialog, IDC_PROGRESS_CANCEL_TEXT), L"Cancel");

    // Centred on the main window.
    RECT ownerRect{};
    RECT rect{};
    GetWindowRect(owner.get(), &ownerRect);
    GetWindowRect(dialog, &rect);
    EXPECT_LE(std::abs((rect.left + rect.right) - (ownerRect.left + ownerRect.right)), 2);
    EXPECT_LE(std::abs((rect.top + rect.bottom) - (ownerRect.top + ownerRect.bottom)), 2);

    CCopyProgressDlg& progress = *dialogs.progress();
    dialogs.setProgressTarget(L"Normal Backup");
    dialogs.setProgressTotalBytes(1048576);
    progress.updateBytes(0);
    progress.updateCounts({5, 0, 0, 0, 0, 0});
    EXPECT_EQ(controlText(dialog, IDC_PROGRESS_LINE), L"Backuping 5 Items to\u300CNormal Backup\u300D");
    progress.updateCounts({5, 1, 0, 0, 0, 0});
    EXPECT_EQ(controlText(dialog, IDC_PROGRESS_LINE), L"Backuping 5 Items to\u300CNormal Backup\u300D");
    progress.updateCounts({5, 5, 1, 3, 0, 0});
    EXPECT_EQ(controlText(dialog, IDC_PROGRESS_LINE), L"Backuping 1 Items to\u300CNormal Backup\u300D");

    progress.updateBytes(512);
    EXPECT_EQ(controlText(dialog, IDC_PROGRESS_BYTES), L"0.50 KB/1.00 MB");
    EXPECT_EQ(barPosition(dialog), 0);
    dialogs.setProgressTotalBytes(10000);
    progress.updateBytes(4567);
    EXPECT_EQ(barPosition(dialog), 45);
    progress.updateBytes(9996);
    EXPECT_EQ(barPosition(dialog), 100);

    // Through the run's reporting the dialog shows the latest values every few milliseconds.
    dialogs.updateProgressCounts({7, 3, 0, 2, 0, 0});
    const ULONGLONG start = GetTickCount64();
    while (controlText(dialog, IDC_PROGRESS_BYTES) != L"2.00 KB/9.77 KB" && GetTickCount64() - start < 5000)
        dialogs.updateProgressBytes(2048);
    EXPECT_EQ(controlText(dialog, IDC_PROGRESS_BYTES), L"2.00 KB/9.77 KB");
    EXPECT_EQ(controlText(dialog, IDC_PROGRESS_LINE), L"Backuping 5 Items to\u300CNormal Backup\u300D");

    dialogs.closeCopyProgress();
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_EQ(dialogs.progress(), nullptr);
    dialogs.updateProgressBytes(1); // nothing to address any more
}

TEST_F(ProgressDialog, RestoresSayRestoringAndTheirHeading)
{
    const std::pair<RunKind, const CatalogKey*> kinds[] = {{RunKind::NormalRestore, &IDS_NORMAL_RESTORE},
                                                           {RunKind::EncryptedBackup, &IDS_ENCRYPT_BACKUP},
                                                           {RunKind::DecryptRestore, &IDS_DECRYPT_RESTORE}};
    for (const auto& [kind, heading] : kinds) {
        dialogs.openCopyProgress(kind);
        const HWND dialog = dialogs.progress()->hwnd();
        dialogs.setProgressTarget(L"Docs");
        dialogs.updateProgressCounts({12, 0, 0, 0, 0, 0});
        dialogs.updateProgressBytes(0); // the first update after opening shows at once
        EXPECT_EQ(controlText(dialog, IDC_PROGRESS_HEADING), loadCatalogText(*heading));
        const std::wstring verb = loadCatalogText(isRestoreKind(kind) ? IDS_RESTORING : IDS_BACKING_UP);
        EXPECT_EQ(controlText(dialog, IDC_PROGRESS_LINE), verb + L" 12 Items to\u300CDocs\u300D");
        dialogs.closeCopyProgress();
    }
}

TEST_F(ProgressDialog, OnlyTheCancelButtonAsksTheRunToStop)
{
    dialogs.openCopyProgress(RunKind::NormalBackup);
    const HWND dialog = dialogs.progress()->hwnd();
    // A close request and the keys leave the run alone.
    test::postClose(dialog);
    test::pressKey(dialog, VK_ESCAPE);
    test::pressKey(dialog, VK_RETURN);
    handlePostedMessages();
    EXPECT_EQ(run.cancelRequested, 0);
    EXPECT_TRUE(IsWindow(dialog));

    for (const int control : {IDC_PROGRESS_CANCEL_IMAGE, IDC_PROGRESS_CANCEL_TEXT}) {
        run.cancelRequested = 0;
        test::clickControl(dialog, control);
        handlePostedMessages(); // the click arrives while the run handles the waiting messages
        EXPECT_EQ(run.cancelRequested, 1) << control;
        EXPECT_TRUE(IsWindow(dialog)) << "the run closes the dialog, not the click";
    }
    dialogs.closeCopyProgress();
}

struct ResultView {
    std::wstring heading;
    std::wstring lines[6];
    RECT places[6];
    SIZE picture;
    INT_PTR returned = 0;
};

constexpr int kLineControls[6] = {IDC_RESULT_DONE_LABEL,   IDC_RESULT_DONE_NUMBER,   IDC_RESULT_DONE_UNIT,
                                  IDC_RESULT_UNDONE_LABEL, IDC_RESULT_UNDONE_NUMBER, IDC_RESULT_UNDONE_UNIT};

// Shows the result, reads it, and closes it with the OK caption.
ResultView showResult(CopyDialogs& dialogs, RunKind kind, RunStatus status, const RunCounts& counts)
{
    ResultView view;
    BoxDriver driver;
    driver.then([&](HWND dialog) {
        test::pressKey(dialog, VK_RETURN);
        test::pressKey(dialog, VK_ESCAPE);
    });
    driver.then([&](HWND dialog) {
        view.heading = controlText(dialog, IDC_RESULT_HEADING);
        for (int i = 0; i < 6; ++i) {
            view.lines[i] = controlText(dialog, kLineControls[i]);
            view.places[i] = controlRect(dialog, kLineControls[i]);
        }
        view.picture = test::pictureSize(dialog, IDC_RESULT_PICTURE);
        test::clickControl(dialog, IDC_RESULT_OK_TEXT);
    });
    driver.run([&] {
        dialogs.showRunResult(kind, status, counts);
        return 0;
    });
    view.returned = static_cast<INT_PTR>(driver.stepsDone());
    return view;
}

TEST_F(ProgressDialog, ResultShowsCompletedAndUndoneAsOneLineEach)
{
    // A cancelled restore that restored 3 of 10 files and skipped 2.
    const ResultView view = showResult(dialogs, RunKind::NormalRestore, RunStatus::Cancel, {10, 6, 2, 3, 1, 0});
    EXPECT_EQ(view.returned, 2) << "Enter and Escape did not close it";
    EXPECT_EQ(refreshes, 1) << "closing refreshes the drive space";
    EXPECT_EQ(view.heading, L"Restore Cancel");
    EXPECT_EQ(view.lines[0], L"Complete");
    EXPECT_EQ(view.lines[1], L" 3 ");
    EXPECT_EQ(view.lines[2], L"Items");
    EXPECT_EQ(view.lines[3], L"Undone");
    EXPECT_EQ(view.lines[4], L" 5 ");
    EXPECT_EQ(view.lines[5], L"Items");
    for (int line = 0; line < 2; ++line) {
        const RECT* p = &view.places[line * 3];
        EXPECT_EQ(p[0].right, p[1].left) << "number right after the label";
        EXPECT_EQ(p[1].right, p[2].left) << "unit right after the number";
        EXPECT_EQ(p[0].top, p[2].top);
        EXPECT_GT(p[1].right - p[1].left, 0);
    }
    EXPECT_EQ(view.places[0].left, view.places[3].left);
    EXPECT_LT(view.places[0].top, view.places[3].top);

    // The restore-cancel picture at 0.2 of its stored size.
    const auto image = loadSkinImage(IDB_RESTORE_FAILED);
    ASSERT_TRUE(image);
    const ImageSize expected = scaledImageSize({image->width, image->height}, 0.2f, 1.0f);
    EXPECT_EQ(view.picture.cx, expected.width);
    EXPECT_EQ(view.picture.cy, expected.height);
}

TEST_F(ProgressDialog, ACompleteRunWithNothingToDoSaysSo)
{
    const ResultView view = showResult(dialogs, RunKind::NormalBackup, RunStatus::Complete, {4, 4, 4, 0, 0, 0});
    EXPECT_EQ(view.heading, L"Backup Complete");
    EXPECT_EQ(view.lines[0], L"No items to Backup");
    for (int i = 1; i < 6; ++i)
        EXPECT_TRUE(view.lines[i].empty()) << i;

    const ResultView failed = showResult(dialogs, RunKind::NormalBackup, RunStatus::Fail, {});
    EXPECT_EQ(failed.heading, L"Backup Fail");
    EXPECT_EQ(failed.lines[0], L"Complete") << "a failed run always shows its counts";
    EXPECT_EQ(failed.lines[4], L" 0 ");
}

TEST_F(ProgressDialog, HeadingsAndMessagesInChineseAndJapanese)
{
    {
        const Language chinese(kLanguageChineseTaiwan);
        const ResultView view = showResult(dialogs, RunKind::NormalBackup, RunStatus::Fail, {3, 3, 0, 1, 2, 0});
        EXPECT_EQ(view.heading, loadCatalogText(IDS_BACKUP) + loadCatalogText(IDS_FAIL)) << "no space between";
        EXPECT_EQ(view.lines[0], loadCatalogText(IDS_COMPLETE));
        const ResultView none = showResult(dialogs, RunKind::NormalRestore, RunStatus::Complete, {});
        EXPECT_EQ(none.lines[0], loadCatalogText(IDS_NO_ITEMS_TO) + loadCatalogText(IDS_RESTORE));
    }
    {
        const Language japanese(kLanguageJapanese);
        const ResultView view = showResult(dialogs, RunKind::NormalRestore, RunStatus::Complete, {2, 2, 0, 2, 0, 0});
        EXPECT_EQ(view.heading, loadCatalogText(IDS_RESTORE) + loadCatalogText(IDS_COMPLETE));
        const ResultView none = showResult(dialogs, RunKind::NormalBackup, RunStatus::Complete, {});
        EXPECT_EQ(none.lines[0], loadCatalogText(IDS_NO_ITEMS_TO) + L"\r\n" + loadCatalogText(IDS_BACKUP));
        // Two lines: the message grows below its single-line template height.
        EXPECT_GT(none.places[0].bottom - none.places[0].top, view.places[0].bottom - view.places[0].top);
        EXPECT_NE(loadCatalogText(IDS_BACKUP), L"Backup") << "the Japanese catalog answered";
    }
}

} // namespace
} // namespace yk
