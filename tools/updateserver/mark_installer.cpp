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
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return 1;
    const std::filesystem::path mark = std::filesystem::path(path).parent_path() / L"installer-ran.txt";
    std::ofstream out(mark, std::ios::app | std::ios::binary);
    out << utf8(GetCommandLineW()) << "\n";
    return out ? 0 : 1;
}
