#include "support/TestFiles.h"

#include <algorithm>
#include <functional>

#include "base/Win32Handles.h"
#include "backup/BackupPaths.h"

namespace yk::test {

namespace {

constexpr std::uint64_t kUnitsPerSecond = 10'000'000;

class Find {
public:
    Find(const std::wstring& pattern, WIN32_FIND_DATAW& data) : handle_(FindFirstFileW(pattern.c_str(), &data)) {}
    ~Find()
    {
        if (handle_ != INVALID_HANDLE_VALUE)
            FindClose(handle_);
    }
    Find(const Find&) = delete;
    Find& operator=(const Find&) = delete;
    explicit operator bool() const { return handle_ != INVALID_HANDLE_VALUE; }
    bool next(WIN32_FIND_DATAW& data) { return FindNextFileW(handle_, &data) != FALSE; }

private:
    HANDLE handle_;
};

FILETIME toFileTime(std::uint64_t time)
{
    return FILETIME{static_cast<DWORD>(time), static_cast<DWORD>(time >> 32)};
}

std::uint64_t fromFileTime(const FILETIME& time)
{
    return static_cast<std::uint64_t>(time.dwHighDateTime) << 32 | time.dwLowDateTime;
}

void collectFiles(const std::wstring& root, const std::wstring& relative, std::vector<std::wstring>& files)
{
    WIN32_FIND_DATAW data;
    const std::wstring folder = relative.empty() ? root : root + L"\\" + relative;
    Find find(folder + L"\\*", data);
    if (!find)
        return;
    do {
        const std::wstring name = data.cFileName;
        if (name == L"." || name == L"..")
            continue;
        const std::wstring child = relative.empty() ? name : relative + L"\\" + name;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            collectFiles(root, child, files);
        else
            files.push_back(child);
    } while (find.next(data));
}

} // namespace

ScratchFolder::ScratchFolder(const std::wstring& label)
{
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    static unsigned serial = 0;
    path_ = std::wstring(temp) + L"ykbk-" + label + L"-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(++serial);
    if (!path_.empty() && path_.back() == L'\\')
        path_.pop_back();
    removeTree(path_);
    makeFolders(path_);
}

ScratchFolder::~ScratchFolder()
{
    removeTree(path_);
}

bool removeTree(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return true;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        WIN32_FIND_DATAW data;
        Find find(path + L"\\*", data);
        if (find) {
            do {
                const std::wstring name = data.cFileName;
                if (name != L"." && name != L"..")
                    removeTree(path + L"\\" + name);
            } while (find.next(data));
        }
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        RemoveDirectoryW(path.c_str());
    } else {
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(path.c_str());
    }
    return GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES;
}

bool makeFolders(const std::wstring& path)
{
    for (std::size_t at = path.find(L'\\', 3); at != std::wstring::npos; at = path.find(L'\\', at + 1))
        CreateDirectoryW(path.substr(0, at).c_str(), nullptr);
    CreateDirectoryW(path.c_str(), nullptr);
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::vector<std::uint8_t> patternBytes(std::size_t size, const std::string& seed)
{
    std::uint32_t state = 2166136261u;
    for (const char c : seed)
        state = (state ^ static_cast<unsigned char>(c)) * 16777619u;
    std::vector<std::uint8_t> bytes(size);
    for (auto& b : bytes) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        b = static_cast<std::uint8_t>(state);
    }
    return bytes;
}

void writeFile(const std::wstring& path, const std::vector<std::uint8_t>& bytes, std::uint64_t lastWriteUtcTime)
{
    makeFolders(path.substr(0, path.rfind(L'\\')));
    const UniqueHandle file(
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return;
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD written = 0;
        const auto n = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1 << 20));
        if (!WriteFile(file.get(), bytes.data() + done, n, &written, nullptr) || written == 0)
            return;
        done += written;
    }
    if (lastWriteUtcTime != 0) {
        const FILETIME time = toFileTime(lastWriteUtcTime);
        SetFileTime(file.get(), nullptr, nullptr, &time);
    }
}

std::vector<std::uint8_t> readFile(const std::wstring& path)
{
    const UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                        OPEN_EXISTING, 0, nullptr));
    std::vector<std::uint8_t> bytes;
    if (!file)
        return bytes;
    LARGE_INTEGER size{};
    GetFileSizeEx(file.get(), &size);
    bytes.resize(static_cast<std::size_t>(size.QuadPart));
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD read = 0;
        const auto n = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1 << 20));
        if (!ReadFile(file.get(), bytes.data() + done, n, &read, nullptr) || read == 0)
            break;
        done += read;
    }
    bytes.resize(done);
    return bytes;
}

bool exists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::uint64_t lastWriteUtc(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return 0;
    return fromFileTime(data.ftLastWriteTime);
}

void setLastWriteUtc(const std::wstring& path, std::uint64_t time)
{
    const UniqueHandle file(CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    const FILETIME value = toFileTime(time);
    SetFileTime(file.get(), nullptr, nullptr, &value);
}

std::uint64_t nowUtc()
{
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    // Whole seconds keep the expected times free of rounding by the file system.
    const std::uint64_t time = fromFileTime(now);
    return time - time % kUnitsPerSecond;
}

std::uint64_t utcOfLocal(int year, int month, int day, int hour, int minute, int second)
{
    SYSTEMTIME local{};
    local.wYear = static_cast<WORD>(year);
    local.wMonth = static_cast<WORD>(month);
    local.wDay = static_cast<WORD>(day);
    local.wHour = static_cast<WORD>(hour);
    local.wMinute = static_cast<WORD>(minute);
    local.wSecond = static_cast<WORD>(second);
    SYSTEMTIME utc;
    FILETIME time;
    TzSpecificLocalTimeToSystemTime(nullptr, &local, &utc);
    SystemTimeToFileTime(&utc, &time);
    return fromFileTime(time);
}

std::vector<std::wstring> filesBelow(const std::wstring& folder)
{
    std::vector<std::wstring> files;
    collectFiles(folder, L"", files);
    std::sort(files.begin(), files.end());
    return files;
}

std::vector<std::wstring> temporariesBelow(const std::wstring& folder)
{
    std::vector<std::wstring> found;
    for (const auto& file : filesBelow(folder))
        if (isTransferTemporaryName(lastComponent(file)))
            found.push_back(file);
    return found;
}

bool sameTree(const std::wstring& expected, const std::wstring& actual, std::string& why)
{
    const auto expectedFiles = filesBelow(expected);
    const auto actualFiles = filesBelow(actual);
    if (expectedFiles != actualFiles) {
        why =
            "file lists differ: " + std::to_string(expectedFiles.size()) + " vs " + std::to_string(actualFiles.size());
        for (const auto& f : actualFiles)
            if (std::find(expectedFiles.begin(), expectedFiles.end(), f) == expectedFiles.end())
                why += "; extra " + narrow(f);
        for (const auto& f : expectedFiles)
            if (std::find(actualFiles.begin(), actualFiles.end(), f) == actualFiles.end())
                why += "; missing " + narrow(f);
        return false;
    }
    for (const auto& file : expectedFiles) {
        if (readFile(expected + L"\\" + file) != readFile(actual + L"\\" + file)) {
            why = "contents differ: " + narrow(file);
            return false;
        }
    }
    return true;
}

std::string narrow(const std::wstring& text)
{
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), result.data(), size, nullptr, nullptr);
    return result;
}

} // namespace yk::test
