// Backups onto a card that really fills up: a 12 MiB tmpfs behind drive T: (full_card.sh sets it up).
#include "RunHarness.h"

#include "base/CatalogKeys.h"
#include "backup/BackupLocations.h"
#include "backup/BackupPaths.h"
#include "backup/FileCatalogue.h"
#include "device/Win32DeviceHost.h"
#include "ui/MessageBoxResult.h"

namespace yk::test {
namespace {

constexpr wchar_t kFullCardRoot[] = L"T:\\";
constexpr std::uint64_t kCardSize = 12 * 1048576;

bool fullCardPresent()
{
    ULARGE_INTEGER free{};
    ULARGE_INTEGER total{};
    return GetDiskFreeSpaceExW(kFullCardRoot, &free, &total, nullptr) && total.QuadPart == kCardSize;
}

std::uint64_t freeOnCard()
{
    ULARGE_INTEGER free{};
    GetDiskFreeSpaceExW(kFullCardRoot, &free, nullptr, nullptr);
    return free.QuadPart;
}

// Fills the card up to `leave` free bytes; the filler goes with the test.
void fillCard(const std::wstring& filler, std::uint64_t leave)
{
    const std::uint64_t free = freeOnCard();
    if (free > leave)
        writeFile(filler, std::vector<std::uint8_t>(static_cast<std::size_t>(free - leave), 0x5A));
}

class FullCard : public ::testing::Test {
protected:
    FullCard()
        : names{L"YKFULL" + std::to_wstring(GetCurrentProcessId()), L"tester"},
          runs(RunContext{run, device, host, settings.profile(), names, restoreChoice, prompts, reporting, shell})
    {
        device.connected = true;
        device.sdEnabled = true;
        device.strDriveID = L"T:SD Card Reader";
    }
    void SetUp() override
    {
        if (!fullCardPresent())
            GTEST_SKIP() << "no 12 MiB drive at T: (run tests/windows/backup/full_card.sh setup as root)";
        clearCard();
        ASSERT_TRUE(setBackupDirectory(settings.profile(), pc.path()));
    }
    void TearDown() override { clearCard(); }
    void clearCard()
    {
        removeTree(std::wstring(kFullCardRoot) + L"YarrowkeepCross");
        removeTree(filler());
    }
    std::wstring cardFolder() const
    {
        return std::wstring(kFullCardRoot) + L"YarrowkeepCross\\" + names.computerName + L"\\tester\\Normal Backup";
    }
    static std::wstring filler() { return std::wstring(kFullCardRoot) + L"filler.bin"; }
    ShownResult onlyResult() const
    {
        EXPECT_EQ(reporting.results.size(), 1u);
        return reporting.results.empty() ? ShownResult{} : reporting.results.back();
    }

