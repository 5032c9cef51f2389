#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include "support/BoxDriver.h"
#include "base/CatalogKeys.h"
#include "base/TextCatalog.h"
#include "ui/CSetRange.h"
#include "ui/MessageBoxResult.h"
#include "ui_ids.h"

namespace yk {
namespace {

using test::BoxDriver;

CalendarDate today()
{
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return calendarDateOf(now);
}

CalendarDate pickerDate(HWND dialog, int picker)
{
    SYSTEMTIME time{};
    SendDlgItemMessageW(dialog, picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time));
    return calendarDateOf(time);
}

bool setPickerDate(HWND dialog, int picker, const CalendarDate& date)
{
    const SYSTEMTIME time = systemTimeOf(date);
    return SendDlgItemMessageW(dialog, picker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time)) != 0;
}

BoxDriver::Step pickDates(CalendarDate start, CalendarDate end)
{
    return [=](HWND dialog) {
        EXPECT_TRUE(setPickerDate(dialog, IDC_RANGE_START_PICKER, start));
        EXPECT_TRUE(setPickerDate(dialog, IDC_RANGE_END_PICKER, end));
    };
}

BoxDriver::Step click(int control)
{
    return [=](HWND dialog) { test::clickControl(dialog, control); };
}

TEST(SetRange, PickersAllowTheDaysFrom1970UpToToday)
{
    const CalendarDate now = today();
    BoxDriver driver;
    driver.then([&](HWND dialog) {
        for (const int picker : {IDC_RANGE_START_PICKER, IDC_RANGE_END_PICKER}) {
            SCOPED_TRACE(picker);
            SYSTEMTIME range[2] = {};
            const LRESULT limits =
                SendDlgItemMessageW(dialog, picker, DTM_GETRANGE, 0, reinterpret_cast<LPARAM>(range));
            EXPECT_EQ(limits, GDTR_MIN | GDTR_MAX);
            EXPECT_EQ(calendarDateOf(range[0]), (CalendarDate{1970, 1, 1}));
            EXPECT_EQ(calendarDateOf(range[1]), now);
            EXPECT_EQ(pickerDate(dialog, picker), now);
            EXPECT_NE(GetWindowLongW(GetDlgItem(dialog, picker), GWL_STYLE) & DTS_RIGHTALIGN, 0);

            // Neither a day after today nor one before 1970 can be picked.
            SYSTEMTIME tomorrow = range[1];
            FILETIME asFileTime{};
            SystemTimeToFileTime(&tomorrow, &asFileTime);
            ULARGE_INTEGER ticks{{asFileTime.dwLowDateTime, asFileTime.dwHighDateTime}};
            ticks.QuadPart += 24ull * 3600 * 10000000;
            asFileTime = FILETIME{ticks.LowPart, ticks.HighPart};
            FileTimeToSystemTime(&asFileTime, &tomorrow);
            SendDlgItemMessageW(dialog, picker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&tomorrow));
            EXPECT_LE(pickerDate(dialog, picker), now);
            setPickerDate(dialog, picker, {1969, 12, 31});
            EXPECT_GE(pickerDate(dialog, picker), (CalendarDate{1970, 1, 1}));
        }
        const auto startStyle = GetWindowLongW(GetDlgItem(dialog, IDC_RANGE_START_PICKER), GWL_STYLE);
        EXPECT_EQ(startStyle & DTS_SHORTDATECENTURYFORMAT, DTS_SHORTDATECENTURYFORMAT);
        EXPECT_EQ(test::controlText(dialog, IDC_RANGE_HEADING), loadCatalogText(IDS_DATE_RANGE_TITLE));
        EXPECT_EQ(test::controlText(dialog, IDC_RANGE_START_LABEL), loadCatalogText(IDS_START_DATE));
        EXPECT_EQ(test::controlText(dialog, IDC_RANGE_END_LABEL), loadCatalogText(IDS_END_DATE));
        EXPECT_EQ(test::controlText(dialog, IDC_RANGE_CANCEL_TEXT), loadCatalogText(IDS_CANCEL));
        EXPECT_EQ(test::controlText(dialog, IDC_RANGE_OK_TEXT), loadCatalogText(IDS_OK));
    });
    driver.then(click(IDC_RANGE_CANCEL_TEXT));
    CSetRange dialog;
    EXPECT_EQ(driver.run([&] { return dialog.runModal(nullptr); }), IDCANCEL);
}

