// The help page: rows that open the device dialogs or the vendor's web site.
#pragma once

#include <windows.h>

#include "ui/SkinnedDialog.h"

namespace yk {

// What the page asks of the main window: its two device rows open the device's dialogs.
class HelpPageActions {
public:
    virtual ~HelpPageActions() = default;
    virtual void openDeviceInformation() = 0;
    virtual void openVoltageCurrent() = 0;
};

class CHelpDlg final : public SkinnedDialog {
public:
    explicit CHelpDlg(HelpPageActions& actions);

    // Fonts, pictures and texts at that scale; once, later calls change nothing.
    void setupHelpPage(float mag);

private:
    bool onCommand(int id, int code, HWND control) override;
    bool onPaint() override;

    HelpPageActions& actions_;
    bool setUp_ = false;
};

} // namespace yk
