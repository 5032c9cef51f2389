// The installer of the update tests: started, it writes its command line to installer-ran.txt beside itself
// (a line more each time) and ends with code 0.
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

std::string utf8(const std::wstring& text)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), bytes.data(), size, nullptr, nullptr);
    return bytes;
}

} // namespace

int wmain()
{
    // Its own path may be longer than MAX_PATH: the buffer grows until the whole name fits.
    std::wstring path(MAX_PATH, L'\0');
    DWORD length = 0;
    while ((length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()))) >= path.size())
        path.resize(path.size() * 2);
    if (length == 0)
        return 1;
    path.resize(length);
    const std::filesystem::path mark = std::filesystem::path(path).parent_path() / L"installer-ran.txt";
    std::ofstream out(mark, std::ios::app | std::ios::binary);
    out << utf8(GetCommandLineW()) << "\n";
    return out ? 0 : 1;
}
