#include "backup/BackupPaths.h"

#include "backup/FileTime.h"
#include "secure/EncryptedFile.h"

namespace yk {

namespace {

constexpr std::size_t kHexDigits = 16;

wchar_t upperAscii(wchar_t c)
{
    return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c;
}

std::size_t lastSeparator(std::wstring_view path)
{
    return path.find_last_of(L"\\/");
}

} // namespace

wchar_t driveLetterOf(std::wstring_view path)
{
    if (const auto colon = path.rfind(L':'); colon != std::wstring_view::npos)
        path = path.substr(0, colon);
    return path.empty() ? L'\0' : path.front();
}

std::wstring_view lastComponent(std::wstring_view path)
{
    const auto separator = lastSeparator(path);
    return separator == std::wstring_view::npos ? path : path.substr(separator + 1);
}

std::wstring_view parentOf(std::wstring_view path)
{
    const auto separator = lastSeparator(path);
    return separator == std::wstring_view::npos ? std::wstring_view{} : path.substr(0, separator);
}

std::wstring joinPath(std::wstring_view folder, std::wstring_view name)
{
    std::wstring path;
    path.reserve(folder.size() + 1 + name.size());
    path.append(folder).append(1, L'\\').append(name);
    return path;
}

std::wstring sdBackupFolder(wchar_t letter, std::wstring_view computerName, std::wstring_view userName,
                            std::wstring_view kindFolderName)
{
    std::wstring root{letter, L':'};
    return joinPath(joinPath(joinPath(joinPath(root, kCrossFolderName), computerName), userName), kindFolderName);
}

std::wstring unavailableMarker(std::wstring_view text)
{
    std::wstring marker(1, L'(');
    marker.append(text).append(1, L')');
    return marker;
}

bool isUnavailableFolder(std::wstring_view folder)
{
    return folder.empty() || folder.front() == L'(';
}

bool isOnDrive(std::wstring_view path, wchar_t letter)
{
    return path.size() >= 3 && upperAscii(path[0]) == upperAscii(letter) && path[1] == L':' && path[2] == L'\\';
}

std::wstring restorePickerStart(std::wstring_view expectedFolder,
                                const std::function<bool(const std::wstring&)>& isExistingFolder)
{
    std::wstring start(expectedFolder);
    start.push_back(L'\\');
    if (isExistingFolder(start))
        return start;
    start.pop_back();
    do {
        start = std::wstring(parentOf(start));
    } while (start.size() > 2 && !isExistingFolder(start));
    start.push_back(L'\\');
    return start;
}

std::wstring numberedCandidate(std::wstring_view target, int n, bool encrypted)
{
    const std::wstring_view folder = parentOf(target);
    const std::wstring_view fileName = lastComponent(target);
    const auto dot = fileName.rfind(L'.');
    const std::wstring_view base = dot == std::wstring_view::npos ? fileName : fileName.substr(0, dot);
    const std::wstring_view extension = dot == std::wstring_view::npos ? std::wstring_view{} : fileName.substr(dot + 1);

    std::wstring candidate(folder);
    candidate.append(1, L'\\').append(base).append(L" (").append(std::to_wstring(n)).append(L").").append(extension);
    if (encrypted)
        candidate.append(kEncryptedExtension);
    return candidate;
}

std::wstring findNumberedName(std::wstring_view target, std::uint64_t sourceTime, bool encrypted,
                              const NameProbe& probe)
{
    const std::wstring plainTarget = encrypted ? stripEncryptedExtension(target) : std::wstring(target);
    for (int n = 2; n <= kLastVersionNumber; ++n) {
        std::wstring candidate = numberedCandidate(plainTarget, n, encrypted);
        if (!probe.exists(candidate))
            return candidate;
        const auto time = probe.localLastWriteTime(candidate);
        if (time && sameFileTime(withoutMilliseconds(*time), sourceTime, probe.rule))
            return {};
    }
    return {};
}

std::wstring transferTemporaryName(std::uint64_t token)
{
    constexpr wchar_t kDigits[] = L"0123456789abcdef";
    std::wstring name(kTransferNamePrefix);
    for (int shift = 60; shift >= 0; shift -= 4)
        name.push_back(kDigits[(token >> shift) & 0xF]);
    name.append(kTransferNameSuffix);
    return name;
}

bool isTransferTemporaryName(std::wstring_view name)
{
    if (name.size() != kTransferNamePrefix.size() + kHexDigits + kTransferNameSuffix.size() ||
        !name.starts_with(kTransferNamePrefix) || !name.ends_with(kTransferNameSuffix))
        return false;
    for (const wchar_t c : name.substr(kTransferNamePrefix.size(), kHexDigits))
        if (!((c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'f')))
            return false;
    return true;
}

} // namespace yk
