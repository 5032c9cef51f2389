#include "device/CDeviceInfoDlg.h"

#include "base/CatalogKeys.h"
#include "base/TextCatalog.h"
#include "device/DeviceInformation.h"
#include "device_ids.h"
#include "skin_ids.h"

namespace yk {

namespace {

constexpr float kPictureFactor = 0.2f;
constexpr COLORREF kTitleColour = RGB(0x13, 0x13, 0x14);
constexpr COLORREF kLabelColour = RGB(0, 0, 0);
constexpr COLORREF kValueColour = RGB(0x58, 0x59, 0x5B);

// Device texts come in the thread's ANSI code page.
std::wstring wideFromAnsi(std::string_view bytes)
{
    if (bytes.empty())
        return {};
    const int length = MultiByteToWideChar(CP_THREAD_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    if (length <= 0)
        return {};
    std::wstring text(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_THREAD_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), length);
    return text;
}

} // namespace

CDeviceInfoDlg::CDeviceInfoDlg(VendorCommands& commands, float mag, std::wstring appVersion)
    : SkinnedDialog(IDD_DEVICE_INFORMATION, mag), commands_(commands), appVersion_(std::move(appVersion))
{
}

bool CDeviceInfoDlg::onInitDialog()
{
    const HFONT labelFont = font(16, 700);
    const HFONT valueFont = font(16, 700);
    setAppCaption();
    putText(IDC_DEVICE_DIALOG_TITLE, loadCatalogText(IDS_DEVICE_INFORMATION), font(20, 1000), kTitleColour);
    putPicture(IDC_DEVICE_DIALOG_PICTURE, IDB_DEVICE_INFORMATION, kPictureFactor);

    const DeviceInformation information = readDeviceInformation(commands_, wideFromAnsi, appVersion_);
    const struct {
        int label;
        const CatalogKey& text;
        int value;
        const std::wstring& shown;
    } rows[] = {
        {IDC_INFO_MANUFACTURER_LABEL, IDS_MANUFACTURER, IDC_INFO_MANUFACTURER, information.manufacturer},
        {IDC_INFO_MODEL_LABEL, IDS_MODEL, IDC_INFO_MODEL, information.model},
        {IDC_INFO_SERIAL_LABEL, IDS_SERIAL_NUMBER, IDC_INFO_SERIAL, information.serialNumber},
        {IDC_INFO_PRODUCT_LABEL, IDS_PRODUCT_NUMBER, IDC_INFO_PRODUCT, information.productNumber},
        {IDC_INFO_FIRMWARE_LABEL, IDS_FW_VERSION, IDC_INFO_FIRMWARE, information.firmwareVersion},
        {IDC_INFO_HARDWARE_LABEL, IDS_HW_VERSION, IDC_INFO_HARDWARE, information.hardwareVersion},
        {IDC_INFO_APP_VERSION_LABEL, IDS_APP_VERSION_LABEL, IDC_INFO_APP_VERSION, information.appVersion},
    };
    for (const auto& row : rows) {
        putText(row.label, loadCatalogText(row.text), labelFont, kLabelColour);
        putText(row.value, row.shown, valueFont, kValueColour);
    }
    return true;
}

bool CDeviceInfoDlg::onCommand(int id, int code, HWND control)
{
    // The window's close box (and Escape) ends it; there is nothing to confirm.
    if (id == IDCANCEL) {
        endDialog(IDCANCEL);
        return true;
    }
    return SkinnedDialog::onCommand(id, code, control);
}

} // namespace yk
