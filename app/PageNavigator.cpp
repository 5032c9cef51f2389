#include "app/PageNavigator.h"

namespace yk {

namespace {

bool hasHighlight(int selection)
{
    return selection >= kSelectionNormalBackup && selection <= kSelectionHelp;
}

} // namespace

int menuSelectionFor(int index, int mode)
{
    switch (index) {
    case kBackupRestorePage:
        switch (mode) {
        case 0:
            return kSelectionNormalBackup;
        case 1:
            return kSelectionNormalRestore;
        case 2:
            return kSelectionEncryptBackup;
        case 3:
            return kSelectionDecryptRestore;
        default:
            return kNoSelection;
        }
    case kSettingsPage:
        return kSelectionSettings;
    case kHelpPage:
        return kSelectionHelp;
    case kHomePage:
        return kSelectionHome;
    default:
        return kNoSelection;
    }
}

void PageNavigator::switchPage(int index, int mode)
{
    const int selection = menuSelectionFor(index, mode);
    if (selection == kNoSelection || selection == selection_)
        return;
    views_.hideAllPages();
    if (index == kBackupRestorePage)
        views_.showBackupRestoreView(mode);
    else if (index == kSettingsPage)
        views_.loadSettingsPage();
    views_.showPage(index);
    if (hasHighlight(selection_))
        views_.setMenuHighlight(selection_, false);
    selection_ = selection;
    if (hasHighlight(selection_))
        views_.setMenuHighlight(selection_, true);
}

} // namespace yk
