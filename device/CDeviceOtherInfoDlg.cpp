#include "device/CDeviceOtherInfoDlg.h"

#include "base/CatalogKeys.h"
#include "base/TextCatalog.h"
#include "device/DeviceInformation.h"
#include "device_ids.h"
#include "skin_ids.h"

namespace yk {

namespace {

constexpr UINT_PTR kRefreshTimer = 20;
constexpr UINT kRefreshPeriodMs = 1000;
constexpr float kPictureFactor = 0.18f;
constexpr COLORREF kTextColour = RGB(0x13, 0x13, 0x14);

} // namespace

CDeviceOtherInfoDlg::CDeviceOtherInfoDlg(VendorCommands& commands, float mag)
    : SkinnedDialog(IDD_VOLTAGE_CURRENT, mag), commands_(commands)
{
}

bool CDeviceOtherInfoDlg::onInitDialog()
{
    const HFONT labelFont = font(16, 700);
    setAppCaption();
    putText(IDC_DEVICE_DIALOG_TITLE, loadCatalogText(IDS_VOLTAGE_CURRENT), font(20, 1000), kTextColour);
    putPicture(IDC_DEVICE_DIALOG_PICTURE, IDB_VOLTAGE_CURRENT, kPictureFactor);
    putText(IDC_POWER_USB_A_LABEL, loadCatalogText(IDS_USB_A), labelFont, kTextColour);
    putText(IDC_POWER_USB_C_LABEL, loadCatalogText(IDS_USB_C), labelFont, kTextColour);
    putText(IDC_POWER_USB_A, L"", font(16, 400), kTextColour);
    putText(IDC_POWER_USB_C, L"", font(16, 400), kTextColour);
    refreshPowerLines();
    SetTimer(hwnd(), kRefreshTimer, kRefreshPeriodMs, nullptr);
    return true;
}

void CDeviceOtherInfoDlg::refreshPowerLines()
{
    // Each read lets waiting window messages through: a tick that comes during a slow read waits for the next.
    if (refreshing_)
        return;
    refreshing_ = true;
    const std::wstring usbA = formatPowerLine(commands_, 0);
    const std::wstring usbC = formatPowerLine(commands_, 1);
    refreshing_ = false;
    if (!IsWindow(hwnd()))
        return;
    SetDlgItemTextW(hwnd(), IDC_POWER_USB_A, usbA.c_str());
    SetDlgItemTextW(hwnd(), IDC_POWER_USB_C, usbC.c_str());
}

bool CDeviceOtherInfoDlg::onTimer(UINT_PTR id)
{
    if (id != kRefreshTimer)
        return false;
    refreshPowerLines();
    return true;
}

bool CDeviceOtherInfoDlg::onCommand(int id, int code, HWND control)
{
    if (id == IDCANCEL) {
        KillTimer(hwnd(), kRefreshTimer);
        endDialog(IDCANCEL);
        return true;
    }
    return SkinnedDialog::onCommand(id, code, control);
}

} // namespace yk
