#include "ui/CCustomMessageBox2Btn2.h"

#include "skin_ids.h"
#include "ui_ids.h"

namespace yk {

namespace {
constexpr float kIconFactor = 0.2f;
}

CCustomMessageBox2Btn2::CCustomMessageBox2Btn2(float mag) : SkinnedDialog(IDD_CUSTOM_MESSAGE_BOX2_BTN2, mag) {}

void CCustomMessageBox2Btn2::setContent(std::wstring newMessage, std::wstring newSecondLine,
                                        std::wstring newLeftCaption, std::wstring newRightCaption)
{
    kind = 2;
    message = std::move(newMessage);
    secondLine = std::move(newSecondLine);
    leftCaption = std::move(newLeftCaption);
    rightCaption = std::move(newRightCaption);
}

bool CCustomMessageBox2Btn2::onInitDialog()
{
    const HFONT messageFont = font(22);
    const HFONT lineFont = font(16);
    const HFONT buttonFont = font(17);
    setAppCaption();
    putText(IDC_BOX_MESSAGE, message, messageFont, palette::kPopupText);
    putText(IDC_BOX_SECOND_LINE, secondLine, lineFont, palette::kPopupText);
    putPicture(IDC_BOX_ICON, IDB_CALENDAR_QUESTION, kIconFactor);
    putButton(IDC_BOX_LEFT_IMAGE, IDC_BOX_LEFT_TEXT, IDB_DIALOG_BUTTON_HALF, leftCaption, buttonFont, kBoxLeft);
    putButton(IDC_BOX_RIGHT_IMAGE, IDC_BOX_RIGHT_TEXT, IDB_DIALOG_BUTTON_HALF, rightCaption, buttonFont, kBoxRight);
    fitTextInBand(IDC_BOX_MESSAGE, messageFont);
    return true;
}

} // namespace yk
