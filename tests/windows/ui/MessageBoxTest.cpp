#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>

#include "support/BoxDriver.h"
#include "base/CatalogKeys.h"
#include "base/TextCatalog.h"
#include "ui/CCustomMessageBox.h"
#include "ui/CCustomMessageBox2.h"
#include "ui/CCustomMessageBox2Btn.h"
#include "ui/CCustomMessageBox2Btn2.h"
#include "skin_ids.h"
#include "ui/SkinImage.h"
#include "ui_ids.h"

namespace yk {
namespace {

using test::BoxDriver;

const std::wstring kShortMessage = L"Short note";
const std::wstring kLongMessage =
    L"The backup folder could not be created because the path is far too long to be shown on a single line "
    L"of this box: C:\\Users\\Someone\\Documents\\A\\Very\\Deeply\\Nested\\Folder\\Structure\\That\\Goes\\On";

// The caption control of the single button, or of the left one of two.
int firstButtonCaption(HWND dialog)
{
    return GetDlgItem(dialog, IDC_BOX_LEFT_IMAGE) && GetDlgItem(dialog, IDC_BOX_RIGHT_TEXT) ? IDC_BOX_LEFT_TEXT
                                                                                            : IDC_BOX_BUTTON_TEXT;
}

// One button of one box: which box, the two controls of the pair, and what a click returns.
struct ButtonCase {
    const char* box;
    int picture;
    int text;
    INT_PTR result;
};

// Shows the named box with a message and its captions, modally on this thread.
INT_PTR showBox(const std::string& box, const std::wstring& message, float mag = 1.0f)
{
    if (box == "CCustomMessageBox") {
        CCustomMessageBox dialog(mag);
        dialog.setContent(box_kind::kFolder, message, L"OK");
        return dialog.runModal(nullptr);
    }
    if (box == "CCustomMessageBox2") {
        CCustomMessageBox2 dialog(mag);
        dialog.setContent(box2_kind::kFolderFailure, L"Folder failure", message, L"OK");
        return dialog.runModal(nullptr);
    }
    if (box == "CCustomMessageBox2Btn") {
        CCustomMessageBox2Btn dialog(mag);
        dialog.setContent(message, L"Yes", L"No");
        return dialog.runModal(nullptr);
    }
    CCustomMessageBox2Btn2 dialog(mag);
    dialog.setContent(message, L"2024/3/7 ~ 2024/3/7", L"Yes", L"No");
    return dialog.runModal(nullptr);
}

TEST(CustomMessageBoxes, OnlyTheButtonsEndABox)
{
    const ButtonCase cases[] = {
        {"CCustomMessageBox", IDC_BOX_BUTTON_IMAGE, IDC_BOX_BUTTON_TEXT, kBoxOk},
        {"CCustomMessageBox2", IDC_BOX_BUTTON_IMAGE, IDC_BOX_BUTTON_TEXT, kBoxOk},
        {"CCustomMessageBox2Btn", IDC_BOX_LEFT_IMAGE, IDC_BOX_LEFT_TEXT, kBoxLeft},
        {"CCustomMessageBox2Btn", IDC_BOX_RIGHT_IMAGE, IDC_BOX_RIGHT_TEXT, kBoxRight},
        {"CCustomMessageBox2Btn2", IDC_BOX_LEFT_IMAGE, IDC_BOX_LEFT_TEXT, kBoxLeft},
        {"CCustomMessageBox2Btn2", IDC_BOX_RIGHT_IMAGE, IDC_BOX_RIGHT_TEXT, kBoxRight},
    };
    for (const auto& c : cases) {
        for (const int clicked : {c.picture, c.text}) {
            SCOPED_TRACE(std::string(c.box) + (clicked == c.picture ? " picture" : " caption"));
            HWND box = nullptr;
            BoxDriver driver;
            driver.then([&](HWND dialog) { box = dialog; })
                .then([](HWND dialog) { test::pressKey(dialog, VK_RETURN); })
                .then([](HWND dialog) { test::pressKey(dialog, VK_ESCAPE); })
                .then([](HWND dialog) { test::postCommand(dialog, IDOK); })
                .then([](HWND dialog) { test::postCommand(dialog, IDCANCEL); })
                .then([](HWND dialog) { test::postClose(dialog); })
                .then([&](HWND dialog) {
                    EXPECT_EQ(dialog, box) << "the box closed on Enter, Escape or a close request";
                    test::clickControl(dialog, clicked);
                });
            EXPECT_EQ(driver.run([&] { return showBox(c.box, kShortMessage); }), c.result);
            EXPECT_EQ(driver.stepsDone(), 7u);
        }
    }
}

TEST(CustomMessageBoxes, ShowTheirTextsCaptionAndButtonCaptions)
{
    std::wstring caption, title, message, detail, secondLine, left, right, single;
    BoxDriver driver;
    driver.then([&](HWND dialog) {
        wchar_t text[64] = {};
        GetWindowTextW(dialog, text, 64);
        caption = text;
        title = test::controlText(dialog, IDC_BOX_MESSAGE);
        detail = test::controlText(dialog, IDC_BOX_DETAIL);
        single = test::controlText(dialog, IDC_BOX_BUTTON_TEXT);
        test::clickControl(dialog, IDC_BOX_BUTTON_TEXT);
    });
    driver.run([] {
        CCustomMessageBox2 box;
        box.setContent(box2_kind::kFolderFailure, L"Backup failed", L"D:\\Photos", L"Retry");
        return box.runModal(nullptr);
    });
    EXPECT_EQ(caption, loadCatalogText(IDS_APP_NAME));
    EXPECT_EQ(title, L"Backup failed");
    EXPECT_EQ(detail, L"D:\\Photos");
    EXPECT_EQ(single, L"Retry");

    BoxDriver second;
    second.then([&](HWND dialog) {
        message = test::controlText(dialog, IDC_BOX_MESSAGE);
        secondLine = test::controlText(dialog, IDC_BOX_SECOND_LINE);
        left = test::controlText(dialog, IDC_BOX_LEFT_TEXT);
        right = test::controlText(dialog, IDC_BOX_RIGHT_TEXT);
        test::clickControl(dialog, IDC_BOX_RIGHT_IMAGE);
    });
    second.run([] {
        CCustomMessageBox2Btn2 box;
        box.setContent(L"Restore Date Range", L"2024/3/7 ~ 2024/3/8", L"Yes", L"No");
        return box.runModal(nullptr);
    });
    EXPECT_EQ(message, L"Restore Date Range");
    EXPECT_EQ(secondLine, L"2024/3/7 ~ 2024/3/8");
    EXPECT_EQ(left, L"Yes");
    EXPECT_EQ(right, L"No");
}

// The template band of each centred field, in dialog units.
struct BandCase {
    const char* box;
    int field;
    int x, y, width, height;
    bool centred; // CCustomMessageBox2Btn keeps the template layout
};

const BandCase kBands[] = {
    {"CCustomMessageBox", IDC_BOX_MESSAGE, 7, 75, 221, 24, true},
    {"CCustomMessageBox2", IDC_BOX_DETAIL, 20, 55, 195, 40, true},
    {"CCustomMessageBox2Btn", IDC_BOX_MESSAGE, 17, 77, 200, 20, false},
    {"CCustomMessageBox2Btn2", IDC_BOX_MESSAGE, 100, 26, 122, 25, true},
};

// The height the field's text needs at the field's width, with the field's own font.
LONG neededHeight(HWND field)
{
    wchar_t text[1024] = {};
    GetWindowTextW(field, text, 1024);
    RECT client{};
    GetClientRect(field, &client);
    const HDC dc = GetDC(field);
    const HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(field, WM_GETFONT, 0, 0)));
    RECT measured{0, 0, client.right, 0};
    DrawTextW(dc, text, -1, &measured, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX | DT_EDITCONTROL);
    SelectObject(dc, previous);
    ReleaseDC(field, dc);
    EXPECT_LE(measured.right, client.right) << "a line is wider than its field";
    return measured.bottom;
}

