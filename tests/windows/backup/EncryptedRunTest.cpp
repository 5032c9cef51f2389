// The encrypted backup and the decrypting restore as the commands run them, with scripted prompts.
#include "RunHarness.h"

#include "base/CatalogKeys.h"
#include "backup/BackupLocations.h"
#include "secure/EncryptedFile.h"
#include "backup/ProgressText.h"
#include "secure/SettingsStore.h"
#include "ui/MessageBoxResult.h"

namespace yk::test {
namespace {

constexpr std::uint64_t kSecond = 10'000'000;
constexpr std::int32_t kRestoreAll = 1;
constexpr std::int32_t kRestoreRange = 2;

PasswordKey keyOf(const char* password)
{
    return *makePasswordKey(password);
}

class EncryptedRun : public CardRunTest {
protected:
    std::wstring encryptedFolder() const
    {
        return card.root() + L"YarrowkeepCross\\" + names.computerName + L"\\" + names.userName + L"\\Encrypt Backup";
    }
    void setDefaultPassword(const char* password)
    {
        ASSERT_TRUE(writeDefaultPassword(settings.profile(), keyOf(password)));
    }
    // Empties the PC folder so that a restore has something to bring back.
    void clearPc()
    {
        for (const auto& file : filesBelow(pc.path()))
            ASSERT_TRUE(removeTree(pc / file));
    }
    void restoreAll(const char* password)
    {
        prompts.folderAnswers = {encryptedFolder()};
        prompts.passwordAnswers = {keyOf(password)};
        restoreChoice = kRestoreAll;
        runs.decryptRestoreFunc();
    }
};

TEST_F(EncryptedRun, WithoutADefaultPasswordNothingRunsAndTheSettingsOpen)
{
    writeFile(pc / L"a.txt", patternBytes(10, "a"));
    runs.encryptBackupFunc();
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].kind, box_kind::kPassword);
    EXPECT_EQ(prompts.messages[0].text, IDS_SET_ENCRYPT_PASSWORD.english);
    EXPECT_EQ(shell.settingsOpened, 1);
    EXPECT_TRUE(reporting.results.empty());
    EXPECT_EQ(reporting.opens, 0);
    EXPECT_FALSE(exists(encryptedFolder()));
}

