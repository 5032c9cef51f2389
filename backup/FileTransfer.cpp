#include <windows.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstring>

#include "base/Win32Handles.h"
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

// Fills `buffer`, or less of it only where the file ends; empty on a read error.
std::optional<std::size_t> readFully(HANDLE file, std::span<std::uint8_t> buffer)
{
    std::size_t got = 0;
    while (got < buffer.size()) {
        DWORD read = 0;
        if (!ReadFile(file, buffer.data() + got, static_cast<DWORD>(buffer.size() - got), &read, nullptr))
            return std::nullopt;
        if (read == 0)
            break;
        got += read;
    }
    return got;
}

// The native form of a classic path, as a rename through a handle takes it: the full path as the system
// completes every path (a last part loses its trailing dots and spaces), after "\??\" or "\??\UNC\".
// Empty for a path that has no such form.
std::wstring nativePathOf(const std::wstring& path)
{
    std::array<wchar_t, kPathLimit> full{};
    const DWORD length = GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (length == 0 || length >= full.size())
        return {};
    const std::wstring_view completed(full.data(), length);
    if (completed.starts_with(L"\\\\?\\"))
        return L"\\??\\" + std::wstring(completed.substr(4));
    if (completed.starts_with(L"\\\\.\\"))
        return {};
    if (completed.starts_with(L"\\\\"))
        return L"\\??\\UNC\\" + std::wstring(completed.substr(2));
    if (completed.size() >= 3 && completed[1] == L':' && completed[2] == L'\\')
        return L"\\??\\" + std::wstring(completed);
    return {};
}

enum class Renamed { Yes, NameTaken, NotThisWay };

// Gives an open file its name through its own handle, which saves the second open (and its close) of a rename
// by path. NotThisWay when the path or the file system does not allow it; the caller then renames by path.
Renamed renameOpenFile(HANDLE file, const std::wstring& target, bool replaces)
{
    const std::wstring native = nativePathOf(target);
    if (native.empty())
        return Renamed::NotThisWay;
    const std::size_t nameBytes = native.size() * sizeof(wchar_t);
    const std::size_t infoBytes = offsetof(FILE_RENAME_INFO, FileName) + nameBytes + sizeof(wchar_t);
    std::vector<std::uint64_t> storage((infoBytes + sizeof(std::uint64_t) - 1) / sizeof(std::uint64_t));
    auto* info = reinterpret_cast<FILE_RENAME_INFO*>(storage.data());
    info->ReplaceIfExists = replaces ? TRUE : FALSE;
    info->RootDirectory = nullptr;
    info->FileNameLength = static_cast<DWORD>(nameBytes);
    std::memcpy(info->FileName, native.c_str(), nameBytes + sizeof(wchar_t));
    if (SetFileInformationByHandle(file, FileRenameInfo, info, static_cast<DWORD>(infoBytes)))
        return Renamed::Yes;
    const DWORD error = GetLastError();
    return error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS ? Renamed::NameTaken : Renamed::NotThisWay;
}

} // namespace

std::optional<BackupRuns::Destination> BackupRuns::chooseDestination(const std::wstring& source,
                                                                     const std::wstring& target, bool encrypted,
                                                                     const FolderNames& targetNames)
{
    if (!targetNames.mayHold(lastComponent(target)) || !pathExists(target))
        return Destination{target, false};
    std::uint64_t targetTime = 0;
    std::uint64_t sourceTime = 0;
    // When either time cannot be read, the copy replaces what is there.
    if (!getLocalLastWriteTime(target, targetTime) || !getLocalLastWriteTime(source, sourceTime))
        return Destination{target, true};
    targetTime = withoutMilliseconds(targetTime);
    sourceTime = withoutMilliseconds(sourceTime);
    if (sameFileTime(targetTime, sourceTime, cardTimeRule_))
        return std::nullopt;
    std::wstring numbered = findNumberedName(target, sourceTime, encrypted, cardTimeRule_);
    if (numbered.empty())
        return std::nullopt;
    return Destination{std::move(numbered), false};
}

