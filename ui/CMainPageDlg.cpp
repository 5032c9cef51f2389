#include "ui/CMainPageDlg.h"

#include <iterator>

#include "base/CatalogKeys.h"
#include "base/TextCatalog.h"
#include "skin_ids.h"
#include "ui/SkinImage.h"
#include "ui_ids.h"

namespace yk {

namespace {

constexpr int kStatusFontSize = 22;
constexpr int kStatusFontWeight = 1000;
constexpr float kPictureFactor = 0.3f;
constexpr float kLogoFactor = 1.0f;
constexpr float kIconFactor = 0.7f;

struct StatusLook {
    CatalogKey text;
    bool upperLine;
    int icon;
    int picture;
};

// Statuses 1 to 5.
constexpr StatusLook kStatusLooks[] = {
    {IDS_HOME_CONNECTED, false, IDB_MARK_CHECK, IDB_HOME_CONNECTED},
    {IDS_HOME_SD_IN_PHONE, false, IDB_MARK_INFO, IDB_HOME_SD_IN_PHONE},
    {IDS_HOME_NOT_CONNECTED, true, IDB_MARK_INFO, IDB_HOME_NOT_CONNECTED},
    {IDS_HOME_SD_NOT_DETECTED, true, IDB_MARK_INFO, IDB_HOME_SD_NOT_DETECTED},
    {IDS_HOME_SD_STANDBY, false, IDB_MARK_INFO, IDB_HOME_SD_STANDBY},
};

} // namespace

CMainPageDlg::CMainPageDlg() : SkinnedDialog(IDD_MAIN_PAGE, 1.0f, palette::kPageBackground) {}

bool CMainPageDlg::onInitDialog()
{
    colours().setPictureOnBackground(IDC_HOME_PICTURE);
    colours().setPictureOnBackground(IDC_HOME_STATUS_ICON);
    return true;
}

void CMainPageDlg::prepare(float mag)
{
    setMag(mag);
    statusFont_ = makeSkinFont(kStatusFontSize, kStatusFontWeight, mag);
    upperLine_ = rectInDialog(hwnd(), item(IDC_HOME_UPPER_LINE));
    lowerLine_ = rectInDialog(hwnd(), item(IDC_HOME_LOWER_LINE));
    icon_ = rectInDialog(hwnd(), item(IDC_HOME_STATUS_ICON));
    prepared_ = true;
}

void CMainPageDlg::placeIcon(const RECT& line)
{
    // The icon keeps its own left edge and size and takes the top of the line it stands beside.
    SetWindowPos(item(IDC_HOME_STATUS_ICON), nullptr, icon_.left, line.top, icon_.right - icon_.left,
                 icon_.bottom - icon_.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void CMainPageDlg::setHomeStatus(int status, float mag)
{
    if (status == status_ || !hwnd())
        return;
    if (!prepared_)
        prepare(mag);

    for (const int id : {IDC_HOME_UPPER_LINE, IDC_HOME_LOWER_LINE, IDC_HOME_STATUS_ICON})
        ShowWindow(item(id), SW_HIDE);

    int picture = IDB_LOGO;
    float pictureFactor = kLogoFactor;
    if (status >= 1 && status <= static_cast<int>(std::size(kStatusLooks))) {
        const StatusLook& look = kStatusLooks[status - 1];
        const int line = look.upperLine ? IDC_HOME_UPPER_LINE : IDC_HOME_LOWER_LINE;
        const std::wstring text = loadCatalogText(look.text);
        HFONT font = statusFont_.get();
        if (!textFitsControl(item(line), text, font)) {
            fittedFont_ = makeFittingSkinFont(item(line), text, kStatusFontSize, kStatusFontWeight, mag);
            font = fittedFont_.get();
        }
        putText(line, text, font, palette::kStatusText);
        ShowWindow(item(line), SW_SHOW);
        placeIcon(look.upperLine ? upperLine_ : lowerLine_);
        showSkinPicture(item(IDC_HOME_STATUS_ICON), look.icon, kIconFactor, mag);
        ShowWindow(item(IDC_HOME_STATUS_ICON), SW_SHOW);
        picture = look.picture;
        pictureFactor = kPictureFactor;
    }
    showSkinPicture(item(IDC_HOME_PICTURE), picture, pictureFactor, mag);
    const RECT area = rectInDialog(hwnd(), item(IDC_HOME_PICTURE));
    InvalidateRect(hwnd(), &area, TRUE);
    status_ = status;
}

} // namespace yk
