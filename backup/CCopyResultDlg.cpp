#include "backup/CCopyResultDlg.h"

#include <algorithm>

#include "base/CatalogKeys.h"
#include "base/LanguageCode.h"
#include "base/TextCatalog.h"
#include "backup/ProgressText.h"
#include "backup_ids.h"
#include "skin_ids.h"

namespace yk {

namespace {

constexpr int kHeadingSize = 22;
constexpr int kHeadingWeight = 1000;
constexpr int kLabelSize = 16;
constexpr int kNumberSize = 16;
constexpr int kNumberWeight = 600;
constexpr COLORREF kTextColour = RGB(7, 7, 7);
constexpr COLORREF kNumberColour = RGB(87, 158, 245);
constexpr float kPictureFactor = 0.2f;
constexpr INT_PTR kOkButton = 1;
// Texts stop this far (dialog units) short of the dialog's right edge, as in the message boxes.
constexpr int kRightMargin = 7;

int pictureImage(int type)
{
    switch (type) {
    case 1:
        return IDB_BACKUP_COMPLETE;
    case 4:
        return IDB_RESTORE_COMPLETE;
    case 5:
    case 6:
        return IDB_RESTORE_FAILED;
    default:
        return IDB_BACKUP_FAILED;
    }
}

const CatalogKey& statusWord(RunStatus status)
{
    switch (status) {
    case RunStatus::Fail:
        return IDS_FAIL;
    case RunStatus::Cancel:
        return IDS_RESULT_CANCEL;
    case RunStatus::Complete:
        break;
    }
    return IDS_COMPLETE;
}

std::wstring windowText(HWND window)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

} // namespace

CCopyResultDlg::CCopyResultDlg(RunKind kind, RunStatus status, const RunCounts& counts, int languageCode, float mag,
                               std::function<void()> onClosed)
    : SkinnedDialog(IDD_COPY_RESULT, mag), kind_(kind), status_(status), counts_(counts), languageCode_(languageCode),
      onClosed_(std::move(onClosed))
{
    const std::wstring operation = loadCatalogText(isRestoreKind(kind_) ? IDS_RESTORE : IDS_BACKUP);
    heading_ = resultHeading(operation, loadCatalogText(statusWord(status_)), languageCode_);
    pictureType_ = resultPictureType(kind_, status_);
}

bool CCopyResultDlg::onInitDialog()
{
    const HFONT headingFont = font(kHeadingSize, kHeadingWeight);
    const HFONT labelFont = font(kLabelSize);
    const HFONT numberFont = font(kNumberSize, kNumberWeight);
    setAppCaption();
    putText(IDC_RESULT_HEADING, heading_, headingFont, kTextColour);
    widenToText(IDC_RESULT_HEADING);
    putPicture(IDC_RESULT_PICTURE, pictureImage(pictureType_), kPictureFactor);
    putButton(IDC_RESULT_OK_IMAGE, IDC_RESULT_OK_TEXT, IDB_DIALOG_BUTTON_WIDE, loadCatalogText(IDS_OK), labelFont,
              kOkButton);

    const std::wstring items = loadCatalogText(IDS_ITEMS);
    if (!showsNoItemsMessage(status_, counts_)) {
        putText(IDC_RESULT_DONE_LABEL, loadCatalogText(IDS_COMPLETE), labelFont, kTextColour);
        putText(IDC_RESULT_DONE_NUMBER, countText(counts_.copied), numberFont, kNumberColour);
        putText(IDC_RESULT_DONE_UNIT, items, labelFont, kTextColour);
        putText(IDC_RESULT_UNDONE_LABEL, loadCatalogText(IDS_UNDONE), labelFont, kTextColour);
        putText(IDC_RESULT_UNDONE_NUMBER, countText(undoneItems(counts_)), numberFont, kNumberColour);
        putText(IDC_RESULT_UNDONE_UNIT, items, labelFont, kTextColour);
        layoutCountLine(IDC_RESULT_DONE_LABEL, IDC_RESULT_DONE_NUMBER, IDC_RESULT_DONE_UNIT);
        layoutCountLine(IDC_RESULT_UNDONE_LABEL, IDC_RESULT_UNDONE_NUMBER, IDC_RESULT_UNDONE_UNIT);
        return true;
    }

    const std::wstring operation = loadCatalogText(isRestoreKind(kind_) ? IDS_RESTORE : IDS_BACKUP);
    const HWND message = item(IDC_RESULT_DONE_LABEL);
    const bool japanese = languageCode_ == kLanguageJapanese;
    if (japanese) // its two lines need a control that wraps
        SetWindowLongPtrW(message, GWL_STYLE, (GetWindowLongPtrW(message, GWL_STYLE) & ~SS_TYPEMASK) | SS_LEFT);
    putText(IDC_RESULT_DONE_LABEL, noItemsMessage(loadCatalogText(IDS_NO_ITEMS_TO), operation, languageCode_),
            labelFont, kTextColour);
    for (const int id : {IDC_RESULT_DONE_NUMBER, IDC_RESULT_DONE_UNIT, IDC_RESULT_UNDONE_LABEL,
                         IDC_RESULT_UNDONE_NUMBER, IDC_RESULT_UNDONE_UNIT})
        putText(id, L"", labelFont, kTextColour);
    layoutCountLine(IDC_RESULT_DONE_LABEL, IDC_RESULT_DONE_NUMBER, IDC_RESULT_DONE_UNIT);
    layoutCountLine(IDC_RESULT_UNDONE_LABEL, IDC_RESULT_UNDONE_NUMBER, IDC_RESULT_UNDONE_UNIT);
    if (japanese) {
        // As tall as the word-wrapped text needs at its width, measured with the heading font.
        const RECT place = rectInDialog(hwnd(), message);
        RECT measured{0, 0, place.right - place.left, 0};
        const std::wstring text = windowText(message);
        if (const HDC dc = GetDC(message)) {
            const HGDIOBJ previous = SelectObject(dc, headingFont);
            DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measured,
                      DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL);
            SelectObject(dc, previous);
            ReleaseDC(message, dc);
        }
        SetWindowPos(message, nullptr, place.left, place.top, place.right - place.left, measured.bottom - measured.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return true;
}

LONG CCopyResultDlg::textWidth(HWND control)
{
    const std::wstring text = windowText(control);
    SIZE extent{};
    if (const HDC dc = GetDC(control)) {
        const HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
        SelectObject(dc, previous);
        ReleaseDC(control, dc);
    }
    return extent.cx;
}

LONG CCopyResultDlg::rightLimit()
{
    RECT client{};
    GetClientRect(hwnd(), &client);
    RECT margin{0, 0, kRightMargin, 0};
    MapDialogRect(hwnd(), &margin);
    return client.right - margin.right;
}

void CCopyResultDlg::widenToText(int controlId)
{
    // A heading longer than its template field (words are longer in some fonts) may use the rest of the line.
    const HWND control = item(controlId);
    const RECT place = rectInDialog(hwnd(), control);
    const LONG width = std::min(textWidth(control), rightLimit() - place.left);
    if (width > place.right - place.left)
        SetWindowPos(control, nullptr, 0, 0, width, place.bottom - place.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CCopyResultDlg::layoutCountLine(int labelId, int numberId, int unitId)
{
    const LONG limit = rightLimit();
    LONG left = rectInDialog(hwnd(), item(labelId)).left;
    for (const int id : {labelId, numberId, unitId}) {
        const HWND control = item(id);
        const RECT place = rectInDialog(hwnd(), control);
        // Never past the dialog's margin: a longer text wraps (or is cut) inside it.
        const LONG width = std::max(0L, std::min(textWidth(control), limit - left));
        SetWindowPos(control, nullptr, left, place.top, width, place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
        left += width;
    }
}

void CCopyResultDlg::onButton(INT_PTR result)
{
    if (onClosed_)
        onClosed_();
    endDialog(result);
}

} // namespace yk
