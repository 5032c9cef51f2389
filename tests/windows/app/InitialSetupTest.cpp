// The first-use set-up against scripted prompts: what is saved, what is shown, and the folder made in
// Documents.
#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "app/InitialSetup.h"
#include "backup/BackupFolderChoice.h"
#include "base/CatalogKeys.h"
#include "device/Win32DeviceHost.h"
#include "support/TestFiles.h"
#include "ui/MessageBoxResult.h"

namespace yk::test {
namespace {

const std::wstring kTestKey = L"Software\\YarrowkeepTests\\InitialSetup";

struct Shown {
    int kind;
    std::uint16_t text;
    std::wstring folder;
};

// Answers every prompt from a script and keeps what was shown.
class SetupPrompts final : public RunPrompts {
public:
    int showMessage(int kind, const CatalogKey& text) override
    {
        shown.push_back({kind, text.english, {}});
        return messageAnswer;
    }
    void showFolderMessage(const CatalogKey& title, const CatalogKey& body, const std::wstring& folder) override
    {
        shown.push_back({title.english, body.english, folder});
    }
    std::optional<std::wstring> chooseFolder(const std::wstring& startFolder) override
    {
        pickerStarts.push_back(startFolder);
        return picked;
    }
    std::optional<std::pair<CalendarDate, CalendarDate>> chooseDateRange() override { return std::nullopt; }
    std::optional<PasswordKey> askRestorePassword() override { return std::nullopt; }

    int messageAnswer = kBoxOk;
    std::optional<std::wstring> picked;
    std::vector<Shown> shown;
    std::vector<std::wstring> pickerStarts;
};

class InitialSetup : public ::testing::Test {
protected:
    void SetUp() override { RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey.c_str()); }
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey.c_str()); }

    bool run(const std::wstring& documents, int confirmation = kBoxOk)
    {
        return runInitialSetup(
            profile, host, prompts,
            [&](const std::wstring& folder) {
                confirmed.push_back(folder);
                return confirmation;
            },
            documents);
    }
    void expectNothingSaved()
    {
        for (const wchar_t* name : {L"Directory", L"Auto Backup", L"Secure Backup", L"APPInitialSetup"}) {
            HKEY key = nullptr;
            bool present = false;
            if (RegOpenKeyExW(HKEY_CURRENT_USER, kTestKey.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS) {
                present = RegQueryValueExW(key, name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
                RegCloseKey(key);
            }
            EXPECT_FALSE(present) << narrow(name) << " was saved";
        }
        EXPECT_TRUE(confirmed.empty());
    }

    SettingsProfile profile{kTestKey};
    Settings settings{profile};
    Win32DeviceHost host;
    SetupPrompts prompts;
    std::vector<std::wstring> confirmed;
    ScratchFolder scratch{L"setup"};
};

TEST_F(InitialSetup, AChosenFolderIsSavedWithTheAutomaticBackupOnAndConfirmed)
{
    const std::wstring documents = scratch / L"Documents";
    const std::wstring chosen = scratch / L"Backups";
    ASSERT_TRUE(makeFolders(documents));
    ASSERT_TRUE(makeFolders(chosen));
    settings.secureBackup.set(1);
    prompts.picked = chosen;

    EXPECT_TRUE(run(documents));
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].kind, box_kind::kFolder);
    EXPECT_EQ(prompts.shown[0].text, IDS_SELECT_BACKUP_PATH.english);
    EXPECT_EQ(prompts.pickerStarts, std::vector<std::wstring>{documents});
    EXPECT_EQ(getBackupDirectory(profile), chosen);
    EXPECT_EQ(settings.autoBackup.get(), 1);
    EXPECT_EQ(settings.secureBackup.get(), 0);
    EXPECT_EQ(settings.appInitialSetup.get(), 1);
    EXPECT_EQ(confirmed, std::vector<std::wstring>{chosen});
    EXPECT_FALSE(exists(chosen + L"\\Yarrowkeep_Backup"));
}

