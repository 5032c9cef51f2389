// The help page: rows that open the device dialogs or the vendor's web site.
#pragma once

#include <windows.h>

#include "ui/SkinnedDialog.h"

namespace yk {

class CHelpDlg final : public SkinnedDialog {
public:
    CHelpDlg();

    // Fonts, pictures and texts at that scale; once, later calls change nothing.
    void setupHelpPage(float mag);

private:
    bool onCommand(int id, int code, HWND control) override;
    bool onPaint() override;

    bool setUp_ = false;
};

} // namespace yk