TEST(CustomMessageBoxes, ShortTextsAreCentredInTheirBandAndLongOnesGrowDownward)
{
    for (const auto& band : kBands) {
        for (const bool longText : {false, true}) {
            SCOPED_TRACE(std::string(band.box) + (longText ? " long" : " short"));
            RECT expectedBand{}, field{}, button{}, client{};
            LONG needed = 0;
            BoxDriver driver;
            driver.then([&](HWND dialog) {
                expectedBand = test::dialogUnits(dialog, band.x, band.y, band.width, band.height);
                field = test::controlRect(dialog, band.field);
                button = test::controlRect(dialog, firstButtonCaption(dialog));
                GetClientRect(dialog, &client);
                needed = neededHeight(GetDlgItem(dialog, band.field));
                test::clickControl(dialog, firstButtonCaption(dialog));
            });
            driver.run([&] { return showBox(band.box, longText ? kLongMessage : kShortMessage); });

            EXPECT_EQ(field.left, expectedBand.left);
            EXPECT_EQ(field.right, expectedBand.right);
            if (!band.centred) {
                EXPECT_EQ(field.top, expectedBand.top);
                EXPECT_EQ(field.bottom, expectedBand.bottom);
            } else if (longText) {
                EXPECT_EQ(field.top, expectedBand.top);
                EXPECT_GT(field.bottom, expectedBand.bottom);
                EXPECT_GE(field.bottom - field.top, needed) << "the message is cut";
                EXPECT_LE(field.bottom, button.top) << "the button covers the message";
                EXPECT_LE(button.bottom, client.bottom) << "the dialog did not grow with its text";
            } else {
                EXPECT_LT(field.bottom - field.top, expectedBand.bottom - expectedBand.top);
                EXPECT_GE(field.bottom - field.top, needed);
                EXPECT_EQ(field.top - expectedBand.top, expectedBand.bottom - field.bottom);
            }
        }
    }
}

