#include "secure/PasswordFlow.h"

#include <string>

#include "base/CatalogKeys.h"
#include "secure/CEnterPasswordDlg.h"
#include "secure/CModifyPasswordDlg.h"
#include "secure/PasswordDialogs.h"
#include "ui/MessageBoxResult.h"

namespace yk {

void setDefaultPasswordOnClick(HWND parent, const SettingsProfile& profile, float mag,
                               const std::function<void()>& refreshPage)
{
    while (true) {
        PasswordKey stored;
        if (!readDefaultPassword(profile, stored)) {
            CModifyPasswordDlg(profile, mag).runModal(parent);
            break;
        }
        CEnterPasswordDlg ask(mag);
        ask.restoreMode = false;
        if (ask.runModal(parent) != password_dialog::kOk)
            break;
        std::wstring text;
        PasswordKey typed;
        ask.getPassword(text, typed);
        if (typed == stored) {
            CModifyPasswordDlg(profile, mag).runModal(parent);
            break;
        }
        password_dialog::showMessage(parent, box_kind::kPassword, IDS_PASSWORD_ERROR, mag);
    }
    if (refreshPage)
        refreshPage();
}

PasswordStatus passwordStatus(const SettingsProfile& profile)
{
    PasswordKey stored;
    if (readDefaultPassword(profile, stored))
        return {IDS_PASSWORD_SET, IDS_CHANGE};
    return {IDS_PASSWORD_NOT_SET, IDS_SET};
}

} // namespace yk
