// Drives the program from outside like a person would: finds its windows, reads and clicks controls, reads
// the screen, the popup menu and the notification area. Used by the end-to-end tests; every command prints
// what it found and exits 0 on success, 1 when what it looked for is not there.
//
// A window is named by its title, optionally followed by "#ID" marks: only windows that hold a control with
// each of those ids count ("Yarrowkeep#1101" is the main window, whose side menu has control 1101). A control is named
// by its id, or by a path of ids through child windows ("214/1041": control 1041 of the child window 214); "." is the
// window itself.
#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

struct WindowMatch {
    std::wstring title;
    std::vector<int> requiredControls;
};

struct Found {
    HWND window;
    DWORD process;
    bool visible;
};

WindowMatch parseMatch(const std::wstring& text)
{
    WindowMatch match;
    auto mark = text.find(L'#');
    match.title = text.substr(0, mark);
    while (mark != std::wstring::npos) {
        match.requiredControls.push_back(std::wcstol(text.c_str() + mark + 1, nullptr, 10));
        mark = text.find(L'#', mark + 1);
    }
    return match;
}

std::vector<Found> topLevelWindows(const WindowMatch& match)
{
    struct Search {
        const WindowMatch* match;
        std::vector<Found> found;
    } search{&match, {}};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(param);
            wchar_t text[512] = {};
            GetWindowTextW(window, text, 512);
            if (s.match->title != text)
                return TRUE;
            for (const int control : s.match->requiredControls)
                if (!GetDlgItem(window, control))
                    return TRUE;
            DWORD process = 0;
            GetWindowThreadProcessId(window, &process);
            s.found.push_back({window, process, IsWindowVisible(window) != FALSE});
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The first visible matching window, else the first one.
HWND pickWindow(const std::vector<Found>& found)
{
    for (const Found& f : found)
        if (f.visible)
            return f.window;
    return found.empty() ? nullptr : found.front().window;
}

HWND findControl(HWND window, const std::wstring& path)
{
    if (path == L".")
        return window;
    HWND current = window;
    std::size_t at = 0;
    while (current && at <= path.size()) {
        const auto slash = path.find(L'/', at);
        const std::wstring part = path.substr(at, slash == std::wstring::npos ? std::wstring::npos : slash - at);
        current = GetDlgItem(current, std::wcstol(part.c_str(), nullptr, 10));
        if (slash == std::wstring::npos)
            break;
        at = slash + 1;
    }
    return current;
}

// "hidden": no matching window is visible, whether or not one exists.
bool condition(const std::vector<Found>& found, const std::wstring& state)
{
    if (state == L"gone")
        return found.empty();
    if (state == L"exists")
        return !found.empty();
    bool anyVisible = false;
    for (const Found& f : found)
        anyVisible = anyVisible || f.visible;
    return state == L"visible" ? anyVisible : !anyVisible;
}

// Texts may carry \uXXXX escapes: a Wine process started from a shell whose locale the system does not have
// receives its arguments as ASCII.
std::wstring unescape(const std::wstring& text)
{
    std::wstring result;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\\' && i + 5 < text.size() && text[i + 1] == L'u') {
            result += static_cast<wchar_t>(std::wcstoul(text.substr(i + 2, 4).c_str(), nullptr, 16));
            i += 5;
        } else {
            result += text[i];
        }
    }
    return result;
}

int usage()
{
    std::fwprintf(stderr,
                  L"usage: ykprobe windows WINDOW\n"
                  L"       ykprobe wait WINDOW exists|visible|hidden|gone [MILLISECONDS]\n"
                  L"       ykprobe text WINDOW CONTROL          the control's text\n"
                  L"       ykprobe shown WINDOW CONTROL         exit 0 when the control is shown in its window\n"
                  L"       ykprobe rect WINDOW CONTROL          its screen rectangle: left top right bottom\n"
                  L"       ykprobe pixel WINDOW CONTROL DX DY   the screen colour at that offset in the control\n"
                  L"       ykprobe click WINDOW CONTROL         a click, posted to the control's parent\n"
                  L"       ykprobe type WINDOW CONTROL TEXT     replaces the text of an edit field\n"
                  L"       ykprobe checked WINDOW CONTROL       exit 0 when the check box is checked\n"
                  L"       ykprobe date WINDOW CONTROL Y-M-D    sets a date picker\n"
                  L"       ykprobe key WINDOW return|escape     a key pressed in the window\n"
                  L"       ykprobe close WINDOW\n"
                  L"       ykprobe kill WINDOW\n"
                  L"       ykprobe file PATH\n"
                  L"       ykprobe file-version PATH            the file version of its version resource\n"
                  L"       ykprobe menu-shows TEXT              exit 0 when the open popup menu shows the text\n"
                  L"TEXT may hold \\uXXXX escapes for characters outside ASCII.\n"
                  L"       ykprobe menu-item N COUNT            screen point of item N of the open popup menu\n"
                  L"       ykprobe tray-remove WINDOW ID        removes the window's notification-area icon\n"
                  L"       ykprobe tray-present WINDOW ID       exit 0 when the window has that icon\n"
                  L"       ykprobe broadcast NAME               posts a registered message to every window\n");
    return 2;
}