TEST(CustomMessageBoxes, PicturesFollowTheKindAndTheScale)
{
    struct Case {
        std::function<INT_PTR()> show;
        int control;
        SIZE expected;
    };
    auto single = [](int kind, float mag) {
        return [=] {
            CCustomMessageBox box(mag);
            box.setContent(kind, L"m", L"OK");
            return box.runModal(nullptr);
        };
    };
    auto titled = [](int kind, float mag) {
        return [=] {
            CCustomMessageBox2 box(mag);
            box.setContent(kind, L"t", L"m", L"OK");
            return box.runModal(nullptr);
        };
    };
    const Case cases[] = {
        {single(box_kind::kBusy, 1.0f), IDC_BOX_ICON, {118, 118}},
        {single(box_kind::kDateRange, 1.25f), IDC_BOX_ICON, {148, 148}},
        {single(box_kind::kPasswordSaved, 5.0f), IDC_BOX_ICON, {592, 592}},
        {single(42, 1.0f), IDC_BOX_ICON, {592, 592}}, // unknown kinds: stored size
        {single(box_kind::kBusy, 1.0f), IDC_BOX_BUTTON_IMAGE, {285, 30}},
        {titled(box2_kind::kFolderConfirm, 1.0f), IDC_BOX_ICON, {71, 71}},
        {titled(box2_kind::kFolderFailure, 1.0f), IDC_BOX_ICON, {118, 118}},
        {titled(0, 1.0f), IDC_BOX_ICON, {592, 592}},
        {[] {
             CCustomMessageBox2Btn box(1.5f);
             box.setContent(L"m", L"Yes", L"No");
             return box.runModal(nullptr);
         },
         IDC_BOX_RIGHT_IMAGE,
         {207, 43}},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(i);
        SIZE shown{};
        BoxDriver driver;
        driver.then([&](HWND dialog) {
            shown = test::pictureSize(dialog, cases[i].control);
            test::clickControl(dialog, firstButtonCaption(dialog));
        });
        EXPECT_NE(driver.run(cases[i].show), test::kAbandoned);
        EXPECT_EQ(shown.cx, cases[i].expected.cx);
        EXPECT_EQ(shown.cy, cases[i].expected.cy);
    }
}

TEST(CustomMessageBoxes, TheKindChoosesTheIcon)
{
    const struct {
        int kind;
        int image;
    } cases[] = {
        {box_kind::kBusy, IDB_COMPUTER_GEAR},
        {box_kind::kLowSpace, IDB_COMPUTER_WARNING},
        {box_kind::kSdEnableFailed, IDB_SD_CARD_WARNING},
        {box_kind::kFolder, IDB_FOLDER_GEAR},
        {box_kind::kDateRange, IDB_CALENDAR_WARNING},
        {box_kind::kPassword, IDB_PADLOCK_WARNING},
        {box_kind::kPasswordSaved, IDB_PADLOCK_CHECK},
        {box_kind::kNotOnSdCard, IDB_SD_CARD_WARNING},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        std::vector<std::uint8_t> shown, expected;
        BoxDriver driver;
        driver.then([&](HWND dialog) {
            shown = test::pictureBits(GetDlgItem(dialog, IDC_BOX_ICON));
            // The same picture given to a control of our own, the way the box is meant to give it.
            const HWND reference =
                CreateWindowW(L"Static", L"", WS_CHILD | SS_BITMAP, 0, 0, 10, 10, dialog, nullptr, nullptr, nullptr);
            showSkinPicture(reference, c.image, 0.2f, 1.0f);
            expected = test::pictureBits(reference);
            DestroyWindow(reference);
            test::clickControl(dialog, IDC_BOX_BUTTON_TEXT);
        });
        driver.run([&] {
            CCustomMessageBox box;
            box.setContent(c.kind, L"m", L"OK");
            return box.runModal(nullptr);
        });
        ASSERT_FALSE(expected.empty());
        EXPECT_TRUE(shown == expected);
    }
}

TEST(CustomMessageBoxes, RunFromAWorkerThread)
{
    std::atomic<INT_PTR> result{0};
    std::atomic<DWORD> workerId{0};
    std::atomic<bool> finished{false};
    std::thread worker([&] {
        workerId = GetCurrentThreadId();
        CCustomMessageBox box;
        box.setContent(box_kind::kBusy, L"Already performing a backup or restore function", L"OK");
        result = box.runModal(nullptr);
        finished = true;
    });
    // One click, as soon as the box is shown. A box that does not end within ten seconds is ended with
    // WM_QUIT, so that a lost click fails this test instead of hanging the run.
    bool clicked = false;
    for (int attempt = 0; attempt < 1000 && !finished; ++attempt) {
        Sleep(10);
        if (clicked || !workerId)
            continue;
        if (const HWND box = test::activeDialog(workerId)) {
            test::clickControl(box, IDC_BOX_BUTTON_IMAGE);
            clicked = true;
        }
    }
    while (!finished) {
        PostThreadMessageW(workerId, WM_QUIT, 0, 0);
        Sleep(50);
    }
    worker.join();
    EXPECT_TRUE(clicked);
    EXPECT_EQ(result, kBoxOk);
}

} // namespace
} // namespace yk
