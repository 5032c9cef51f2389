// The eject question shown when the other port asks for the card: view A asks whether to give it up, view B
// warns what that means. Both are modeless, created hidden once and kept for the program's life.
#pragma once

#include <windows.h>

#include "base/CatalogKey.h"
#include "device/SdAccess.h"
#include "ui/SkinnedDialog.h"

namespace yk {

class CDisableSDConfirm final : public SkinnedDialog {
public:
    // The buttons answer through `sdAccess`: left (Yes) confirms the view's step, right (No) declines.
    CDisableSDConfirm(EjectQuestion mode, SdAccess& sdAccess);

    // Creates the hidden view owned by the main window and lays it out at that scale.
    bool create(HWND mainWindow, float mag);

    // The left button works and looks enabled only while no run is under way.
    void show(bool leftButtonEnabled);
    void hide();
    bool isVisible() const;
    void setLeftButtonEnabled(bool enabled);

    EjectQuestion mode() const { return mode_; }

private:
    bool onInitDialog() override;
    void onButton(INT_PTR result) override;

    EjectQuestion mode_;
    CatalogKey message_;
    SdAccess& sdAccess_;
    bool leftButtonEnabled_ = false;
};

} // namespace yk
