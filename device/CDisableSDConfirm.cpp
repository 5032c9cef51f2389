#include "device/CDisableSDConfirm.h"

#include "base/CatalogKeys.h"
#include "base/TextCatalog.h"
#include "device_ids.h"
#include "skin_ids.h"

namespace yk {

namespace {

constexpr float kPictureFactor = 0.2f;
constexpr int kTitleSize = 22;
constexpr int kButtonSize = 17;
constexpr int kMessageSize = 16;

} // namespace

CDisableSDConfirm::CDisableSDConfirm(EjectQuestion mode, SdAccess& sdAccess)
    : SkinnedDialog(IDD_DISABLE_SD_CONFIRM, 1.0f), mode_(mode),
      message_(mode == EjectQuestion::A ? IDS_EJECT_OTHER_PORT : IDS_EJECT_WARNING), sdAccess_(sdAccess)
{
}

bool CDisableSDConfirm::create(HWND mainWindow, float mag)
{
    setMag(mag);
    return createModeless(mainWindow) != nullptr;
}

bool CDisableSDConfirm::onInitDialog()
{
    const HFONT buttonFont = font(kButtonSize);
    setAppCaption();
    putPicture(IDC_EJECT_PICTURE, IDB_SD_CARD_EJECT, kPictureFactor);
    putText(IDC_EJECT_TITLE, loadCatalogText(IDS_EJECT_SD_TITLE), font(kTitleSize), palette::kPopupText);
    putText(IDC_EJECT_MESSAGE, loadCatalogText(message_), font(kMessageSize), palette::kPopupText);
    putButton(IDC_EJECT_LEFT_IMAGE, IDC_EJECT_LEFT_TEXT, IDB_DIALOG_BUTTON_HALF, loadCatalogText(IDS_YES), buttonFont,
              kBoxLeft);
    putButton(IDC_EJECT_RIGHT_IMAGE, IDC_EJECT_RIGHT_TEXT, IDB_DIALOG_BUTTON_HALF, loadCatalogText(IDS_NO), buttonFont,
              kBoxRight);
    fitTextInBand(IDC_EJECT_MESSAGE, font(kMessageSize));
    setLeftButtonEnabled(false);
    return false;
}

void CDisableSDConfirm::setLeftButtonEnabled(bool enabled)
{
    leftButtonEnabled_ = enabled;
    colours().setText(IDC_EJECT_LEFT_TEXT, enabled ? palette::kButtonCaption : palette::kDimmedText,
                      TextBackdrop::Picture);
    // The caption is transparent over its picture: the picture beneath is drawn again with it.
    const RECT area = rectInDialog(hwnd(), item(IDC_EJECT_LEFT_IMAGE));
    RedrawWindow(hwnd(), &area, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void CDisableSDConfirm::show(bool leftButtonEnabled)
{
    setLeftButtonEnabled(leftButtonEnabled);
    ShowWindow(hwnd(), SW_SHOW);
}

void CDisableSDConfirm::hide()
{
    ShowWindow(hwnd(), SW_HIDE);
}

bool CDisableSDConfirm::isVisible() const
{
    return hwnd() && IsWindowVisible(hwnd());
}

void CDisableSDConfirm::onButton(INT_PTR result)
{
    if (result == kBoxRight) {
        sdAccess_.declineEject();
        return;
    }
    if (!leftButtonEnabled_)
        return;
    if (mode_ == EjectQuestion::A)
        sdAccess_.confirmEjectA();
    else
        sdAccess_.confirmEjectB();
}

} // namespace yk
