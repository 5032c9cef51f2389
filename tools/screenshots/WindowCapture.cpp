#include "WindowCapture.h"

#include <objidl.h>

#include <gdiplus.h>

#include <cstdio>

#include "base/Win32Handles.h"

namespace yk::shots {

namespace {

constexpr UINT kTickMs = 50;
constexpr int kTicksBeforeCapture = 12; // let the window show and paint completely
constexpr CLSID kPngEncoder = {0x557cf406, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};

// The modal capture under way: a thread timer has no context of its own.
std::wstring pendingFile;
int ticks = 0;

void CALLBACK onTick(HWND, UINT, UINT_PTR, DWORD)
{
    const HWND dialog = shownDialog();
    if (!dialog || ++ticks < kTicksBeforeCapture)
        return;
    saveWindow(dialog, pendingFile);
    EndDialog(dialog, 0);
}

} // namespace

HWND shownDialog()
{
    HWND found = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM context) -> BOOL {
            wchar_t className[16] = {};
            GetClassNameW(window, className, 16);
            if (std::wstring(className) == L"#32770" && IsWindowVisible(window))
                *reinterpret_cast<HWND*>(context) = window;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

bool saveWindow(HWND window, const std::wstring& file)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    const HDC screen = GetDC(nullptr);
    bool saved = false;
    {
        const UniqueMemoryDC memory(CreateCompatibleDC(screen));
        const UniqueBitmap bitmap(CreateCompatibleBitmap(screen, width, height));
        const HGDIOBJ previous = SelectObject(memory.get(), bitmap.get());
        BitBlt(memory.get(), 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
        SelectObject(memory.get(), previous);
        Gdiplus::Bitmap image(bitmap.get(), nullptr);
        saved = image.Save(file.c_str(), &kPngEncoder, nullptr) == Gdiplus::Ok;
    }
    ReleaseDC(nullptr, screen);
    if (saved)
        std::wprintf(L"%ls\n", file.c_str());
    else
        std::fwprintf(stderr, L"could not save %ls\n", file.c_str());
    return saved;
}

void captureModal(const std::wstring& file, const std::function<void()>& show)
{
    pendingFile = file;
    ticks = 0;
    const UINT_PTR timer = SetTimer(nullptr, 0, kTickMs, onTick);
    show();
    KillTimer(nullptr, timer);
}

} // namespace yk::shots
