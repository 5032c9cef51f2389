// The backup/restore page: one view per kind of run, chosen from the side menu.
#pragma once

#include <cstdint>

#include "ui/SkinnedDialog.h"

namespace yk {

class CBackupRestoreDlg final : public SkinnedDialog {
public:
    CBackupRestoreDlg();

    // The view shown: the values of RunKind (0 normal backup, 1 normal restore, 2 encrypted backup, 3
    // decrypting restore).
    std::int32_t pageView = 0;

    // The page's contents (paths, space line, actions, the automatic-backup switch) are not built yet: the
    // main window already calls these where they belong, and they do nothing until the page has them.
    void setupBackupRestorePage(float mag);
    void refreshBackupRestorePage();
    void showDriveSpace();
};

} // namespace yk
