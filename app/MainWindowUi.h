// What the SD card access control shows, as the main window shows it: the boxes, the home status, the
// pages it refreshes, the eject questions and the commands it posts.
#pragma once

#include <windows.h>

#include "app/PageHost.h"
#include "app/PageNavigator.h"
#include "device/CDisableSDConfirm.h"
#include "device/SdAccessPorts.h"

namespace yk {

class MainWindowUi final : public SdAccessUi {
public:
    MainWindowUi(PageHost& pages, PageNavigator& navigator) : pages_(pages), navigator_(navigator) {}

    // Known once the main window exists, its scale is computed and the eject questions are made.
    void attach(HWND mainWindow, float mag, CDisableSDConfirm& questionA, CDisableSDConfirm& questionB);

    void showDeviceNotFound() override;
    void showBusyNotice() override;
    int showEnableFailed() override;
    int askEjectConfirmation() override;
    void setHomeStatus(int status) override;
    void refreshBackupRestorePage() override;
    void refreshSDCardStatus() override;
    void switchToHomePage() override;
    void openInFileBrowser(const std::wstring& folder) override;
    void postRunButtonCommand(int controlId) override;
    void showEjectQuestion(EjectQuestion view, bool leftButtonEnabled) override;
    void hideEjectQuestion(EjectQuestion view) override;
    bool isEjectQuestionVisible(EjectQuestion view) override;

    // The left buttons of both questions, disabled for the length of a run.
    void setEjectButtonsEnabled(bool enabled);

private:
    CDisableSDConfirm* question(EjectQuestion view);

    PageHost& pages_;
    PageNavigator& navigator_;
    HWND window_ = nullptr;
    float mag_ = 1.0f;
    CDisableSDConfirm* questionA_ = nullptr;
    CDisableSDConfirm* questionB_ = nullptr;
};

} // namespace yk
