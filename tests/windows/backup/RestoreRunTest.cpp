// Normal restores from the simulated card into the PC's backup folder.
#include "RunHarness.h"

#include "base/CatalogKeys.h"
#include "backup/BackupPaths.h"
#include "backup/FileCatalogue.h"
#include "backup/ProgressText.h"
#include "ui/MessageBoxResult.h"

namespace yk::test {
namespace {

constexpr std::uint64_t kSecond = 10'000'000;
constexpr std::int32_t kRestoreAll = 1;
constexpr std::int32_t kRestoreRange = 2;

class RestoreRun : public CardRunTest {
protected:
    void SetUp() override
    {
        CardRunTest::SetUp();
        source = cardBackupFolder();
        prompts.folderAnswers = {source};
        restoreChoice = kRestoreAll;
    }
    // Files on the card with times an hour and more in the past.
    void putBackupOnCard()
    {
        const std::uint64_t t = nowUtc() - 3600 * kSecond;
        writeFile(source + L"\\a.txt", patternBytes(1000, "a"), t);
        writeFile(source + L"\\sub\\b.bin", patternBytes(2 * 1048576 + 9, "b"), t - 100 * kSecond);
        writeFile(source + L"\\sub\\deep\\c.txt", patternBytes(3, "c"), t - 200 * kSecond);
        makeFolders(source + L"\\only\\empty-folder");
    }

