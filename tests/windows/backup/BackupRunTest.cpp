// Normal backups onto the simulated card, checked byte for byte.
#include "RunHarness.h"

#include <filesystem>
#include <utility>

#include "base/CatalogKeys.h"
#include "base/Win32Handles.h"
#include "backup/BackupLocations.h"
#include "backup/BackupPaths.h"
#include "backup/FileCatalogue.h"
#include "backup/ProgressText.h"
#include "ui/MessageBoxResult.h"

namespace yk::test {
namespace {

constexpr std::uint64_t kSecond = 10'000'000;

using BackupRun = CardRunTest;

TEST_F(BackupRun, FirstRunMirrorsTheTreeAndTheSecondSkipsEverything)
{
    const std::uint64_t t = nowUtc() - 3600 * kSecond;
    writeFile(pc / L"a.txt", patternBytes(1000, "a"), t);
    writeFile(pc / L"b.bin", patternBytes(3 * 1048576 + 17, "b"), t - 7 * kSecond); // several chunks
    writeFile(pc / L"empty.dat", {}, t - 9 * kSecond);
    writeFile(pc / L"sub\\c.txt", patternBytes(4096, "c"), t - 60 * kSecond);
    writeFile(pc / L"sub\\deeper\\d.txt", patternBytes(1, "d"), t - 61 * kSecond);
    writeFile(pc / L"h.txt", patternBytes(77, "h"), t);
    SetFileAttributesW((pc / L"h.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
    const std::uint64_t totalBytes = 1000 + 3 * 1048576 + 17 + 4096 + 1 + 77;
    restoreChoice = 2;

    bool activeDuringRun = false;
    reporting.onBytes = [&](std::uint64_t) { activeDuringRun = activeDuringRun || run.runInProgress; };
    runs.normalBackupFunc();

    const ShownResult first = onlyResult();
    EXPECT_EQ(first.kind, RunKind::NormalBackup);
    EXPECT_EQ(first.status, RunStatus::Complete);
    EXPECT_EQ(first.counts.total, 6u);
    EXPECT_EQ(first.counts.copied, 6u);
    EXPECT_EQ(first.counts.skipped + first.counts.failed, 0u);
    std::string why;
    EXPECT_TRUE(sameTree(pc.path(), cardBackupFolder(), why)) << why;
    for (const auto& file : filesBelow(pc.path()))
        EXPECT_EQ(lastWriteUtc(cardBackupFolder() + L"\\" + file), lastWriteUtc(pc / file)) << narrow(file);
    EXPECT_TRUE(temporariesBelow(cardBackupFolder()).empty());

    EXPECT_EQ(reporting.opens, 1);
    EXPECT_EQ(reporting.closes, 1);
    EXPECT_EQ(reporting.target, L"Normal Backup");
    EXPECT_EQ(reporting.totalBytes, totalBytes);
    EXPECT_EQ(reporting.lastBytes, totalBytes);
    ASSERT_EQ(reporting.counts.size(), 7u); // once when the dialog opens, once per file
    for (std::size_t i = 0; i < reporting.counts.size(); ++i)
        EXPECT_EQ(reporting.counts[i].processed, i);
    EXPECT_EQ(remainingItems(reporting.counts.front()), 6);
    EXPECT_EQ(remainingItems(reporting.counts.back()), 1);
    EXPECT_TRUE(activeDuringRun);
    EXPECT_FALSE(run.runInProgress);
    EXPECT_EQ(shell.ejectButtons, (std::vector<bool>{false, true}));
    EXPECT_EQ(restoreChoice, 0);
    EXPECT_TRUE(prompts.messages.empty());

    reporting.results.clear();
    runs.normalBackupFunc();
    const ShownResult second = onlyResult();
    EXPECT_EQ(second.status, RunStatus::Complete);
    EXPECT_EQ(second.counts.skipped, 6u);
    EXPECT_EQ(second.counts.copied + second.counts.failed, 0u);
    EXPECT_TRUE(showsNoItemsMessage(second.status, second.counts));
    EXPECT_EQ(run.bytesDone, totalBytes) << "skipped files count with their whole size";
    EXPECT_TRUE(sameTree(pc.path(), cardBackupFolder(), why)) << why;
}

TEST_F(BackupRun, ChangedFilesBecomeNumberedVersions)
{
    const std::uint64_t t = nowUtc() - 3600 * kSecond;
    const auto version = [&](int n) { return patternBytes(2000 + n, "report v" + std::to_string(n)); };
    writeFile(pc / L"report.docx", version(1), t);
    writeFile(pc / L"photo", version(1), t);
    runs.normalBackupFunc();

    writeFile(pc / L"report.docx", version(2), t + 60 * kSecond);
    writeFile(pc / L"photo", version(2), t + 60 * kSecond);
    runs.normalBackupFunc();
    writeFile(pc / L"report.docx", version(3), t + 120 * kSecond);
    runs.normalBackupFunc();

    const std::wstring card = cardBackupFolder();
    EXPECT_EQ(readFile(card + L"\\report.docx"), version(1));
    EXPECT_EQ(readFile(card + L"\\report (2).docx"), version(2));
    EXPECT_EQ(readFile(card + L"\\report (3).docx"), version(3));
    EXPECT_EQ(lastWriteUtc(card + L"\\report (3).docx"), t + 120 * kSecond);
    EXPECT_EQ(readFile(card + L"\\photo"), version(1));
    EXPECT_EQ(readFile(card + L"\\photo (2)"), version(2)) << "a name without extension drops the trailing dot";
    ASSERT_EQ(reporting.results.size(), 3u);
    EXPECT_EQ(reporting.results[2].counts.copied, 1u);
    EXPECT_EQ(reporting.results[2].counts.skipped, 1u);

    // (3) already holds this version: nothing more is written.
    reporting.results.clear();
    runs.normalBackupFunc();
    EXPECT_EQ(onlyResult().counts.skipped, 2u);
    EXPECT_EQ(onlyResult().counts.copied, 0u);
    EXPECT_FALSE(exists(card + L"\\report (4).docx"));
    EXPECT_EQ(filesBelow(card).size(), 5u);
}

TEST_F(BackupRun, ThreeSecondsApartIsTheSameFileFiveIsNot)
{
    const std::uint64_t t = nowUtc() - 3600 * kSecond;
    const auto current = patternBytes(5000, "current");
    const auto older = patternBytes(5000, "older");
    writeFile(pc / L"x.txt", current, t);
    writeFile(cardBackupFolder() + L"\\x.txt", older, t - 3 * kSecond);
    runs.normalBackupFunc();
    EXPECT_EQ(onlyResult().counts.skipped, 1u);
    EXPECT_EQ(readFile(cardBackupFolder() + L"\\x.txt"), older);
    EXPECT_FALSE(exists(cardBackupFolder() + L"\\x (2).txt"));

    setLastWriteUtc(cardBackupFolder() + L"\\x.txt", t - 5 * kSecond);
    reporting.results.clear();
    runs.normalBackupFunc();
    EXPECT_EQ(onlyResult().counts.copied, 1u);
    EXPECT_EQ(readFile(cardBackupFolder() + L"\\x.txt"), older);
    EXPECT_EQ(readFile(cardBackupFolder() + L"\\x (2).txt"), current);
}

// A file is copied when the card keeps its size plus the 10 MiB margin free, to the byte.
TEST_F(BackupRun, TheFreeSpaceCheckHoldsAtTheExactBoundary)
{
    const std::vector<std::uint8_t> bytes = patternBytes(100'000, "boundary");
    writeFile(pc / L"edge.bin", bytes);
    const std::uint64_t needed = bytes.size() + kBackupSpaceMargin;
    for (const auto& [free, copied] : {std::pair{needed - 1, false}, {needed, true}, {needed + 1, true}}) {
        SCOPED_TRACE(free);
        ASSERT_TRUE(removeTree(cardBackupFolder()));
        prompts.messages.clear();
        reporting.clear();
        host.setFree(card.letter(), free);
        runs.normalBackupFunc();
        EXPECT_EQ(onlyResult().status, copied ? RunStatus::Complete : RunStatus::Fail);
        EXPECT_EQ(onlyResult().counts.copied, copied ? 1u : 0u);
        EXPECT_EQ(run.diskFull, !copied);
        EXPECT_EQ(prompts.shown(3, IDS_SD_SPACE_LOW), !copied);
        EXPECT_EQ(exists(cardBackupFolder() + L"\\edge.bin"), copied);
        EXPECT_TRUE(temporariesBelow(cardBackupFolder()).empty());
    }
}

TEST_F(BackupRun, AFileRewrittenBeforeItIsOpenedIsCopiedWhole)
{
    // The file grows after the run looked at its size and before it opens it: the copy holds the whole new
    // file with its new times, so no later run skips a short copy for ever.
    const std::uint64_t before = nowUtc() - 7200 * kSecond;
    const std::uint64_t after = nowUtc() - 3600 * kSecond;
    writeFile(pc / L"growing.log", patternBytes(1000, "before"), before);
    int questions = 0;
    host.onSpaceQuestion = [&] {
        if (++questions == 2)
            writeFile(pc / L"growing.log", patternBytes(300'000, "after"), after);
    };
    runs.normalBackupFunc();
    host.onSpaceQuestion = nullptr;
    ASSERT_GE(questions, 2);
    EXPECT_EQ(onlyResult().counts.copied, 1u);
    EXPECT_EQ(readFile(cardBackupFolder() + L"\\growing.log"), patternBytes(300'000, "after"));
    EXPECT_EQ(lastWriteUtc(cardBackupFolder() + L"\\growing.log"), after);
}

TEST_F(BackupRun, ANameTakenAfterTheFolderWasListedIsLookedAtAgain)
{
    // Another program writes a file of the same name onto the card between the run's listing of the folder
    // and the copy's rename: that file stays as it is, and the source goes where the card now says.
    const std::uint64_t sourceTime = nowUtc() - 7200 * kSecond;
    const struct {
        const char* label;
        std::uint64_t appearingTime;
        const wchar_t* copiedTo; // nothing when the appearing file already holds this version
    } cases[] = {
        {"another version", sourceTime - 3600 * kSecond, L"\\report (2).txt"},
        {"the same version", sourceTime, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        std::error_code ignored;
        std::filesystem::remove_all(cardBackupFolder(), ignored);
        reporting.clear();
        writeFile(pc / L"report.txt", patternBytes(5000, "source"), sourceTime);
        bool written = false;
        host.onSpaceQuestion = [&] {
            if (!std::exchange(written, true))
                writeFile(cardBackupFolder() + L"\\report.txt", patternBytes(70, "other program"), c.appearingTime);
        };
        runs.normalBackupFunc();
        host.onSpaceQuestion = nullptr;
        ASSERT_TRUE(written);
        const ShownResult result = onlyResult();
        EXPECT_EQ(result.status, RunStatus::Complete);
        EXPECT_EQ(result.counts.copied, c.copiedTo ? 1u : 0u);
        EXPECT_EQ(result.counts.skipped, c.copiedTo ? 0u : 1u);
        EXPECT_EQ(readFile(cardBackupFolder() + L"\\report.txt"), patternBytes(70, "other program"));
        if (c.copiedTo) {
            EXPECT_EQ(readFile(cardBackupFolder() + c.copiedTo), patternBytes(5000, "source"));
        }
        EXPECT_EQ(filesBelow(cardBackupFolder()).size(), c.copiedTo ? 2u : 1u);
        EXPECT_TRUE(temporariesBelow(cardBackupFolder()).empty());
    }
}

TEST_F(BackupRun, ARunThatThrowsStillEnds)
{
    writeFile(pc / L"large.bin", patternBytes(3 * 1024 * 1024, "large"));
    writeFile(pc / L"small.txt", patternBytes(10, "small"));

    // In the middle of a file (out of memory, say): the run ends as failed, dialog closed, flag cleared.
    int updates = 0;
    reporting.onBytes = [&](std::uint64_t) {
        if (++updates == 3)
            throw std::bad_alloc();
    };
    runs.normalBackupFunc();
    EXPECT_FALSE(run.runInProgress);
    EXPECT_FALSE(reporting.progressOpen);
    EXPECT_EQ(onlyResult().status, RunStatus::Fail);
    ASSERT_FALSE(shell.ejectButtons.empty());
    EXPECT_TRUE(shell.ejectButtons.back()) << "the eject buttons stayed disabled";
    EXPECT_FALSE(exists(cardBackupFolder() + L"\\large.bin")) << "a partial copy under the real name";

    // Before the walk (the first progress update): the exception goes on, and the run is over all the same.
    reporting.clear();
    reporting.onBytes = [](std::uint64_t) { throw std::bad_alloc(); };
    EXPECT_THROW(runs.normalBackupFunc(), std::bad_alloc);
    EXPECT_FALSE(run.runInProgress);
    EXPECT_FALSE(reporting.progressOpen);
    EXPECT_TRUE(shell.ejectButtons.back());

    // The next run copies everything and leaves no temporary behind.
    reporting.onBytes = nullptr;
    reporting.clear();
    runs.normalBackupFunc();
    EXPECT_EQ(onlyResult().status, RunStatus::Complete);
    EXPECT_EQ(readFile(cardBackupFolder() + L"\\large.bin"), patternBytes(3 * 1024 * 1024, "large"));
    EXPECT_TRUE(temporariesBelow(cardBackupFolder()).empty());
}

TEST_F(BackupRun, AfterADaylightSavingChangeAFatCardIsNotCopiedAgain)
{
    constexpr std::uint64_t kHour = 3600 * kSecond;
    const std::uint64_t t = nowUtc() - 10 * kHour;
    writeFile(pc / L"a.txt", patternBytes(100, "a"), t);
    writeFile(pc / L"sub\\b.txt", patternBytes(100, "b"), t);
    runs.normalBackupFunc();
    ASSERT_EQ(onlyResult().counts.copied, 2u);

    // The clocks changed: a card that keeps local time reads every file one hour off.
    const std::wstring card = cardBackupFolder();
    for (const wchar_t* name : {L"a.txt", L"sub\\b.txt"})
        setLastWriteUtc(card + L"\\" + name, t - kHour);
    host.fileSystem = L"FAT32";
    reporting.clear();
    runs.normalBackupFunc();
    EXPECT_EQ(onlyResult().counts.skipped, 2u);
    EXPECT_EQ(onlyResult().counts.copied, 0u);
    EXPECT_FALSE(exists(card + L"\\a (2).txt"));

    // The same times on a card that keeps UTC are another version.
    host.fileSystem = L"exFAT";
    reporting.clear();
    runs.normalBackupFunc();
    EXPECT_EQ(onlyResult().counts.copied, 2u);
    EXPECT_TRUE(exists(card + L"\\a (2).txt"));
}

TEST_F(BackupRun, AFileHeldOpenElsewhereFailsAloneAndTheRunGoesOn)
{
    writeFile(pc / L"a.txt", patternBytes(100, "a"));
    writeFile(pc / L"locked.txt", patternBytes(100, "locked"));
    writeFile(pc / L"z\\b.txt", patternBytes(100, "b"));
    const UniqueHandle holder(
        CreateFileW((pc / L"locked.txt").c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(holder);
    runs.normalBackupFunc();

    const ShownResult result = onlyResult();
    EXPECT_EQ(result.status, RunStatus::Complete);
    EXPECT_EQ(result.counts.failed, 1u);
    EXPECT_EQ(result.counts.copied, 2u);
    EXPECT_EQ(undoneItems(result.counts), 1);
    EXPECT_TRUE(prompts.messages.empty() && prompts.folderMessages.empty());
    EXPECT_FALSE(exists(cardBackupFolder() + L"\\locked.txt"));
    EXPECT_EQ(readFile(cardBackupFolder() + L"\\z\\b.txt"), patternBytes(100, "b"));
    EXPECT_TRUE(temporariesBelow(cardBackupFolder()).empty());
}

TEST_F(BackupRun, EmptyBackupFolderShowsNoProgressAndNothingToBackUp)
{
    makeFolders(pc / L"only-folders\\inside");
    runs.normalBackupFunc();
    const ShownResult result = onlyResult();
    EXPECT_EQ(result.status, RunStatus::Complete);
    EXPECT_TRUE(showsNoItemsMessage(result.status, result.counts));
    EXPECT_EQ(reporting.opens, 0);
    EXPECT_EQ(shell.ejectButtons, (std::vector<bool>{false, true}));
    EXPECT_TRUE(isExistingFolder(cardBackupFolder())) << "the target folder is made before the count";
}

TEST_F(BackupRun, FoldersHoldingOnlyFoldersKeepTheirTimes)
{
    const std::uint64_t t = nowUtc() - 86400 * kSecond;
    writeFile(pc / L"top.txt", patternBytes(10, "top"));
    const std::wstring folders[] = {L"only", L"only\\inner1", L"only\\inner2", L"only\\inner2\\deep"};
    for (const auto& folder : folders)
        makeFolders(pc / folder);
    for (int i = 3; i >= 0; --i) // innermost first: making a time does not touch the parent's
        setLastWriteUtc(pc / folders[i], t + i * 100 * kSecond);

    runs.normalBackupFunc();
    EXPECT_EQ(onlyResult().status, RunStatus::Complete);
    for (const auto& folder : folders) {
        const std::wstring onCard = cardBackupFolder() + L"\\" + folder;
        EXPECT_TRUE(isExistingFolder(onCard)) << narrow(folder);
        EXPECT_EQ(lastWriteUtc(onCard), lastWriteUtc(pc / folder)) << narrow(folder);
    }
}

TEST_F(BackupRun, ChecksBeforeTheRunStartNothing)
{
    writeFile(pc / L"a.txt", patternBytes(10, "a"));

    // No backup folder, then one that does not exist: confirming the message opens the settings.
    for (const std::wstring& folder : {std::wstring(), pc / L"missing"}) {
        ASSERT_TRUE(setBackupDirectory(settings.profile(), folder));
        prompts.messages.clear();
        runs.normalBackupFunc();
        ASSERT_EQ(prompts.messages.size(), 1u);
        EXPECT_TRUE(prompts.shown(box_kind::kFolder, IDS_CHECK_BACKUP_PATH));
    }
    EXPECT_EQ(shell.settingsOpened, 2);
    ASSERT_TRUE(setBackupDirectory(settings.profile(), pc.path()));

    // The card is not enabled, then the device is gone.
    card.device.sdEnabled = false;
    prompts.messages.clear();
    runs.normalBackupFunc();
    EXPECT_TRUE(prompts.shown(box_kind::kFolder, IDS_DESTINATION_UNAVAILABLE));
    card.device.sdEnabled = true;
    card.device.connected = false;
    prompts.messages.clear();
    runs.normalBackupFunc();
    EXPECT_TRUE(prompts.shown(box_kind::kFolder, IDS_DESTINATION_UNAVAILABLE));
    card.device.connected = true;

    // A file where the backup folder belongs.
    writeFile(cardBackupFolder(), patternBytes(3, "in the way"));
    runs.normalBackupFunc();
    ASSERT_EQ(prompts.folderMessages.size(), 1u);
    EXPECT_EQ(prompts.folderMessages[0].title, IDS_DESTINATION_UNAVAILABLE.english);
    EXPECT_EQ(prompts.folderMessages[0].body, IDS_PATH_UNAVAILABLE.english);
    EXPECT_EQ(prompts.folderMessages[0].folder, cardBackupFolder());

    EXPECT_TRUE(reporting.results.empty());
    EXPECT_TRUE(shell.ejectButtons.empty()) << "no run was marked active";
}

} // namespace
} // namespace yk::test
