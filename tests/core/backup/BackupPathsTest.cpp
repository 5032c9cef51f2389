#include <gtest/gtest.h>

#include <map>
#include <set>

#include "backup/BackupPaths.h"
#include "backup/FileTime.h"

namespace yk {
namespace {

TEST(BackupPaths, DriveLetterComesFromTheTextBeforeTheLastColon)
{
    EXPECT_EQ(driveLetterOf(L"E:\\YarrowkeepCross\\a.txt"), L'E');
    EXPECT_EQ(driveLetterOf(L"c:\\Users"), L'c');
    EXPECT_EQ(driveLetterOf(L"\\\\server\\share\\file"), L'\\') << "a network path names no drive";
    EXPECT_EQ(driveLetterOf(L"\\\\?\\D:\\folder"), L'\\');
    EXPECT_EQ(driveLetterOf(L""), L'\0');
}

TEST(BackupPaths, ComponentsSplitAtEitherSeparator)
{
    EXPECT_EQ(lastComponent(L"E:\\a\\Normal Backup"), L"Normal Backup");
    EXPECT_EQ(lastComponent(L"C:/Users/anna/Docs"), L"Docs");
    EXPECT_EQ(lastComponent(L"plain"), L"plain");
    EXPECT_EQ(parentOf(L"E:\\a\\b"), L"E:\\a");
    EXPECT_EQ(parentOf(L"E:\\a"), L"E:");
    EXPECT_EQ(parentOf(L"plain"), L"");
    EXPECT_EQ(joinPath(L"E:\\a", L"b.txt"), L"E:\\a\\b.txt");
}

TEST(BackupPaths, SdLayoutAndUnavailableMarkers)
{
    EXPECT_EQ(sdBackupFolder(L'E', L"DESK1", L"anna", L"Normal Backup"),
              L"E:\\YarrowkeepCross\\DESK1\\anna\\Normal Backup");
    EXPECT_EQ(unavailableMarker(L"Yarrowkeep not found"), L"(Yarrowkeep not found)");
    EXPECT_TRUE(isUnavailableFolder(unavailableMarker(L"SD Card not enable")));
    EXPECT_TRUE(isUnavailableFolder(L""));
    EXPECT_FALSE(isUnavailableFolder(L"E:\\YarrowkeepCross"));
}

TEST(BackupPaths, SdCardTestComparesTheRootWithoutCase)
{
    EXPECT_TRUE(isOnDrive(L"E:\\", L'E'));
    EXPECT_TRUE(isOnDrive(L"e:\\YarrowkeepCross", L'E'));
    EXPECT_TRUE(isOnDrive(L"E:\\x", L'e'));
    EXPECT_FALSE(isOnDrive(L"C:\\Users\\anna", L'E'));
    EXPECT_FALSE(isOnDrive(L"E:", L'E'));
    EXPECT_FALSE(isOnDrive(L"E:\\x", L'\0'));
}

TEST(BackupPaths, PickerStartsAtTheNearestExistingFolder)
{
    const std::wstring expected = L"E:\\YarrowkeepCross\\DESK1\\anna\\Normal Backup";
    std::set<std::wstring> folders;
    const auto exists = [&](const std::wstring& path) { return folders.count(path) != 0; };

    EXPECT_EQ(restorePickerStart(expected, exists), L"E:\\") << "not even the cross folder exists";
    folders.insert(L"E:\\YarrowkeepCross");
    EXPECT_EQ(restorePickerStart(expected, exists), L"E:\\YarrowkeepCross\\");
    folders.insert(L"E:\\YarrowkeepCross\\DESK1\\anna");
    EXPECT_EQ(restorePickerStart(expected, exists), L"E:\\YarrowkeepCross\\DESK1\\anna\\");
    folders.insert(expected + L"\\");
    EXPECT_EQ(restorePickerStart(expected, exists), expected + L"\\");
}

TEST(BackupPaths, NumberedCandidates)
{
    EXPECT_EQ(numberedCandidate(L"E:\\b\\report.docx", 2, false), L"E:\\b\\report (2).docx");
    EXPECT_EQ(numberedCandidate(L"E:\\b\\archive.tar.gz", 12, false), L"E:\\b\\archive.tar (12).gz");
    EXPECT_EQ(numberedCandidate(L"E:\\b\\photo", 3, false), L"E:\\b\\photo (3).") << "stored without the dot";
    EXPECT_EQ(numberedCandidate(L"E:\\b.d\\photo", 2, false), L"E:\\b.d\\photo (2).");
    EXPECT_EQ(numberedCandidate(L"E:\\b\\a.txt", 2, true), L"E:\\b\\a (2).txt.vltrin");
}

// Candidate paths with their local last-write times; a missing time means it cannot be read.
struct FakeFolder {
    std::map<std::wstring, std::optional<std::uint64_t>> files;
    NameProbe probe()
    {
        return {[this](const std::wstring& p) { return files.count(p) != 0; },
                [this](const std::wstring& p) { return files.count(p) ? files.at(p) : std::nullopt; }};
    }
};

TEST(BackupPaths, NumberedNameSkipsAVersionAlreadyStored)
{
    const std::uint64_t source = fileTimeOfDate(2024, 5, 2) + 10 * kFileTimeUnitsPerSecond;
    FakeFolder folder;
    EXPECT_EQ(findNumberedName(L"E:\\b\\report.docx", source, false, folder.probe()), L"E:\\b\\report (2).docx");

    folder.files[L"E:\\b\\report (2).docx"] = source + 39'000'000 + 5'000; // 3.9 s off; the ms are dropped
    EXPECT_EQ(findNumberedName(L"E:\\b\\report.docx", source, false, folder.probe()), L"") << "already stored";

    folder.files[L"E:\\b\\report (2).docx"] = source + 40'000'000; // 4.0 s: another version
    EXPECT_EQ(findNumberedName(L"E:\\b\\report.docx", source, false, folder.probe()), L"E:\\b\\report (3).docx");

    folder.files[L"E:\\b\\report (3).docx"] = std::nullopt; // unreadable time: not this version
    EXPECT_EQ(findNumberedName(L"E:\\b\\report.docx", source, false, folder.probe()), L"E:\\b\\report (4).docx");

    folder.files[L"E:\\b\\report (4).docx"] = source;
    EXPECT_EQ(findNumberedName(L"E:\\b\\report.docx", source, false, folder.probe()), L"");
}

TEST(BackupPaths, OnAFatCardANumberedCopyAnHourOffIsTheVersionStored)
{
    const std::uint64_t source = fileTimeOfDate(2024, 11, 4) + 9 * 3600 * kFileTimeUnitsPerSecond;
    FakeFolder folder;
    folder.files[L"E:\\b\\report (2).docx"] = source - 3600 * kFileTimeUnitsPerSecond;
    NameProbe probe = folder.probe();
    EXPECT_EQ(findNumberedName(L"E:\\b\\report.docx", source, false, probe), L"E:\\b\\report (3).docx");
    probe.rule = TimeRule::FatLocalTime;
    EXPECT_EQ(findNumberedName(L"E:\\b\\report.docx", source, false, probe), L"");
}

TEST(BackupPaths, NumberedNameEncryptedAndExhausted)
{
    FakeFolder folder;
    EXPECT_EQ(findNumberedName(L"E:\\b\\a.txt.vltrin", 0, true, folder.probe()), L"E:\\b\\a (2).txt.vltrin");
    EXPECT_EQ(findNumberedName(L"E:\\b\\a.txt.VLTRIN", 0, true, folder.probe()), L"E:\\b\\a (2).txt.vltrin");
    folder.files[L"E:\\b\\a (2).txt.vltrin"] = 99 * kFileTimeUnitsPerSecond;
    EXPECT_EQ(findNumberedName(L"E:\\b\\a.txt.vltrin", 0, true, folder.probe()), L"E:\\b\\a (3).txt.vltrin");

    FakeFolder full;
    for (int n = 2; n <= 999; ++n)
        full.files[numberedCandidate(L"E:\\x.bin", n, false)] = 99 * kFileTimeUnitsPerSecond;
    EXPECT_EQ(findNumberedName(L"E:\\x.bin", 0, false, full.probe()), L"") << "all numbers taken";
    full.files.erase(numberedCandidate(L"E:\\x.bin", 999, false));
    EXPECT_EQ(findNumberedName(L"E:\\x.bin", 0, false, full.probe()), L"E:\\x (999).bin");
}

TEST(BackupPaths, TransferNamesAreRecognisedExactly)
{
    for (const std::uint64_t token : {0ull, 1ull, 0x0123456789abcdefull, ~0ull}) {
        const std::wstring name = transferTemporaryName(token);
        EXPECT_TRUE(isTransferTemporaryName(name)) << name.size();
        EXPECT_EQ(name.size(), 3u + 16u + 6u);
    }
    EXPECT_EQ(transferTemporaryName(0x0123456789abcdefull), L"~yk0123456789abcdef.yktmp");
    for (const wchar_t* other :
         {L"~yk0123456789ABCDEF.yktmp", L"~yk0123456789abcde.yktmp", L"~yk0123456789abcdefg.yktmp",
          L"yk0123456789abcdef.yktmp", L"~yk0123456789abcdef.yktm", L"~yk012345678_abcdef.yktmp", L"report.docx", L""})
        EXPECT_FALSE(isTransferTemporaryName(other)) << std::wstring(other).size();
}

} // namespace
} // namespace yk
