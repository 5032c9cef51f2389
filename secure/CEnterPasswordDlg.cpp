#include "secure/CEnterPasswordDlg.h"

#include "base/CatalogKeys.h"
#include "base/TextCatalog.h"
#include "secure/PasswordDialogs.h"
#include "secure/PasswordText.h"
#include "secure_ids.h"
#include "skin_ids.h"
#include "ui/MessageBoxResult.h"

namespace yk {

namespace {

constexpr float kIconFactor = 0.12f;

} // namespace

CEnterPasswordDlg::CEnterPasswordDlg(float mag) : SkinnedDialog(IDD_ENTER_PASSWORD, mag) {}

void CEnterPasswordDlg::getPassword(std::wstring& text, PasswordKey& key) const
{
    text = password_;
    key = key_;
}

bool CEnterPasswordDlg::onInitDialog()
{
    const std::wstring prompt = loadCatalogText(restoreMode ? IDS_INPUT_PASSWORD : IDS_INPUT_OLD_PASSWORD);
    setAppCaption();
    putText(IDC_PASSWORD_PROMPT, prompt, font(17), palette::kPopupText);
    putPicture(IDC_PASSWORD_ICON, IDB_PASSWORD_PADLOCK, kIconFactor);
    putButton(IDC_PASSWORD_OK_IMAGE, IDC_PASSWORD_OK_TEXT, IDB_DIALOG_BUTTON_HALF, loadCatalogText(IDS_OK), font(17),
              password_dialog::kOk);
    putButton(IDC_PASSWORD_CANCEL_IMAGE, IDC_PASSWORD_CANCEL_TEXT, IDB_DIALOG_BUTTON_HALF,
              loadCatalogText(IDS_CANCEL), font(17), password_dialog::kCancel);
    const HWND field = item(IDC_PASSWORD_FIELD);
    SendMessageW(field, WM_SETFONT, reinterpret_cast<WPARAM>(font(16, FW_NORMAL)), FALSE);
    password_dialog::prepareField(field, prompt);
    SetFocus(field);
    return false; // the focus is set
}

void CEnterPasswordDlg::onButton(INT_PTR result)
{
    if (result == password_dialog::kOk)
        onOk();
    else
        endDialog(password_dialog::kCancel);
}

void CEnterPasswordDlg::onOk()
{
    const std::wstring text = password_dialog::fieldText(item(IDC_PASSWORD_FIELD));
    if (text.empty()) {
        password_dialog::showMessage(hwnd(), box_kind::kPassword, IDS_INPUT_PASSWORD, mag());
        return;
    }
    const auto key = makePasswordKey(utf8FromWide(text));
    if (!key) {
        password_dialog::showMessage(hwnd(), box_kind::kPassword, IDS_PASSWORD_TOO_LONG, mag());
        return;
    }
    password_ = text;
    key_ = *key;
    endDialog(password_dialog::kOk);
}

} // namespace yk