TEST_F(EncryptedRun, AFileRewrittenBeforeItIsOpenedIsEncryptedWholeWithItsNewSize)
{
    setDefaultPassword("grow");
    writeFile(pc / L"growing.log", patternBytes(1000, "before"));
    int questions = 0;
    host.onSpaceQuestion = [&] {
        if (++questions == 2)
            writeFile(pc / L"growing.log", patternBytes(200'000, "after"));
    };
    runs.encryptBackupFunc();
    host.onSpaceQuestion = nullptr;
    ASSERT_GE(questions, 2);
    EXPECT_EQ(onlyResult().counts.copied, 1u);
    clearPc();
    reporting.clear();
    restoreAll("grow");
    EXPECT_EQ(onlyResult().counts.copied, 1u);
    EXPECT_EQ(readFile(pc / L"growing.log"), patternBytes(200'000, "after"));
}

// An encrypted copy needs room for what it writes: the header and the padded body, plus the margin.
TEST_F(EncryptedRun, TheFreeSpaceCheckCountsTheEncryptedSizeToTheByte)
{
    setDefaultPassword("space");
    const std::vector<std::uint8_t> bytes = patternBytes(100'000, "boundary");
    writeFile(pc / L"edge.bin", bytes);
    const std::uint64_t needed = *encryptedFileSize(bytes.size()) + kBackupSpaceMargin;
    ASSERT_GT(needed, bytes.size() + kBackupSpaceMargin);
    for (const auto& [free, copied] : {std::pair{needed - 1, false}, {needed, true}, {needed + 1, true}}) {
        SCOPED_TRACE(free);
        ASSERT_TRUE(removeTree(encryptedFolder()));
        prompts.messages.clear();
        reporting.clear();
        host.setFree(card.letter(), free);
        runs.encryptBackupFunc();
        EXPECT_EQ(onlyResult().status, copied ? RunStatus::Complete : RunStatus::Fail);
        EXPECT_EQ(onlyResult().counts.copied, copied ? 1u : 0u);
        EXPECT_EQ(run.diskFull, !copied);
        EXPECT_EQ(prompts.shown(3, IDS_SD_SPACE_LOW), !copied);
        const std::wstring stored = encryptedFolder() + L"\\edge.bin.vltrin";
        EXPECT_EQ(exists(stored), copied);
        if (copied) {
            EXPECT_EQ(readFile(stored).size(), *encryptedFileSize(bytes.size()));
        }
        EXPECT_TRUE(temporariesBelow(encryptedFolder()).empty());
    }
}

// A decrypting restore onto files the PC has: the same times are the same file, other times keep both,
// the restored one as a numbered plain version.
TEST_F(EncryptedRun, RestoringOntoExistingFilesSkipsTheSameAndNumbersTheOther)
{
    setDefaultPassword("both");
    const std::uint64_t t = nowUtc() - 3600 * kSecond;
    const auto same = patternBytes(3000, "same");
    const auto backedUp = patternBytes(1048576 + 77, "backed up");
    writeFile(pc / L"same.txt", same, t);
    writeFile(pc / L"sub\\other.bin", backedUp, t - 100 * kSecond);
    runs.encryptBackupFunc();
    ASSERT_EQ(onlyResult().counts.copied, 2u);

    // The PC's copy of other.bin changed since; same.txt did not.
    const auto changed = patternBytes(500, "changed on the pc");
    writeFile(pc / L"sub\\other.bin", changed, t + 100 * kSecond);
    reporting.clear();
    restoreAll("both");
    const ShownResult result = onlyResult();
    EXPECT_EQ(result.status, RunStatus::Complete);
    EXPECT_EQ(result.counts.total, 2u);
    EXPECT_EQ(result.counts.skipped, 1u);
    EXPECT_EQ(result.counts.copied, 1u);
    EXPECT_EQ(readFile(pc / L"same.txt"), same);
    EXPECT_EQ(readFile(pc / L"sub\\other.bin"), changed) << "the PC's own version is kept";
    EXPECT_EQ(readFile(pc / L"sub\\other (2).bin"), backedUp) << "the restored version, decrypted";
    EXPECT_EQ(lastWriteUtc(pc / L"sub\\other (2).bin"), t - 100 * kSecond);
    EXPECT_EQ(filesBelow(pc.path()),
              (std::vector<std::wstring>{L"same.txt", L"sub\\other (2).bin", L"sub\\other.bin"}));

    // Again: both versions are there now, nothing is restored twice.
    reporting.clear();
    restoreAll("both");
    EXPECT_EQ(onlyResult().counts.skipped, 2u);
    EXPECT_EQ(onlyResult().counts.copied, 0u);
    EXPECT_EQ(filesBelow(pc.path()).size(), 3u);
}

TEST_F(EncryptedRun, BacksUpEncryptedSkipsUnchangedAndRestoresByteForByte)
{
    setDefaultPassword("tree password");
    const std::uint64_t t = nowUtc() - 3600 * kSecond;
    writeFile(pc / L"photo.jpg", patternBytes(70000, "photo"), t);
    writeFile(pc / L"docs\\report.docx", patternBytes(131073, "report"), t - 5 * kSecond);
    writeFile(pc / L"docs\\empty.txt", {}, t);
    ScratchFolder original{L"original"};
    for (const auto& file : filesBelow(pc.path()))
        writeFile(original / file, readFile(pc / file), lastWriteUtc(pc / file));

    runs.encryptBackupFunc();
    ShownResult first = onlyResult();
    EXPECT_EQ(first.kind, RunKind::EncryptedBackup);
    EXPECT_EQ(first.status, RunStatus::Complete);
    EXPECT_EQ(first.counts.copied, 3u);
    EXPECT_EQ(reporting.progressKind, RunKind::EncryptedBackup);
    EXPECT_EQ(reporting.target, L"Encrypt Backup");
    EXPECT_EQ(reporting.totalBytes, 70000u + 131073u) << "the totals are those of the plain files";
    EXPECT_EQ(filesBelow(encryptedFolder()),
              (std::vector<std::wstring>{L"docs\\empty.txt.vltrin", L"docs\\report.docx.vltrin", L"photo.jpg.vltrin"}));
    EXPECT_EQ(readFile(encryptedFolder() + L"\\photo.jpg.vltrin").size(), 512u + 70016u);

    reporting.clear();
    runs.encryptBackupFunc();
    const ShownResult second = onlyResult();
    EXPECT_EQ(second.counts.skipped, 3u);
    EXPECT_TRUE(showsNoItemsMessage(second.status, second.counts));

    writeFile(pc / L"photo.jpg", patternBytes(1000, "changed"), t + 600 * kSecond);
    reporting.clear();
    runs.encryptBackupFunc();
    EXPECT_EQ(onlyResult().counts.copied, 1u);
    EXPECT_TRUE(exists(encryptedFolder() + L"\\photo (2).jpg.vltrin"));

    clearPc();
    writeFile(original / L"photo (2).jpg", patternBytes(1000, "changed"), t + 600 * kSecond);
    reporting.clear();
    restoreAll("tree password");
    const ShownResult restored = onlyResult();
    EXPECT_EQ(restored.kind, RunKind::DecryptRestore);
    EXPECT_EQ(restored.status, RunStatus::Complete);
    EXPECT_EQ(restored.counts.copied, 4u);
    EXPECT_EQ(prompts.passwordDialogs, 1);
    std::string why;
    EXPECT_TRUE(sameTree(original.path(), pc.path(), why)) << why;
}

TEST_F(EncryptedRun, WrongPasswordRestoresNothingAndShowsTheFilesUndone)
{
    setDefaultPassword("right");
    for (const wchar_t* name : {L"1.txt", L"2.txt", L"3.txt", L"4.txt"})
        writeFile(pc / name, patternBytes(300, narrow(name)), nowUtc() - 3600 * kSecond);
    runs.encryptBackupFunc();
    clearPc();
    reporting.clear();

    restoreAll("wrong");
    const ShownResult result = onlyResult();
    EXPECT_EQ(result.status, RunStatus::Complete);
    EXPECT_EQ(result.counts.copied, 0u);
    EXPECT_EQ(result.counts.failed, 4u);
    EXPECT_EQ(result.counts.wrongPassword, 4u);
    EXPECT_EQ(undoneItems(result.counts), 4);
    EXPECT_TRUE(filesBelow(pc.path()).empty());
}

TEST_F(EncryptedRun, CancellingThePasswordStartsNothing)
{
    setDefaultPassword("right");
    writeFile(pc / L"a.txt", patternBytes(300, "a"), nowUtc() - 3600 * kSecond);
    runs.encryptBackupFunc();
    clearPc();
    reporting.clear();

    struct Case {
        std::int32_t choice;
        int rangeDialogs;
    };
    for (const Case c : {Case{kRestoreAll, 0}, Case{kRestoreRange, 1}}) {
        prompts.folderAnswers = {encryptedFolder()};
        prompts.rangeAnswers = {std::pair{CalendarDate{2000, 1, 1}, CalendarDate{2100, 1, 1}}};
        prompts.passwordAnswers.clear(); // the dialog is cancelled
        prompts.passwordDialogs = 0;
        prompts.rangeDialogs = 0;
        restoreChoice = c.choice;
        runs.decryptRestoreFunc();
        EXPECT_EQ(prompts.rangeDialogs, c.rangeDialogs) << "the range is asked before the password";
        EXPECT_EQ(prompts.passwordDialogs, 1);
        EXPECT_TRUE(reporting.results.empty());
        EXPECT_EQ(reporting.opens, 0);
        EXPECT_TRUE(prompts.messages.empty());
    }
    EXPECT_TRUE(filesBelow(pc.path()).empty());
}

TEST_F(EncryptedRun, DateRangeRestoreBringsBackOnlyFilesOfTheRange)
{
    setDefaultPassword("right");
    writeFile(pc / L"march.txt", patternBytes(100, "m"), utcOfLocal(2024, 3, 2, 12, 0, 0));
    writeFile(pc / L"april.txt", patternBytes(100, "a"), utcOfLocal(2024, 4, 2, 12, 0, 0));
    writeFile(pc / L"old\\feb.txt", patternBytes(100, "f"), utcOfLocal(2024, 2, 2, 12, 0, 0));
    runs.encryptBackupFunc();
    clearPc();
    reporting.clear();

    prompts.folderAnswers = {encryptedFolder()};
    prompts.rangeAnswers = {std::pair{CalendarDate{2024, 3, 1}, CalendarDate{2024, 3, 31}}};
    prompts.passwordAnswers = {keyOf("right")};
    restoreChoice = kRestoreRange;
    runs.decryptRestoreFunc();
    const ShownResult result = onlyResult();
    EXPECT_EQ(result.kind, RunKind::DecryptRestore);
    EXPECT_EQ(result.counts.total, 1u);
    EXPECT_EQ(result.counts.copied, 1u);
    EXPECT_EQ(filesBelow(pc.path()), std::vector<std::wstring>{L"march.txt"});
    EXPECT_EQ(readFile(pc / L"march.txt"), patternBytes(100, "m"));
}

} // namespace
} // namespace yk::test
