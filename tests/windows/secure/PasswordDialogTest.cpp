#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "base/CatalogKeys.h"
#include "base/TextCatalog.h"
#include "secure/CEnterPasswordDlg.h"
#include "secure/CModifyPasswordDlg.h"
#include "secure/PasswordFlow.h"
#include "secure/StoredPassword.h"
#include "secure_ids.h"
#include "support/BoxDriver.h"
#include "ui_ids.h"

namespace yk {
namespace {

using test::BoxDriver;

const std::wstring kTestKey = L"Software\\YarrowkeepTests\\Passwords";
const std::wstring kElevenHan = L"一二三四五六七八九十百"; // 33 UTF-8 bytes

BoxDriver::Step type(int field, std::wstring text)
{
    return [=](HWND dialog) { SetDlgItemTextW(dialog, field, text.c_str()); };
}

BoxDriver::Step click(int control)
{
    return [=](HWND dialog) { test::clickControl(dialog, control); };
}

// Expects a one-button box with this text on top, and closes it with its button.
BoxDriver::Step answerBox(const CatalogKey& text)
{
    return [=](HWND dialog) {
        EXPECT_EQ(test::controlText(dialog, IDC_BOX_MESSAGE), loadCatalogText(text));
        test::clickControl(dialog, IDC_BOX_BUTTON_TEXT);
    };
}

BoxDriver::Step expectDialog(int templateControl, std::wstring prompt)
{
    return [=](HWND dialog) {
        EXPECT_TRUE(GetDlgItem(dialog, templateControl)) << "not the expected dialog";
        EXPECT_EQ(test::controlText(dialog, IDC_PASSWORD_PROMPT), prompt);
    };
}

PasswordKey keyOf(const char* utf8)
{
    return *makePasswordKey(utf8);
}

class Passwords : public ::testing::Test {
protected:
    void SetUp() override { RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey.c_str()); }
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey.c_str()); }

    SettingsProfile profile{kTestKey};

    bool stored(PasswordKey& key) { return readDefaultPassword(profile, key); }
};

TEST_F(Passwords, EnterDialogGivesTheTypedPasswordAndItsKey)
{
    struct Case {
        bool restoreMode;
        CatalogKey prompt;
    };
    for (const Case c : {Case{true, IDS_INPUT_PASSWORD}, Case{false, IDS_INPUT_OLD_PASSWORD}}) {
        CEnterPasswordDlg dialog;
        dialog.restoreMode = c.restoreMode;
        BoxDriver driver;
        driver.then(expectDialog(IDC_PASSWORD_FIELD, loadCatalogText(c.prompt)))
            .then([](HWND dialog) { test::postCommand(dialog, IDOK); }) // Enter does nothing
            .then([](HWND dialog) { test::postCommand(dialog, IDCANCEL); }) // nor does Escape
            .then(type(IDC_PASSWORD_FIELD, L"p\u00e4ss w\u00f6rd"))
            .then(click(IDC_PASSWORD_OK_IMAGE));
        ASSERT_EQ(driver.run([&] { return dialog.runModal(nullptr); }), IDOK);
        EXPECT_EQ(driver.stepsDone(), 5u);
        std::wstring text;
        PasswordKey key;
        dialog.getPassword(text, key);
        EXPECT_EQ(text, L"p\u00e4ss w\u00f6rd");
        EXPECT_EQ(key, keyOf("p\xc3\xa4ss w\xc3\xb6rd"));
    }
}

TEST_F(Passwords, EnterDialogRefusesEmptyAndTooLongPasswordsAndStaysOpen)
{
    CEnterPasswordDlg dialog;
    dialog.restoreMode = true;
    BoxDriver driver;
    driver.then(click(IDC_PASSWORD_OK_TEXT))
        .then(answerBox(IDS_INPUT_PASSWORD))
        .then(type(IDC_PASSWORD_FIELD, kElevenHan))
        .then(click(IDC_PASSWORD_OK_TEXT))
        .then(answerBox(IDS_PASSWORD_TOO_LONG))
        .then(click(IDC_PASSWORD_CANCEL_TEXT));
    EXPECT_EQ(driver.run([&] { return dialog.runModal(nullptr); }), IDCANCEL);
    EXPECT_EQ(driver.stepsDone(), 6u);
}

