// The main window controller: the program's only top-level window, hidden until asked for.
#pragma once

#include "device/DeviceHost.h"
#include "device/DeviceState.h"
#include "ui/DialogBase.h"

namespace yk {

class CYarrowkeepDlg final : public DialogBase {
public:
    explicit CYarrowkeepDlg(DeviceHost& host);

    DeviceState& deviceState() { return deviceState_; }

private:
    bool onInitDialog() override;
    bool onCommand(int id, int code, HWND control) override;
    bool onTimer(UINT_PTR id) override;
    bool onClose() override;
    std::optional<LRESULT> onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    void onWindowPosChanging(WINDOWPOS& position);
    void showOnRequest();
    // Rediscovers the device: the window comes forward when it arrives and hides when it is gone.
    void refreshDeviceConnection();

    DeviceHost& host_;
    DeviceState deviceState_;
    bool mayShowWindow_ = false;
    HICON icon_ = nullptr;
};

} // namespace yk
