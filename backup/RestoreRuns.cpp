#include "base/CatalogKeys.h"
#include "backup/BackupPaths.h"
#include "backup/BackupRuns.h"
#include "backup/FileCatalogue.h"
#include "secure/EncryptedFile.h"
#include "ui/MessageBoxResult.h"

namespace yk {

namespace {

constexpr std::int32_t kRestoreAll = 1;

std::uint64_t fileTimeOf(const CalendarDate& date)
{
    return fileTimeOfDate(date.year, date.month, date.day);
}

} // namespace

void BackupRuns::normalRestoreFunc()
{
    restoreFrom(RunKind::NormalRestore);
}

void BackupRuns::decryptRestoreFunc()
{
    restoreFrom(RunKind::DecryptRestore);
}

void BackupRuns::restoreFrom(RunKind kind)
{
    const bool decrypting = kind == RunKind::DecryptRestore;
    std::wstring backupFolder;
    if (openSettingsIfBackupFolderMissing(backupFolder))
        return;
    const auto source = chooseRestoreSource(context_.device, context_.names, decrypting, context_.prompts);
    if (!source)
        return;
    if (!isOnDrive(*source, context_.device.driveLetter())) {
        context_.prompts.showMessage(box_kind::kNotOnSdCard, IDS_SELECT_SD_DIRECTORY);
        return;
    }
    if (context_.restoreChoice != kRestoreAll) {
        if (decrypting)
            decryptRestoreDateRange(backupFolder, *source);
        else
            restoreDateRange(backupFolder, *source);
        return;
    }
    PasswordKey key;
    if (decrypting) {
        const auto typed = context_.prompts.askRestorePassword();
        if (!typed)
            return;
        key = *typed;
    }

    const CopyMode mode = decrypting ? CopyMode::Decrypt : CopyMode::Plain;
    performRun(
        kind, [&](std::uint64_t& totalBytes) { return countFiles(*source, totalBytes); },
        [&] { return restoreDirFromSourceDirPath(*source, backupFolder, mode, key, false, DateRange{}, true); });
}

void BackupRuns::restoreDateRange(const std::wstring& target, const std::wstring& source)
{
    const auto dates = context_.prompts.chooseDateRange();
    if (!dates)
        return;
    restoreRange(RunKind::NormalRestore, target, source, DateRange{fileTimeOf(dates->first), fileTimeOf(dates->second)},
                 PasswordKey{});
}

void BackupRuns::decryptRestoreDateRange(const std::wstring& target, const std::wstring& source)
{
    // The range comes first, then the password; a Cancel in either starts nothing.
    const auto dates = context_.prompts.chooseDateRange();
    if (!dates)
        return;
    const auto key = context_.prompts.askRestorePassword();
    if (!key)
        return;
    restoreRange(RunKind::DecryptRestore, target, source,
                 DateRange{fileTimeOf(dates->first), fileTimeOf(dates->second)}, *key);
}

void BackupRuns::restoreRange(RunKind kind, const std::wstring& target, const std::wstring& source,
                              const DateRange& range, const PasswordKey& key)
{
    const CopyMode mode = kind == RunKind::DecryptRestore ? CopyMode::Decrypt : CopyMode::Plain;
    performRun(
        kind, [&](std::uint64_t& totalBytes) { return countFilesInRange(source, totalBytes, range); },
        [&] { return restoreDirFromSourceDirPath(source, target, mode, key, true, range, true); });
}

bool BackupRuns::restoreDirFromSourceDirPath(const std::wstring& source, const std::wstring& target, CopyMode mode,
                                             const PasswordKey& key, bool useRange, const DateRange& range,
                                             bool topLevel)
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
            if (useRange && !anyFileInRange(entry.path, range))
                continue;
            if (!enterFolder(entryTarget, StorageSide::Computer, IDS_CREATE_DIRECTORY_FAIL))
                return false;
            if (!restoreDirFromSourceDirPath(entry.path, entryTarget, mode, key, useRange, range, false))
                return false;
            copyFolderTimes(entry.path, entryTarget);
            continue;
        }
        if (useRange) {
            std::uint64_t written = 0;
            if (!getLocalLastWriteTime(entry.path, written) || !isDateInRange(written, range))
                continue;
        }
        reportFileStart();
        // A PC file that cannot be created fails alone.
        if (!restoreOneFile(entry, entryTarget, mode, key, targetNames) && fileFailureEndsRun(false))
            return false;
        context_.reporting.updateProgressBytes(run.bytesDone);
    }
    return true;
}

bool BackupRuns::restoreOneFile(const FileAttributes& entry, const std::wstring& target, CopyMode mode,
                                const PasswordKey& key, FolderNames& targetNames)
{
    const std::wstring& source = entry.path;
    RunState& run = context_.run;
    // A decrypting restore brings back encrypted files only, under their plain names.
    if (mode == CopyMode::Decrypt && !isEncryptedName(source)) {
        ++run.skippedFiles;
        return true;
    }
    const std::wstring named = mode == CopyMode::Decrypt ? stripEncryptedExtension(target) : target;
    const std::uint64_t size = entry.size;
    const auto destination = chooseDestination(source, named, false, targetNames);
    const auto skip = [&] {
        run.bytesDone += size;
        ++run.skippedFiles;
        return true;
    };
    if (!destination)
        return skip();
    if (freeSpaceOfPath(context_.host, destination->path) < size + kRestoreSpaceMargin) {
        run.diskFull = true;
        showFreeSpaceShortage(context_.prompts, StorageSide::Computer);
        return false;
    }
    // A PC file that cannot be created fails alone; the walk goes on.
    switch (transferOrChooseAgain(source, named, false, *destination, mode, key, targetNames)) {
    case Transfer::Held:
        return skip();
    case Transfer::Copied:
        ++run.copiedFiles;
        return true;
    case Transfer::WrongPassword:
        // The only sign of a wrong password: the file is undone and the run goes on.
        ++run.wrongPasswordFiles;
        run.bytesDone += size;
        return false;
    case Transfer::Damaged:
        run.bytesDone += size;
        return false;
    case Transfer::SourceUnreadable:
        // One unreadable file on the card fails alone; a card that no longer answers at all (taken out, given
        // to the other port) ends the run, which then cannot call itself complete.
        if (!context_.host.volumeAnswers(driveLetterOf(source)))
            run.transferFailed = true;
        return false;
    case Transfer::TargetUncreatable:
    case Transfer::Failed:
    case Transfer::NameTaken:
        return false;
    }
    return false;
}

} // namespace yk
