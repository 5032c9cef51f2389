// The file-system view of the runs: folder listings, tree counts, date-range tests, attribute and time
// queries. Nothing here shows a message; trouble is reported only through the results.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "backup/FileTime.h"

namespace yk {

// One listed folder entry.
struct FileAttributes {
    std::wstring path; // the listed folder, a backslash and the entry's name
    std::wstring name;
    std::int32_t isDirectory = 0;
    std::uint64_t size = 0;        // 0 for folders
    std::int64_t creationTime = 0; // seconds since 1970-01-01 00:00:00 UTC; 0 when not available
    std::int64_t lastWriteTime = 0;
    std::int64_t lastAccessTime = 0;
};

// The entries of one folder level of a copy; it lives as long as that level.
using FileListArray = std::vector<FileAttributes>;

// Appends the folder's entries, hidden and system ones included, files before folders. Temporary files of
// an interrupted copy are left out. False when the folder could not be enumerated to its end (gone, denied,
// its medium no longer answering); what was listed stays appended.
bool listFolder(const std::wstring& folder, FileListArray& fileListArray);

// The number of files in the whole tree and their total size.
std::uint32_t countFiles(const std::wstring& folder, std::uint64_t& totalBytes);

// The same for the files whose local last-write date lies in the range.
std::uint32_t countFilesInRange(const std::wstring& folder, std::uint64_t& totalBytes, const DateRange& range);

// True when the tree holds at least one file of the range.
bool anyFileInRange(const std::wstring& folder, const DateRange& range);

// The full paths of the temporary files that interrupted copies left in a folder.
std::vector<std::wstring> listTransferTemporaries(const std::wstring& folder);

// A UTC file time in the current time zone, by the daylight-saving rule of that date.
std::uint64_t toLocalFileTime(std::uint64_t fileTime);

// Paths of 260 characters or more, or whose full path cannot be resolved, count as missing.
std::uint64_t getFileSize(const std::wstring& path);
bool pathExists(const std::wstring& path);
bool isExistingFolder(const std::wstring& path);

// The local last-write time of a file or folder.
bool getLocalLastWriteTime(const std::wstring& path, std::uint64_t& localTime);

// The creation and last-write times as stored (UTC).
bool readFileTimes(const std::wstring& path, std::uint64_t& creationTime, std::uint64_t& lastWriteTime);

// Sets both times, leaving the last-access time; false when the path cannot be opened for it.
bool setFileTimes(const std::wstring& path, std::uint64_t creationTime, std::uint64_t lastWriteTime);

} // namespace yk