TEST_F(InitialSetup, AConfirmationNotEndedWithOkStillLeavesTheSetupSaved)
{
    prompts.picked = scratch.path();
    EXPECT_FALSE(run(L"", kBoxRight));
    EXPECT_EQ(settings.appInitialSetup.get(), 1);
    EXPECT_EQ(getBackupDirectory(profile), scratch.path());
    EXPECT_EQ(prompts.pickerStarts, std::vector<std::wstring>{L""}) << "no Documents: the picker starts anywhere";
}

TEST_F(InitialSetup, EveryStopBeforeTheSaveLeavesTheSetupPending)
{
    // The prompt not ended with OK: no picker.
    prompts.messageAnswer = kBoxRight;
    prompts.picked = scratch.path();
    EXPECT_FALSE(run(L""));
    EXPECT_TRUE(prompts.pickerStarts.empty());
    expectNothingSaved();

    // The picker cancelled.
    prompts.messageAnswer = kBoxOk;
    prompts.picked.reset();
    EXPECT_FALSE(run(L""));
    expectNothingSaved();

    // A folder that is not there (gone since it was picked).
    prompts.shown.clear();
    prompts.picked = scratch / L"gone";
    EXPECT_FALSE(run(L""));
    ASSERT_EQ(prompts.shown.size(), 2u);
    EXPECT_EQ(prompts.shown[1].kind, box_kind::kFolder);
    EXPECT_EQ(prompts.shown[1].text, IDS_DIRECTORY_INVALID.english);
    expectNothingSaved();
}

TEST_F(InitialSetup, TheDocumentsFolderItselfGetsAFolderOfItsOwnForTheBackups)
{
    const std::wstring documents = scratch / L"My Documents";
    ASSERT_TRUE(makeFolders(documents));
    // The same folder as the picker spells it: case does not count.
    std::wstring picked = documents;
    for (wchar_t& c : picked)
        c = static_cast<wchar_t>(towupper(c));
    prompts.picked = picked;

    EXPECT_TRUE(run(documents));
    const std::wstring expected = picked + L"\\Yarrowkeep_Backup";
    EXPECT_EQ(getBackupDirectory(profile), expected);
    const DWORD attributes = GetFileAttributesW(expected.c_str());
    ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(confirmed, std::vector<std::wstring>{expected});
}

TEST_F(InitialSetup, ABackupFolderThatCannotBeMadeInDocumentsAsksForAnotherPath)
{
    const std::wstring documents = scratch / L"Documents";
    writeFile(documents + L"\\Yarrowkeep_Backup", patternBytes(10, "a file in the way"));
    prompts.picked = documents;

    EXPECT_FALSE(run(documents));
    ASSERT_EQ(prompts.shown.size(), 2u);
    EXPECT_EQ(prompts.shown[1].kind, IDS_SET_PATH_AGAIN.english);
    EXPECT_EQ(prompts.shown[1].text, IDS_CREATE_DIRECTORY_FAIL.english);
    EXPECT_EQ(prompts.shown[1].folder, documents + L"\\Yarrowkeep_Backup");
    expectNothingSaved();
}

TEST_F(InitialSetup, ALaterChoiceOfTheDocumentsFolderIsKeptAsItIs)
{
    // The settings page's Browse once a folder is set: no sub-folder is made.
    const std::wstring documents = scratch / L"Documents";
    ASSERT_TRUE(makeFolders(documents));
    prompts.picked = documents;
    const auto chosen = chooseBackupFolder(prompts, host, scratch.path(), documents, false);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(*chosen, documents);
    EXPECT_FALSE(exists(documents + L"\\Yarrowkeep_Backup"));
    EXPECT_EQ(prompts.pickerStarts, std::vector<std::wstring>{scratch.path()});
    EXPECT_TRUE(prompts.shown.empty());
}

} // namespace
} // namespace yk::test
