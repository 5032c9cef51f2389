#include <windows.h>

#include <algorithm>
#include <array>

#include "app/Win32Handles.h"
#include "backup/BackupPaths.h"
#include "backup/BackupRuns.h"
#include "backup/FileCatalogue.h"
#include "secure/EncryptedFile.h"

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
                                              std::uint64_t size, CopyMode mode, const PasswordKey& key)
{
    RunState& run = context_.run;
    if (source.size() >= kPathLimit)
        return Transfer::SourceUnreadable;
    const UniqueHandle in(CreateFileW(source.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!in)
        return Transfer::SourceUnreadable;

    // The bytes still expected from the source, and for a decrypting copy the plain bytes still to write.
    std::uint64_t remaining = size;
    std::uint64_t plainRemaining = 0;
    if (mode == CopyMode::Decrypt) {
        std::array<std::uint8_t, kEncryptedHeaderSize> header{};
        DWORD read = 0;
        if (!ReadFile(in.get(), header.data(), static_cast<DWORD>(header.size()), &read, nullptr))
            return Transfer::SourceUnreadable;
        const auto plainSize = readEncryptedHeader(std::span(header).first(read), key);
        if (!plainSize)
            return Transfer::WrongPassword;
        if (!bodyHoldsPlainSize(size - kEncryptedHeaderSize, *plainSize))
            return Transfer::Damaged;
        run.bytesDone += kEncryptedHeaderSize;
        remaining = size - kEncryptedHeaderSize;
        plainRemaining = *plainSize;
    }
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
    if (mode == CopyMode::Encrypt) {
        std::array<std::uint8_t, kEncryptedHeaderSize> header{};
        writeEncryptedHeader(header, size, key);
        DWORD written = 0;
        failed = !WriteFile(out.get(), header.data(), static_cast<DWORD>(header.size()), &written, nullptr) ||
                 written != header.size();
    }
    const std::size_t chunkSize = mode == CopyMode::Plain ? kPlainChunkSize : kEncryptedChunkSize;
    while (!failed) {
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
        remaining -= read;
        // What goes to the target, and what the progress counts for this chunk.
        std::size_t toWrite = read;
        std::uint64_t progress = read;
        if (mode == CopyMode::Encrypt) {
            const auto padded = encryptChunk(buffer_, read, key);
            failed = !padded;
            toWrite = padded.value_or(0);
            progress = toWrite;
        } else if (mode == CopyMode::Decrypt) {
            const auto plain = decryptChunk(buffer_, read, key, plainRemaining);
            failed = !plain;
            toWrite = plain.value_or(0);
            plainRemaining -= toWrite;
        }
        DWORD written = 0;
        if (failed || !WriteFile(out.get(), buffer_.data(), static_cast<DWORD>(toWrite), &written, nullptr) ||
            written != toWrite) {
            failed = true;
            break;
        }
        run.bytesDone += progress;
        context_.reporting.updateProgressBytes(run.bytesDone);
    }
    // A body that ended early would leave a short plain file: it never gets the real name.
    const bool incomplete = !failed && !run.cancelRequested && mode == CopyMode::Decrypt && plainRemaining != 0;

    if (failed || incomplete || run.cancelRequested) {
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
