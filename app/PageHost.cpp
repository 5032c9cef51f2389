#include "app/PageHost.h"

namespace yk {

DialogBase* PageHost::page(int index)
{
    switch (index) {
    case kHomePage:
        return &home;
    case kBackupRestorePage:
        return &backupRestore;
    case kSettingsPage:
        return &settings;
    case kHelpPage:
        return &help;
    default:
        return nullptr;
    }
}

bool PageHost::create(HWND mainWindow)
{
    for (int index = kHomePage; index <= kHelpPage; ++index) {
        DialogBase* created = page(index);
        const HWND window = created->createModeless(mainWindow);
        if (!window)
            return false;
        SetWindowLongPtrW(window, GWLP_ID, created->templateId());
    }
    RECT mainArea{};
    RECT pageArea{};
    GetClientRect(mainWindow, &mainArea);
    GetClientRect(home.hwnd(), &pageArea);
    const int width = pageArea.right - pageArea.left;
    const int height = pageArea.bottom - pageArea.top;
    for (int index = kHomePage; index <= kHelpPage; ++index)
        MoveWindow(page(index)->hwnd(), mainArea.right - mainArea.left - width, 0, width, height, FALSE);
    return true;
}

void PageHost::hideAllPages()
{
    for (int index = kHomePage; index <= kHelpPage; ++index)
        ShowWindow(page(index)->hwnd(), SW_HIDE);
}

void PageHost::showPage(int index)
{
    if (DialogBase* shown = page(index)) {
        ShowWindow(shown->hwnd(), SW_SHOW);
        SetFocus(shown->hwnd());
    }
}

void PageHost::showBackupRestoreView(int mode)
{
    backupRestore.pageView = mode;
    backupRestore.refreshBackupRestorePage();
}

void PageHost::loadSettingsPage()
{
    settings.loadSettingsPage(mag_);
}

} // namespace yk
