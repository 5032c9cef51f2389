// Drives the program from outside like a person would: finds its windows, reads and clicks controls.
// Used by the end-to-end tests; every command prints what it found and exits 0 on success.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

struct Found {
    HWND window;
    DWORD process;
    bool visible;
};

std::vector<Found> topLevelWindows(const std::wstring& title)
{
    struct Search {
        const std::wstring* title;
        std::vector<Found> found;
    } search{&title, {}};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(param);
            wchar_t text[512] = {};
            GetWindowTextW(window, text, 512);
            if (*s.title == text) {
                DWORD process = 0;
                GetWindowThreadProcessId(window, &process);
                s.found.push_back({window, process, IsWindowVisible(window) != FALSE});
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

int usage()
{
    std::fwprintf(stderr, L"usage: ykprobe windows TITLE\n"
                          L"       ykprobe wait TITLE exists|visible|hidden|gone [MILLISECONDS]\n"
                          L"       ykprobe text TITLE CONTROL_ID\n"
                          L"       ykprobe click TITLE CONTROL_ID\n"
                          L"       ykprobe close TITLE\n"
                          L"       ykprobe kill TITLE\n"
                          L"       ykprobe file PATH\n");
    return 2;
}

bool condition(const std::vector<Found>& found, const std::wstring& state)
{
    if (state == L"gone")
        return found.empty();
    if (found.empty())
        return false;
    if (state == L"exists")
        return true;
    const bool visible = found.front().visible;
    return state == L"visible" ? visible : !visible;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 3)
        return usage();
    const std::wstring command = argv[1];
    const std::wstring title = argv[2];

    if (command == L"file") {
        // Whether a path exists as Windows programs see it (the second argument is the path).
        const DWORD attributes = GetFileAttributesW(title.c_str());
        std::wprintf(L"%ls\n", attributes == INVALID_FILE_ATTRIBUTES ? L"missing" : L"present");
        return attributes == INVALID_FILE_ATTRIBUTES ? 1 : 0;
    }

    if (command == L"windows") {
        const auto found = topLevelWindows(title);
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
        while (!condition(topLevelWindows(title), state)) {
            if (GetTickCount() - start > limit) {
                std::fwprintf(stderr, L"timed out waiting for \"%ls\" to be %ls\n", title.c_str(), state.c_str());
                return 1;
            }
            Sleep(100);
        }
        return 0;
    }

    const auto found = topLevelWindows(title);
    if (found.empty()) {
        std::fwprintf(stderr, L"no window \"%ls\"\n", title.c_str());
        return 1;
    }
    const HWND window = found.front().window;
    if (command == L"close") {
        PostMessageW(window, WM_CLOSE, 0, 0);
        return 0;
    }
    if (command == L"kill") {
        const HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, found.front().process);
        const bool ok = process && TerminateProcess(process, 0);
        if (process)
            CloseHandle(process);
        return ok ? 0 : 1;
    }
    if (argc < 4)
        return usage();
    const int id = std::wcstol(argv[3], nullptr, 10);
    const HWND control = GetDlgItem(window, id);
    if (!control) {
        std::fwprintf(stderr, L"no control %d\n", id);
        return 1;
    }
    if (command == L"text") {
        wchar_t text[4096] = {};
        GetWindowTextW(control, text, 4096);
        std::wprintf(L"%ls\n", text);
        return 0;
    }
    if (command == L"click") {
        // Buttons and notifying statics both report a click as code 0.
        SendMessageW(window, WM_COMMAND, MAKEWPARAM(id, 0), reinterpret_cast<LPARAM>(control));
        return 0;
    }
    return usage();
}
