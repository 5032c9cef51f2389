#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/PageNavigator.h"

namespace yk {
namespace {

// Records every change as a line, in order.
struct RecordedViews final : PageViews {
    std::vector<std::string> log;
    void hideAllPages() override { log.push_back("hide"); }
    void showPage(int index) override { log.push_back("show " + std::to_string(index)); }
    void showBackupRestoreView(int mode) override { log.push_back("view " + std::to_string(mode)); }
    void loadSettingsPage() override { log.push_back("load settings"); }
    void setMenuHighlight(int selection, bool highlighted) override
    {
        log.push_back((highlighted ? "highlight " : "normal ") + std::to_string(selection));
    }
};

TEST(PageNavigator, SelectionsOfEveryPageAndMode)
{
    struct Case {
        int index;
        int mode;
        int selection;
    };
    const Case cases[] = {
        {kHomePage, kNoPageMode, kSelectionHome},
        {kHomePage, 2, kSelectionHome},
        {kBackupRestorePage, 0, kSelectionNormalBackup},
        {kBackupRestorePage, 2, kSelectionEncryptBackup},
        {kBackupRestorePage, 1, kSelectionNormalRestore},
        {kBackupRestorePage, 3, kSelectionDecryptRestore},
        {kBackupRestorePage, kNoPageMode, kNoSelection},
        {kSettingsPage, kNoPageMode, kSelectionSettings},
        {kHelpPage, kNoPageMode, kSelectionHelp},
        {4, kNoPageMode, kNoSelection},
        {-1, 0, kNoSelection},
    };
    for (const auto& c : cases)
        EXPECT_EQ(menuSelectionFor(c.index, c.mode), c.selection) << c.index << "/" << c.mode;
}

TEST(PageNavigator, TheFirstSwitchToHomeDrawsNoHighlight)
{
    RecordedViews views;
    PageNavigator navigator(views);
    EXPECT_EQ(navigator.selection(), kNoSelection);
    navigator.switchPage(kHomePage, kNoPageMode);
    EXPECT_EQ(views.log, (std::vector<std::string>{"hide", "show 0"}));
    EXPECT_EQ(navigator.selection(), kSelectionHome);
}

TEST(PageNavigator, SwitchesMoveTheHighlightAndRefreshThePageShown)
{
    RecordedViews views;
    PageNavigator navigator(views);
    navigator.switchPage(kHomePage, kNoPageMode);
    views.log.clear();

    navigator.switchPage(kBackupRestorePage, 2);
    EXPECT_EQ(views.log, (std::vector<std::string>{"hide", "view 2", "show 1", "highlight 2"}));
    views.log.clear();

    // Encrypt Backup to Normal Restore: the same page in another view; 229 goes back, 237 comes.
    navigator.switchPage(kBackupRestorePage, 1);
    EXPECT_EQ(views.log, (std::vector<std::string>{"hide", "view 1", "show 1", "normal 2", "highlight 3"}));
    views.log.clear();

    navigator.switchPage(kSettingsPage, kNoPageMode);
    EXPECT_EQ(views.log, (std::vector<std::string>{"hide", "load settings", "show 2", "normal 3", "highlight 5"}));
    views.log.clear();

    navigator.switchPage(kHelpPage, kNoPageMode);
    EXPECT_EQ(views.log, (std::vector<std::string>{"hide", "show 3", "normal 5", "highlight 6"}));
    views.log.clear();

    navigator.switchPage(kHomePage, kNoPageMode);
    EXPECT_EQ(views.log, (std::vector<std::string>{"hide", "show 0", "normal 6"}));
    EXPECT_EQ(navigator.selection(), kSelectionHome);
}

TEST(PageNavigator, TheSameSelectionOrAnUnknownPageChangesNothing)
{
    RecordedViews views;
    PageNavigator navigator(views);
    navigator.switchPage(kBackupRestorePage, 0);
    views.log.clear();
    navigator.switchPage(kBackupRestorePage, 0); // Normal Backup clicked twice
    navigator.switchPage(kBackupRestorePage, kNoPageMode);
    navigator.switchPage(7, kNoPageMode);
    EXPECT_TRUE(views.log.empty());
    EXPECT_EQ(navigator.selection(), kSelectionNormalBackup);
}

} // namespace
} // namespace yk
