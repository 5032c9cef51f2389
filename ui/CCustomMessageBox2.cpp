#include "ui/CCustomMessageBox2.h"

#include "skin_ids.h"
#include "ui_ids.h"

namespace yk {

namespace {
constexpr float kFailureIconFactor = 0.2f;
constexpr float kConfirmIconFactor = 0.12f;
constexpr float kStoredSize = 1.0f;
} // namespace

CCustomMessageBox2::CCustomMessageBox2(float mag) : SkinnedDialog(IDD_CUSTOM_MESSAGE_BOX2, mag) {}

void CCustomMessageBox2::setContent(int newKind, std::wstring newTitle, std::wstring newMessage,
                                    std::wstring newButtonCaption)
{
    kind = newKind;
    title = std::move(newTitle);
    message = std::move(newMessage);
    buttonCaption = std::move(newButtonCaption);
}

bool CCustomMessageBox2::onInitDialog()
{
    const HFONT titleFont = font(22);
    const HFONT messageFont = font(16);
    const HFONT buttonFont = font(17);
    setAppCaption();
    putText(IDC_BOX_MESSAGE, title, titleFont, palette::kPopupText);
    putText(IDC_BOX_DETAIL, message, messageFont, palette::kSecondaryText);
    if (kind == box2_kind::kFolderFailure)
        putPicture(IDC_BOX_ICON, IDB_FOLDER_WARNING, kFailureIconFactor);
    else if (kind == box2_kind::kFolderConfirm)
        putPicture(IDC_BOX_ICON, IDB_FOLDER_GEAR, kConfirmIconFactor);
    else
        putPicture(IDC_BOX_ICON, IDB_COMPUTER_GEAR, kStoredSize);
    putButton(IDC_BOX_BUTTON_IMAGE, IDC_BOX_BUTTON_TEXT, IDB_DIALOG_BUTTON_WIDE, buttonCaption, buttonFont, kBoxOk);
    fitTextInBand(IDC_BOX_MESSAGE, titleFont);
    fitTextInBand(IDC_BOX_DETAIL, messageFont);
    return true;
}

} // namespace yk
