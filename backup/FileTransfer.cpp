#include <windows.h>

#include <algorithm>

#include "app/Win32Handles.h"
#include "backup/BackupPaths.h"
#include "backup/BackupRuns.h"
#include "backup/FileCatalogue.h"

namespace yk {

namespace {

constexpr std::size_t kPathLimit = MAX_PATH;
constexpr int kTemporaryNameTries = 4;

// A temporary name beside a target just below the classic limit may itself be longer; such paths take the
// form that has no limit.
std::wstring withoutLengthLimit(const std::wstring& path)
{
    if (path.size() < kPathLimit || path.size() < 3 || path[1] != L':')
        return path;
    return L"\\\\?\\" + path;
}

} // namespace

std::optional<BackupRuns::Destination> BackupRuns::chooseDestination(const std::wstring& source,
                                                                     const std::wstring& target, bool encrypted)
{
    if (!pathExists(target))
        return Destination{target, false};
    std::uint64_t targetTime = 0;
    std::uint64_t sourceTime = 0;
    // When either time cannot be read, the copy replaces what is there.
    if (!getLocalLastWriteTime(target, targetTime) || !getLocalLastWriteTime(source, sourceTime))
        return Destination{target, true};
    targetTime = withoutMilliseconds(targetTime);
    sourceTime = withoutMilliseconds(sourceTime);
    if (sameFileTime(targetTime, sourceTime))
        return std::nullopt;
    std::wstring numbered = findNumberedName(target, sourceTime, encrypted);
    if (numbered.empty())
        return std::nullopt;
    return Destination{std::move(numbered), false};
}

BackupRuns::Transfer BackupRuns::transferFile(const std::wstring& source, const Destination& destination,
                                              std::uint64_t size, std::size_t chunkSize)
{
    RunState& run = context_.run;
    if (source.size() >= kPathLimit)
        return Transfer::SourceUnreadable;
    const UniqueHandle in(CreateFileW(source.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!in)
        return Transfer::SourceUnreadable;
    if (destination.path.size() >= kPathLimit)
        return Transfer::TargetUncreatable;

    // The file is written under a name no run takes for a version, and gets its own name only when its
    // last byte and its times are in place: an interruption never leaves a complete-looking partial file
    // and never touches the file it replaces.
    const std::wstring folder(parentOf(destination.path));
    std::wstring temporary;
    UniqueHandle out;
    for (int attempt = 0; attempt < kTemporaryNameTries && !out; ++attempt) {
        temporaryToken_ = temporaryToken_ * 6364136223846793005ull + (GetTickCount64() ^ GetCurrentProcessId()) + 1;
        temporary = withoutLengthLimit(joinPath(folder, transferTemporaryName(temporaryToken_)));
        out.reset(
            CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!out && GetLastError() != ERROR_FILE_EXISTS)
            break;
    }
    if (!out)
        return Transfer::TargetUncreatable;

    if (buffer_.empty())
        buffer_.resize(kPlainChunkSize);
    bool failed = false;
    std::uint64_t remaining = size;
    while (true) {
        const auto wanted = static_cast<DWORD>(std::min<std::uint64_t>(chunkSize, remaining));
        if (run.cancelRequested)
            break;
        if (!context_.device.connected) {
            failed = true;
            break;
        }
        context_.host.dispatchWaitingMessages();
        DWORD read = 0;
        if (wanted > 0 && !ReadFile(in.get(), buffer_.data(), wanted, &read, nullptr)) {
            failed = true;
            break;
        }
        if (read == 0)
            break;
        DWORD written = 0;
        if (!WriteFile(out.get(), buffer_.data(), read, &written, nullptr) || written != read) {
            failed = true;
            break;
        }
        remaining -= written;
        run.bytesDone += written;
        context_.reporting.updateProgressBytes(run.bytesDone);
    }

    if (failed || run.cancelRequested) {
        out.reset();
        // Fails when the medium has gone; the next run over this folder removes it then.
        DeleteFileW(temporary.c_str());
        if (failed)
            run.transferFailed = true;
        return Transfer::Failed;
    }

    FILETIME created;
    FILETIME written;
    if (GetFileTime(in.get(), &created, nullptr, &written))
        SetFileTime(out.get(), &created, nullptr, &written);
    out.reset();
    const DWORD replace = destination.replaces ? MOVEFILE_REPLACE_EXISTING : 0;
    if (!MoveFileExW(temporary.c_str(), destination.path.c_str(), replace)) {
        DeleteFileW(temporary.c_str());
        return Transfer::TargetUncreatable;
    }
    return Transfer::Copied;
}

void BackupRuns::removeStaleTemporaries(const std::wstring& folder)
{
    for (const std::wstring& path : listTransferTemporaries(folder))
        DeleteFileW(withoutLengthLimit(path).c_str());
}

void BackupRuns::copyFolderTimes(const std::wstring& source, const std::wstring& target)
{
    std::uint64_t created = 0;
    std::uint64_t written = 0;
    if (readFileTimes(source, created, written))
        setFileTimes(target, created, written);
}

} // namespace yk
