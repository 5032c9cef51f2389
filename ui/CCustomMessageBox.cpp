#include "ui/CCustomMessageBox.h"

#include "skin_ids.h"
#include "ui_ids.h"

namespace yk {

namespace {

struct KindPicture {
    int imageId;
    float factor;
};

constexpr float kIconFactor = 0.2f;
constexpr float kStoredSize = 1.0f;

KindPicture pictureForKind(int kind)
{
    switch (kind) {
    case box_kind::kBusy:
        return {IDB_COMPUTER_GEAR, kIconFactor};
    case box_kind::kLowSpace:
        return {IDB_COMPUTER_WARNING, kIconFactor};
    case box_kind::kSdEnableFailed:
    case box_kind::kNotOnSdCard:
        return {IDB_SD_CARD_WARNING, kIconFactor};
    case box_kind::kFolder:
        return {IDB_FOLDER_GEAR, kIconFactor};
    case box_kind::kDateRange:
        return {IDB_CALENDAR_WARNING, kIconFactor};
    case box_kind::kPassword:
        return {IDB_PADLOCK_WARNING, kIconFactor};
    case box_kind::kPasswordSaved:
        return {IDB_PADLOCK_CHECK, kIconFactor};
    default:
        return {IDB_COMPUTER_GEAR, kStoredSize};
    }
}

} // namespace

CCustomMessageBox::CCustomMessageBox(float mag) : SkinnedDialog(IDD_CUSTOM_MESSAGE_BOX, mag) {}

void CCustomMessageBox::setContent(int newKind, std::wstring newMessage, std::wstring newButtonCaption)
{
    kind = newKind;
    message = std::move(newMessage);
    buttonCaption = std::move(newButtonCaption);
}

bool CCustomMessageBox::onInitDialog()
{
    const HFONT text = font(17);
    setAppCaption();
    putText(IDC_BOX_MESSAGE, message, text, palette::kPopupText);
    const KindPicture picture = pictureForKind(kind);
    putPicture(IDC_BOX_ICON, picture.imageId, picture.factor);
    putButton(IDC_BOX_BUTTON_IMAGE, IDC_BOX_BUTTON_TEXT, IDB_DIALOG_BUTTON_WIDE, buttonCaption, text, kBoxOk);
    fitTextInBand(IDC_BOX_MESSAGE, text);
    return true;
}

} // namespace yk
