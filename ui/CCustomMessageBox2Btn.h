// The two-button question box (the eject confirmation): left result 6, right result 7.
#pragma once

#include <string>

#include "ui/MessageBoxResult.h"
#include "ui/SkinnedDialog.h"

namespace yk {

class CCustomMessageBox2Btn final : public SkinnedDialog {
public:
    explicit CCustomMessageBox2Btn(float mag = 1.0f);

    // The kind of a two-button box is always 2.
    void setContent(std::wstring message, std::wstring leftCaption, std::wstring rightCaption);

    int kind = 2;
    std::wstring message;
    std::wstring leftCaption;
    std::wstring rightCaption;

private:
    bool onInitDialog() override;
};

} // namespace yk
