// The voltage and current dialog: the two ports' lines, read again every second while it is open.
#pragma once

#include "device/VendorCommands.h"
#include "ui/SkinnedDialog.h"

namespace yk {

class CDeviceOtherInfoDlg final : public SkinnedDialog {
public:
    CDeviceOtherInfoDlg(VendorCommands& commands, float mag);

private:
    bool onInitDialog() override;
    bool onCommand(int id, int code, HWND control) override;
    bool onTimer(UINT_PTR id) override;
    void refreshPowerLines();

    VendorCommands& commands_;
    bool refreshing_ = false;
};

} // namespace yk
