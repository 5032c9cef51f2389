// The run's progress and result reporting through the progress and result dialogs.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>

#include "backup/CCopyProgressDlg.h"
#include "backup/MessagePump.h"
#include "backup/RunPorts.h"
#include "device/DeviceHost.h"

namespace yk {

class CopyDialogs final : public RunReporting {
public:
    // The dialog shows the latest counts and handles the waiting window messages every few milliseconds, not
    // at every update: a run over many small files would spend its time redrawing. `host` handles the messages;
    // `onResultClosed` refreshes the
    // backup/restore page's drive space when the result dialog is closed.
    CopyDialogs(HWND mainWindow, RunState& run, DeviceHost& host, float mag, std::function<void()> onResultClosed);
    ~CopyDialogs() override;

    void openCopyProgress(RunKind kind) override;
    void setProgressTarget(const std::wstring& name) override;
    void setProgressTotalBytes(std::uint64_t totalBytes) override;
    void updateProgressBytes(std::uint64_t bytesDone) override;
    void updateProgressCounts(const RunCounts& counts) override;
    void closeCopyProgress() override;
    void showRunResult(RunKind kind, RunStatus status, const RunCounts& counts) override;

    // The open progress dialog, or null.
    CCopyProgressDlg* progress() const { return progress_.get(); }

private:
    HWND mainWindow_;
    RunState& run_;
    MessagePump pump_;
    float mag_;
    std::function<void()> onResultClosed_;
    std::unique_ptr<CCopyProgressDlg> progress_;
    // The counts given since the dialog last showed them.
    std::optional<RunCounts> pendingCounts_;
    bool countsShown_ = false;
};

} // namespace yk
