#include "backup/CCopyProgressDlg.h"

#include <commctrl.h>

#include "base/CatalogKeys.h"
#include "base/TextCatalog.h"
#include "backup/ProgressText.h"
#include "backup_ids.h"
#include "skin_ids.h"

namespace yk {

namespace {

constexpr int kHeadingSize = 22;
constexpr int kHeadingWeight = 1000;
constexpr int kTextSize = 16;
constexpr COLORREF kHeadingColour = RGB(7, 7, 7);
constexpr COLORREF kLineColour = RGB(19, 19, 20);
constexpr COLORREF kBytesColour = RGB(116, 117, 119);
constexpr INT_PTR kCancelButton = 1;

const CatalogKey& headingOf(RunKind kind)
{
    switch (kind) {
    case RunKind::NormalRestore:
        return IDS_NORMAL_RESTORE;
    case RunKind::EncryptedBackup:
        return IDS_ENCRYPT_BACKUP;
    case RunKind::DecryptRestore:
        return IDS_DECRYPT_RESTORE;
    case RunKind::NormalBackup:
        break;
    }
    return IDS_NORMAL_BACKUP;
}

void centreOn(HWND window, HWND owner)
{
    RECT ownerRect{};
    RECT rect{};
    if (!owner || !GetWindowRect(owner, &ownerRect) || IsIconic(owner) || !IsWindowVisible(owner))
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &ownerRect, 0);
    GetWindowRect(window, &rect);
    const LONG width = rect.right - rect.left;
    const LONG height = rect.bottom - rect.top;
    SetWindowPos(window, nullptr, ownerRect.left + (ownerRect.right - ownerRect.left - width) / 2,
                 ownerRect.top + (ownerRect.bottom - ownerRect.top - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace

CCopyProgressDlg::CCopyProgressDlg(std::int32_t& cancelRequested, float mag)
    : SkinnedDialog(IDD_COPY_PROGRESS, mag), cancelRequested_(cancelRequested)
{
}

bool CCopyProgressDlg::open(HWND mainWindow, RunKind kind)
{
    mainWindow_ = mainWindow;
    kind_ = kind;
    targetName_.clear();
    if (!createModeless(mainWindow))
        return false;
    applyFixedTexts();
    ShowWindow(hwnd(), SW_SHOWNOACTIVATE);
    UpdateWindow(hwnd());
    return true;
}

bool CCopyProgressDlg::onInitDialog()
{
    SendDlgItemMessageW(hwnd(), IDC_PROGRESS_BAR, PBM_SETRANGE32, 0, 100);
    centreOn(hwnd(), mainWindow_);
    return false; // the run keeps the focus where it was
}

void CCopyProgressDlg::applyFixedTexts()
{
    if (textsSet_)
        return;
    textsSet_ = true;
    const HFONT heading = font(kHeadingSize, kHeadingWeight);
    const HFONT text = font(kTextSize);
    setAppCaption();
    putText(IDC_PROGRESS_HEADING, loadCatalogText(headingOf(kind_)), heading, kHeadingColour);
    putText(IDC_PROGRESS_LINE, L"", text, kLineColour);
    putText(IDC_PROGRESS_BYTES, L"", text, kBytesColour);
    putButton(IDC_PROGRESS_CANCEL_IMAGE, IDC_PROGRESS_CANCEL_TEXT, IDB_DIALOG_BUTTON_WIDE, loadCatalogText(IDS_CANCEL),
              text, kCancelButton);
    verb_ = loadCatalogText(isRestoreKind(kind_) ? IDS_RESTORING : IDS_BACKING_UP);
    itemsWord_ = loadCatalogText(IDS_ITEMS);
    toWord_ = loadCatalogText(IDS_TO);
}

void CCopyProgressDlg::setTarget(const std::wstring& name)
{
    targetName_ = name;
    if (!shownLine_.empty())
        updateCounts(counts_);
}

void CCopyProgressDlg::updateBytes(std::uint64_t done)
{
    bytesDone_ = done;
    if (!hwnd())
        return;
    setTextIfChanged(IDC_PROGRESS_BYTES, byteLine(bytesDone_, bytesTotal_), shownBytes_);
    const int percent = progressPercent(bytesDone_, bytesTotal_);
    if (percent == shownPercent_)
        return;
    shownPercent_ = percent;
    // Stepping past the position and back makes the bar draw at once instead of animating towards it.
    SendDlgItemMessageW(hwnd(), IDC_PROGRESS_BAR, PBM_SETPOS, static_cast<WPARAM>(percent + 1), 0);
    SendDlgItemMessageW(hwnd(), IDC_PROGRESS_BAR, PBM_SETPOS, static_cast<WPARAM>(percent), 0);
}

void CCopyProgressDlg::updateCounts(const RunCounts& counts)
{
    counts_ = counts;
    if (!hwnd())
        return;
    setTextIfChanged(IDC_PROGRESS_LINE, progressLine(verb_, remainingItems(counts_), itemsWord_, toWord_, targetName_),
                     shownLine_);
}

void CCopyProgressDlg::setTextIfChanged(int controlId, std::wstring text, std::wstring& shown)
{
    // Setting a window text costs a round trip to the window system; many small files repeat the same texts.
    if (text == shown)
        return;
    shown = std::move(text);
    SetDlgItemTextW(hwnd(), controlId, shown.c_str());
}

bool CCopyProgressDlg::onClose()
{
    // A close request does not stop the run; only the cancel button does.
    OutputDebugStringW(L"OnClose\r\n");
    return false;
}

void CCopyProgressDlg::onButton(INT_PTR /*result*/)
{
    cancelRequested_ = 1;
}

} // namespace yk
