#include "ui/CSetRange.h"

#include <commctrl.h>

#include "base/TextCatalog.h"
#include "skin_ids.h"
#include "ui/CCustomMessageBox.h"
#include "ui/CCustomMessageBox2Btn2.h"
#include "ui_ids.h"

namespace yk {

namespace {

constexpr INT_PTR kCancelButton = IDCANCEL;
constexpr INT_PTR kOkButton = IDOK;
constexpr CalendarDate kEarliestDate{1970, 1, 1};

CalendarDate pickerDate(HWND picker)
{
    SYSTEMTIME time{};
    SendMessageW(picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time));
    return calendarDateOf(time);
}

} // namespace

CalendarDate calendarDateOf(const SYSTEMTIME& time)
{
    return CalendarDate{time.wYear, time.wMonth, time.wDay};
}

SYSTEMTIME systemTimeOf(const CalendarDate& date)
{
    SYSTEMTIME time{};
    time.wYear = static_cast<WORD>(date.year);
    time.wMonth = static_cast<WORD>(date.month);
    time.wDay = static_cast<WORD>(date.day);
    // The day of the week is left for the system to fill in.
    FILETIME asFileTime{};
    if (SystemTimeToFileTime(&time, &asFileTime))
        FileTimeToSystemTime(&asFileTime, &time);
    return time;
}

CSetRange::CSetRange(float mag) : SkinnedDialog(IDD_SET_RANGE, mag) {}

bool CSetRange::onInitDialog()
{
    okCaption_ = loadCatalogText(IDS_OK);
    yesCaption_ = loadCatalogText(IDS_YES);
    noCaption_ = loadCatalogText(IDS_NO);

    const HFONT heading = font(22);
    const HFONT label = font(16);
    const HFONT button = font(17);
    setAppCaption();
    putText(IDC_RANGE_HEADING, loadCatalogText(IDS_DATE_RANGE_TITLE), heading, palette::kPopupText);
    putText(IDC_RANGE_START_LABEL, loadCatalogText(IDS_START_DATE), label, palette::kPopupText);
    putText(IDC_RANGE_END_LABEL, loadCatalogText(IDS_END_DATE), label, palette::kPopupText);
    putButton(IDC_RANGE_CANCEL_IMAGE, IDC_RANGE_CANCEL_TEXT, IDB_DIALOG_BUTTON_HALF, loadCatalogText(IDS_CANCEL),
              button, kCancelButton);
    putButton(IDC_RANGE_OK_IMAGE, IDC_RANGE_OK_TEXT, IDB_DIALOG_BUTTON_HALF, okCaption_, button, kOkButton);

    SYSTEMTIME now{};
    GetLocalTime(&now);
    const SYSTEMTIME range[2] = {systemTimeOf(kEarliestDate), systemTimeOf(calendarDateOf(now))};
    for (const int id : {IDC_RANGE_START_PICKER, IDC_RANGE_END_PICKER}) {
        const HWND picker = item(id);
        SendMessageW(picker, WM_SETFONT, reinterpret_cast<WPARAM>(label), FALSE);
        SendMessageW(picker, DTM_SETRANGE, GDTR_MIN | GDTR_MAX, reinterpret_cast<LPARAM>(range));
        SendMessageW(picker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&range[1]));
    }
    return true;
}

void CSetRange::onButton(INT_PTR result)
{
    if (result == kOkButton)
        confirmRange();
    else
        endDialog(result);
}

void CSetRange::confirmRange()
{
    const CalendarDate start = pickerDate(item(IDC_RANGE_START_PICKER));
    const CalendarDate end = pickerDate(item(IDC_RANGE_END_PICKER));
    if (!isOrderedRange(start, end)) {
        CCustomMessageBox invalid(mag());
        invalid.setContent(box_kind::kDateRange, loadCatalogText(IDS_INVALID_DATE_RANGE), okCaption_);
        invalid.runModal(hwnd());
        return;
    }
    CCustomMessageBox2Btn2 confirmation(mag());
    confirmation.setContent(loadCatalogText(IDS_RESTORE_DATE_RANGE), formatDateRange(start, end), yesCaption_,
                            noCaption_);
    if (confirmation.runModal(hwnd()) != kBoxLeft)
        return;
    startDate_ = start;
    endDate_ = end;
    endDialog(kOkButton);
}

} // namespace yk
