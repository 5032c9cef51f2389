#include "backup/DialogPrompts.h"

#include "base/CatalogKeys.h"
#include "base/TextCatalog.h"
#include "backup/FolderPicker.h"
#include "secure/CEnterPasswordDlg.h"
#include "ui/CCustomMessageBox.h"
#include "ui/CCustomMessageBox2.h"
#include "ui/CSetRange.h"

namespace yk {

int DialogPrompts::showMessage(int kind, const CatalogKey& text)
{
    CCustomMessageBox box(mag_);
    box.setContent(kind, loadCatalogText(text), loadCatalogText(IDS_OK));
    return static_cast<int>(box.runModal(mainWindow_));
}

void DialogPrompts::showFolderMessage(const CatalogKey& title, const CatalogKey& body, const std::wstring& folder)
{
    CCustomMessageBox2 box(mag_);
    box.setContent(box2_kind::kFolderFailure, loadCatalogText(title), loadCatalogText(body) + L"\r\n" + folder,
                   loadCatalogText(IDS_OK));
    box.runModal(mainWindow_);
}

std::optional<std::wstring> DialogPrompts::chooseFolder(const std::wstring& startFolder)
{
    return pickFolder(mainWindow_, startFolder);
}

std::optional<std::pair<CalendarDate, CalendarDate>> DialogPrompts::chooseDateRange()
{
    CSetRange dialog(mag_);
    if (dialog.runModal(mainWindow_) != IDOK)
        return std::nullopt;
    return std::pair{dialog.startDate(), dialog.endDate()};
}

std::optional<PasswordKey> DialogPrompts::askRestorePassword()
{
    CEnterPasswordDlg dialog(mag_);
    dialog.restoreMode = true;
    if (dialog.runModal(mainWindow_) != IDOK)
        return std::nullopt;
    std::wstring text;
    PasswordKey key;
    dialog.getPassword(text, key);
    return key;
}

} // namespace yk
