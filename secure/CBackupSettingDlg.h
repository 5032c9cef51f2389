// The settings page: the Auto Launch, Auto Backup and Secure Backup switches, the backup folder, the default
// password, the SD card with its Eject control and the version with its Update control.
#pragma once

#include <windows.h>

#include "device/DeviceHost.h"
#include "device/DeviceState.h"
#include "secure/AutoBackupSwitches.h"
#include "secure/SettingsStore.h"
#include "ui/SkinnedDialog.h"

namespace yk {

// What the page asks of the main window.
class SettingsPageActions {
public:
    virtual ~SettingsPageActions() = default;
    // The Eject control: the eject question, then the card is released.
    virtual void ejectSdCard() = 0;
    // The back image.
    virtual void showHomePage() = 0;
    // The Update control: the update prompt, and the end of the program once the installer has started.
    virtual void offerUpdate() = 0;
};

class CBackupSettingDlg final : public SkinnedDialog {
public:
    CBackupSettingDlg(const SettingsProfile& profile, const DeviceState& device, DeviceHost& host,
                      const bool& newVersionAvailable, SettingsPageActions& actions);

    // Fills the page from the settings; the fonts and pictures are made at the first load, at that scale.
    void loadSettingsPage(float mag);
    void refreshSDCardStatus();
    void refreshVersionStatus();

private:
    bool onCommand(int id, int code, HWND control) override;
    bool onPaint() override;

    void prepare(float mag);
    void putTexts();
    void loadSwitches();
    void showPasswordRow();
    void setSwitch(int stateId, bool on);
    bool switchOn(int stateId) const;
    void repaintControl(int controlId);

    void toggleAutoLaunch();
    void storeAutoBackup(const AutoBackupValues& values);
    void toggleAutoBackup();
    void toggleSecureBackup();
    void chooseBackupDirectory();
    void setDefaultPassword();

    const SettingsProfile& profile_;
    const DeviceState& device_;
    DeviceHost& host_;
    const bool& newVersionAvailable_;
    SettingsPageActions& actions_;
    bool prepared_ = false;
};

} // namespace yk
