// The single-button box with a title line beside its picture and a message below, for failures that name
// a folder and for the folder confirmation.
#pragma once

#include <string>

#include "ui/MessageBoxResult.h"
#include "ui/SkinnedDialog.h"

namespace yk {

class CCustomMessageBox2 final : public SkinnedDialog {
public:
    explicit CCustomMessageBox2(float mag = 1.0f);

    void setContent(int kind, std::wstring title, std::wstring message, std::wstring buttonCaption);

    int kind = 0;
    std::wstring title;
    std::wstring message;
    std::wstring buttonCaption;

private:
    bool onInitDialog() override;
};

} // namespace yk
