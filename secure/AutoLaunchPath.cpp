#include "secure/AutoLaunchPath.h"

namespace yk {

std::wstring upperCaseAscii(std::wstring text)
{
    for (wchar_t& c : text)
        if (c >= L'a' && c <= L'z')
            c = static_cast<wchar_t>(c - L'a' + L'A');
    return text;
}

bool isInstalledProgram(const std::wstring& programPath, const std::wstring& programFilesFolder)
{
    return !programFilesFolder.empty() && programPath.find(programFilesFolder) == 0;
}

std::wstring autoLaunchCommand(const std::wstring& programPath)
{
    return L"\"" + programPath + L"\"";
}

} // namespace yk
