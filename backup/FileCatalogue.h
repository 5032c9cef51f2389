// The file-system view of the runs: folder listings, tree counts, date-range tests, attribute and time
// queries. Nothing here shows a message; trouble is reported only through the results.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_set>
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

// The names in a run's target folder, listed once as the walk enters it. A file whose name is not among
// them needs no question to the file system before it is copied: that question is the costliest one of a
// first copy where the file system looks for a missing name through the whole folder.
class FolderNames {
public:
    // Knows nothing: every name may be there.
    FolderNames() = default;
    // The folder's entries, by their names and short names, and the temporary files that interrupted copies
    // left there. A folder that cannot be listed to its end knows nothing (and no temporaries).
    static FolderNames of(const std::wstring& folder);

    // False only when the listing holds no entry of this name, compared as the file system compares names:
    // in any case, and without the trailing dots and spaces that a path's last part loses.
    bool mayHold(std::wstring_view name) const;
    // A name the walk itself gave an entry after the listing.
    void add(std::wstring_view name);
    // The full paths of the temporaries.
    const std::vector<std::wstring>& temporaries() const { return temporaries_; }

private:
    static std::wstring keyOf(std::wstring_view name);

    bool known_ = false;
    std::unordered_set<std::wstring> keys_;
    std::vector<std::wstring> temporaries_;
};

// A UTC file time in the current time zone, by the daylight-saving rule of that date.
std::uint64_t toLocalFileTime(std::uint64_t fileTime);

// Paths of 260 characters or more, or whose full path cannot be resolved, count as missing.
bool pathExists(const std::wstring& path);
bool isExistingFolder(const std::wstring& path);

// The local last-write time of a file or folder.
bool getLocalLastWriteTime(const std::wstring& path, std::uint64_t& localTime);

// The creation and last-write times as stored (UTC).
bool readFileTimes(const std::wstring& path, std::uint64_t& creationTime, std::uint64_t& lastWriteTime);

// Sets both times, leaving the last-access time; false when the path cannot be opened for it.
bool setFileTimes(const std::wstring& path, std::uint64_t creationTime, std::uint64_t lastWriteTime);

} // namespace yk