    std::wstring source;
};

TEST_F(RestoreRun, RestoreAllRecreatesTheTreeAndARepeatSkipsEverything)
{
    putBackupOnCard();
    runs.normalRestoreFunc();
    const ShownResult result = onlyResult();
    EXPECT_EQ(result.kind, RunKind::NormalRestore);
    EXPECT_EQ(result.status, RunStatus::Complete);
    EXPECT_EQ(result.counts.total, 3u);
    EXPECT_EQ(result.counts.copied, 3u);
    std::string why;
    EXPECT_TRUE(sameTree(source, pc.path(), why)) << why;
    for (const auto& file : filesBelow(source))
        EXPECT_EQ(lastWriteUtc(pc / file), lastWriteUtc(source + L"\\" + file)) << narrow(file);
    EXPECT_TRUE(isExistingFolder(pc / L"only\\empty-folder"));
    EXPECT_EQ(reporting.progressKind, RunKind::NormalRestore);
    EXPECT_EQ(reporting.target, std::wstring(lastComponent(pc.path())));
    EXPECT_EQ(prompts.pickerStarts.front(), source + L"\\");
    EXPECT_EQ(restoreChoice, 0);
    EXPECT_EQ(shell.ejectButtons, (std::vector<bool>{false, true}));
    EXPECT_TRUE(temporariesBelow(pc.path()).empty());

    reporting.clear();
    prompts.folderAnswers = {source};
    restoreChoice = kRestoreAll;
    runs.normalRestoreFunc();
    EXPECT_EQ(onlyResult().counts.skipped, 3u);
    EXPECT_TRUE(showsNoItemsMessage(onlyResult().status, onlyResult().counts));
}

TEST_F(RestoreRun, APcFileWithAnotherTimeIsNeverOverwritten)
{
    putBackupOnCard();
    const auto mine = patternBytes(1000, "the PC's own a.txt");
    writeFile(pc / L"a.txt", mine, nowUtc() - 7200 * kSecond);
    runs.normalRestoreFunc();
    EXPECT_EQ(onlyResult().counts.copied, 3u);
    EXPECT_EQ(readFile(pc / L"a.txt"), mine);
    EXPECT_EQ(readFile(pc / L"a (2).txt"), readFile(source + L"\\a.txt"));
}

TEST_F(RestoreRun, FromAFatCardAPcFileAnHourOffIsTheSameVersion)
{
    constexpr std::uint64_t kHour = 3600 * kSecond;
    const std::uint64_t t = nowUtc() - 10 * kHour;
    writeFile(source + L"\\a.txt", patternBytes(100, "card"), t - kHour);
    writeFile(pc / L"a.txt", patternBytes(100, "pc"), t);
    host.fileSystem = L"FAT";
    runs.normalRestoreFunc();
    EXPECT_EQ(onlyResult().counts.skipped, 1u);
    EXPECT_FALSE(exists(pc / L"a (2).txt"));

    host.fileSystem = L"NTFS";
    reporting.clear();
    prompts.folderAnswers = {source};
    restoreChoice = kRestoreAll;
    runs.normalRestoreFunc();
    EXPECT_EQ(onlyResult().counts.copied, 1u);
    EXPECT_EQ(readFile(pc / L"a (2).txt"), patternBytes(100, "card"));
    EXPECT_EQ(readFile(pc / L"a.txt"), patternBytes(100, "pc"));
}

TEST_F(RestoreRun, ASourceOnThePcDiskIsRefused)
{
    putBackupOnCard();
    ScratchFolder elsewhere(L"elsewhere");
    writeFile(elsewhere / L"x.txt", patternBytes(5, "x"));
    prompts.folderAnswers = {elsewhere.path()};
    runs.normalRestoreFunc();
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_TRUE(prompts.shown(box_kind::kNotOnSdCard, IDS_SELECT_SD_DIRECTORY));
    EXPECT_TRUE(reporting.results.empty());
    EXPECT_TRUE(shell.ejectButtons.empty());
    EXPECT_FALSE(exists(pc / L"x.txt"));
}

TEST_F(RestoreRun, LeavingThePickerOrTheRangeDialogStartsNothing)
{
    putBackupOnCard();
    prompts.folderAnswers.clear();
    runs.normalRestoreFunc();
    EXPECT_EQ(prompts.rangeDialogs, 0);

    prompts.folderAnswers = {source};
    restoreChoice = kRestoreRange;
    runs.normalRestoreFunc();
    EXPECT_EQ(prompts.rangeDialogs, 1);
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_TRUE(reporting.results.empty());
    EXPECT_TRUE(shell.ejectButtons.empty());
    EXPECT_TRUE(filesBelow(pc.path()).empty());
}

TEST_F(RestoreRun, TheCardRootRestoresTheWholeCard)
{
    putBackupOnCard();
    prompts.folderAnswers = {card.root()};
    runs.normalRestoreFunc();
    EXPECT_EQ(onlyResult().status, RunStatus::Complete);
    EXPECT_TRUE(exists(pc / (L"YarrowkeepCross\\" + names.computerName + L"\\tester\\Normal Backup\\sub\\b.bin")));
    std::string why;
    EXPECT_TRUE(sameTree(card.root(), pc.path(), why)) << why;
}

TEST_F(RestoreRun, ADateRangeRestoresOnlyItsDays)
{
    writeFile(source + L"\\april\\only-april.txt", patternBytes(10, "apr"), utcOfLocal(2024, 4, 20, 12, 0, 0));
    writeFile(source + L"\\may\\start.txt", patternBytes(11, "start"), utcOfLocal(2024, 5, 2, 0, 0, 0));
    writeFile(source + L"\\may\\end.txt", patternBytes(12, "end"), utcOfLocal(2024, 5, 5, 23, 59, 59));
    writeFile(source + L"\\may\\before.txt", patternBytes(13, "before"), utcOfLocal(2024, 5, 1, 23, 59, 59));
    writeFile(source + L"\\may\\after.txt", patternBytes(14, "after"), utcOfLocal(2024, 5, 6, 0, 0, 0));
    writeFile(source + L"\\top.txt", patternBytes(15, "top"), utcOfLocal(2024, 5, 3, 12, 0, 0));
    restoreChoice = kRestoreRange;
    prompts.rangeAnswers = {std::pair{CalendarDate{2024, 5, 2}, CalendarDate{2024, 5, 5}}};
    runs.normalRestoreFunc();

    const ShownResult result = onlyResult();
    EXPECT_EQ(result.status, RunStatus::Complete);
    EXPECT_EQ(result.counts.total, 3u);
    EXPECT_EQ(result.counts.copied, 3u);
    ASSERT_FALSE(reporting.counts.empty());
    EXPECT_EQ(reporting.counts.front().total, 3u);
    EXPECT_EQ(reporting.totalBytes, 11u + 12u + 15u);
    EXPECT_EQ(filesBelow(pc.path()), (std::vector<std::wstring>{L"may\\end.txt", L"may\\start.txt", L"top.txt"}));
    EXPECT_FALSE(exists(pc / L"april")) << "a folder without files of the range is not made";
    EXPECT_EQ(restoreChoice, 0);

    // A range without any file: no progress, and nothing to restore.
    reporting.clear();
    prompts.folderAnswers = {source};
    prompts.rangeAnswers = {std::pair{CalendarDate{2020, 1, 1}, CalendarDate{2020, 1, 31}}};
    restoreChoice = kRestoreRange;
    runs.normalRestoreFunc();
    EXPECT_EQ(reporting.opens, 0);
    EXPECT_EQ(onlyResult().status, RunStatus::Complete);
    EXPECT_TRUE(showsNoItemsMessage(onlyResult().status, onlyResult().counts));
}

TEST_F(RestoreRun, APcDriveShortOfSpaceRefusesTheFile)
{
    writeFile(source + L"\\one.bin", patternBytes(1048576, "one"));
    host.setFree(pc.path()[0], 1048576 + 104'857'600 - 1);
    runs.normalRestoreFunc();
    EXPECT_EQ(onlyResult().status, RunStatus::Fail);
    EXPECT_EQ(onlyResult().counts.failed, 1u);
    EXPECT_TRUE(prompts.shown(box_kind::kLowSpace, IDS_DISK_SPACE_LOW));
    EXPECT_FALSE(exists(pc / L"one.bin"));

    reporting.clear();
    prompts.folderAnswers = {source};
    restoreChoice = kRestoreAll;
    host.setFree(pc.path()[0], 1048576 + 104'857'600);
    runs.normalRestoreFunc();
    EXPECT_EQ(onlyResult().status, RunStatus::Complete);
    EXPECT_EQ(readFile(pc / L"one.bin"), patternBytes(1048576, "one"));
}

TEST_F(RestoreRun, TemporariesAreNeverRestoredAndStaleOnesOnThePcGo)
{
    putBackupOnCard();
    const std::wstring temporary = transferTemporaryName(0xfeed);
    writeFile(source + L"\\sub\\" + temporary, patternBytes(100, "partial on the card"));
    writeFile(pc / (L"sub\\" + transferTemporaryName(0xbeef)), patternBytes(100, "partial on the PC"));
    runs.normalRestoreFunc();
    EXPECT_EQ(onlyResult().counts.total, 3u);
    EXPECT_TRUE(temporariesBelow(pc.path()).empty());
}

TEST_F(RestoreRun, UnpluggedMidFileLeavesNoPartialFileOnThePc)
{
    const std::uint64_t t = nowUtc() - 3600 * kSecond;
    const auto onCard = patternBytes(8 * 1048576, "card version");
    const auto onPc = patternBytes(100, "pc version");
    writeFile(source + L"\\big.bin", onCard, t);
    writeFile(pc / L"big.bin", onPc, t - 600 * kSecond);
    reporting.onBytes = [&](std::uint64_t done) {
        if (done >= 2 * 1048576 && card.device.connected) {
            ASSERT_TRUE(card.unplug());
        }
    };
    runs.normalRestoreFunc();
    EXPECT_EQ(onlyResult().status, RunStatus::Fail);
    EXPECT_EQ(onlyResult().counts.failed, 1u);
    EXPECT_EQ(readFile(pc / L"big.bin"), onPc);
    EXPECT_FALSE(exists(pc / L"big (2).bin"));
    EXPECT_TRUE(temporariesBelow(pc.path()).empty()) << "the PC disk is still there: the temporary goes at once";
}

// The card leaves while the device stays: the folders not yet listed cannot be read, and the run must
// not call itself complete.
TEST_F(RestoreRun, ACardTakenAwayMidRestoreEndsFailedNotComplete)
{
    putBackupOnCard();
    writeFile(source + L"\\later\\d.txt", patternBytes(10, "d"), nowUtc() - 3600 * kSecond);
    bool removed = false;
    reporting.onBytes = [&](std::uint64_t) {
        if (!removed) {
            removed = true;
            ASSERT_TRUE(card.link.control("remove"));
            ASSERT_TRUE(waitFor([&] { return !card.host.volumeAnswers(card.letter()); }));
        }
    };
    runs.normalRestoreFunc();
    const ShownResult result = onlyResult();
    EXPECT_EQ(result.status, RunStatus::Fail);
    EXPECT_EQ(result.counts.total, 4u);
    EXPECT_LT(result.counts.copied + result.counts.skipped, 4u) << "files are left undone";
    EXPECT_TRUE(temporariesBelow(pc.path()).empty());
}

// The card leaves before a folder of it is listed: a folder that cannot be read is no empty folder.
TEST_F(RestoreRun, AFolderThatCannotBeListedIsNoEmptyFolder)
{
    writeFile(source + L"\\only\\sub\\x.txt", patternBytes(10, "x"), nowUtc() - 3600 * kSecond);
    bool removed = false;
    host.onSpaceQuestion = [&] {
        if (!removed) {
            removed = true;
            ASSERT_TRUE(card.link.control("remove"));
            ASSERT_TRUE(waitFor([&] { return !card.host.volumeAnswers(card.letter()); }));
        }
    };
    runs.normalRestoreFunc();
    host.onSpaceQuestion = nullptr;
    ASSERT_TRUE(removed);
    EXPECT_EQ(onlyResult().status, RunStatus::Fail);
    EXPECT_EQ(onlyResult().counts.copied, 0u);
    EXPECT_FALSE(exists(pc / L"only\\sub\\x.txt"));
}

} // namespace
} // namespace yk::test
