// The backup/restore page: one view per kind of run, chosen from the side menu. Each view shows what is copied
// from where to where, the SD card's space, and the buttons that start the runs; the backup views carry the
// automatic-backup switch.
#pragma once

#include <windows.h>

#include <cstdint>

#include "backup/BackupLocations.h"
#include "backup/RunState.h"
#include "base/Win32Handles.h"
#include "device/DeviceHost.h"
#include "device/DeviceState.h"
#include "secure/SettingsStore.h"
#include "ui/SkinnedDialog.h"

namespace yk {

// What the page asks of the main window.
class BackupRestorePageActions {
public:
    virtual ~BackupRestorePageActions() = default;
    // The run command of that kind (the main window's run buttons).
    virtual void runCommand(RunKind kind) = 0;
    virtual void showBusyNotice() = 0;
    virtual void openSettingsPage() = 0;
};

class CBackupRestoreDlg final : public SkinnedDialog {
public:
    CBackupRestoreDlg(const SettingsProfile& profile, const DeviceState& device, DeviceHost& host,
                      const IdentityNames& names, const RunState& run, std::int32_t& restoreChoice,
                      BackupRestorePageActions& actions);

    // The view shown: the values of RunKind (0 normal backup, 1 normal restore, 2 encrypted backup, 3
    // decrypting restore).
    std::int32_t pageView = 0;

    // Fonts and pictures at the window's scale; once.
    void setupBackupRestorePage(float mag);
    // Rewrites the page for its view, the settings and the device as they are now.
    void refreshBackupRestorePage();
    // The SD card's total and free space, or nothing while the card is not usable.
    void showDriveSpace();

private:
    bool onCommand(int id, int code, HWND control) override;
    bool onPaint() override;

    void placeHintAndSpace(bool restoreView);
    void onRightAction();
    void onLeftAction();
    void onSwitch();
    void onSettingsLink();
    void runCommand(RunKind kind, std::int32_t choice);
    void repaintArea(const RECT& area);

    const SettingsProfile& profile_;
    const DeviceState& device_;
    DeviceHost& host_;
    const IdentityNames& names_;
    const RunState& run_;
    std::int32_t& restoreChoice_;
    BackupRestorePageActions& actions_;
    bool setUp_ = false;
    UniqueFont linkFont_;
    // The switch label where it stays one line (Traditional Chinese) and would not fit at the small font.
    UniqueFont switchLabelFont_;
    RECT hintPlace_{};
    RECT linkPlace_{};
    RECT hintPicturePlace_{};
    RECT spacePlace_{};
    // How far down the space line's text starts, to stand level with the one-line texts beside it.
    LONG spaceDrop_ = 0;
};

} // namespace yk
