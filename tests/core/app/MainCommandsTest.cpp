// The side menu's commands: busy check, set-up check, the page each item leads to, the file browser item.
#include "core/device/SdAccessFixture.h"

#include "app/MainCommands.h"
#include "resources/resource.h"

namespace yk {
namespace {

struct RecordedPages final : PageViews {
    std::vector<int> shown;
    std::vector<int> views;
    void hideAllPages() override {}
    void showPage(int index) override { shown.push_back(index); }
    void showBackupRestoreView(int mode) override { views.push_back(mode); }
    void loadSettingsPage() override {}
    void setMenuHighlight(int, bool) override {}
};

struct RecordedActions final : MainWindowActions {
    int setupRequests = 0;
    int siteOpenings = 0;
    void requestInitialSetup() override { ++setupRequests; }
    void openVendorSite() override { ++siteOpenings; }
};

struct MainCommandsTest : test::SdAccessFixture {
    RecordedPages pages;
    PageNavigator navigator{pages};
    RecordedActions actions;
    MainCommands commands{navigator, state, access, ui, settings, actions, runInProgress};

    MainCommandsTest() { navigator.switchPage(kHomePage, kNoPageMode); }
};

TEST_F(MainCommandsTest, EveryMenuControlLeadsToItsPage)
{
    cardEnabled();
    struct Case {
        int id;
        int selection;
    };
    const Case cases[] = {
        {IDC_MENU_NORMAL_BACKUP_IMAGE, kSelectionNormalBackup},
        {IDC_MENU_ENCRYPT_BACKUP_TEXT, kSelectionEncryptBackup},
        {IDC_MENU_NORMAL_RESTORE_IMAGE, kSelectionNormalRestore},
        {IDC_MENU_DECRYPT_RESTORE_TEXT, kSelectionDecryptRestore},
        {IDC_MENU_SETTINGS_IMAGE, kSelectionSettings},
        {IDC_MENU_HELP_TEXT, kSelectionHelp},
        {IDC_MENU_NORMAL_BACKUP_TEXT, kSelectionNormalBackup},
        {IDC_MENU_ENCRYPT_BACKUP_IMAGE, kSelectionEncryptBackup},
        {IDC_MENU_NORMAL_RESTORE_TEXT, kSelectionNormalRestore},
        {IDC_MENU_DECRYPT_RESTORE_IMAGE, kSelectionDecryptRestore},
        {IDC_MENU_SETTINGS_TEXT, kSelectionSettings},
        {IDC_MENU_HELP_IMAGE, kSelectionHelp},
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(commands.onCommand(c.id));
        EXPECT_EQ(navigator.selection(), c.selection) << c.id;
    }
    EXPECT_EQ(pages.views, (std::vector<int>{0, 2, 1, 3, 0, 2, 1, 3}));
    EXPECT_FALSE(commands.onCommand(IDC_FUNCTION_NORMAL_BACKUP)) << "the run commands are not the menu's";
    EXPECT_FALSE(commands.onCommand(1)) << "Enter is not a menu command";
    EXPECT_EQ(ui.shown(), 0);
}

TEST_F(MainCommandsTest, ARunOrAMissingSetupKeepsThePage)
{
    cardEnabled();
    commands.onCommand(IDC_MENU_HELP_IMAGE);
    ASSERT_EQ(navigator.selection(), kSelectionHelp);

    runInProgress = true;
    for (const int id : {IDC_MENU_NORMAL_BACKUP_IMAGE, IDC_MENU_SETTINGS_TEXT, IDC_MENU_DECRYPT_RESTORE_TEXT, IDC_LOGO})
        commands.onCommand(id);
    EXPECT_EQ(ui.busyNotices, 4);
    EXPECT_EQ(actions.siteOpenings, 0);
    EXPECT_EQ(navigator.selection(), kSelectionHelp);
    runInProgress = false;

    settings.values[L"APPInitialSetup"] = 0;
    for (const int id : {IDC_MENU_NORMAL_BACKUP_IMAGE, IDC_MENU_SETTINGS_TEXT, IDC_MENU_FILE_BROWSER_TEXT})
        commands.onCommand(id);
    EXPECT_EQ(actions.setupRequests, 3);
    EXPECT_EQ(navigator.selection(), kSelectionHelp);
    EXPECT_EQ(ui.busyNotices, 4);
}

TEST_F(MainCommandsTest, ARunItemWithoutAUsableCardLeadsHome)
{
    struct Case {
        bool present;
        bool enabled;
        int selection;
    };
    const Case cases[] = {
        {true, true, kSelectionEncryptBackup},
        {true, false, kSelectionHome},
        {false, false, kSelectionHome},
        {false, true, kSelectionHome},
    };
    for (const auto& c : cases) {
        commands.onCommand(IDC_MENU_HELP_TEXT);
        state.sdPresent = c.present;
        state.sdEnabled = c.enabled;
        commands.onCommand(IDC_MENU_ENCRYPT_BACKUP_TEXT);
        EXPECT_EQ(navigator.selection(), c.selection) << c.present << c.enabled;
    }
    EXPECT_EQ(ui.shown(), 0) << "no message: the home page shows why";
}

TEST_F(MainCommandsTest, FileBrowserOpensTheCardOrAsksForIt)
{
    // Enabled: the root of the card at once, even during a run.
    cardEnabled();
    runInProgress = true;
    for (const int id : {IDC_MENU_FILE_BROWSER_IMAGE, IDC_MENU_FILE_BROWSER_TEXT, IDC_FUNCTION_FILE_BROWSER})
        EXPECT_TRUE(commands.onCommand(id));
    EXPECT_EQ(ui.opened, (std::vector<std::wstring>(3, L"E:\\")));
    EXPECT_EQ(host.openCount, 0);
    runInProgress = false;

    // Enabled but no drive letter known: nothing.
    const std::wstring drive = state.strDriveID;
    state.strDriveID.clear();
    commands.OnStnClickedPicFileBrowser();
    EXPECT_EQ(ui.opened.size(), 3u);
    state.strDriveID = drive;

    // Held by the other port: the enable, then the browser once the volume answers.
    state.sdEnabled = false;
    device.attachedToHost = false;
    volumeVanishes();
    state.volumeWaitTicks = 9;
    commands.OnStnClickedPicFileBrowser();
    EXPECT_EQ(device.count(kSdEnable), 1);
    EXPECT_TRUE(state.openBrowserWhenReady);
    EXPECT_EQ(state.volumeWaitTicks, 0);
    ASSERT_TRUE(timers.isRunning(kTimerAutoVolumeWait));
    volumeAppears();
    ASSERT_TRUE(tick(kTimerAutoVolumeWait));
    EXPECT_EQ(ui.opened.size(), 4u);
    EXPECT_FALSE(state.openBrowserWhenReady);
}

TEST_F(MainCommandsTest, FileBrowserRefusedSetupOrNoCard)
{
    // A refused enable: nothing visible happens.
    device.enableStatus = 5;
    commands.OnStnClickedPicFileBrowser();
    EXPECT_EQ(device.count(kSdEnable), 1);
    EXPECT_FALSE(state.openBrowserWhenReady);
    EXPECT_TRUE(timers.running.empty());
    EXPECT_EQ(ui.shown(), 0);

    // No card or no device: the home page, no command.
    commands.onCommand(IDC_MENU_HELP_TEXT);
    state.sdPresent = false;
    commands.OnStnClickedPicFileBrowser();
    EXPECT_EQ(navigator.selection(), kSelectionHome);
    commands.onCommand(IDC_MENU_HELP_TEXT);
    state.sdPresent = true;
    state.connected = false;
    commands.OnStnClickedPicFileBrowser();
    EXPECT_EQ(navigator.selection(), kSelectionHome);
    EXPECT_EQ(device.count(kSdEnable), 1);

    // Before the set-up: the set-up prompt instead.
    settings.values[L"APPInitialSetup"] = 0;
    commands.OnStnClickedPicFileBrowser();
    EXPECT_EQ(actions.setupRequests, 1);
}

TEST_F(MainCommandsTest, LogoOpensTheSiteUnlessARunIsUnderWay)
{
    settings.values[L"APPInitialSetup"] = 0; // the logo has no set-up check
    commands.onCommand(IDC_LOGO);
    EXPECT_EQ(actions.siteOpenings, 1);
    EXPECT_EQ(actions.setupRequests, 0);
}

} // namespace
} // namespace yk
