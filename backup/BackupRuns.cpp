#include "backup/BackupRuns.h"

#include <algorithm>

#include "base/CatalogKeys.h"
#include "base/TextCatalog.h"
#include "backup/BackupPaths.h"
#include "backup/FileCatalogue.h"
#include "secure/EncryptedFile.h"
#include "secure/SettingsStore.h"
#include "ui/MessageBoxResult.h"

namespace yk {

BackupRuns::BackupRuns(const RunContext& context) : context_(context) {}

void BackupRuns::markRunActive(bool active)
{
    context_.run.runInProgress = active;
    context_.shell.setEjectButtonsEnabled(!active);
    if (!active)
        context_.restoreChoice = 0;
}

bool BackupRuns::openSettingsIfBackupFolderMissing(std::wstring& backupFolder)
{
    backupFolder = getBackupDirectory(context_.settings);
    if (!backupFolder.empty() && isExistingFolder(backupFolder))
        return false;
    if (context_.prompts.showMessage(box_kind::kFolder, IDS_CHECK_BACKUP_PATH) == kBoxOk)
        context_.shell.openSettingsPage();
    return true;
}

RunStatus BackupRuns::statusOf(bool walkSucceeded) const
{
    if (!walkSucceeded)
        return RunStatus::Fail;
    if (context_.run.cancelRequested)
        return RunStatus::Cancel;
    return context_.run.folderUnreadable ? RunStatus::Fail : RunStatus::Complete;
}

void BackupRuns::normalBackupFunc()
{
    backUpTo(RunKind::NormalBackup, PasswordKey{});
}

void BackupRuns::encryptBackupFunc()
{
    PasswordKey key;
    if (!readDefaultPassword(context_.settings, key)) {
        if (context_.prompts.showMessage(box_kind::kPassword, IDS_SET_ENCRYPT_PASSWORD) == kBoxOk)
            context_.shell.openSettingsPage();
        return;
    }
    backUpTo(RunKind::EncryptedBackup, key);
}

void BackupRuns::backUpTo(RunKind kind, const PasswordKey& key)
{
    const bool encrypted = kind == RunKind::EncryptedBackup;
    std::wstring backupFolder;
    if (openSettingsIfBackupFolderMissing(backupFolder))
        return;
    const std::wstring target = backupTargetFolder(context_.device, context_.names, encrypted);
    if (isUnavailableFolder(target)) {
        context_.prompts.showMessage(box_kind::kFolder, IDS_DESTINATION_UNAVAILABLE);
        return;
    }
    // A shortage here has been shown; the first file then meets its own free-space check.
    if (ensureFolder(target, StorageSide::SdCard, context_.host, context_.prompts) == FolderResult::Unavailable) {
        showFolderUnavailable(context_.prompts, IDS_PATH_UNAVAILABLE, target);
        return;
    }

    performRun(
        kind, [&](std::uint64_t& totalBytes) { return countFiles(backupFolder, totalBytes); },
        [&] { return copyDirFromSourceDirPath(backupFolder, target, encrypted, key, true); });
}

namespace {

// Ends a run that an exception left half way: the progress dialog closes and the run's mark goes.
class RunEnd {
public:
    explicit RunEnd(std::function<void()> end) : end_(std::move(end)) {}
    ~RunEnd()
    {
        try {
            end_();
        } catch (...) {
            // The exception that brought us here is the one that goes on.
        }
    }
    RunEnd(const RunEnd&) = delete;
    RunEnd& operator=(const RunEnd&) = delete;

private:
    std::function<void()> end_;
};

} // namespace

void BackupRuns::performRun(RunKind kind, const std::function<std::uint32_t(std::uint64_t&)>& count,
                            const std::function<bool()>& walk)
{
    RunState& run = context_.run;
    RunReporting& reporting = context_.reporting;
    markRunActive(true);
    cardTimeRule_ = timeRuleOf(context_.host.fileSystemName(context_.device.driveLetter()));
    cardBudget_ = SpaceBudget(context_.host.clusterBytes(context_.device.driveLetter()));
    const RunEnd end([this] {
        if (context_.run.runInProgress) {
            context_.reporting.closeCopyProgress();
            markRunActive(false);
        }
    });
    run.resetForRun();
    std::uint64_t totalBytes = 0;
    run.totalFiles = count(totalBytes);
    RunStatus status = RunStatus::Complete;
    if (run.totalFiles != 0) {
        reporting.openCopyProgress(kind);
        reporting.setProgressTotalBytes(totalBytes);
        reporting.updateProgressBytes(0);
        reporting.updateProgressCounts(run.counts());
        bool walked = false;
        try {
            walked = walk();
        } catch (...) {
            // Out of memory for a buffer, say: the run has not done what it was asked, and says so.
            walked = false;
        }
        reporting.closeCopyProgress();
        status = statusOf(walked);
    }
    reporting.showRunResult(kind, status, run.counts());
    markRunActive(false);
}

bool BackupRuns::readyForNextEntry(bool& result)
{
    if (context_.run.cancelRequested) {
        result = true;
        return false;
    }
    if (!context_.device.connected) {
        result = false;
        return false;
    }
    return true;
}

bool BackupRuns::enterFolder(const std::wstring& target, StorageSide side, const CatalogKey& failure)
{
    const FolderResult folder = ensureFolder(target, side, context_.host, context_.prompts);
    if (folder == FolderResult::SpaceShort)
        context_.run.diskFull = true;
    if (folder == FolderResult::Unavailable) {
        showFolderUnavailable(context_.prompts, failure, target);
        return false;
    }
    return true;
}

bool BackupRuns::fileFailureEndsRun(bool alsoEndsRun)
{
    RunState& run = context_.run;
    ++run.failedFiles;
    return run.diskFull || run.transferFailed || alsoEndsRun;
}

void BackupRuns::reportFileStart()
{
    RunState& run = context_.run;
    ++run.processedFiles;
    context_.reporting.updateProgressBytes(run.bytesDone);
    context_.reporting.updateProgressCounts(run.counts());
}

bool BackupRuns::copyDirFromSourceDirPath(const std::wstring& source, const std::wstring& target, bool encrypted,
                                          const PasswordKey& key, bool topLevel)
{
    RunState& run = context_.run;
    if (topLevel)
        context_.reporting.setProgressTarget(std::wstring(lastComponent(target)));
    FolderNames targetNames = enterTargetFolder(target);

    FileListArray fileListArray;
    if (!listFolder(source, fileListArray))
        run.folderUnreadable = true;
    for (const FileAttributes& entry : fileListArray) {
        bool result = true;
        if (!readyForNextEntry(result))
            return result;
        const std::wstring entryTarget = joinPath(target, entry.name);
        if (entry.isDirectory) {
            if (!enterFolder(entryTarget, StorageSide::SdCard, IDS_PATH_UNAVAILABLE))
                return false;
            cardBudget_.spendFolder();
            if (!copyDirFromSourceDirPath(entry.path, entryTarget, encrypted, key, false))
                return false;
            copyFolderTimes(entry.path, entryTarget);
            continue;
        }
        reportFileStart();
        if (!copyOneFile(entry, entryTarget, encrypted, key, targetNames) && fileFailureEndsRun(run.targetCreateFailed))
            return false;
        context_.reporting.updateProgressBytes(run.bytesDone);
    }
    return true;
}

bool BackupRuns::copyOneFile(const FileAttributes& source, const std::wstring& target, bool encrypted,
                             const PasswordKey& key, FolderNames& targetNames)
{
    RunState& run = context_.run;
    // The size the listing saw decides the space needed and the progress of a skipped file; the copy itself
    // takes the size the file has when it is opened.
    const std::uint64_t size = source.size;
    // An encrypted copy keeps the plain name inside its own: photo.jpg becomes photo.jpg.vltrin.
    const std::wstring named = encrypted ? target + std::wstring(kEncryptedExtension) : target;
    const auto destination = chooseDestination(source.path, named, encrypted, targetNames);
    const auto skip = [&] {
        run.bytesDone += size;
        ++run.skippedFiles;
        return true;
    };
    if (!destination)
        return skip();
    // The card must keep the margin free beside what the copy writes: for an encrypted copy, its header and
    // padded body.
    const std::uint64_t written = encrypted ? encryptedFileSize(size).value_or(UINT64_MAX) : size;
    const bool fits = cardBudget_.fits(written, kBackupSpaceMargin,
                                       [&] { return freeSpaceOfPath(context_.host, destination->path); });
    if (!fits) {
        run.diskFull = true;
        showFreeSpaceShortage(context_.prompts, StorageSide::SdCard);
        return false;
    }
    const std::uint64_t bytesBefore = run.bytesDone;
    const Transfer transfer = transferOrChooseAgain(source.path, named, encrypted, *destination,
                                                    encrypted ? CopyMode::Encrypt : CopyMode::Plain, key, targetNames);
    if (transfer == Transfer::Held)
        return skip();
    // A file that grew since it was looked at wrote more than `written`: the budget takes what was written.
    // After anything but a complete copy the drive is asked next time.
    if (transfer == Transfer::Copied)
        cardBudget_.spendFile(std::max(written, run.bytesDone - bytesBefore));
    else
        cardBudget_.forget();
    switch (transfer) {
    case Transfer::Copied:
        ++run.copiedFiles;
        return true;
    case Transfer::TargetUncreatable:
        run.targetCreateFailed = true;
        showPathUnavailable(context_.prompts);
        return false;
    case Transfer::SourceUnreadable:
    case Transfer::Failed:
    case Transfer::WrongPassword:
    case Transfer::Damaged:
    case Transfer::NameTaken:
    case Transfer::Held:
        return false;
    }
    return false;
}

} // namespace yk
