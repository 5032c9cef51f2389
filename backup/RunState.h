// The state of the current backup or restore run, kept by the main window controller.
#pragma once

#include <cstdint>

namespace yk {

// The four runs; the same values serve as the pending action of the SD access control and as the view of
// the backup/restore page.
enum class RunKind : std::int32_t { NormalBackup = 0, NormalRestore = 1, EncryptedBackup = 2, DecryptRestore = 3 };

// How a run ended, as the result dialog shows it.
enum class RunStatus : std::int32_t { Complete = 0, Fail = 1, Cancel = 2 };

// The per-file mode of a copy: plain, encrypting backup, decrypting restore.
enum class CopyMode : std::int32_t { Plain = 0, Encrypt = 1, Decrypt = 2 };

inline bool isRestoreKind(RunKind kind)
{
    return kind == RunKind::NormalRestore || kind == RunKind::DecryptRestore;
}

// The six counters the progress and result dialogs show.
struct RunCounts {
    std::uint32_t total = 0;
    std::uint32_t processed = 0;
    std::uint32_t skipped = 0;
    std::uint32_t copied = 0;
    std::uint32_t failed = 0;
    std::uint32_t wrongPassword = 0;
};

struct RunState {
    bool runInProgress = false; // changed only by markRunActive
    std::int32_t cancelRequested = 0;
    std::uint32_t totalFiles = 0;
    std::uint32_t processedFiles = 0;
    std::uint32_t skippedFiles = 0;
    std::uint32_t copiedFiles = 0;
    std::uint32_t failedFiles = 0;
    std::uint32_t wrongPasswordFiles = 0;
    std::uint64_t bytesDone = 0; // bytes written plus the full size of every skipped file
    bool diskFull = false;
    bool targetCreateFailed = false;
    bool transferFailed = false;
    // A folder of the source could not be listed to its end: the run goes on, but it is not complete.
    bool folderUnreadable = false;

    // What every run does when it starts: everything but `runInProgress` back to zero.
    void resetForRun()
    {
        const bool active = runInProgress;
        *this = RunState{};
        runInProgress = active;
    }

    RunCounts counts() const
    {
        return {totalFiles, processedFiles, skippedFiles, copiedFiles, failedFiles, wrongPasswordFiles};
    }
};

} // namespace yk
