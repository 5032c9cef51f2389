// The folder layout on the card, target folders and their free-space check, the restore-source chooser and
// numbered names on a real drive.
#include "RunHarness.h"

#include "base/CatalogKeys.h"
#include "backup/BackupLocations.h"
#include "backup/FileCatalogue.h"
#include "device/Win32DeviceHost.h"
#include "ui/MessageBoxResult.h"

namespace yk::test {
namespace {

constexpr std::uint64_t kSecond = 10'000'000;

TEST(BackupLocations, IdentityNamesAreTheSystemsOwn)
{
    const IdentityNames names = loadIdentityNames();
    wchar_t buffer[1024];
    DWORD size = 1024;
    ASSERT_TRUE(GetComputerNameW(buffer, &size));
    EXPECT_EQ(names.computerName, std::wstring(buffer, size));
    size = 1024;
    ASSERT_TRUE(GetUserNameW(buffer, &size));
    EXPECT_EQ(names.userName, std::wstring(buffer));
    EXPECT_FALSE(names.userName.empty());
}

TEST(BackupLocations, TargetFolderFollowsTheDeviceState)
{
    const IdentityNames names{L"DESK1", L"anna"};
    DeviceState device;
    device.strDriveID = L"E:SD Card Reader";
    EXPECT_EQ(backupTargetFolder(device, names, false), L"(Yarrowkeep not found)");
    device.connected = true;
    EXPECT_EQ(backupTargetFolder(device, names, true), L"(SD Card not enable)");
    device.sdEnabled = true;
    EXPECT_EQ(backupTargetFolder(device, names, false), L"E:\\YarrowkeepCross\\DESK1\\anna\\Normal Backup");
    EXPECT_EQ(backupTargetFolder(device, names, true), L"E:\\YarrowkeepCross\\DESK1\\anna\\Encrypt Backup");
}

TEST(BackupLocations, EnsureFolderNeedsFiveMebibytesFree)
{
    Win32DeviceHost real;
    SpaceHost host(real);
    ScriptedPrompts prompts;
    ScratchFolder root(L"locations");
    const wchar_t letter = root.path()[0];

    host.setFree(letter, 5'242'880);
    EXPECT_EQ(ensureFolder(root / L"a\\b\\c", StorageSide::Computer, host, prompts), FolderResult::Ready);
    EXPECT_TRUE(isExistingFolder(root / L"a\\b\\c")) << "missing parents are made too";
    EXPECT_EQ(ensureFolder(root / L"a\\b\\c", StorageSide::Computer, host, prompts), FolderResult::Ready);
    EXPECT_TRUE(prompts.messages.empty());

    host.setFree(letter, 5'242'879);
    EXPECT_EQ(ensureFolder(root / L"d", StorageSide::Computer, host, prompts), FolderResult::SpaceShort);
    EXPECT_EQ(ensureFolder(root / L"d", StorageSide::SdCard, host, prompts), FolderResult::SpaceShort);
    EXPECT_FALSE(pathExists(root / L"d")) << "nothing is made on a drive short of space";
    ASSERT_EQ(prompts.messages.size(), 2u);
    EXPECT_TRUE(prompts.shown(box_kind::kLowSpace, IDS_DISK_SPACE_LOW));
    EXPECT_TRUE(prompts.shown(3, IDS_SD_SPACE_LOW));

    host.setFree(letter, 1ull << 40);
    writeFile(root / L"file", patternBytes(3, "f"));
    EXPECT_EQ(ensureFolder(root / L"file", StorageSide::SdCard, host, prompts), FolderResult::Unavailable);
    EXPECT_EQ(ensureFolder(root / L"file\\below", StorageSide::SdCard, host, prompts), FolderResult::Unavailable);
    // A path that names no drive has no free space.
    EXPECT_EQ(ensureFolder(L"\\\\server\\share\\x", StorageSide::Computer, host, prompts), FolderResult::SpaceShort);
}

using RestoreSource = CardRunTest;

TEST_F(RestoreSource, PickerStartsAtTheBackupFolderOrItsNearestAncestor)
{
    const std::wstring cross = card.root() + L"YarrowkeepCross";
    const bool crossExisted = isExistingFolder(cross);
    if (!crossExisted) {
        // The card holds no backup at all: the picker opens at its root.
        EXPECT_FALSE(chooseRestoreSource(card.device, names, false, prompts));
        ASSERT_EQ(prompts.pickerStarts.size(), 1u);
        EXPECT_EQ(prompts.pickerStarts.back(), card.root());
        makeFolders(cross);
    }
    chooseRestoreSource(card.device, names, false, prompts);
    EXPECT_EQ(prompts.pickerStarts.back(), cross + L"\\");
    makeFolders(cardBackupFolder());
    chooseRestoreSource(card.device, names, false, prompts);
    EXPECT_EQ(prompts.pickerStarts.back(), cardBackupFolder() + L"\\");
    EXPECT_TRUE(prompts.messages.empty()) << "a cancelled picker says nothing";

    prompts.folderAnswers = {cardBackupFolder(), card.root() + L"no such folder"};
    EXPECT_EQ(chooseRestoreSource(card.device, names, false, prompts), cardBackupFolder());
    EXPECT_FALSE(chooseRestoreSource(card.device, names, false, prompts));
    EXPECT_TRUE(prompts.shown(box_kind::kFolder, IDS_DIRECTORY_INVALID));
    if (!crossExisted)
        removeTree(cross);
}

TEST_F(RestoreSource, NumberedNamesOnTheCard)
{
    const std::uint64_t t = nowUtc() - 600 * kSecond;
    const std::wstring folder = cardBackupFolder();
    writeFile(folder + L"\\report.docx", patternBytes(5, "1"), t);
    EXPECT_EQ(findNumberedName(folder + L"\\report.docx", toLocalFileTime(t), false), folder + L"\\report (2).docx");
    writeFile(folder + L"\\report (2).docx", patternBytes(5, "2"), t + 39'000'000);
    EXPECT_EQ(findNumberedName(folder + L"\\report.docx", toLocalFileTime(t), false), L"") << "3.9 s: stored";
    setLastWriteUtc(folder + L"\\report (2).docx", t + 40'000'000);
    EXPECT_EQ(findNumberedName(folder + L"\\report.docx", toLocalFileTime(t), false), folder + L"\\report (3).docx");
    EXPECT_EQ(findNumberedName(folder + L"\\a.txt.vltrin", toLocalFileTime(t), true), folder + L"\\a (2).txt.vltrin");
}

} // namespace
} // namespace yk::test
