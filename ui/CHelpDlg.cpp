#include "ui/CHelpDlg.h"

#include <shellapi.h>

#include "base/CatalogKeys.h"
#include "base/TextCatalog.h"
#include "base/VendorSite.h"
#include "base/Win32Handles.h"
#include "skin_ids.h"
#include "ui_ids.h"

namespace yk {

namespace {

constexpr float kDecorationFactor = 0.55f;
constexpr float kRowPictureFactor = 0.5f;

enum class RowAction { DeviceInformation, VoltageCurrent, VendorSite };

struct Row {
    int icon;
    int text;
    int arrow;
    int image;
    CatalogKey label;
    RowAction action;
};

constexpr Row kRows[] = {
    {IDC_HELP_DEVICE_INFORMATION_ICON, IDC_HELP_DEVICE_INFORMATION_TEXT, IDC_HELP_DEVICE_INFORMATION_ARROW,
     IDB_HELP_DEVICE_INFORMATION, IDS_DEVICE_INFORMATION, RowAction::DeviceInformation},
    {IDC_HELP_VOLTAGE_CURRENT_ICON, IDC_HELP_VOLTAGE_CURRENT_TEXT, IDC_HELP_VOLTAGE_CURRENT_ARROW,
     IDB_HELP_VOLTAGE_CURRENT, IDS_VOLTAGE_CURRENT, RowAction::VoltageCurrent},
    {IDC_HELP_PRIVACY_POLICY_ICON, IDC_HELP_PRIVACY_POLICY_TEXT, IDC_HELP_PRIVACY_POLICY_ARROW, IDB_HELP_PRIVACY_POLICY,
     IDS_PRIVACY_POLICY, RowAction::VendorSite},
    {IDC_HELP_USER_GUIDE_ICON, IDC_HELP_USER_GUIDE_TEXT, IDC_HELP_USER_GUIDE_ARROW, IDB_HELP_USER_GUIDE, IDS_USER_GUIDE,
     RowAction::VendorSite},
    {IDC_HELP_APP_FAQ_ICON, IDC_HELP_APP_FAQ_TEXT, IDC_HELP_APP_FAQ_ARROW, IDB_HELP_APP_FAQ, IDS_APP_FAQ,
     RowAction::VendorSite},
    {IDC_HELP_CONTACT_US_ICON, IDC_HELP_CONTACT_US_TEXT, IDC_HELP_CONTACT_US_ARROW, IDB_HELP_CONTACT_US, IDS_CONTACT_US,
     RowAction::VendorSite},
};

} // namespace

CHelpDlg::CHelpDlg(HelpPageActions& actions)
    : SkinnedDialog(IDD_HELP_PAGE, 1.0f, palette::kPageBackground), actions_(actions)
{
}

void CHelpDlg::setupHelpPage(float mag)
{
    if (setUp_ || !hwnd())
        return;
    setUp_ = true;
    setMag(mag);
    const HFONT titleFont = font(24, 1000);
    const HFONT rowFont = font(20, FW_BOLD);

    putPicture(IDC_HELP_DECORATION, IDB_PAGE_TITLE_ICON, kDecorationFactor);
    for (const Row& row : kRows) {
        putPicture(row.icon, row.image, kRowPictureFactor);
        putPicture(row.arrow, IDB_HELP_ROW_ARROW, kRowPictureFactor);
        putText(row.text, loadCatalogText(row.label), rowFont, palette::kPageLabel, TextBackdrop::Picture);
    }
    const std::wstring title = loadCatalogText(IDS_HELP);
    SetWindowTextW(hwnd(), title.c_str());
    putText(IDC_HELP_TITLE, title, titleFont, palette::kPageTitle);
    putText(IDC_HELP_DEVICE_HEADER, loadCatalogText(IDS_DEVICE_STATUS), rowFont, palette::kSectionHeader);
    putText(IDC_HELP_OTHER_HEADER, loadCatalogText(IDS_OTHER), rowFont, palette::kSectionHeader);
}

bool CHelpDlg::onCommand(int id, int code, HWND control)
{
    if (code != STN_CLICKED)
        return SkinnedDialog::onCommand(id, code, control);
    for (const Row& row : kRows) {
        if (id != row.icon && id != row.text && id != row.arrow)
            continue;
        switch (row.action) {
        case RowAction::DeviceInformation:
            actions_.openDeviceInformation();
            break;
        case RowAction::VoltageCurrent:
            actions_.openVoltageCurrent();
            break;
        case RowAction::VendorSite:
            ShellExecuteW(nullptr, nullptr, kVendorSiteUrl, nullptr, nullptr, SW_SHOWNORMAL);
            break;
        }
        return true;
    }
    return SkinnedDialog::onCommand(id, code, control);
}

bool CHelpDlg::onPaint()
{
    // Each row lies on a frame from its icon to its arrow; the pictures and texts are transparent on it.
    PAINTSTRUCT paint{};
    const HDC dc = BeginPaint(hwnd(), &paint);
    for (const Row& row : kRows) {
        const RECT icon = rectInDialog(hwnd(), item(row.icon));
        const RECT arrow = rectInDialog(hwnd(), item(row.arrow));
        const int margin = (icon.bottom - icon.top) / 6;
        paintRowFrame(dc, RECT{icon.left - 2 * margin, icon.top - margin, arrow.right + margin, icon.bottom + margin});
    }
    EndPaint(hwnd(), &paint);
    return true;
}

} // namespace yk
