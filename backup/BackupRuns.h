// The normal backup and restore runs: the checks before a run, the folder walks and the per-file copies,
// on the user-interface thread from start to end.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "backup/BackupLocations.h"
#include "backup/BlockRing.h"
#include "backup/BlockWorker.h"
#include "backup/FileCatalogue.h"
#include "backup/FileTime.h"
#include "backup/RunPorts.h"
#include "backup/RunState.h"
#include "backup/SpaceBudget.h"
#include "device/DeviceHost.h"
#include "device/DeviceState.h"
#include "secure/PasswordKey.h"
#include "secure/SettingsStore.h"

namespace yk {

// The size of every read and write of a copy (a whole number of the encrypted format's chunks).
inline constexpr std::size_t kPlainChunkSize = 1'048'576;

// What a run works with; all of it belongs to the main window controller.
struct RunContext {
    RunState& run;
    DeviceState& device;
    DeviceHost& host;
    const SettingsProfile& settings;
    const IdentityNames& names;
    std::int32_t& restoreChoice; // 1 restore all, anything else a date range; 0 again after every run
    RunPrompts& prompts;
    RunReporting& reporting;
    RunShell& shell;
};

class BackupRuns {
public:
    explicit BackupRuns(const RunContext& context);

    // The runs of the backup and restore commands; everything they report, they report to the user.
    void normalBackupFunc();
    void normalRestoreFunc();
    void restoreDateRange(const std::wstring& target, const std::wstring& source);
    // The encrypted backup takes the stored default password as its key; the decrypting restore asks for one.
    void encryptBackupFunc();
    void decryptRestoreFunc();
    void decryptRestoreDateRange(const std::wstring& target, const std::wstring& source);

    // One folder level and, through recursion, the tree below it. True when the walk finished or was
    // cancelled; false when the run must end as failed.
    bool copyDirFromSourceDirPath(const std::wstring& source, const std::wstring& target, bool encrypted,
                                  const PasswordKey& key, bool topLevel);
    bool restoreDirFromSourceDirPath(const std::wstring& source, const std::wstring& target, CopyMode mode,
                                     const PasswordKey& key, bool useRange, const DateRange& range, bool topLevel);

    // One file: true when it was copied or skipped, false when it failed or was cancelled. The key and the
    // encrypting and decrypting modes are those of the encrypted runs.
    // `targetNames` is the listing of the target's folder, which learns the names the copy gives.
    bool copyOneFile(const FileAttributes& source, const std::wstring& target, bool encrypted, const PasswordKey& key,
                     FolderNames& targetNames);
    bool restoreOneFile(const FileAttributes& entry, const std::wstring& target, CopyMode mode, const PasswordKey& key,
                        FolderNames& targetNames);

    // The one place where `runInProgress` changes.
    void markRunActive(bool active);

private:
    // Where a file goes: its target, whether an existing file there is replaced, or nothing when the
    // target already holds this version (the file is then counted as skipped).
    struct Destination {
        std::wstring path;
        bool replaces = false;
    };
    // A target whose name the folder's listing does not hold goes there without a question; any other is
    // looked at.
    std::optional<Destination> chooseDestination(const std::wstring& source, const std::wstring& target, bool encrypted,
                                                 const FolderNames& targetNames);

    // WrongPassword: the header did not decrypt to the magic text. Damaged: it did, but the body holds
    // fewer bytes than it announces (a truncated or altered file). NameTaken: the destination was to be a
    // new name, and an entry of that name has appeared since it was chosen; nothing was written. Held: only
    // from transferOrChooseAgain.
    enum class Transfer {
        Copied,
        SourceUnreadable,
        TargetUncreatable,
        Failed,
        WrongPassword,
        Damaged,
        NameTaken,
        Held
    };
    // Copies the bytes and times under a temporary name beside the destination and gives the file its
    // name only when it is complete; in Encrypt and Decrypt mode it writes or reads the encrypted format.
    // The size and times are the source's at the moment it is opened: a file rewritten after the caller
    // looked at it is copied as it is then, never cut to an older size under newer times.
    Transfer transferFile(const std::wstring& source, const Destination& destination, CopyMode mode,
                          const PasswordKey& key);

    // transferFile to a chosen destination, and the name the copy gave is added to the folder's names. When the
    // name was chosen from the folder's listing and has been taken since, the destination is chosen again from
    // what the folder holds now, and the file copied there; Held when the target now holds this version.
    Transfer transferOrChooseAgain(const std::wstring& source, const std::wstring& target, bool encryptedNames,
                                   const Destination& destination, CopyMode mode, const PasswordKey& key,
                                   FolderNames& targetNames);

    // Lists a walk's target folder and removes what interrupted copies left there.
    FolderNames enterTargetFolder(const std::wstring& folder);
    // Folders get their source's times once their contents are written.
    void copyFolderTimes(const std::wstring& source, const std::wstring& target);
    void backUpTo(RunKind kind, const PasswordKey& key);
    void restoreFrom(RunKind kind);
    void restoreRange(RunKind kind, const std::wstring& target, const std::wstring& source, const DateRange& range,
                      const PasswordKey& key);
    // A whole run: marked active, its files counted by `count` (the number, and their bytes into its
    // argument), the progress dialog while `walk` runs, then the result, then the run is over. It ends on every
    // path: a walk that throws ends as failed, and anything else that throws still closes the progress
    // dialog and clears the run's mark before the exception goes on.
    void performRun(RunKind kind, const std::function<std::uint32_t(std::uint64_t&)>& count,
                    const std::function<bool()>& walk);
    bool readyForNextEntry(bool& result);
    bool openSettingsIfBackupFolderMissing(std::wstring& backupFolder);
    RunStatus statusOf(bool walkSucceeded) const;
    void reportFileStart();
    // Makes a walk's target folder; false when the run must end (the folder could not be made, `failure`
    // shown). A shortage of space is shown and noted; the next file then meets its own check.
    bool enterFolder(const std::wstring& target, StorageSide side, const CatalogKey& failure);
    // Counts the file that failed; true when the run ends with it: the target is full or gone, or
    // `alsoEndsRun`.
    bool fileFailureEndsRun(bool alsoEndsRun);

    RunContext context_;
    // The transfer buffers (a large file's blocks are read and ciphered into them ahead of the one written),
    // each made when a copy first needs it, with room for the padding of an encrypted last chunk.
    static constexpr std::size_t kTransferBuffers = 3;
    std::array<std::vector<std::uint8_t>, kTransferBuffers> buffers_;
    BlockRing blockRing_;
    BlockWorker blockWorker_;
    std::uint64_t temporaryToken_ = 0;
    // How the card of the current run keeps its file times.
    TimeRule cardTimeRule_ = TimeRule::Plain;
    // The card's free space through the run: the drive is asked only when the budget cannot tell.
    SpaceBudget cardBudget_{0};
};

} // namespace yk
