#include "app/MainWindowUi.h"

#include <shellapi.h>

#include "app/BusyNotice.h"
#include "base/CatalogKeys.h"
#include "base/ExecutablePath.h"
#include "base/TextCatalog.h"
#include "ui/CCustomMessageBox.h"
#include "ui/CCustomMessageBox2Btn.h"

namespace yk {

void MainWindowUi::attach(HWND mainWindow, float mag, CDisableSDConfirm& questionA, CDisableSDConfirm& questionB)
{
    window_ = mainWindow;
    mag_ = mag;
    questionA_ = &questionA;
    questionB_ = &questionB;
}

void MainWindowUi::showDeviceNotFound()
{
    MessageBoxW(window_, loadCatalogText(IDS_DEVICE_NOT_FOUND).c_str(), applicationName().c_str(), MB_OK | MB_ICONSTOP);
}

void MainWindowUi::showBusyNotice()
{
    yk::showBusyNotice(mag_);
}

int MainWindowUi::showEnableFailed()
{
    CCustomMessageBox box(mag_);
    box.setContent(box_kind::kSdEnableFailed, loadCatalogText(IDS_ENABLE_SD_FAILED), loadCatalogText(IDS_OK));
    return static_cast<int>(box.runModal(window_));
}

int MainWindowUi::askEjectConfirmation()
{
    CCustomMessageBox2Btn box(mag_);
    box.setContent(loadCatalogText(IDS_CONFIRM_EJECT), loadCatalogText(IDS_YES), loadCatalogText(IDS_NO));
    return static_cast<int>(box.runModal(window_));
}

void MainWindowUi::setHomeStatus(int status)
{
    pages_.home.setHomeStatus(status, mag_);
}

void MainWindowUi::refreshBackupRestorePage()
{
    pages_.backupRestore.refreshBackupRestorePage();
}

void MainWindowUi::refreshSDCardStatus()
{
    pages_.settings.refreshSDCardStatus();
}

void MainWindowUi::switchToHomePage()
{
    navigator_.switchPage(kHomePage, kNoPageMode);
}

void MainWindowUi::openInFileBrowser(const std::wstring& folder)
{
    ShellExecuteW(nullptr, nullptr, folder.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void MainWindowUi::postRunButtonCommand(int controlId)
{
    PostMessageW(window_, WM_COMMAND, MAKEWPARAM(controlId, 0),
                 reinterpret_cast<LPARAM>(GetDlgItem(window_, controlId)));
}

CDisableSDConfirm* MainWindowUi::question(EjectQuestion view)
{
    return view == EjectQuestion::A ? questionA_ : questionB_;
}

void MainWindowUi::showEjectQuestion(EjectQuestion view, bool leftButtonEnabled)
{
    if (CDisableSDConfirm* shown = question(view))
        shown->show(leftButtonEnabled);
}

void MainWindowUi::hideEjectQuestion(EjectQuestion view)
{
    if (CDisableSDConfirm* hidden = question(view))
        hidden->hide();
}

bool MainWindowUi::isEjectQuestionVisible(EjectQuestion view)
{
    const CDisableSDConfirm* asked = question(view);
    return asked && asked->isVisible();
}

void MainWindowUi::setEjectButtonsEnabled(bool enabled)
{
    for (CDisableSDConfirm* view : {questionA_, questionB_})
        if (view)
            view->setLeftButtonEnabled(enabled);
}

} // namespace yk
