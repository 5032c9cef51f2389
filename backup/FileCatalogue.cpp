#include "backup/FileCatalogue.h"

#include <windows.h>

#include <algorithm>
#include <functional>

#include "base/Win32Handles.h"
#include "backup/BackupPaths.h"

namespace yk {

namespace {

// Classic paths stop short of this length.
constexpr std::size_t kPathLimit = MAX_PATH;

std::uint64_t fromFileTime(const FILETIME& time)
{
    return static_cast<std::uint64_t>(time.dwHighDateTime) << 32 | time.dwLowDateTime;
}

FILETIME toFileTime(std::uint64_t time)
{
    return FILETIME{static_cast<DWORD>(time), static_cast<DWORD>(time >> 32)};
}

class FindHandle {
public:
    explicit FindHandle(HANDLE handle) : handle_(handle) {}
    ~FindHandle()
    {
        if (handle_ != INVALID_HANDLE_VALUE)
            FindClose(handle_);
    }
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;
    HANDLE get() const { return handle_; }
    explicit operator bool() const { return handle_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE handle_;
};

bool isDotEntry(const wchar_t* name)
{
    return name[0] == L'.' && (name[1] == L'\0' || (name[1] == L'.' && name[2] == L'\0'));
}

enum class Listing { Whole, Stopped, Unreadable };

// Calls `visit` for every entry of the folder matching the pattern except "." and "..", and the temporary
// files of interrupted copies; stops early when `visit` returns false. Unreadable when the folder could not
// be enumerated to its end: it is gone (a card taken away), access is denied, the medium stopped answering.
// A pattern that matches nothing is a whole listing of no entries.
Listing forEachEntry(const std::wstring& folder, const wchar_t* pattern,
                     const std::function<bool(const WIN32_FIND_DATAW&)>& visit)
{
    WIN32_FIND_DATAW data;
    const FindHandle find(FindFirstFileExW(joinPath(folder, pattern).c_str(), FindExInfoBasic, &data,
                                           FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH));
    if (!find)
        return GetLastError() == ERROR_FILE_NOT_FOUND ? Listing::Whole : Listing::Unreadable;
    do {
        if (isDotEntry(data.cFileName) || isTransferTemporaryName(data.cFileName))
            continue;
        if (!visit(data))
            return Listing::Stopped;
    } while (FindNextFileW(find.get(), &data));
    return GetLastError() == ERROR_NO_MORE_FILES ? Listing::Whole : Listing::Unreadable;
}

bool isFolderEntry(const WIN32_FIND_DATAW& data)
{
    return (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::uint64_t entrySize(const WIN32_FIND_DATAW& data)
{
    return static_cast<std::uint64_t>(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
}

bool inRange(const WIN32_FIND_DATAW& data, const DateRange& range)
{
    const std::uint64_t written = fromFileTime(data.ftLastWriteTime);
    return written != 0 && isDateInRange(toLocalFileTime(written), range);
}

// The attributes of a classic-length path, or nothing when it is missing.
bool queryAttributes(const std::wstring& path, WIN32_FILE_ATTRIBUTE_DATA& data)
{
    if (path.size() >= kPathLimit)
        return false;
    wchar_t full[kPathLimit];
    const DWORD length = GetFullPathNameW(path.c_str(), kPathLimit, full, nullptr);
    if (length == 0 || length >= kPathLimit)
        return false;
    return GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) != FALSE;
}

UniqueHandle openForTimes(const std::wstring& path)
{
    return UniqueHandle(CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
}

} // namespace

bool listFolder(const std::wstring& folder, FileListArray& fileListArray)
{
    const std::size_t first = fileListArray.size();
    const Listing listing = forEachEntry(folder, L"*", [&](const WIN32_FIND_DATAW& data) {
        FileAttributes entry;
        entry.name = data.cFileName;
        entry.path = joinPath(folder, entry.name);
        entry.isDirectory = isFolderEntry(data) ? 1 : 0;
        entry.size = entry.isDirectory ? 0 : entrySize(data);
        entry.creationTime = calendarSecondsOf(fromFileTime(data.ftCreationTime));
        entry.lastWriteTime = calendarSecondsOf(fromFileTime(data.ftLastWriteTime));
        entry.lastAccessTime = calendarSecondsOf(fromFileTime(data.ftLastAccessTime));
        fileListArray.push_back(std::move(entry));
        return true;
    });
    // Files first, then folders; nothing relies on the order within each group.
    std::partition(fileListArray.begin() + static_cast<std::ptrdiff_t>(first), fileListArray.end(),
                   [](const FileAttributes& entry) { return entry.isDirectory == 0; });
    return listing == Listing::Whole;
}

std::uint32_t countFiles(const std::wstring& folder, std::uint64_t& totalBytes)
{
    std::uint32_t count = 0;
    totalBytes = 0;
    forEachEntry(folder, L"*.*", [&](const WIN32_FIND_DATAW& data) {
        if (isFolderEntry(data)) {
            std::uint64_t bytes = 0;
            count += countFiles(joinPath(folder, data.cFileName), bytes);
            totalBytes += bytes;
        } else {
            ++count;
            totalBytes += entrySize(data);
        }
        return true;
    });
    return count;
}

std::uint32_t countFilesInRange(const std::wstring& folder, std::uint64_t& totalBytes, const DateRange& range)
{
    std::uint32_t count = 0;
    totalBytes = 0;
    forEachEntry(folder, L"*.*", [&](const WIN32_FIND_DATAW& data) {
        if (isFolderEntry(data)) {
            std::uint64_t bytes = 0;
            count += countFilesInRange(joinPath(folder, data.cFileName), bytes, range);
            totalBytes += bytes;
        } else if (inRange(data, range)) {
            ++count;
            totalBytes += entrySize(data);
        }
        return true;
    });
    return count;
}

bool anyFileInRange(const std::wstring& folder, const DateRange& range)
{
    // A folder that cannot be read is entered all the same: the restore's own listing reports it.
    const Listing listing = forEachEntry(folder, L"*.*", [&](const WIN32_FIND_DATAW& data) {
        if (isFolderEntry(data))
            return !anyFileInRange(joinPath(folder, data.cFileName), range);
        return !inRange(data, range);
    });
    return listing != Listing::Whole;
}

FolderNames FolderNames::of(const std::wstring& folder)
{
    FolderNames names;
    WIN32_FIND_DATAW data;
    // The standard level of information brings the short names, which open the same entries.
    const FindHandle find(FindFirstFileExW(joinPath(folder, L"*").c_str(), FindExInfoStandard, &data,
                                           FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH));
    if (!find) {
        // A drive's empty root has no dot entries either.
        names.known_ = GetLastError() == ERROR_FILE_NOT_FOUND;
        return names;
    }
    do {
        if (isDotEntry(data.cFileName))
            continue;
        if (!isFolderEntry(data) && isTransferTemporaryName(data.cFileName))
            names.temporaries_.push_back(joinPath(folder, data.cFileName));
        names.keys_.insert(keyOf(data.cFileName));
        if (data.cAlternateFileName[0] != L'\0')
            names.keys_.insert(keyOf(data.cAlternateFileName));
    } while (FindNextFileW(find.get(), &data));
    if (GetLastError() != ERROR_NO_MORE_FILES)
        return FolderNames{};
    names.known_ = true;
    return names;
}

bool FolderNames::mayHold(std::wstring_view name) const
{
    return !known_ || keys_.contains(keyOf(name));
}

void FolderNames::add(std::wstring_view name)
{
    if (known_)
        keys_.insert(keyOf(name));
}

std::wstring FolderNames::keyOf(std::wstring_view name)
{
    while (!name.empty() && (name.back() == L'.' || name.back() == L' '))
        name.remove_suffix(1);
    std::wstring key(name);
    if (!key.empty())
        LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, key.data(), static_cast<int>(key.size()), key.data(),
                      static_cast<int>(key.size()), nullptr, nullptr, 0);
    return key;
}

std::uint64_t toLocalFileTime(std::uint64_t fileTime)
{
    const FILETIME utc = toFileTime(fileTime);
    SYSTEMTIME utcFields;
    SYSTEMTIME localFields;
    FILETIME local;
    if (!FileTimeToSystemTime(&utc, &utcFields) ||
        !SystemTimeToTzSpecificLocalTime(nullptr, &utcFields, &localFields) ||
        !SystemTimeToFileTime(&localFields, &local))
        return fileTime;
    return fromFileTime(local);
}

bool pathExists(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    return queryAttributes(path, data);
}

bool isExistingFolder(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    return queryAttributes(path, data) && (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// The times are read from the attribute query rather than through an opened handle: the same values, without
// the open and close that cost a run over many unchanged files most of its time.
bool getLocalLastWriteTime(const std::wstring& path, std::uint64_t& localTime)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return false;
    localTime = toLocalFileTime(fromFileTime(data.ftLastWriteTime));
    return true;
}

bool readFileTimes(const std::wstring& path, std::uint64_t& creationTime, std::uint64_t& lastWriteTime)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return false;
    creationTime = fromFileTime(data.ftCreationTime);
    lastWriteTime = fromFileTime(data.ftLastWriteTime);
    return true;
}

bool setFileTimes(const std::wstring& path, std::uint64_t creationTime, std::uint64_t lastWriteTime)
{
    const UniqueHandle file = openForTimes(path);
    if (!file)
        return false;
    const FILETIME created = toFileTime(creationTime);
    const FILETIME written = toFileTime(lastWriteTime);
    SetFileTime(file.get(), &created, nullptr, &written);
    return true;
}

} // namespace yk
