// The two-button question box with a second line (the date range confirmation): left 6, right 7.
#pragma once

#include <string>

#include "ui/MessageBoxResult.h"
#include "ui/SkinnedDialog.h"

namespace yk {

class CCustomMessageBox2Btn2 final : public SkinnedDialog {
public:
    explicit CCustomMessageBox2Btn2(float mag = 1.0f);

    // The kind of a two-button box is always 2.
    void setContent(std::wstring message, std::wstring secondLine, std::wstring leftCaption, std::wstring rightCaption);

    int kind = 2;
    std::wstring message;
    std::wstring secondLine;
    std::wstring leftCaption;
    std::wstring rightCaption;

private:
    bool onInitDialog() override;
};

} // namespace yk