    Win32DeviceHost host;
    DeviceState device;
    ScratchFolder pc{L"pc-full"};
    TestSettings settings;
    IdentityNames names;
    RunState run;
    std::int32_t restoreChoice = 0;
    ScriptedPrompts prompts;
    RecordingReporting reporting{host};
    RecordingShell shell;
    BackupRuns runs;
};

TEST_F(FullCard, AFileThatDoesNotFitWithItsMarginIsRefused)
{
    // Nearly 12 MiB free and a 3 MiB file: 13 MiB would be needed.
    writeFile(pc / L"three.bin", patternBytes(3 * 1048576, "three"));
    runs.normalBackupFunc();
    EXPECT_EQ(onlyResult().status, RunStatus::Fail);
    EXPECT_EQ(onlyResult().counts.failed, 1u);
    EXPECT_TRUE(prompts.shown(3, IDS_SD_SPACE_LOW));
    EXPECT_TRUE(run.diskFull);
    EXPECT_TRUE(filesBelow(cardFolder()).empty());
}

TEST_F(FullCard, TheCardFillingUpMidFileEndsTheRunWithoutAPartialFile)
{
    const std::uint64_t t = nowUtc() - 36'000'000'000ull;
    const auto oldVersion = patternBytes(100'000, "old");
    const auto newVersion = patternBytes(1'572'864, "new"); // two chunks
    writeFile(cardFolder() + L"\\photo.raw", oldVersion, t - 6'000'000'000ull);
    writeFile(pc / L"photo.raw", newVersion, t);
    // Something else takes the rest of the card while the first chunk is reported.
    reporting.onBytes = [&](std::uint64_t done) {
        if (done > 0 && !exists(filler()))
            fillCard(filler(), 0);
    };
    runs.normalBackupFunc();

    EXPECT_EQ(onlyResult().status, RunStatus::Fail);
    EXPECT_EQ(onlyResult().counts.failed, 1u);
    EXPECT_TRUE(run.transferFailed);
    EXPECT_TRUE(prompts.messages.empty()) << "a write error shows nothing until the result";
    EXPECT_EQ(readFile(cardFolder() + L"\\photo.raw"), oldVersion);
    EXPECT_FALSE(exists(cardFolder() + L"\\photo (2).raw"));
    EXPECT_EQ(filesBelow(cardFolder()), (std::vector<std::wstring>{L"photo.raw"})) << "the temporary was removed";
}

TEST_F(FullCard, ACardBelowTheFolderMarginWarnsAndTheFirstFileEndsTheRun)
{
    makeFolders(cardFolder());
    fillCard(filler(), 4 * 1048576);
    writeFile(pc / L"sub\\small.txt", patternBytes(10, "small"));
    runs.normalBackupFunc();
    // Once for the backup folder, once for the sub-folder; then the file meets its own check.
    EXPECT_EQ(prompts.messages.size(), 3u);
    EXPECT_TRUE(prompts.shown(3, IDS_SD_SPACE_LOW));
    EXPECT_EQ(onlyResult().status, RunStatus::Fail);
    EXPECT_EQ(onlyResult().counts.failed, 1u);
    EXPECT_FALSE(exists(cardFolder() + L"\\sub\\small.txt"));
}

TEST_F(FullCard, BackingUpUntilTheCardIsFullThenFreeingSpaceCompletesTheBackup)
{
    // Twenty files of 50 KB and room for about six of them beside the margin.
    std::vector<std::wstring> names;
    for (int i = 0; i < 20; ++i) {
        names.push_back(L"f" + std::to_wstring(100 + i) + L".bin");
        writeFile(pc / names.back(), patternBytes(50'000, "file " + std::to_string(i)));
    }
    fillCard(filler(), kBackupSpaceMargin + 300'000);
    runs.normalBackupFunc();

    const ShownResult full = onlyResult();
    EXPECT_EQ(full.status, RunStatus::Fail);
    EXPECT_TRUE(prompts.shown(3, IDS_SD_SPACE_LOW));
    EXPECT_TRUE(run.diskFull);
    EXPECT_EQ(full.counts.failed, 1u);
    EXPECT_GE(full.counts.copied, 4u);
    EXPECT_LE(full.counts.copied, 6u);
    const auto onCard = filesBelow(cardFolder());
    EXPECT_EQ(onCard.size(), full.counts.copied) << "nothing partial under a real name";
    for (const auto& name : onCard)
        EXPECT_EQ(readFile(cardFolder() + L"\\" + name), readFile(pc / name)) << narrow(name);

    // The card's owner makes room; the next run copies the rest and skips what is there.
    ASSERT_TRUE(removeTree(filler()));
    prompts.messages.clear();
    reporting.clear();
    runs.normalBackupFunc();
    const ShownResult complete = onlyResult();
    EXPECT_EQ(complete.status, RunStatus::Complete);
    EXPECT_EQ(complete.counts.skipped, full.counts.copied);
    EXPECT_EQ(complete.counts.copied, 20u - full.counts.copied);
    EXPECT_TRUE(prompts.messages.empty());
    std::string why;
    EXPECT_TRUE(sameTree(pc.path(), cardFolder(), why)) << why;
}

} // namespace
} // namespace yk::test
