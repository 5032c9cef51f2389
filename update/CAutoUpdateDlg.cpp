#include "update/CAutoUpdateDlg.h"

#include <shellapi.h>

#include <chrono>

#include "base/AsciiText.h"
#include "base/CatalogKeys.h"
#include "base/ExecutablePath.h"
#include "base/TextCatalog.h"
#include "skin_ids.h"
#include "update/DownloadProgress.h"
#include "update/HttpDownload.h"
#include "update/InstallerName.h"
#include "update/Md5File.h"
#include "update/VersionFile.h"
#include "update_ids.h"

namespace yk {

namespace {

constexpr INT_PTR kUpdateConfirmed = 1;
constexpr INT_PTR kUpdateDeclined = 2;
constexpr float kPictureFactor = 0.2f;
constexpr COLORREF kVersionLineColour = palette::kSecondaryText;

// Posted by the download thread: progress (WPARAM bytes so far, LPARAM the announced length or -1), and the end
// (WPARAM 1 when a verified installer is in place).
constexpr UINT kDownloadProgressMessage = WM_APP + 20;
constexpr UINT kDownloadDoneMessage = WM_APP + 21;
// The progress line changes at most this often: a fast download does not flood the window with messages.
constexpr auto kProgressInterval = std::chrono::milliseconds(50);

constexpr wchar_t kDownloadFailed[] = L"Download failed. Please try again later.";

std::wstring installerPath(const std::wstring& folder, const std::wstring& name)
{
    return folder + L"\\" + name;
}

bool isPlainFile(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

} // namespace

bool prepareUpdate(const UpdateOffer& offer, const std::wstring& folder, const std::wstring& baseUrl,
                   const std::function<void(std::uint64_t, std::optional<std::uint64_t>)>& progress,
                   const std::atomic<bool>* cancel)
{
    const std::string expected = narrowAscii(offer.md5);
    if (folder.empty() || !isSafeInstallerName(narrowAscii(offer.installerName)))
        return false;
    const std::wstring path = installerPath(folder, offer.installerName);
    if (isPlainFile(path) && digestMatches(md5OfFile(path), expected))
        return true;
    DownloadOptions options;
    options.progress = progress;
    options.cancel = cancel;
    // The download keeps a temporary name until its digest is known to be the announced one.
    options.accept = [&expected](const std::wstring& downloaded) {
        return digestMatches(md5OfFile(downloaded), expected);
    };
    return downloadFile(baseUrl + std::wstring(kServerFolder) + offer.installerName, path, options);
}

CAutoUpdateDlg::CAutoUpdateDlg(float mag, std::wstring programFolder)
    : SkinnedDialog(IDD_AUTO_UPDATE, mag), folder_(std::move(programFolder))
{
}

CAutoUpdateDlg::~CAutoUpdateDlg()
{
    stopDownload();
}

UpdatePromptResult CAutoUpdateDlg::promptAndInstall(HWND owner)
{
    if (!offer_)
        return UpdatePromptResult::Declined;
    if (runModal(owner) != kUpdateConfirmed)
        return UpdatePromptResult::Declined;
    // Started only right after its digest matched, by its full path in the program's own folder.
    const std::wstring path = installerPath(folder_, offer_->installerName);
    SHELLEXECUTEINFOW start{};
    start.cbSize = sizeof start;
    start.fMask = SEE_MASK_NOCLOSEPROCESS;
    start.lpVerb = L"runas";
    start.lpFile = path.c_str();
    // The installer replaces the program without asking again and starts the new one afterwards.
    start.lpParameters = L"/S /UPDATE";
    start.lpDirectory = folder_.c_str();
    start.nShow = SW_SHOWNORMAL;
    if (!ShellExecuteExW(&start))
        return UpdatePromptResult::ConfirmedNotStarted;
    if (start.hProcess)
        CloseHandle(start.hProcess);
    return UpdatePromptResult::InstallerStarted;
}

bool CAutoUpdateDlg::onInitDialog()
{
    const HFONT buttonFont = font(17, 700);
    setAppCaption();
    putPicture(IDC_UPDATE_PICTURE, IDB_UPDATE_AVAILABLE, kPictureFactor);
    putText(IDC_UPDATE_MESSAGE, loadCatalogText(IDS_UPDATE_PROMPT), font(17, 700), palette::kPopupText);
    putText(IDC_UPDATE_VERSION_LINE, offer_ ? offer_->versionLine : std::wstring(), font(16, 700),
            kVersionLineColour);
    putButton(IDC_UPDATE_LEFT_IMAGE, IDC_UPDATE_LEFT_TEXT, IDB_DIALOG_BUTTON_HALF, loadCatalogText(IDS_UPDATE),
              buttonFont, kUpdateConfirmed);
    putButton(IDC_UPDATE_RIGHT_IMAGE, IDC_UPDATE_RIGHT_TEXT, IDB_DIALOG_BUTTON_HALF, loadCatalogText(IDS_CANCEL),
              buttonFont, kUpdateDeclined);
    fitTextInBand(IDC_UPDATE_MESSAGE, font(17, 700));
    downloading_ = false;
    return true;
}

void CAutoUpdateDlg::onButton(INT_PTR result)
{
    if (result == kUpdateConfirmed) {
        if (!downloading_)
            startDownload();
        return;
    }
    stopDownload();
    endDialog(kUpdateDeclined);
}

bool CAutoUpdateDlg::onClose()
{
    stopDownload();
    endDialog(kUpdateDeclined);
    return true;
}

void CAutoUpdateDlg::startDownload()
{
    stopDownload();
    downloading_ = true;
    // The Update button has done its part; Cancel stays, and stops the download.
    EnableWindow(item(IDC_UPDATE_LEFT_IMAGE), FALSE);
    EnableWindow(item(IDC_UPDATE_LEFT_TEXT), FALSE);
    onDownloadProgress(0, std::nullopt);
    cancel_ = std::make_shared<std::atomic<bool>>(false);
    // The thread has its own copies: the dialog may close while it still finishes a read.
    download_ = std::jthread([window = hwnd(), offer = *offer_, folder = folder_, baseUrl = updateBaseUrl(),
                              cancel = cancel_] {
        auto last = std::chrono::steady_clock::time_point{};
        const auto progress = [&](std::uint64_t received, std::optional<std::uint64_t> length) {
            const auto now = std::chrono::steady_clock::now();
            if (now - last < kProgressInterval && !(length && received == *length))
                return;
            last = now;
            PostMessageW(window, kDownloadProgressMessage, static_cast<WPARAM>(received),
                         length ? static_cast<LPARAM>(*length) : LPARAM(-1));
        };
        const bool verified = prepareUpdate(offer, folder, baseUrl, progress, cancel.get());
        if (!cancel->load())
            PostMessageW(window, kDownloadDoneMessage, verified ? 1 : 0, 0);
    });
}

void CAutoUpdateDlg::stopDownload()
{
    if (cancel_)
        cancel_->store(true);
    // A read under way ends at the next chunk or at the transfer time-out; its thread finishes on its own.
    if (download_.joinable())
        download_.detach();
    downloading_ = false;
}

std::optional<LRESULT> CAutoUpdateDlg::onMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kDownloadProgressMessage) {
        onDownloadProgress(static_cast<std::uint64_t>(wParam),
                           lParam < 0 ? std::nullopt : std::optional<std::uint64_t>(static_cast<std::uint64_t>(lParam)));
        return 0;
    }
    if (message == kDownloadDoneMessage) {
        onDownloadDone(wParam != 0);
        return 0;
    }
    return std::nullopt;
}

void CAutoUpdateDlg::onDownloadProgress(std::uint64_t received, std::optional<std::uint64_t> contentLength)
{
    if (!downloading_)
        return;
    SetDlgItemTextW(hwnd(), IDC_UPDATE_VERSION_LINE, progressLine(received, contentLength).c_str());
}

void CAutoUpdateDlg::onDownloadDone(bool verified)
{
    if (!downloading_)
        return;
    downloading_ = false;
    if (download_.joinable())
        download_.join();
    if (!verified) {
        MessageBoxW(hwnd(), kDownloadFailed, applicationName().c_str(), MB_OK);
        endDialog(kUpdateDeclined);
        return;
    }
    endDialog(kUpdateConfirmed);
}

} // namespace yk