// The popup menu on screen: its window and its menu.
bool openPopupMenu(HWND& window, HMENU& menu)
{
    window = FindWindowW(L"#32768", nullptr);
    if (!window || !IsWindowVisible(window))
        return false;
    menu = reinterpret_cast<HMENU>(SendMessageW(window, MN_GETHMENU, 0, 0));
    return menu != nullptr;
}

// The screen position of item `position` of the open popup menu, taken as `count` rows of equal height.
int menuItemPoint(int position, int count)
{
    HWND window = nullptr;
    HMENU menu = nullptr;
    if (!openPopupMenu(window, menu) || count <= 0 || position < 0 || position >= count)
        return 1;
    RECT rect{};
    GetWindowRect(window, &rect);
    const int border = GetSystemMetrics(SM_CYEDGE) + GetSystemMetrics(SM_CYBORDER);
    const int rowHeight = (rect.bottom - rect.top - 2 * border) / count;
    std::wprintf(L"%ld %ld\n", (rect.left + rect.right) / 2, rect.top + border + rowHeight * position + rowHeight / 2);
    return 0;
}

// 32-bit top-down pixels of a rectangle of a device context.
struct Capture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
    std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x] & 0xFFFFFF; }
};

Capture capture(HDC source, int x, int y, int width, int height)
{
    Capture result;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    const HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HDC memory = CreateCompatibleDC(source);
    if (bitmap && memory && bits) {
        const HGDIOBJ previous = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, width, height, source, x, y, SRCCOPY);
        GdiFlush();
        result.width = width;
        result.height = height;
        const auto* first = static_cast<const std::uint32_t*>(bits);
        result.pixels.assign(first, first + static_cast<std::size_t>(width) * height);
        SelectObject(memory, previous);
    }
    if (memory)
        DeleteDC(memory);
    if (bitmap)
        DeleteObject(bitmap);
    return result;
}

// The text as a popup menu draws it: the menu font and colours. Only the part with ink is kept.
Capture renderMenuText(const std::wstring& text)
{
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    const HFONT font = CreateFontIndirectW(&metrics.lfMenuFont);
    const HDC screen = GetDC(nullptr);
    const HDC dc = CreateCompatibleDC(screen);
    const HGDIOBJ oldFont = SelectObject(dc, font);
    RECT measured{0, 0, 0, 0};
    DrawTextW(dc, text.c_str(), -1, &measured, DT_SINGLELINE | DT_CALCRECT);
    const int width = measured.right + 8;
    const int height = measured.bottom + 8;
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    const HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    RECT all{0, 0, width, height};
    FillRect(dc, &all, GetSysColorBrush(COLOR_MENU));
    SetTextColor(dc, GetSysColor(COLOR_MENUTEXT));
    SetBkMode(dc, TRANSPARENT);
    RECT place{4, 4, width, height};
    DrawTextW(dc, text.c_str(), -1, &place, DT_SINGLELINE);
    Capture drawn = capture(dc, 0, 0, width, height);
    SelectObject(dc, oldBitmap);
    SelectObject(dc, oldFont);
    DeleteObject(bitmap);
    DeleteObject(font);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);

    const std::uint32_t background = drawn.at(0, 0);
    int left = width, top = height, right = -1, bottom = -1;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (drawn.at(x, y) != background) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    Capture ink;
    if (right < 0)
        return ink;
    ink.width = right - left + 1;
    ink.height = bottom - top + 1;
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x)
            ink.pixels.push_back(drawn.at(x, y));
    return ink;
}

