// The page switch of the main window: which page is shown, which side menu item is highlighted.
#pragma once

namespace yk {

// Pages by index.
inline constexpr int kHomePage = 0;
inline constexpr int kBackupRestorePage = 1;
inline constexpr int kSettingsPage = 2;
inline constexpr int kHelpPage = 3;
// The mode of a switch to any page but the backup/restore page.
inline constexpr int kNoPageMode = 4;

// Menu selections: 0 home (no highlight), 1 to 4 the backup/restore views, 5 settings, 6 help.
inline constexpr int kNoSelection = -1;
inline constexpr int kSelectionHome = 0;
inline constexpr int kSelectionNormalBackup = 1;
inline constexpr int kSelectionEncryptBackup = 2;
inline constexpr int kSelectionNormalRestore = 3;
inline constexpr int kSelectionDecryptRestore = 4;
inline constexpr int kSelectionSettings = 5;
inline constexpr int kSelectionHelp = 6;

// The selection a switch to (index, mode) makes; the backup/restore page's modes are the run kinds
// (0 normal backup, 1 normal restore, 2 encrypted backup, 3 decrypting restore).
int menuSelectionFor(int index, int mode);

// What a switch changes on screen.
class PageViews {
public:
    virtual ~PageViews() = default;
    virtual void hideAllPages() = 0;
    // Shows the page and gives it the keyboard focus.
    virtual void showPage(int index) = 0;
    // Stores the backup/restore page's view and rewrites the page for it.
    virtual void showBackupRestoreView(int mode) = 0;
    virtual void loadSettingsPage() = 0;
    // Puts the normal or highlighted picture into the menu item of a selection (1 to 6) and repaints it.
    virtual void setMenuHighlight(int selection, bool highlighted) = 0;
};

class PageNavigator {
public:
    explicit PageNavigator(PageViews& views) : views_(views) {}

    // A switch to the page that is already shown, in the same mode, changes nothing.
    void switchPage(int index, int mode);
    int selection() const { return selection_; }

private:
    PageViews& views_;
    int selection_ = kNoSelection;
};

} // namespace yk
