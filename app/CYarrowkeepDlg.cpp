#include "app/CYarrowkeepDlg.h"

#include "app/CYarrowkeepApp.h"
#include "device/Discovery.h"
#include "resource.h"

namespace yk {

namespace {

constexpr UINT_PTR kStartupRefreshTimer = 2;
constexpr UINT kStartupRefreshMs = 100;
constexpr WPARAM kDeviceArrival = 0x8000;
constexpr WPARAM kDeviceRemoveComplete = 0x8004;

} // namespace

CYarrowkeepDlg::CYarrowkeepDlg(DeviceHost& host) : DialogBase(IDD_YARROWKEEP_DIALOG), host_(host) {}

bool CYarrowkeepDlg::onInitDialog()
{
    // Shared icons from LoadIconW belong to the module; nothing to release.
    icon_ = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME));
    SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
    SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
    mayShowWindow_ = false;
    SetTimer(hwnd(), kStartupRefreshTimer, kStartupRefreshMs, nullptr);
    return true;
}

bool CYarrowkeepDlg::onTimer(UINT_PTR id)
{
    if (id != kStartupRefreshTimer)
        return false;
    KillTimer(hwnd(), kStartupRefreshTimer);
    refreshDeviceConnection();
    return true;
}

bool CYarrowkeepDlg::onCommand(int id, int /*code*/, HWND /*control*/)
{
    // Enter and Escape change nothing in the main window.
    return id == IDOK || id == IDCANCEL;
}

bool CYarrowkeepDlg::onClose()
{
    ShowWindow(hwnd(), SW_HIDE);
    return true;
}

std::optional<LRESULT> CYarrowkeepDlg::onMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == singleInstanceMessage) {
        showOnRequest();
        return 1;
    }
    if (message == WM_WINDOWPOSCHANGING) {
        onWindowPosChanging(*reinterpret_cast<WINDOWPOS*>(lParam));
        return std::nullopt;
    }
    if (message == WM_DEVICECHANGE) {
        if (wParam == kDeviceArrival || wParam == kDeviceRemoveComplete)
            refreshDeviceConnection();
        return TRUE;
    }
    if (message == WM_QUERYDRAGICON)
        return reinterpret_cast<LRESULT>(icon_);
    return std::nullopt;
}

void CYarrowkeepDlg::onWindowPosChanging(WINDOWPOS& position)
{
    // The modal run would show the window on its own; it stays hidden until something asks for it.
    if (!mayShowWindow_)
        position.flags &= ~SWP_SHOWWINDOW;
}

void CYarrowkeepDlg::showOnRequest()
{
    mayShowWindow_ = true;
    ShowWindow(hwnd(), SW_RESTORE);
    SetForegroundWindow(hwnd());
}

void CYarrowkeepDlg::refreshDeviceConnection()
{
    const bool wasConnected = deviceState_.connected;
    deviceState_.connected = findDevice(deviceState_, host_);
    if (!deviceState_.connected) {
        if (IsWindowVisible(hwnd()))
            ShowWindow(hwnd(), SW_HIDE);
        return;
    }
    if (wasConnected)
        return;
    mayShowWindow_ = true;
    ShowWindow(hwnd(), SW_RESTORE);
}

} // namespace yk
