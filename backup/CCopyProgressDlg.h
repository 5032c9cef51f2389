// The progress dialog of a run: modeless, fed by the run with byte and file counts; its cancel button asks the
// run to stop.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "backup/RunState.h"
#include "ui/SkinnedDialog.h"

namespace yk {

class CCopyProgressDlg final : public SkinnedDialog {
public:
    // `cancelRequested` is the run's flag, set by the cancel button.
    CCopyProgressDlg(std::int32_t& cancelRequested, float mag);

    // Creates the dialog owned by the main window, centred on it, and shows it; the main window stays usable.
    bool open(HWND mainWindow, RunKind kind);
    // Stores the folder name of the progress line and shows it in the line at once.
    void setTarget(const std::wstring& name);
    void setTotalBytes(std::uint64_t total) { bytesTotal_ = total; }
    // Rewrites the byte line and moves the bar (the caller handles the waiting messages afterwards).
    void updateBytes(std::uint64_t done);
    void updateCounts(const RunCounts& counts);

    RunKind kind() const { return kind_; }
    const std::wstring& targetName() const { return targetName_; }

private:
    bool onInitDialog() override;
    bool onClose() override;
    void onButton(INT_PTR result) override;
    void applyFixedTexts();
    void setTextIfChanged(int controlId, std::wstring text, std::wstring& shown);

    std::int32_t& cancelRequested_;
    HWND mainWindow_ = nullptr;
    RunKind kind_ = RunKind::NormalBackup;
    std::wstring targetName_;
    std::uint64_t bytesDone_ = 0;
    std::uint64_t bytesTotal_ = 0;
    RunCounts counts_;
    bool textsSet_ = false;
    // The words of the progress line, loaded with the fixed texts.
    std::wstring verb_;
    std::wstring itemsWord_;
    std::wstring toWord_;
    // What the byte line, the progress line and the bar show now.
    std::wstring shownBytes_;
    std::wstring shownLine_;
    int shownPercent_ = -1;
};

} // namespace yk
