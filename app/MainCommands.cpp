#include "app/MainCommands.h"

#include "backup/RunState.h"
#include "resources/resource.h"

namespace yk {

bool MainCommands::onCommand(int id)
{
    switch (id) {
    case IDC_MENU_NORMAL_BACKUP_IMAGE:
    case IDC_MENU_NORMAL_BACKUP_TEXT:
        onRunMenuItem(static_cast<int>(RunKind::NormalBackup));
        return true;
    case IDC_MENU_ENCRYPT_BACKUP_IMAGE:
    case IDC_MENU_ENCRYPT_BACKUP_TEXT:
        onRunMenuItem(static_cast<int>(RunKind::EncryptedBackup));
        return true;
    case IDC_MENU_NORMAL_RESTORE_IMAGE:
    case IDC_MENU_NORMAL_RESTORE_TEXT:
        onRunMenuItem(static_cast<int>(RunKind::NormalRestore));
        return true;
    case IDC_MENU_DECRYPT_RESTORE_IMAGE:
    case IDC_MENU_DECRYPT_RESTORE_TEXT:
        onRunMenuItem(static_cast<int>(RunKind::DecryptRestore));
        return true;
    case IDC_MENU_SETTINGS_IMAGE:
    case IDC_MENU_SETTINGS_TEXT:
        onPageMenuItem(kSettingsPage);
        return true;
    case IDC_MENU_HELP_IMAGE:
    case IDC_MENU_HELP_TEXT:
        onPageMenuItem(kHelpPage);
        return true;
    case IDC_MENU_FILE_BROWSER_IMAGE:
    case IDC_MENU_FILE_BROWSER_TEXT:
    case IDC_FUNCTION_FILE_BROWSER:
        OnStnClickedPicFileBrowser();
        return true;
    case IDC_LOGO:
        onLogo();
        return true;
    default:
        return false;
    }
}

bool MainCommands::passesBusyCheck()
{
    if (!runInProgress_)
        return true;
    ui_.showBusyNotice();
    return false;
}

bool MainCommands::passesSetupCheck()
{
    if (settings_.readInt(kSettingAppInitialSetup) != 0)
        return true;
    actions_.requestInitialSetup();
    return false;
}

void MainCommands::onRunMenuItem(int mode)
{
    if (!passesBusyCheck() || !passesSetupCheck())
        return;
    // Without a usable card the item leads to the home page, which shows why.
    if (device_.sdPresent && device_.sdEnabled)
        navigator_.switchPage(kBackupRestorePage, mode);
    else
        navigator_.switchPage(kHomePage, kNoPageMode);
}

void MainCommands::onPageMenuItem(int index)
{
    if (passesBusyCheck() && passesSetupCheck())
        navigator_.switchPage(index, kNoPageMode);
}

void MainCommands::OnStnClickedPicFileBrowser()
{
    // No busy check: browsing the card does not disturb a run.
    if (!passesSetupCheck())
        return;
    if (!device_.connected || !device_.sdPresent) {
        navigator_.switchPage(kHomePage, kNoPageMode);
        return;
    }
    if (device_.sdEnabled) {
        if (const wchar_t letter = device_.driveLetter())
            ui_.openInFileBrowser(std::wstring{letter, L':', L'\\'});
        return;
    }
    // The card is on the other side: ask for it and open the browser once its volume answers.
    if (sdAccess_.enableSDFunc()) {
        device_.openBrowserWhenReady = true;
        sdAccess_.startVolumeWait(kTimerAutoVolumeWait);
    }
}

void MainCommands::onLogo()
{
    if (passesBusyCheck())
        actions_.openVendorSite();
}

} // namespace yk
