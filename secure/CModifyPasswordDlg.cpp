#include "secure/CModifyPasswordDlg.h"

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
constexpr float kEyeFactor = 0.25f;
constexpr float kDecorationFactor = 0.2f;

} // namespace

CModifyPasswordDlg::CModifyPasswordDlg(const SettingsProfile& profile, float mag)
    : SkinnedDialog(IDD_MODIFY_PASSWORD, mag), profile_(profile)
{
}

bool CModifyPasswordDlg::onInitDialog()
{
    setAppCaption();
    putText(IDC_PASSWORD_PROMPT, loadCatalogText(IDS_SET_DEFAULT_PASSWORD), font(17), palette::kPopupText);
    putPicture(IDC_PASSWORD_ICON, IDB_PASSWORD_PADLOCK, kIconFactor);
    putPicture(IDC_PASSWORD_DECORATION, IDB_PASSWORD_KEY_SMALL, kDecorationFactor);
    putPicture(IDC_PASSWORD_SHOW_HIDE, IDB_PASSWORD_MASKED, kEyeFactor);
    putButton(IDC_PASSWORD_OK_IMAGE, IDC_PASSWORD_OK_TEXT, IDB_DIALOG_BUTTON_HALF, loadCatalogText(IDS_OK), font(17),
              password_dialog::kOk);
    putButton(IDC_PASSWORD_CANCEL_IMAGE, IDC_PASSWORD_CANCEL_TEXT, IDB_DIALOG_BUTTON_HALF,
              loadCatalogText(IDS_CANCEL), font(17), password_dialog::kCancel);
    const HFONT fieldFont = font(16, FW_NORMAL);
    for (const auto& [id, cue] : {std::pair{IDC_PASSWORD_NEW, IDS_INPUT_NEW_PASSWORD},
                                  std::pair{IDC_PASSWORD_VERIFY, IDS_VERIFY_PASSWORD}}) {
        SendMessageW(item(id), WM_SETFONT, reinterpret_cast<WPARAM>(fieldFont), FALSE);
        password_dialog::prepareField(item(id), loadCatalogText(cue));
    }
    maskCharacter_ = static_cast<wchar_t>(SendMessageW(item(IDC_PASSWORD_NEW), EM_GETPASSWORDCHAR, 0, 0));
    SetFocus(item(IDC_PASSWORD_NEW));
    return false; // the focus is set
}

bool CModifyPasswordDlg::onCommand(int id, int code, HWND control)
{
    if (id == IDC_PASSWORD_SHOW_HIDE && code == STN_CLICKED) {
        onShowHide();
        return true;
    }
    return SkinnedDialog::onCommand(id, code, control);
}

void CModifyPasswordDlg::onButton(INT_PTR result)
{
    if (result == password_dialog::kOk)
        onSave();
    else
        endDialog(password_dialog::kCancel);
}

void CModifyPasswordDlg::onSave()
{
    const std::wstring first = password_dialog::fieldText(item(IDC_PASSWORD_NEW));
    const std::wstring second = password_dialog::fieldText(item(IDC_PASSWORD_VERIFY));
    if (first.empty() || second.empty()) {
        password_dialog::showMessage(hwnd(), box_kind::kPassword, IDS_INPUT_NEW_PASSWORD, mag());
        return;
    }
    if (first != second) {
        password_dialog::showMessage(hwnd(), box_kind::kPassword, IDS_VERIFY_PASSWORD_FAILED, mag());
        return;
    }
    const auto key = makePasswordKey(utf8FromWide(first));
    if (!key) {
        password_dialog::showMessage(hwnd(), box_kind::kPassword, IDS_PASSWORD_TOO_LONG, mag());
        return;
    }
    if (!writeDefaultPassword(profile_, *key))
        return; // nothing was stored: the dialog stays open rather than claim a saved password
    password_dialog::showMessage(hwnd(), box_kind::kPasswordSaved, IDS_NEW_PASSWORD_SAVED, mag());
    endDialog(password_dialog::kOk);
}

void CModifyPasswordDlg::onShowHide()
{
    const bool masked = SendMessageW(item(IDC_PASSWORD_NEW), EM_GETPASSWORDCHAR, 0, 0) != 0;
    const WPARAM character = masked ? 0 : maskCharacter_;
    for (const int id : {IDC_PASSWORD_NEW, IDC_PASSWORD_VERIFY}) {
        SendMessageW(item(id), EM_SETPASSWORDCHAR, character, 0);
        InvalidateRect(item(id), nullptr, TRUE);
    }
    putPicture(IDC_PASSWORD_SHOW_HIDE, masked ? IDB_PASSWORD_REVEALED : IDB_PASSWORD_MASKED, kEyeFactor);
}

} // namespace yk
