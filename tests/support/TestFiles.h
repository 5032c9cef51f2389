// Files and folders for the engine tests: scratch folders on the PC disk, contents and times, and
// byte-for-byte comparison of trees.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace yk::test {

// A folder of its own under the temporary folder, removed with everything in it.
class ScratchFolder {
public:
    explicit ScratchFolder(const std::wstring& label);
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::wstring& path() const { return path_; }
    std::wstring operator/(const std::wstring& relative) const { return path_ + L"\\" + relative; }

private:
    std::wstring path_;
};

// Removes a file or a whole tree; true when nothing is left.
bool removeTree(const std::wstring& path);
bool makeFolders(const std::wstring& path);

// Bytes that differ from file to file: a pattern seeded by the text.
std::vector<std::uint8_t> patternBytes(std::size_t size, const std::string& seed);

// Writes the bytes (making the folders above), then sets the last-write time when one is given.
void writeFile(const std::wstring& path, const std::vector<std::uint8_t>& bytes, std::uint64_t lastWriteUtc = 0);
std::vector<std::uint8_t> readFile(const std::wstring& path);
bool exists(const std::wstring& path);

std::uint64_t lastWriteUtc(const std::wstring& path);
void setLastWriteUtc(const std::wstring& path, std::uint64_t time);
std::uint64_t nowUtc();
// The UTC file time of a local wall-clock time of the current time zone.
std::uint64_t utcOfLocal(int year, int month, int day, int hour, int minute, int second);

// Relative paths of every file below a folder, in sorted order.
std::vector<std::wstring> filesBelow(const std::wstring& folder);
// The files below `folder` that an interrupted copy left under a temporary name, relative as filesBelow's.
std::vector<std::wstring> temporariesBelow(const std::wstring& folder);

// True when both trees hold the same files with the same bytes; `why` says what differs.
bool sameTree(const std::wstring& expected, const std::wstring& actual, std::string& why);

std::string narrow(const std::wstring& text);

} // namespace yk::test
