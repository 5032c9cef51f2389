// Listing, counting and the time queries on real folders of the PC disk.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>

#include "support/TestFiles.h"
#include "base/Win32Handles.h"
#include "backup/BackupPaths.h"
#include "backup/FileCatalogue.h"

namespace yk::test {
namespace {

constexpr std::uint64_t kSecond = 10'000'000;

std::vector<std::wstring> namesOf(const FileListArray& entries, int isDirectory)
{
    std::vector<std::wstring> names;
    for (const auto& entry : entries)
        if (entry.isDirectory == isDirectory)
            names.push_back(entry.name);
    std::sort(names.begin(), names.end());
    return names;
}

TEST(FileCatalogue, MissingEmptyAndFolderOnlyTreesHoldNoFiles)
{
    ScratchFolder root(L"catalogue");
    makeFolders(root / L"empty");
    makeFolders(root / L"folders\\a\\b");
    makeFolders(root / L"folders\\c");
    const DateRange everything{0, ~0ull};
    for (const std::wstring& folder : {root / L"missing", root / L"empty", root / L"folders"}) {
        std::uint64_t bytes = 99;
        EXPECT_EQ(countFiles(folder, bytes), 0u) << narrow(folder);
        EXPECT_EQ(bytes, 0u);
        bytes = 99;
        EXPECT_EQ(countFilesInRange(folder, bytes, everything), 0u);
        EXPECT_EQ(bytes, 0u);
        // A folder that cannot be read may hold files of the range: the restore enters it and its listing fails.
        EXPECT_EQ(anyFileInRange(folder, everything), folder == root / L"missing");
    }
    // An empty folder is listed whole; one that cannot be enumerated is reported, not taken for empty.
    FileListArray entries;
    EXPECT_FALSE(listFolder(root / L"missing", entries));
    EXPECT_TRUE(listFolder(root / L"empty", entries));
    EXPECT_TRUE(entries.empty());
}

TEST(FileCatalogue, ListsFilesBeforeFoldersAndAppends)
{
    ScratchFolder root(L"catalogue");
    const std::uint64_t written = nowUtc() - 3600 * kSecond;
    writeFile(root / L"b", patternBytes(10, "b"), written);
    makeFolders(root / L"a");
    writeFile(root / L"c", patternBytes(20, "c"), written);
    writeFile(root / L"a\\inside", patternBytes(5, "inside")); // not listed: no descent

    FileListArray entries(1); // what a caller had before stays
    listFolder(root.path(), entries);
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_TRUE(entries[0].name.empty());
    EXPECT_EQ(entries[1].isDirectory + entries[2].isDirectory, 0) << "files first";
    EXPECT_EQ(entries[3].isDirectory, 1);
    EXPECT_EQ(entries[3].name, L"a");
    EXPECT_EQ(entries[3].path, root / L"a");
    EXPECT_EQ(entries[3].size, 0u);
    EXPECT_EQ(namesOf(entries, 0), (std::vector<std::wstring>{L"", L"b", L"c"}));
    for (const auto& entry : entries) {
        if (entry.name == L"c") {
            EXPECT_EQ(entry.size, 20u);
            EXPECT_EQ(entry.path, root / L"c");
            EXPECT_EQ(entry.lastWriteTime, calendarSecondsOf(written));
            EXPECT_NE(entry.creationTime, 0);
        }
    }
}

TEST(FileCatalogue, HiddenAndSystemFilesCountLikeAnyOther)
{
    ScratchFolder root(L"catalogue");
    writeFile(root / L"plain.txt", patternBytes(100, "p"));
    writeFile(root / L"x\\hidden.txt", patternBytes(1000, "h"));
    writeFile(root / L"x\\y\\system.sys", patternBytes(10000, "s"));
    SetFileAttributesW((root / L"x\\hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesW((root / L"x\\y\\system.sys").c_str(), FILE_ATTRIBUTE_SYSTEM);
    std::uint64_t bytes = 0;
    EXPECT_EQ(countFiles(root.path(), bytes), 3u);
    EXPECT_EQ(bytes, 11100u);
    FileListArray entries;
    listFolder(root / L"x", entries);
    EXPECT_EQ(namesOf(entries, 0), (std::vector<std::wstring>{L"hidden.txt"}));
    SetFileAttributesW((root / L"x\\hidden.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
    SetFileAttributesW((root / L"x\\y\\system.sys").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(FileCatalogue, TemporariesOfInterruptedCopiesAreNeitherListedNorCounted)
{
    ScratchFolder root(L"catalogue");
    const std::wstring temporary = transferTemporaryName(0x1234);
    writeFile(root / L"kept.txt", patternBytes(10, "k"));
    writeFile(root / temporary, patternBytes(1000, "t"));
    writeFile(root / L"~yk-not-ours.yktmp", patternBytes(1, "n"));
    std::uint64_t bytes = 0;
    EXPECT_EQ(countFiles(root.path(), bytes), 2u);
    EXPECT_EQ(bytes, 11u);
    FileListArray entries;
    listFolder(root.path(), entries);
    EXPECT_EQ(namesOf(entries, 0), (std::vector<std::wstring>{L"kept.txt", L"~yk-not-ours.yktmp"}));
    EXPECT_EQ(FolderNames::of(root.path()).temporaries(), (std::vector<std::wstring>{root / temporary}));
    writeFile(root / (L"only\\" + temporary), patternBytes(1000, "t"));
    EXPECT_FALSE(anyFileInRange(root / L"only", DateRange{0, ~0ull})) << "a temporary is no file of the range";
}

TEST(FileCatalogue, FolderNamesHoldWhatTheFolderHoldsAsTheFileSystemComparesNames)
{
    ScratchFolder root(L"catalogue");
    writeFile(root / L"Report.TXT", patternBytes(1, "r"));
    writeFile(root / L"A rather long file name.document", patternBytes(1, "l"));
    writeFile(root / L"sub\\inner.txt", patternBytes(1, "i"));
    const FolderNames names = FolderNames::of(root.path());
    const struct {
        const wchar_t* name;
        bool held;
    } cases[] = {
        {L"Report.TXT", true},    {L"report.txt", true}, {L"REPORT.TXT.", true},
        {L"report.txt . ", true}, // a last part loses trailing dots and spaces
        {L"sub", true},           {L"SUB", true},        {L"report", false},
        {L"report.tx", false},    {L"inner.txt", false}, {L"A rather long file name.doc", false},
        {L"report.txt.x", false}, {L"", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(names.mayHold(c.name), c.held) << narrow(c.name);

    // A short name opens the same entry, so it is held too.
    WIN32_FIND_DATAW data;
    const HANDLE find = FindFirstFileW((root / L"A rather long file name.document").c_str(), &data);
    ASSERT_NE(find, INVALID_HANDLE_VALUE);
    FindClose(find);
    if (data.cAlternateFileName[0] != L'\0') {
        EXPECT_TRUE(names.mayHold(data.cAlternateFileName)) << narrow(data.cAlternateFileName);
    }

    // The walk's own names join the listing; a folder that cannot be listed holds every name.
    FolderNames learning = FolderNames::of(root.path());
    EXPECT_FALSE(learning.mayHold(L"report (2).txt"));
    learning.add(L"report (2).txt");
    EXPECT_TRUE(learning.mayHold(L"REPORT (2).TXT"));
    for (const FolderNames& unknown : {FolderNames{}, FolderNames::of(root / L"missing")}) {
        EXPECT_TRUE(unknown.mayHold(L"anything.txt"));
        EXPECT_TRUE(unknown.temporaries().empty());
    }
    // An empty folder is known to hold nothing.
    CreateDirectoryW((root / L"empty").c_str(), nullptr);
    EXPECT_FALSE(FolderNames::of(root / L"empty").mayHold(L"anything.txt"));
}

TEST(FileCatalogue, RangeCountsUseTheLocalDateOfTheLastWrite)
{
    ScratchFolder root(L"catalogue");
    writeFile(root / L"first-day.txt", patternBytes(1, "1"), utcOfLocal(2024, 3, 1, 0, 0, 0));
    writeFile(root / L"a\\last-second.txt", patternBytes(20, "2"), utcOfLocal(2024, 3, 3, 23, 59, 59));
    writeFile(root / L"b\\deep\\next-day.txt", patternBytes(300, "3"), utcOfLocal(2024, 3, 4, 0, 0, 0));
    writeFile(root / L"b\\day-before.txt", patternBytes(4000, "4"), utcOfLocal(2024, 2, 29, 23, 59, 59));
    const DateRange march1To3{fileTimeOfDate(2024, 3, 1), fileTimeOfDate(2024, 3, 3)};

    std::uint64_t bytes = 0;
    EXPECT_EQ(countFilesInRange(root.path(), bytes, march1To3), 2u);
    EXPECT_EQ(bytes, 21u);
    EXPECT_TRUE(anyFileInRange(root.path(), march1To3));
    EXPECT_TRUE(anyFileInRange(root / L"a", march1To3));
    EXPECT_FALSE(anyFileInRange(root / L"b", march1To3));
    const DateRange april{fileTimeOfDate(2024, 4, 1), fileTimeOfDate(2024, 4, 30)};
    EXPECT_EQ(countFilesInRange(root.path(), bytes, april), 0u);
    EXPECT_EQ(bytes, 0u);
}

TEST(FileCatalogue, TimesTravelBetweenFilesAndFolders)
{
    ScratchFolder root(L"catalogue");
    writeFile(root / L"f.txt", patternBytes(1, "f"));
    makeFolders(root / L"d");
    const std::uint64_t created = nowUtc() - 86400 * 40 * kSecond;
    const std::uint64_t written = nowUtc() - 86400 * 3 * kSecond + 1234567; // sub-second part kept as stored
    for (const std::wstring& path : {root / L"f.txt", root / L"d"}) {
        ASSERT_TRUE(setFileTimes(path, created, written)) << narrow(path);
        std::uint64_t readCreated = 0;
        std::uint64_t readWritten = 0;
        ASSERT_TRUE(readFileTimes(path, readCreated, readWritten));
        EXPECT_EQ(readWritten, written);
        std::uint64_t local = 0;
        ASSERT_TRUE(getLocalLastWriteTime(path, local));
        EXPECT_EQ(local, toLocalFileTime(written));
    }
    std::uint64_t a = 0;
    std::uint64_t b = 0;
    EXPECT_FALSE(setFileTimes(root / L"missing", created, written));
    EXPECT_FALSE(readFileTimes(root / L"missing", a, b));
    EXPECT_FALSE(getLocalLastWriteTime(root / L"missing", a));
    EXPECT_TRUE(pathExists(root / L"d") && isExistingFolder(root / L"d"));
    EXPECT_TRUE(pathExists(root / L"f.txt"));
    EXPECT_FALSE(isExistingFolder(root / L"f.txt"));
}

TEST(FileCatalogue, PathsOfTheClassicLimitOrLongerCountAsMissing)
{
    ScratchFolder root(L"catalogue");
    std::wstring folder = root.path();
    while (folder.size() < 250)
        folder += L"\\abcdefghij";
    ASSERT_TRUE(CreateDirectoryW((L"\\\\?\\" + folder).c_str(), nullptr) || makeFolders(folder) ||
                GetFileAttributesW((L"\\\\?\\" + folder).c_str()) != INVALID_FILE_ATTRIBUTES);
    // Make every level through the unlimited form, then a file well past 260 characters.
    std::wstring built = root.path();
    for (std::size_t at = root.path().size() + 1; at <= folder.size(); ++at) {
        if (at == folder.size() || folder[at] == L'\\')
            CreateDirectoryW((L"\\\\?\\" + folder.substr(0, at)).c_str(), nullptr);
    }
    const std::wstring file = folder + L"\\a-file-name-past-the-limit.txt";
    ASSERT_GE(file.size(), 260u);
    {
        const UniqueHandle handle(
            CreateFileW((L"\\\\?\\" + file).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        ASSERT_TRUE(handle);
        DWORD written = 0;
        WriteFile(handle.get(), "12345", 5, &written, nullptr);
    }
    EXPECT_FALSE(pathExists(file));
    EXPECT_FALSE(isExistingFolder(folder + L"\\" + std::wstring(20, L'x')));
    DeleteFileW((L"\\\\?\\" + file).c_str());
    for (std::wstring level = folder; level.size() > root.path().size(); level = level.substr(0, level.rfind(L'\\')))
        RemoveDirectoryW((L"\\\\?\\" + level).c_str());
}

// The local date follows the process's time zone (under Wine, the TZ of the Unix environment: run the binary
// with TZ=Etc/GMT-1 to see the east-of-UTC case).
TEST(FileCatalogue, LocalDateFollowsTheTimeZone)
{
    TIME_ZONE_INFORMATION zone;
    GetTimeZoneInformation(&zone);
    // 23:30 UTC on 28 February 2023 is already 1 March in any zone at least 30 minutes east of UTC.
    const std::uint64_t written = fileTimeOfDate(2023, 2, 28) + (23 * 3600 + 30 * 60) * kSecond;
    const bool east = zone.Bias <= -30;
    const DateRange march1To3{fileTimeOfDate(2023, 3, 1), fileTimeOfDate(2023, 3, 3)};
    const DateRange february28{fileTimeOfDate(2023, 2, 28), fileTimeOfDate(2023, 2, 28)};
    EXPECT_EQ(isDateInRange(toLocalFileTime(written), march1To3), east) << "bias " << zone.Bias;
    EXPECT_EQ(isDateInRange(toLocalFileTime(written), february28), !east && zone.Bias >= -30);

    ScratchFolder root(L"zone");
    writeFile(root / L"late.txt", patternBytes(7, "late"), written);
    std::uint64_t bytes = 0;
    EXPECT_EQ(countFilesInRange(root.path(), bytes, march1To3), east ? 1u : 0u);
    EXPECT_EQ(anyFileInRange(root.path(), march1To3), east);
}

} // namespace
} // namespace yk::test
