// The result dialog of a run: which run, how it ended, how many files were completed and how many left undone.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "backup/RunState.h"
#include "ui/SkinnedDialog.h"

namespace yk {

class CCopyResultDlg final : public SkinnedDialog {
public:
    // `onClosed` runs when the user closes the dialog (the backup/restore page refreshes its drive space).
    CCopyResultDlg(RunKind kind, RunStatus status, const RunCounts& counts, int languageCode, float mag,
                   std::function<void()> onClosed = {});

    const std::wstring& heading() const { return heading_; }
    int pictureType() const { return pictureType_; }

private:
    bool onInitDialog() override;
    void onButton(INT_PTR result) override;
    // Places label, number and unit of a count line side by side, each as wide as its text.
    void layoutCountLine(int labelId, int numberId, int unitId);
    void widenToText(int controlId);
    // The width of a control's text in its font, and where texts end on the right.
    static LONG textWidth(HWND control);
    LONG rightLimit();

    RunKind kind_;
    RunStatus status_;
    RunCounts counts_;
    int languageCode_;
    std::function<void()> onClosed_;
    std::wstring heading_;
    int pictureType_ = 1;
};

} // namespace yk