BackupRuns::Transfer BackupRuns::transferFile(const std::wstring& source, const Destination& destination, CopyMode mode,
                                              const PasswordKey& key)
{
    RunState& run = context_.run;
    if (source.size() >= kPathLimit)
        return Transfer::SourceUnreadable;
    const UniqueHandle in(CreateFileW(source.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!in)
        return Transfer::SourceUnreadable;
    // Nobody writes to the source while this handle holds it: its size and times now are what is copied.
    LARGE_INTEGER openedSize{};
    FILETIME created{};
    FILETIME written{};
    if (!GetFileSizeEx(in.get(), &openedSize) || openedSize.QuadPart < 0 ||
        !GetFileTime(in.get(), &created, nullptr, &written))
        return Transfer::SourceUnreadable;
    const auto size = static_cast<std::uint64_t>(openedSize.QuadPart);

    // The bytes still expected from the source, and for a decrypting copy the plain bytes not yet handed to
    // the cipher (once the loop has written every block, those never written).
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
        if (size < kEncryptedHeaderSize || !bodyHoldsPlainSize(size - kEncryptedHeaderSize, *plainSize))
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
        out.reset(CreateFileW(temporary.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                              nullptr));
        if (!out && GetLastError() != ERROR_FILE_EXISTS)
            break;
    }
    if (!out)
        return Transfer::TargetUncreatable;

    // Every mode reads and writes 1 MiB at a time. The encrypted format's 128 KiB chunks carry no padding
    // except the last one of a file, so ciphering eight of them as one block, or any run of whole chunks and
    // 32-byte pieces, gives the same bytes. An encrypted file's header goes out in front of its first block,
    // which holds that much less, so every later write starts on a 1 MiB boundary of the file: writes that
    // begin inside a page of the file cost noticeably more. A block is read and ciphered in one step. The
    // worker takes those steps for a large file, up to a ring of buffers ahead of this thread, which writes
    // the blocks: a block is ciphered where it was read and crosses to this thread once, and a slow read or
    // write is made up by the next fast one. Files of one block (most files) do each step here, in one buffer.
    // The read and cipher of a block take about as long as its write, so a ciphered copy has three buffers to
    // even out the two sides; a plain read is clearly shorter than its write, and two keep the writer busy.
    const bool besideThisThread = remaining > kPlainChunkSize;
    const std::size_t buffersUsed = !besideThisThread ? 1 : mode == CopyMode::Plain ? 2 : kTransferBuffers;
    for (std::size_t index = 0; index < buffersUsed; ++index) {
        if (buffers_[index].empty())
            buffers_[index].resize(kPlainChunkSize + kEncryptedPaddingUnit);
    }
    struct Block {
        std::size_t read = 0;               // bytes read after what the buffer leads with
        std::optional<std::size_t> toWrite; // what its cipher left to write; nothing for a body that is not ours
        bool readFailed = false;
        bool last = false; // nothing of the file follows it
    };
    std::array<Block, kTransferBuffers> blocks{};
    // Reads the next block of the source into buffer `index`, after the `leading` bytes already there, and
    // ciphers it. One thread at a time takes these steps, so the counts of what is left belong to it.
    const auto readAndCipher = [&](std::size_t index, std::size_t leading) {
        Block& block = blocks[index];
        const std::span<std::uint8_t> space = std::span(buffers_[index]).subspan(leading);
        const auto wanted = static_cast<std::size_t>(std::min<std::uint64_t>(kPlainChunkSize - leading, remaining));
        const auto got = wanted == 0 ? std::optional<std::size_t>(0) : readFully(in.get(), space.first(wanted));
        block.readFailed = !got;
        block.read = got.value_or(0);
        block.last = !got || block.read < wanted || remaining == block.read;
        remaining -= block.read;
        if (block.read == 0 || mode == CopyMode::Plain) {
            block.toWrite = block.read;
        } else if (mode == CopyMode::Encrypt) {
            block.toWrite = encryptChunk(space, block.read, key);
        } else if (mode == CopyMode::Decrypt) {
            block.toWrite = decryptChunk(space, block.read, key, plainRemaining);
            plainRemaining -= std::min<std::uint64_t>(block.read, plainRemaining);
        }
    };

    std::size_t header = 0;
    if (mode == CopyMode::Encrypt) {
        writeEncryptedHeader(std::span(buffers_[0]).first<kEncryptedHeaderSize>(), size, key);
        header = kEncryptedHeaderSize;
    }
    // The worker's part: every block of the file into the ring, until the last or until this thread stops it.
    const auto readAhead = [&] {
        for (std::size_t leading = header;; leading = 0) {
            const auto slot = blockRing_.claim();
            if (!slot)
                return;
            readAndCipher(*slot, leading);
            const bool last = blocks[*slot].last;
            blockRing_.fill();
            if (last)
                return;
        }
    };
    // The worker uses the steps, the buffers and the blocks above: whatever way this function is left, an
    // exception included, it stops and ends before they do.
    struct WorkerEnd {
        BlockRing& ring;
        BlockWorker& worker;
        void now()
        {
            ring.stop();
            worker.finish();
        }
        ~WorkerEnd() { now(); }
    } workerEnd{blockRing_, blockWorker_};
    if (besideThisThread) {
        blockRing_.restart(buffersUsed);
        blockWorker_.start(readAhead);
    }

    bool failed = false;
    for (bool firstBlock = true;; firstBlock = false) {
        // The first block leads with the header.
        const std::size_t leading = firstBlock ? header : 0;
        std::size_t current = 0;
        if (besideThisThread)
            current = blockRing_.take();
        else
            readAndCipher(current, leading);
        const Block& block = blocks[current];
        if (block.readFailed) {
            failed = true;
            break;
        }
        // An empty plain file has nothing to write; an empty encrypted one is its header.
        if ((block.read == 0 && leading == 0) || run.cancelRequested)
            break;
        if (!context_.device.connected) {
            failed = true;
            break;
        }
        // Window messages are handled between the blocks of a file, so a cancel click in a large file is
        // seen at once; before a file's first block the report of its start has handled them, when due.
        if (!firstBlock)
            context_.host.dispatchWaitingMessages();
        DWORD wrote = 0;
        const std::size_t writing = leading + block.toWrite.value_or(0);
        if (!block.toWrite ||
            !WriteFile(out.get(), buffers_[current].data(), static_cast<DWORD>(writing), &wrote, nullptr) ||
            wrote != writing) {
            failed = true;
            break;
        }
        // Encrypted bytes count as written; a decrypted block counts all it read, padding included.
        run.bytesDone += mode == CopyMode::Encrypt ? *block.toWrite : block.read;
        context_.reporting.updateProgressBytes(run.bytesDone);
        if (block.last)
            break;
        if (besideThisThread)
            blockRing_.release();
    }
    // Blocks read beside a failure or a cancel are no longer wanted; what is left counts once the worker ends.
    workerEnd.now();
    // A body that ended early would leave a short plain file, and a source that shrank while it was read an
    // encrypted file announcing more than it holds: neither gets the real name.
    const bool incomplete =
        !failed && !run.cancelRequested &&
        ((mode == CopyMode::Decrypt && plainRemaining != 0) || (mode == CopyMode::Encrypt && remaining != 0));

    if (failed || incomplete || run.cancelRequested) {
        out.reset();
        // Fails when the medium has gone; the next run over this folder removes it then.
        DeleteFileW(temporary.c_str());
        if (failed)
            run.transferFailed = true;
        return Transfer::Failed;
    }

    SetFileTime(out.get(), &created, nullptr, &written);
    Renamed renamed = renameOpenFile(out.get(), destination.path, destination.replaces);
    out.reset();
    if (renamed == Renamed::NotThisWay) {
        const DWORD replace = destination.replaces ? MOVEFILE_REPLACE_EXISTING : 0;
        if (MoveFileExW(temporary.c_str(), destination.path.c_str(), replace))
            renamed = Renamed::Yes;
        else if (GetLastError() == ERROR_ALREADY_EXISTS || GetLastError() == ERROR_FILE_EXISTS)
            renamed = Renamed::NameTaken;
    }
    if (renamed == Renamed::Yes)
        return Transfer::Copied;
    DeleteFileW(temporary.c_str());
    return renamed == Renamed::NameTaken && !destination.replaces ? Transfer::NameTaken : Transfer::TargetUncreatable;
}

