#include "support/BoxDriver.h"

namespace yk::test {

namespace {

constexpr UINT kTickMs = 25;
// After the last step, how long open dialogs are given before they are ended as abandoned.
constexpr int kIdleTicksAllowed = 80;
// How long a step waits for its condition.
constexpr int kWaitingTicksAllowed = 1200;

thread_local BoxDriver* runningDriver = nullptr;

struct DialogSearch {
    HWND found = nullptr;
};

BOOL CALLBACK collectDialog(HWND window, LPARAM context)
{
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    // A dialog is shown once its controls exist and its initialisation has run; before that, input
    // posted to it would go to controls that are not there yet.
    if (std::wstring(className) == L"#32770" && IsWindowEnabled(window) && IsWindowVisible(window))
        reinterpret_cast<DialogSearch*>(context)->found = window;
    return TRUE;
}

} // namespace

BoxDriver& BoxDriver::then(Step step)
{
    return when({}, std::move(step));
}

BoxDriver& BoxDriver::when(std::function<bool(HWND dialog)> ready, Step step)
{
    steps_.push_back(std::move(step));
    conditions_.push_back(std::move(ready));
    return *this;
}

INT_PTR BoxDriver::run(const std::function<INT_PTR()>& show)
{
    BoxDriver* const outer = runningDriver;
    runningDriver = this;
    const UINT_PTR timer = SetTimer(nullptr, 0, kTickMs, onTick);
    const INT_PTR result = show();
    KillTimer(nullptr, timer);
    runningDriver = outer;
    return result;
}

void CALLBACK BoxDriver::onTick(HWND, UINT, UINT_PTR, DWORD)
{
    if (runningDriver)
        runningDriver->tick();
}

void BoxDriver::tick()
{
    // A step that makes a dialog show another one returns first; ticks do not nest.
    if (busy_)
        return;
    const HWND dialog = activeDialog(GetCurrentThreadId());
    if (!dialog)
        return;
    busy_ = true;
    if (next_ < steps_.size() && conditions_[next_] && !conditions_[next_](dialog)) {
        if (++waitingTicks_ > kWaitingTicksAllowed)
            EndDialog(dialog, kAbandoned);
    } else if (next_ < steps_.size()) {
        waitingTicks_ = 0;
        steps_[next_++](dialog);
    } else if (++idleTicks_ > kIdleTicksAllowed) {
        EndDialog(dialog, kAbandoned);
    }
    busy_ = false;
}

HWND activeDialog(DWORD threadId)
{
    DialogSearch search;
    EnumThreadWindows(threadId, collectDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void clickControl(HWND dialog, int controlId)
{
    const HWND control = GetDlgItem(dialog, controlId);
    RECT client{};
    GetClientRect(control, &client);
    const LPARAM centre = MAKELPARAM(client.right / 2, client.bottom / 2);
    PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, centre);
    PostMessageW(control, WM_LBUTTONUP, 0, centre);
}

void pressKey(HWND dialog, UINT virtualKey)
{
    PostMessageW(dialog, WM_KEYDOWN, virtualKey, 1);
    PostMessageW(dialog, WM_KEYUP, virtualKey, 0xC0000001);
}

void postCommand(HWND dialog, int commandId)
{
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(commandId, BN_CLICKED), 0);
}

void postClose(HWND dialog)
{
    PostMessageW(dialog, WM_CLOSE, 0, 0);
}

std::wstring controlText(HWND dialog, int controlId)
{
    wchar_t text[512] = {};
    GetDlgItemTextW(dialog, controlId, text, 512);
    return text;
}

RECT controlRect(HWND dialog, int controlId)
{
    RECT rect{};
    GetWindowRect(GetDlgItem(dialog, controlId), &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

RECT dialogUnits(HWND dialog, int x, int y, int width, int height)
{
    // The dialog manager converts the position and the size separately; so does this.
    RECT units{x, y, width, height};
    MapDialogRect(dialog, &units);
    return RECT{units.left, units.top, units.left + units.right, units.top + units.bottom};
}

SIZE pictureSize(HWND dialog, int controlId)
{
    const auto bitmap =
        reinterpret_cast<HBITMAP>(SendDlgItemMessageW(dialog, controlId, STM_GETIMAGE, IMAGE_BITMAP, 0));
    BITMAP info{};
    if (!bitmap || !GetObjectW(bitmap, sizeof info, &info))
        return SIZE{0, 0};
    return SIZE{info.bmWidth, info.bmHeight};
}

std::vector<std::uint8_t> pictureBits(HWND control)
{
    const auto bitmap = reinterpret_cast<HBITMAP>(SendMessageW(control, STM_GETIMAGE, IMAGE_BITMAP, 0));
    BITMAP info{};
    if (!bitmap || !GetObjectW(bitmap, sizeof info, &info))
        return {};
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    format.bmiHeader.biWidth = info.bmWidth;
    format.bmiHeader.biHeight = -info.bmHeight;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    std::vector<std::uint8_t> bits(static_cast<std::size_t>(info.bmWidth) * info.bmHeight * 4);
    const HDC dc = GetDC(nullptr);
    GetDIBits(dc, bitmap, 0, info.bmHeight, bits.data(), &format, DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    return bits;
}

} // namespace yk::test