TEST_F(Passwords, FieldsTakeAtMost32TypedCharacters)
{
    std::wstring typed;
    BoxDriver driver;
    driver
        .then([&](HWND dialog) {
            const HWND field = GetDlgItem(dialog, IDC_PASSWORD_FIELD);
            for (int i = 0; i < 33; ++i)
                SendMessageW(field, WM_CHAR, L'a' + i % 26, 0);
            wchar_t text[64] = {};
            GetWindowTextW(field, text, 64);
            typed = text;
        })
        .then(click(IDC_PASSWORD_OK_TEXT));
    CEnterPasswordDlg dialog;
    ASSERT_EQ(driver.run([&] { return dialog.runModal(nullptr); }), IDOK);
    EXPECT_EQ(typed.size(), 32u);
    std::wstring text;
    PasswordKey key;
    dialog.getPassword(text, key);
    EXPECT_EQ(key, keyOf("abcdefghijklmnopqrstuvwxyzabcdef")); // 32 bytes, no fill left
}

TEST_F(Passwords, ModifyDialogChecksBothFieldsThenStoresTheScrambledKey)
{
    CModifyPasswordDlg dialog(profile);
    BoxDriver driver;
    driver.then(type(IDC_PASSWORD_NEW, L"secret"))
        .then(click(IDC_PASSWORD_OK_IMAGE))
        .then(answerBox(IDS_INPUT_NEW_PASSWORD))
        .then(type(IDC_PASSWORD_VERIFY, L"Secret"))
        .then(click(IDC_PASSWORD_OK_TEXT))
        .then(answerBox(IDS_VERIFY_PASSWORD_FAILED))
        .then(type(IDC_PASSWORD_NEW, kElevenHan))
        .then(type(IDC_PASSWORD_VERIFY, kElevenHan))
        .then(click(IDC_PASSWORD_OK_TEXT))
        .then(answerBox(IDS_PASSWORD_TOO_LONG))
        .then(type(IDC_PASSWORD_NEW, L"secret"))
        .then(type(IDC_PASSWORD_VERIFY, L"secret"))
        .then([&](HWND) {
            PasswordKey none;
            EXPECT_FALSE(stored(none)) << "nothing is stored before the save";
        })
        .then(click(IDC_PASSWORD_OK_TEXT))
        .then(answerBox(IDS_NEW_PASSWORD_SAVED));
    EXPECT_EQ(driver.run([&] { return dialog.runModal(nullptr); }), IDOK);
    EXPECT_EQ(driver.stepsDone(), 15u);

    const auto value = Settings(profile).password.get();
    ASSERT_TRUE(value);
    ASSERT_EQ(value->size(), 32u);
    const auto key = keyOf("secret");
    for (std::size_t i = 0; i < 32; ++i)
        EXPECT_EQ((*value)[i], key.bytes[i] ^ static_cast<std::uint8_t>(kScramblePhrase[i % 29])) << i;
    PasswordKey read;
    ASSERT_TRUE(stored(read));
    EXPECT_EQ(read, key);
}

TEST_F(Passwords, ShowHideUnmasksAndMasksBothFields)
{
    std::vector<WPARAM> masks;
    auto record = [&](HWND dialog) {
        for (const int id : {IDC_PASSWORD_NEW, IDC_PASSWORD_VERIFY})
            masks.push_back(SendDlgItemMessageW(dialog, id, EM_GETPASSWORDCHAR, 0, 0));
    };
    BoxDriver driver;
    driver.then(record)
        .then(click(IDC_PASSWORD_SHOW_HIDE))
        .then(record)
        .then(click(IDC_PASSWORD_SHOW_HIDE))
        .then(record)
        .then(click(IDC_PASSWORD_CANCEL_IMAGE));
    CModifyPasswordDlg dialog(profile);
    EXPECT_EQ(driver.run([&] { return dialog.runModal(nullptr); }), IDCANCEL);
    ASSERT_EQ(masks.size(), 6u);
    EXPECT_NE(masks[0], 0u);
    EXPECT_EQ(masks[1], masks[0]);
    EXPECT_EQ(masks[2], 0u);
    EXPECT_EQ(masks[3], 0u);
    EXPECT_EQ(masks[4], masks[0]);
    EXPECT_EQ(masks[5], masks[0]);
    PasswordKey none;
    EXPECT_FALSE(stored(none)) << "Cancel stores nothing";
}

