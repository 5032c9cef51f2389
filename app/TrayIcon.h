// The notification-area icon: the way back to the hidden window and the way out of the program.
#pragma once

#include <windows.h>

#include <shellapi.h>

#include <string>

namespace yk {

class TrayIcon {
public:
    // The icon's messages reach the main window as this message; the mouse event is in the low word of lParam.
    static constexpr UINT kCallbackMessage = 0x800;
    static constexpr UINT kIconId = 128;

    TrayIcon() = default;
    ~TrayIcon() { remove(); }
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // The shell's message when the taskbar has been made anew (after the shell restarted): every icon is gone.
    static UINT taskbarCreatedMessage();

    // Adds the icon. At log-on the shell may not be ready yet: a failed add is tried again by the retry
    // timer of the window, a few seconds apart, a few times.
    void add(HWND window, HICON icon, const std::wstring& tooltip);
    // The retry timer's tick; the timer stops once the icon is in place or the tries are used up.
    void onRetryTimer();
    // The taskbar was made anew: the icon is put in again.
    void onTaskbarCreated();
    // Removes the icon; nothing when it is not there. Every end of the program comes through here.
    void remove();

    // The popup menu at the cursor with the captions of the current language; the chosen command arrives at
    // the window as an ordinary command.
    void showMenu(const std::wstring& launchCaption, const std::wstring& quitCaption);

private:
    bool tryAdd();

    NOTIFYICONDATAW data_{};
    bool prepared_ = false;
    bool added_ = false;
    int retriesLeft_ = 0;
    HMENU menu_ = nullptr;
};

} // namespace yk
