// Asks for a password: the old one before a change, or the one of a decrypting restore.
#pragma once

#include <string>

#include "secure/PasswordKey.h"
#include "ui/SkinnedDialog.h"

namespace yk {

class CEnterPasswordDlg final : public SkinnedDialog {
public:
    explicit CEnterPasswordDlg(float mag = 1.0f);

    // Set by the creator before the dialog is shown: true for a decrypting restore.
    bool restoreMode = false;

    // After OK: the text typed and the key made from it.
    void getPassword(std::wstring& text, PasswordKey& key) const;

private:
    bool onInitDialog() override;
    void onButton(INT_PTR result) override;
    void onOk();

    std::wstring password_;
    PasswordKey key_;
};

} // namespace yk
