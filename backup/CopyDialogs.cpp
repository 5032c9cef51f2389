#include "backup/CopyDialogs.h"

#include "app/LanguageCode.h"
#include "backup/CCopyResultDlg.h"

namespace yk {

CopyDialogs::CopyDialogs(HWND mainWindow, RunState& run, DeviceHost& host, float mag,
                         std::function<void()> onResultClosed)
    : mainWindow_(mainWindow), run_(run), host_(host), mag_(mag), onResultClosed_(std::move(onResultClosed))
{
}

CopyDialogs::~CopyDialogs() = default;

void CopyDialogs::openCopyProgress(RunKind kind)
{
    progress_ = std::make_unique<CCopyProgressDlg>(run_.cancelRequested, mag_);
    if (!progress_->open(mainWindow_, kind))
        progress_.reset();
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
    if (progress_)
        progress_->updateBytes(bytesDone);
    host_.dispatchWaitingMessages();
}

void CopyDialogs::updateProgressCounts(const RunCounts& counts)
{
    if (progress_)
        progress_->updateCounts(counts);
}

void CopyDialogs::closeCopyProgress()
{
    progress_.reset(); // destroying the object destroys its window
}

void CopyDialogs::showRunResult(RunKind kind, RunStatus status, const RunCounts& counts)
{
    CCopyResultDlg result(kind, status, counts, languageCode, mag_, onResultClosed_);
    result.runModal(mainWindow_);
}

} // namespace yk
