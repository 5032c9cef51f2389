// The single-button message box: a picture chosen by kind, a centred message and one button.
#pragma once

#include <string>

#include "ui/MessageBoxResult.h"
#include "ui/SkinnedDialog.h"

namespace yk {

class CCustomMessageBox final : public SkinnedDialog {
public:
    explicit CCustomMessageBox(float mag = 1.0f);

    void setContent(int kind, std::wstring message, std::wstring buttonCaption);

    int kind = 0;
    std::wstring message;
    std::wstring buttonCaption;

private:
    bool onInitDialog() override;
};

} // namespace yk
