#include "backup/DriveSpaceText.h"

#include <cstdio>

namespace yk {

std::wstring formatDriveSize(std::uint64_t bytes)
{
    const double mb = static_cast<double>(bytes) / 1024.0 / 1024.0;
    const double gb = mb / 1024.0;
    char text[64];
    if (gb >= 1.0)
        std::snprintf(text, sizeof text, "%.2f GB", gb);
    else
        std::snprintf(text, sizeof text, "%.2f MB", mb);
    return std::wstring(text, text + std::char_traits<char>::length(text));
}

std::wstring driveSpaceLine(const std::wstring& totalWord, std::uint64_t totalBytes, const std::wstring& freeWord,
                            std::uint64_t freeBytes)
{
    return totalWord + L" " + formatDriveSize(totalBytes) + L", " + freeWord + L" " + formatDriveSize(freeBytes) +
           L"\r\n";
}

} // namespace yk
