// Runs that end in the middle of a file: a cancel, a device pulled out. No complete-looking partial file
// may appear under a real name, and the version already on the card stays as it was.
#include "RunHarness.h"

#include "backup/BackupPaths.h"
#include "base/CatalogKeys.h"
#include "backup/FileCatalogue.h"

namespace yk::test {
namespace {

constexpr std::uint64_t kSecond = 10'000'000;
constexpr std::size_t kLargeFile = 24 * 1048576;

class InterruptedBackup : public CardRunTest {
protected:
    // A changed large file whose earlier version is on the card: the run writes "big (2).bin".
    void prepareChangedLargeFile()
    {
        const std::uint64_t t = nowUtc() - 3600 * kSecond;
        writeFile(cardBackupFolder() + L"\\big.bin", oldVersion, t - 600 * kSecond);
        writeFile(pc / L"big.bin", newVersion, t);
    }

    const std::vector<std::uint8_t> oldVersion = patternBytes(3 * 1048576 + 5, "old big");
    const std::vector<std::uint8_t> newVersion = patternBytes(kLargeFile, "new big");
};

TEST_F(InterruptedBackup, CancelInALargeFileLeavesNothingOfIt)
{
    prepareChangedLargeFile();
    writeFile(pc / L"later\\after.txt", patternBytes(10, "after")); // in a folder, so after the large file
    // The progress dialog's cancel button sets the flag while the run dispatches messages.
    reporting.onBytes = [&](std::uint64_t done) {
        if (done > 2 * 1048576)
            run.cancelRequested = 1;
    };
    runs.normalBackupFunc();

    const ShownResult result = onlyResult();
    EXPECT_EQ(result.status, RunStatus::Cancel);
    EXPECT_EQ(result.counts.failed, 1u);
    EXPECT_EQ(result.counts.copied, 0u);
    EXPECT_EQ(result.counts.total, 2u);
    EXPECT_LT(reporting.lastBytes, kLargeFile) << "the copy stopped within the file";
    EXPECT_EQ(readFile(cardBackupFolder() + L"\\big.bin"), oldVersion);
    EXPECT_FALSE(exists(cardBackupFolder() + L"\\big (2).bin"));
    EXPECT_FALSE(exists(cardBackupFolder() + L"\\later\\after.txt")) << "the walk stops at the cancel";
    EXPECT_TRUE(temporariesBelow(cardBackupFolder()).empty());
    EXPECT_EQ(reporting.closes, 1);
}

TEST_F(InterruptedBackup, CancelWhileTheLastChunkIsReportedStillDropsTheFile)
{
    writeFile(pc / L"one.bin", patternBytes(1048576 + 3, "one"));
    reporting.onBytes = [&](std::uint64_t done) {
        if (done == 1048576 + 3)
            run.cancelRequested = 1;
    };
    runs.normalBackupFunc();
    EXPECT_EQ(onlyResult().status, RunStatus::Cancel);
    EXPECT_EQ(onlyResult().counts.failed, 1u);
    EXPECT_FALSE(exists(cardBackupFolder() + L"\\one.bin"));
    EXPECT_TRUE(temporariesBelow(cardBackupFolder()).empty());
}

TEST_F(InterruptedBackup, UnpluggedMidFileKeepsTheOldVersionAndTheNextRunCleansUp)
{
    prepareChangedLargeFile();
    bool pulled = false;
    reporting.onBytes = [&](std::uint64_t done) {
        if (!pulled && done >= 2 * 1048576) {
            pulled = true;
            ASSERT_TRUE(card.unplug()) << "the device notice never came";
        }
    };
    runs.normalBackupFunc();

    const ShownResult result = onlyResult();
    EXPECT_EQ(result.status, RunStatus::Fail);
    EXPECT_EQ(result.counts.failed, 1u);
    EXPECT_TRUE(run.transferFailed);
    // The drive letter is gone; look at the card's folder itself.
    const std::wstring behind = cardBackupFolderBehindTheCard();
    EXPECT_EQ(readFile(behind + L"\\big.bin"), oldVersion) << "the earlier version is untouched";
    EXPECT_FALSE(exists(behind + L"\\big (2).bin")) << "no partial file under a real name";
    const auto left = temporariesBelow(behind);
    EXPECT_EQ(left.size(), 1u) << "the temporary could not be removed from a vanished drive";
    if (!left.empty()) {
        EXPECT_LT(readFile(behind + L"\\" + left[0]).size(), kLargeFile);
    }

    // Back again: the stale temporary is neither counted nor taken for a version, and it goes.
    ASSERT_TRUE(card.attach());
    reporting.clear();
    runs.normalBackupFunc();
    EXPECT_EQ(onlyResult().status, RunStatus::Complete);
    EXPECT_EQ(onlyResult().counts.total, 1u);
    EXPECT_EQ(onlyResult().counts.copied, 1u);
    EXPECT_EQ(readFile(cardBackupFolder() + L"\\big (2).bin"), newVersion);
    EXPECT_EQ(readFile(cardBackupFolder() + L"\\big.bin"), oldVersion);
    EXPECT_TRUE(temporariesBelow(cardBackupFolder()).empty());
}

TEST_F(InterruptedBackup, ACardShortOfSpaceRefusesTheFileAndEndsTheRun)
{
    // 12 MiB free and a 3 MiB file: 13 MiB needed.
    host.setFree(card.letter(), 12 * 1048576);
    writeFile(pc / L"three.bin", patternBytes(3 * 1048576, "three"));
    writeFile(pc / L"sub\\next.txt", patternBytes(10, "next"));
    runs.normalBackupFunc();
    EXPECT_EQ(onlyResult().status, RunStatus::Fail);
    EXPECT_EQ(onlyResult().counts.failed, 1u);
    EXPECT_TRUE(prompts.shown(3, IDS_SD_SPACE_LOW));
    EXPECT_FALSE(exists(cardBackupFolder() + L"\\three.bin"));
    EXPECT_FALSE(exists(cardBackupFolder() + L"\\sub")) << "the run ended at the refused file";
    EXPECT_TRUE(run.diskFull);
}

} // namespace
} // namespace yk::test
