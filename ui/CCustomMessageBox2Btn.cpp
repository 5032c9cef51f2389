#include "ui/CCustomMessageBox2Btn.h"

#include "skin_ids.h"
#include "ui_ids.h"

namespace yk {

namespace {
constexpr float kIconFactor = 0.2f;
}

CCustomMessageBox2Btn::CCustomMessageBox2Btn(float mag) : SkinnedDialog(IDD_CUSTOM_MESSAGE_BOX2_BTN, mag) {}

void CCustomMessageBox2Btn::setContent(std::wstring newMessage, std::wstring newLeftCaption,
                                       std::wstring newRightCaption)
{
    kind = 2;
    message = std::move(newMessage);
    leftCaption = std::move(newLeftCaption);
    rightCaption = std::move(newRightCaption);
}

bool CCustomMessageBox2Btn::onInitDialog()
{
    const HFONT text = font(17);
    setAppCaption();
    putText(IDC_BOX_MESSAGE, message, text, palette::kPopupText);
    putPicture(IDC_BOX_ICON, IDB_SD_CARD_EJECT, kIconFactor);
    putButton(IDC_BOX_LEFT_IMAGE, IDC_BOX_LEFT_TEXT, IDB_DIALOG_BUTTON_HALF, leftCaption, text, kBoxLeft);
    putButton(IDC_BOX_RIGHT_IMAGE, IDC_BOX_RIGHT_TEXT, IDB_DIALOG_BUTTON_HALF, rightCaption, text, kBoxRight);
    // This box keeps the template's layout.
    return true;
}

} // namespace yk