TEST_F(Passwords, SetWithoutAStoredPasswordAsksNoOldOne)
{
    int refreshes = 0;
    BoxDriver driver;
    driver.then(expectDialog(IDC_PASSWORD_VERIFY, loadCatalogText(IDS_SET_DEFAULT_PASSWORD)))
        .then(type(IDC_PASSWORD_NEW, L"first"))
        .then(type(IDC_PASSWORD_VERIFY, L"first"))
        .then(click(IDC_PASSWORD_OK_TEXT))
        .then(answerBox(IDS_NEW_PASSWORD_SAVED));
    driver.run([&] {
        setDefaultPasswordOnClick(nullptr, profile, 1.0f, [&] { ++refreshes; });
        return INT_PTR{0};
    });
    EXPECT_EQ(driver.stepsDone(), 5u);
    EXPECT_EQ(refreshes, 1);
    PasswordKey read;
    ASSERT_TRUE(stored(read));
    EXPECT_EQ(read, keyOf("first"));
    const PasswordStatus status = passwordStatus(profile);
    EXPECT_EQ(status.line.english, IDS_PASSWORD_SET.english);
    EXPECT_EQ(status.control.english, IDS_CHANGE.english);
}

TEST_F(Passwords, ChangeAsksTheOldPasswordAgainAfterAWrongOne)
{
    ASSERT_TRUE(writeDefaultPassword(profile, keyOf("old")));
    int refreshes = 0;
    BoxDriver driver;
    driver.then(expectDialog(IDC_PASSWORD_FIELD, loadCatalogText(IDS_INPUT_OLD_PASSWORD)))
        .then(type(IDC_PASSWORD_FIELD, L"wrong"))
        .then(click(IDC_PASSWORD_OK_TEXT))
        .then(answerBox(IDS_PASSWORD_ERROR))
        .then(expectDialog(IDC_PASSWORD_FIELD, loadCatalogText(IDS_INPUT_OLD_PASSWORD)))
        .then(type(IDC_PASSWORD_FIELD, L"old"))
        .then(click(IDC_PASSWORD_OK_TEXT))
        .then(expectDialog(IDC_PASSWORD_VERIFY, loadCatalogText(IDS_SET_DEFAULT_PASSWORD)))
        .then(type(IDC_PASSWORD_NEW, L"new"))
        .then(type(IDC_PASSWORD_VERIFY, L"new"))
        .then(click(IDC_PASSWORD_OK_TEXT))
        .then(answerBox(IDS_NEW_PASSWORD_SAVED));
    driver.run([&] {
        setDefaultPasswordOnClick(nullptr, profile, 1.0f, [&] { ++refreshes; });
        return INT_PTR{0};
    });
    EXPECT_EQ(driver.stepsDone(), 12u);
    EXPECT_EQ(refreshes, 1);
    PasswordKey read;
    ASSERT_TRUE(stored(read));
    EXPECT_EQ(read, keyOf("new"));
}

TEST_F(Passwords, CancellingTheOldPasswordChangesNothing)
{
    ASSERT_TRUE(writeDefaultPassword(profile, keyOf("old")));
    int refreshes = 0;
    BoxDriver driver;
    driver.then(type(IDC_PASSWORD_FIELD, L"wrong"))
        .then(click(IDC_PASSWORD_OK_TEXT))
        .then(answerBox(IDS_PASSWORD_ERROR))
        .then(click(IDC_PASSWORD_CANCEL_TEXT));
    driver.run([&] {
        setDefaultPasswordOnClick(nullptr, profile, 1.0f, [&] { ++refreshes; });
        return INT_PTR{0};
    });
    EXPECT_EQ(driver.stepsDone(), 4u);
    EXPECT_EQ(refreshes, 1);
    PasswordKey read;
    ASSERT_TRUE(stored(read));
    EXPECT_EQ(read, keyOf("old"));
}

} // namespace
} // namespace yk