bool contains(const Capture& haystack, const Capture& needle)
{
    for (int y = 0; y + needle.height <= haystack.height; ++y)
        for (int x = 0; x + needle.width <= haystack.width; ++x) {
            bool same = true;
            for (int ny = 0; ny < needle.height && same; ++ny)
                for (int nx = 0; nx < needle.width && same; ++nx)
                    same = haystack.at(x + nx, y + ny) == needle.at(nx, ny);
            if (same)
                return true;
        }
    return false;
}

// Whether the open popup menu shows the text: what a person reads, compared pixel for pixel.
int menuShows(const std::wstring& text)
{
    HWND window = nullptr;
    HMENU menu = nullptr;
    if (!openPopupMenu(window, menu))
        return 1;
    RECT rect{};
    GetWindowRect(window, &rect);
    const HDC screen = GetDC(nullptr);
    const Capture shown = capture(screen, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    ReleaseDC(nullptr, screen);
    const Capture wanted = renderMenuText(text);
    const bool found = wanted.width > 0 && contains(shown, wanted);
    std::wprintf(L"%ls\n", found ? L"shown" : L"not shown");
    return found ? 0 : 1;
}

// Sets a date picker of another process, as choosing the date in it would: the date travels in memory of
// that process, since the control reads it through a pointer.
int setDate(HWND picker, const std::wstring& date)
{
    SYSTEMTIME time{};
    if (std::swscanf(date.c_str(), L"%hu-%hu-%hu", &time.wYear, &time.wMonth, &time.wDay) != 3)
        return 2;
    DWORD process = 0;
    GetWindowThreadProcessId(picker, &process);
    const HANDLE handle = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, process);
    if (!handle)
        return 1;
    void* remote = VirtualAllocEx(handle, nullptr, sizeof time, MEM_COMMIT, PAGE_READWRITE);
    bool done = false;
    if (remote && WriteProcessMemory(handle, remote, &time, sizeof time, nullptr))
        done = SendMessageW(picker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(remote)) != 0;
    if (remote)
        VirtualFreeEx(handle, remote, 0, MEM_RELEASE);
    CloseHandle(handle);
    return done ? 0 : 1;
}

