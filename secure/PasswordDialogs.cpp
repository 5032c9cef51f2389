#include "secure/PasswordDialogs.h"

#include <commctrl.h>

#include "base/CatalogKeys.h"
#include "base/TextCatalog.h"
#include "ui/CCustomMessageBox.h"

namespace yk::password_dialog {

void prepareField(HWND field, const std::wstring& cue)
{
    SendMessageW(field, EM_LIMITTEXT, kMaxPasswordCharacters, 0);
    SendMessageW(field, EM_SETCUEBANNER, TRUE, reinterpret_cast<LPARAM>(cue.c_str()));
}

std::wstring fieldText(HWND field)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(field)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(field, text.data(), static_cast<int>(text.size()))));
    return text;
}

void showMessage(HWND parent, int kind, const CatalogKey& text, float mag)
{
    CCustomMessageBox box(mag);
    box.setContent(kind, loadCatalogText(text), loadCatalogText(IDS_OK));
    box.runModal(parent);
}

} // namespace yk::password_dialog
