// Sets or changes the default password; on OK the new one has been stored.
#pragma once

#include "secure/SettingsStore.h"
#include "ui/SkinnedDialog.h"

namespace yk {

class CModifyPasswordDlg final : public SkinnedDialog {
public:
    CModifyPasswordDlg(const SettingsProfile& profile, float mag = 1.0f);

private:
    bool onInitDialog() override;
    bool onCommand(int id, int code, HWND control) override;
    void onButton(INT_PTR result) override;
    void onSave();
    void onShowHide();

    const SettingsProfile& profile_;
    wchar_t maskCharacter_ = L'*';
};

} // namespace yk