NOTIFYICONDATAW iconOf(HWND window, UINT id)
{
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = window;
    data.uID = id;
    return data;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2)
        return usage();
    const std::wstring command = argv[1];
    if (argc < 3)
        return usage();
    if (command == L"menu-shows")
        return menuShows(unescape(argv[2]));
    if (command == L"menu-item" && argc >= 4)
        return menuItemPoint(std::wcstol(argv[2], nullptr, 10), std::wcstol(argv[3], nullptr, 10));
    if (command == L"broadcast") {
        const UINT message = RegisterWindowMessageW(argv[2]);
        return PostMessageW(HWND_BROADCAST, message, 0, 0) ? 0 : 1;
    }
    if (command == L"file-version") {
        DWORD ignored = 0;
        const DWORD size = GetFileVersionInfoSizeW(argv[2], &ignored);
        std::vector<std::uint8_t> block(size);
        VS_FIXEDFILEINFO* info = nullptr;
        UINT infoSize = 0;
        if (size == 0 || !GetFileVersionInfoW(argv[2], 0, size, block.data()) ||
            !VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&info), &infoSize) || !info)
            return 1;
        std::wprintf(L"%u.%u.%u.%u\n", HIWORD(info->dwFileVersionMS), LOWORD(info->dwFileVersionMS),
                     HIWORD(info->dwFileVersionLS), LOWORD(info->dwFileVersionLS));
        return 0;
    }
    if (command == L"file") {
        // Whether a path exists as Windows programs see it (the second argument is the path).
        const DWORD attributes = GetFileAttributesW(argv[2]);
        std::wprintf(L"%ls\n", attributes == INVALID_FILE_ATTRIBUTES ? L"missing" : L"present");
        return attributes == INVALID_FILE_ATTRIBUTES ? 1 : 0;
    }

    const WindowMatch match = parseMatch(argv[2]);
    if (command == L"windows") {
        const auto found = topLevelWindows(match);
        for (const auto& f : found)
            std::wprintf(L"%p pid=%lu %ls\n", static_cast<void*>(f.window), f.process,
                         f.visible ? L"visible" : L"hidden");
        std::wprintf(L"count=%zu\n", found.size());
        return 0;
    }
    if (command == L"wait" && argc >= 4) {
        const std::wstring state = argv[3];
        const DWORD limit = argc >= 5 ? std::wcstoul(argv[4], nullptr, 10) : 15000;
        const DWORD start = GetTickCount();
        while (!condition(topLevelWindows(match), state)) {
            if (GetTickCount() - start > limit) {
                std::fwprintf(stderr, L"timed out waiting for \"%ls\" to be %ls\n", argv[2], state.c_str());
                return 1;
            }
            Sleep(100);
        }
        return 0;
    }

    const auto found = topLevelWindows(match);
    if (found.empty()) {
        std::fwprintf(stderr, L"no window \"%ls\"\n", argv[2]);
        return 1;
    }
    const HWND window = pickWindow(found);
    if (command == L"close") {
        PostMessageW(window, WM_CLOSE, 0, 0);
        return 0;
    }
    if (command == L"kill") {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        const HANDLE handle = OpenProcess(PROCESS_TERMINATE, FALSE, process);
        const bool ok = handle && TerminateProcess(handle, 0);
        if (handle)
            CloseHandle(handle);
        return ok ? 0 : 1;
    }
    if (argc < 4)
        return usage();
    if (command == L"key") {
        const std::wstring key = argv[3];
        const WPARAM virtualKey = key == L"return" ? VK_RETURN : key == L"escape" ? VK_ESCAPE : 0;
        if (!virtualKey)
            return usage();
        PostMessageW(window, WM_KEYDOWN, virtualKey, 1);
        PostMessageW(window, WM_KEYUP, virtualKey, 0xC0000001);
        return 0;
    }
    if (command == L"tray-remove" || command == L"tray-present") {
        NOTIFYICONDATAW data = iconOf(window, std::wcstoul(argv[3], nullptr, 10));
        if (command == L"tray-remove")
            return Shell_NotifyIconW(NIM_DELETE, &data) ? 0 : 1;
        // Only an icon that exists can be changed; the change sets nothing.
        data.uFlags = 0;
        return Shell_NotifyIconW(NIM_MODIFY, &data) ? 0 : 1;
    }

    const HWND control = findControl(window, argv[3]);
    if (!control) {
        std::fwprintf(stderr, L"no control %ls\n", argv[3]);
        return 1;
    }
    if (command == L"text") {
        // Asked of the control itself: GetWindowText does not reach an edit field of another process.
        wchar_t text[4096] = {};
        DWORD_PTR copied = 0;
        SendMessageTimeoutW(control, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000, &copied);
        std::wprintf(L"%ls\n", text);
        return 0;
    }
    if (command == L"type" && argc >= 5) {
        // Replaces the text of an edit field, as typing it would.
        const std::wstring text = unescape(argv[4]);
        return SendMessageW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str())) ? 0 : 1;
    }
    if (command == L"checked") {
        const bool checked = SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
        std::wprintf(L"%ls\n", checked ? L"checked" : L"unchecked");
        return checked ? 0 : 1;
    }
    if (command == L"date" && argc >= 5)
        return setDate(control, argv[4]);
    if (command == L"shown") {
        // The control's own visibility: a page of a hidden window still tells which of them is shown.
        const bool shown = (GetWindowLongPtrW(control, GWL_STYLE) & WS_VISIBLE) != 0;
        std::wprintf(L"%ls\n", shown ? L"shown" : L"not shown");
        return shown ? 0 : 1;
    }
    RECT rect{};
    GetWindowRect(control, &rect);
    if (command == L"rect") {
        std::wprintf(L"%ld %ld %ld %ld\n", rect.left, rect.top, rect.right, rect.bottom);
        return 0;
    }
    if (command == L"pixel" && argc >= 6) {
        const HDC screen = GetDC(nullptr);
        const COLORREF colour = GetPixel(screen, rect.left + std::wcstol(argv[4], nullptr, 10),
                                         rect.top + std::wcstol(argv[5], nullptr, 10));
        ReleaseDC(nullptr, screen);
        std::wprintf(L"%u %u %u\n", GetRValue(colour), GetGValue(colour), GetBValue(colour));
        return colour == CLR_INVALID ? 1 : 0;
    }
    if (command == L"click") {
        // Buttons and notifying statics both report a click as code 0. Posted: a click that opens a modal box
        // must not hold the probe.
        const int id = GetDlgCtrlID(control);
        PostMessageW(GetParent(control), WM_COMMAND, MAKEWPARAM(id, 0), reinterpret_cast<LPARAM>(control));
        return 0;
    }
    return usage();
}
