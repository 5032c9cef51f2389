// The home page: a large picture and one line of text that tell the state of the device and its card.
#pragma once

#include <windows.h>

#include "base/Win32Handles.h"
#include "ui/SkinnedDialog.h"

namespace yk {

class CMainPageDlg final : public SkinnedDialog {
public:
    CMainPageDlg();

    // Shows status 1 to 5 (any other: the logo alone); the current status again changes nothing. The status
    // font and the places of the lines are taken at the first call, at that call's scale.
    void setHomeStatus(int status, float mag);
    int status() const { return status_; }

private:
    bool onInitDialog() override;
    void prepare(float mag);
    void placeIcon(const RECT& line);

    int status_ = 0;
    bool prepared_ = false;
    UniqueFont statusFont_;
    // A smaller font for a status text that would not fit its line at the status font.
    UniqueFont fittedFont_;
    RECT upperLine_{};
    RECT lowerLine_{};
    RECT icon_{};
};

} // namespace yk
