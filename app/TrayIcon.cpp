#include "app/TrayIcon.h"

#include <algorithm>

#include "app/MainTimers.h"
#include "resource.h"

namespace yk {

namespace {

constexpr int kAddRetries = 10;
constexpr unsigned kAddRetryPeriodMs = 3000;
// Right-aligned to the cursor, tracking the right button.
constexpr UINT kMenuFlags = TPM_RIGHTALIGN | TPM_RIGHTBUTTON;

} // namespace

UINT TrayIcon::taskbarCreatedMessage()
{
    static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
    return message;
}

void TrayIcon::add(HWND window, HICON icon, const std::wstring& tooltip)
{
    data_ = NOTIFYICONDATAW{};
    data_.cbSize = sizeof(NOTIFYICONDATAW);
    data_.hWnd = window;
    data_.uID = kIconId;
    data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data_.uCallbackMessage = kCallbackMessage;
    data_.hIcon = icon;
    const std::size_t length = std::min(tooltip.size(), std::size(data_.szTip) - 1);
    tooltip.copy(data_.szTip, length);
    data_.szTip[length] = L'\0';
    prepared_ = true;
    if (!tryAdd()) {
        retriesLeft_ = kAddRetries;
        SetTimer(window, kTimerTrayRetry, kAddRetryPeriodMs, nullptr);
    }
}

bool TrayIcon::tryAdd()
{
    // An icon that is still there (a taskbar message without a new taskbar) refuses the add but takes a modify.
    added_ = Shell_NotifyIconW(NIM_ADD, &data_) != FALSE || Shell_NotifyIconW(NIM_MODIFY, &data_) != FALSE;
    return added_;
}

void TrayIcon::onRetryTimer()
{
    if (!prepared_ || added_ || tryAdd() || --retriesLeft_ <= 0)
        KillTimer(data_.hWnd, kTimerTrayRetry);
}

void TrayIcon::onTaskbarCreated()
{
    if (!prepared_)
        return;
    // The new taskbar has none of the old icons; if ours was not there yet, the retries go on as they were.
    if (!tryAdd() && retriesLeft_ <= 0) {
        retriesLeft_ = kAddRetries;
        SetTimer(data_.hWnd, kTimerTrayRetry, kAddRetryPeriodMs, nullptr);
    }
}

void TrayIcon::remove()
{
    if (prepared_ && added_)
        Shell_NotifyIconW(NIM_DELETE, &data_);
    added_ = false;
    if (menu_) {
        DestroyMenu(menu_);
        menu_ = nullptr;
    }
}

void TrayIcon::showMenu(const std::wstring& launchCaption, const std::wstring& quitCaption)
{
    POINT cursor{};
    GetCursorPos(&cursor);
    if (menu_)
        DestroyMenu(menu_);
    menu_ = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_TRAY_MENU));
    if (!menu_)
        return;
    ModifyMenuW(menu_, ID_TRAY_LAUNCH, MF_BYCOMMAND | MF_STRING, ID_TRAY_LAUNCH, launchCaption.c_str());
    ModifyMenuW(menu_, ID_TRAY_QUIT, MF_BYCOMMAND | MF_STRING, ID_TRAY_QUIT, quitCaption.c_str());
    // The window must be in the foreground for the menu to close when the user clicks elsewhere.
    SetForegroundWindow(data_.hWnd);
    TrackPopupMenu(GetSubMenu(menu_, 0), kMenuFlags, cursor.x, cursor.y, 0, data_.hWnd, nullptr);
    PostMessageW(data_.hWnd, WM_NULL, 0, 0);
}

} // namespace yk
