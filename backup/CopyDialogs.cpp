#include "backup/CopyDialogs.h"

#include "base/LanguageCode.h"
#include "backup/CCopyResultDlg.h"

namespace yk {

CopyDialogs::CopyDialogs(HWND mainWindow, RunState& run, DeviceHost& host, float mag,
                         std::function<void()> onResultClosed)
    : mainWindow_(mainWindow), run_(run), pump_(host), mag_(mag), onResultClosed_(std::move(onResultClosed))
{
}

CopyDialogs::~CopyDialogs() = default;

void CopyDialogs::openCopyProgress(RunKind kind)
{
    progress_ = std::make_unique<CCopyProgressDlg>(run_.cancelRequested, mag_);
    if (!progress_->open(mainWindow_, kind))
        progress_.reset();
    pump_.expire(); // the first update shows at once
    countsShown_ = false;
}

void CopyDialogs::setProgressTarget(const std::wstring& name)
{
    if (progress_)
        progress_->setTarget(name);
}

void CopyDialogs::setProgressTotalBytes(std::uint64_t totalBytes)
{
    if (progress_)
        progress_->setTotalBytes(totalBytes);
}

void CopyDialogs::updateProgressBytes(std::uint64_t bytesDone)
{
    if (!pump_.due())
        return;
    if (progress_) {
        progress_->updateBytes(bytesDone);
        if (pendingCounts_)
            progress_->updateCounts(*pendingCounts_);
    }
    pendingCounts_.reset();
    pump_.dispatch();
}

void CopyDialogs::updateProgressCounts(const RunCounts& counts)
{
    // The counts a run opens with show at once; later ones with the next due update.
    if (progress_ && !countsShown_) {
        progress_->updateCounts(counts);
        countsShown_ = true;
        return;
    }
    pendingCounts_ = counts;
}

void CopyDialogs::closeCopyProgress()
{
    progress_.reset(); // destroying the object destroys its window
    pendingCounts_.reset();
}

void CopyDialogs::showRunResult(RunKind kind, RunStatus status, const RunCounts& counts)
{
    CCopyResultDlg result(kind, status, counts, languageCode, mag_, onResultClosed_);
    result.runModal(mainWindow_);
}

} // namespace yk
