// What the runs need from the rest of the program: the prompts they show, the progress and result they
// report, and the main window's reactions. The program implements them with its dialogs; tests script them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "base/CatalogKey.h"
#include "backup/RunState.h"
#include "secure/PasswordKey.h"
#include "ui/DateRangeText.h"

namespace yk {

class RunPrompts {
public:
    virtual ~RunPrompts() = default;

    // The one-button box of that kind with the catalog text and the OK caption; its result (1 = OK).
    virtual int showMessage(int kind, const CatalogKey& text) = 0;
    // The one-button box with a title beside its folder picture and the body text above the folder path.
    virtual void showFolderMessage(const CatalogKey& title, const CatalogKey& body, const std::wstring& folder) = 0;
    // The platform folder picker starting in that folder: an existing file-system folder, or nothing
    // when the user cancels.
    virtual std::optional<std::wstring> chooseFolder(const std::wstring& startFolder) = 0;
    // The date range dialog: the first and last day, or nothing when it was not closed with OK.
    virtual std::optional<std::pair<CalendarDate, CalendarDate>> chooseDateRange() = 0;
    // The password dialog of a decrypting restore: the key of the typed password, or nothing on Cancel.
    virtual std::optional<PasswordKey> askRestorePassword() = 0;
};

class RunReporting {
public:
    virtual ~RunReporting() = default;

    virtual void openCopyProgress(RunKind kind) = 0;
    virtual void setProgressTarget(const std::wstring& name) = 0;
    virtual void setProgressTotalBytes(std::uint64_t totalBytes) = 0;
    // Also handles every waiting window message: this is where a cancel click reaches the run.
    virtual void updateProgressBytes(std::uint64_t bytesDone) = 0;
    virtual void updateProgressCounts(const RunCounts& counts) = 0;
    virtual void closeCopyProgress() = 0;
    // The result dialog, modal; returns when the user closed it.
    virtual void showRunResult(RunKind kind, RunStatus status, const RunCounts& counts) = 0;
};

class RunShell {
public:
    virtual ~RunShell() = default;

    // The settings command of the side menu.
    virtual void openSettingsPage() = 0;
    // The eject buttons of both eject questions, disabled during a run and repainted.
    virtual void setEjectButtonsEnabled(bool enabled) = 0;
};

} // namespace yk
