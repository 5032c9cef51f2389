// The SD card's space line of the backup/restore page.
#pragma once

#include <cstdint>
#include <string>

namespace yk {

// "%.2f MB" of bytes / 1024 / 1024, or "%.2f GB" once that is at least 1024 MB.
std::wstring formatDriveSize(std::uint64_t bytes);

// "%s %s, %s %s\r\n": the total and the free space, each after its catalog word ("Total", "Free").
std::wstring driveSpaceLine(const std::wstring& totalWord, std::uint64_t totalBytes, const std::wstring& freeWord,
                            std::uint64_t freeBytes);

} // namespace yk
