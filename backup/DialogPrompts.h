// The runs' prompts as the program shows them: the skinned message boxes, the folder picker and the date
// range dialog, all owned by the main window.
#pragma once

#include <windows.h>

#include "backup/RunPorts.h"

namespace yk {

class DialogPrompts final : public RunPrompts {
public:
    DialogPrompts(HWND mainWindow, float mag) : mainWindow_(mainWindow), mag_(mag) {}

    int showMessage(int kind, const CatalogKey& text) override;
    void showFolderMessage(const CatalogKey& title, const CatalogKey& body, const std::wstring& folder) override;
    std::optional<std::wstring> chooseFolder(const std::wstring& startFolder) override;
    std::optional<std::pair<CalendarDate, CalendarDate>> chooseDateRange() override;
    std::optional<PasswordKey> askRestorePassword() override;

private:
    HWND mainWindow_;
    float mag_;
};

} // namespace yk
