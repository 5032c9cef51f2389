// The update dialog: offers the newer release, downloads and verifies its installer, starts it.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "ui/SkinnedDialog.h"
#include "update/UpdateCheck.h"

namespace yk {

// What promptAndInstall reports.
enum class UpdatePromptResult {
    Declined = 0,         // Cancel, the window closed, or the download failed
    ConfirmedNotStarted = 1, // the installer is verified but could not be started (elevation refused)
    InstallerStarted = 2, // the caller ends the process at once
};

// Makes sure a verified installer is at folder\<installer name>: an installer already there with the announced
// digest is kept, anything else is downloaded from the update server (shown through progress) and takes the
// installer's name only once its digest matches. False when no verified installer could be had.
bool prepareUpdate(const UpdateOffer& offer, const std::wstring& folder, const std::wstring& baseUrl,
                   const std::function<void(std::uint64_t, std::optional<std::uint64_t>)>& progress = {},
                   const std::atomic<bool>* cancel = nullptr);

class CAutoUpdateDlg final : public SkinnedDialog {
public:
    // The installer is kept in, and started from, the program's folder.
    CAutoUpdateDlg(float mag, std::wstring programFolder);
    ~CAutoUpdateDlg() override;

    void setUpdateOffer(UpdateOffer offer) { offer_ = std::move(offer); }

    // Shows the offer modally; on Update the installer is made ready and started.
    UpdatePromptResult promptAndInstall(HWND owner);

private:
    bool onInitDialog() override;
    void onButton(INT_PTR result) override;
    bool onClose() override;
    std::optional<LRESULT> onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    void startDownload();
    void onDownloadProgress(std::uint64_t received, std::optional<std::uint64_t> contentLength);
    void onDownloadDone(bool verified);
    void stopDownload();

    std::optional<UpdateOffer> offer_;
    std::wstring folder_;
    std::shared_ptr<std::atomic<bool>> cancel_;
    std::jthread download_;
    bool downloading_ = false;
};

} // namespace yk