TEST(SetRange, StartAfterEndShowsTheErrorAndStaysOpen)
{
    HWND range = nullptr;
    std::wstring errorText, errorButton;
    BoxDriver driver;
    driver.then([&](HWND dialog) { range = dialog; })
        .then(pickDates({2024, 3, 8}, {2024, 3, 7}))
        .then(click(IDC_RANGE_OK_IMAGE))
        .then([&](HWND box) {
            EXPECT_NE(box, range);
            errorText = test::controlText(box, IDC_BOX_MESSAGE);
            errorButton = test::controlText(box, IDC_BOX_BUTTON_TEXT);
            test::clickControl(box, IDC_BOX_BUTTON_TEXT);
        })
        .then([&](HWND dialog) {
            EXPECT_EQ(dialog, range) << "the date range dialog closed after the error";
            EXPECT_EQ(pickerDate(dialog, IDC_RANGE_START_PICKER), (CalendarDate{2024, 3, 8}));
            test::clickControl(dialog, IDC_RANGE_CANCEL_IMAGE);
        });
    CSetRange dialog;
    EXPECT_EQ(driver.run([&] { return dialog.runModal(nullptr); }), IDCANCEL);
    EXPECT_EQ(driver.stepsDone(), 5u);
    EXPECT_EQ(errorText, loadCatalogText(IDS_INVALID_DATE_RANGE));
    EXPECT_EQ(errorButton, loadCatalogText(IDS_OK));
}

TEST(SetRange, OneDayIsConfirmedAndNoReturnsToTheDialog)
{
    HWND range = nullptr;
    std::wstring question, secondLine, yes, no;
    BoxDriver driver;
    driver.then([&](HWND dialog) { range = dialog; })
        .then([](HWND dialog) { test::pressKey(dialog, VK_RETURN); })
        .then([](HWND dialog) { test::pressKey(dialog, VK_ESCAPE); })
        .then(pickDates({2024, 3, 7}, {2024, 3, 7}))
        .then(click(IDC_RANGE_OK_TEXT))
        .then([&](HWND box) {
            EXPECT_NE(box, range);
            question = test::controlText(box, IDC_BOX_MESSAGE);
            secondLine = test::controlText(box, IDC_BOX_SECOND_LINE);
            yes = test::controlText(box, IDC_BOX_LEFT_TEXT);
            no = test::controlText(box, IDC_BOX_RIGHT_TEXT);
            test::clickControl(box, IDC_BOX_RIGHT_TEXT);
        })
        .then([&](HWND dialog) {
            EXPECT_EQ(dialog, range) << "No closed the date range dialog";
            EXPECT_EQ(pickerDate(dialog, IDC_RANGE_START_PICKER), (CalendarDate{2024, 3, 7}));
            EXPECT_EQ(pickerDate(dialog, IDC_RANGE_END_PICKER), (CalendarDate{2024, 3, 7}));
            test::clickControl(dialog, IDC_RANGE_OK_IMAGE);
        })
        .then(click(IDC_BOX_LEFT_IMAGE));
    CSetRange dialog;
    EXPECT_EQ(driver.run([&] { return dialog.runModal(nullptr); }), IDOK);
    EXPECT_EQ(driver.stepsDone(), 8u);
    EXPECT_EQ(question, loadCatalogText(IDS_RESTORE_DATE_RANGE));
    EXPECT_EQ(secondLine, L"2024/3/7 ~ 2024/3/7");
    EXPECT_EQ(yes, loadCatalogText(IDS_YES));
    EXPECT_EQ(no, loadCatalogText(IDS_NO));
    EXPECT_EQ(dialog.startDate(), (CalendarDate{2024, 3, 7}));
    EXPECT_EQ(dialog.endDate(), (CalendarDate{2024, 3, 7}));
}

} // namespace
} // namespace yk