BackupRuns::Transfer BackupRuns::transferOrChooseAgain(const std::wstring& source, const std::wstring& target,
                                                       bool encryptedNames, const Destination& destination,
                                                       CopyMode mode, const PasswordKey& key, FolderNames& targetNames)
{
    const std::uint64_t bytesBefore = context_.run.bytesDone;
    Transfer transfer = transferFile(source, destination, mode, key);
    std::wstring_view given = lastComponent(destination.path);
    std::optional<Destination> again;
    if (transfer == Transfer::NameTaken) {
        // Another program made an entry of that name after the folder was listed (or the name is the short
        // name of one the listing did not show): what is there now decides.
        targetNames.add(given);
        context_.run.bytesDone = bytesBefore;
        again = chooseDestination(source, target, encryptedNames, targetNames);
        if (!again)
            return Transfer::Held;
        transfer = transferFile(source, *again, mode, key);
        if (transfer == Transfer::NameTaken)
            transfer = Transfer::TargetUncreatable;
        given = lastComponent(again->path);
    }
    if (transfer == Transfer::Copied)
        targetNames.add(given);
    return transfer;
}

FolderNames BackupRuns::enterTargetFolder(const std::wstring& folder)
{
    FolderNames names = FolderNames::of(folder);
    for (const std::wstring& path : names.temporaries())
        DeleteFileW(withoutLengthLimit(path).c_str());
    return names;
}

void BackupRuns::copyFolderTimes(const std::wstring& source, const std::wstring& target)
{
    std::uint64_t created = 0;
    std::uint64_t written = 0;
    if (readFileTimes(source, created, written))
        setFileTimes(target, created, written);
}

} // namespace yk
