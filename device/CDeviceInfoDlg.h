// The device information dialog: manufacturer, model, serial and product numbers, firmware, hardware and
// program versions, read from the device once when it opens.
#pragma once

#include <string>

#include "device/VendorCommands.h"
#include "ui/SkinnedDialog.h"

namespace yk {

class CDeviceInfoDlg final : public SkinnedDialog {
public:
    CDeviceInfoDlg(VendorCommands& commands, float mag, std::wstring appVersion);

private:
    bool onInitDialog() override;
    bool onCommand(int id, int code, HWND control) override;

    VendorCommands& commands_;
    std::wstring appVersion_;
};

} // namespace yk
