#include "secure/CBackupSettingDlg.h"

#include <shlobj.h>

#include "backup/BackupFolderChoice.h"
#include "backup/DialogPrompts.h"
#include "base/CatalogKeys.h"
#include "base/TextCatalog.h"
#include "secure/AutoBackupSwitches.h"
#include "secure/AutoLaunch.h"
#include "secure/AutoLaunchPath.h"
#include "secure/PasswordFlow.h"
#include "secure_ids.h"
#include "skin_ids.h"
#include "ui/MessageBoxResult.h"
#include "ui/SkinImage.h"

namespace yk {

namespace {

constexpr float kTitleIconFactor = 1.0f;
constexpr float kRowIconFactor = 0.6f;
constexpr float kBackFactor = 0.5f;
constexpr float kSwitchFactor = 0.3f;
constexpr float kUpdateFactor = 0.3f;

constexpr int kTitleSize = 24;
constexpr int kTitleWeight = 1000;
constexpr int kLabelSize = 18;
constexpr int kLineSize = 16;
constexpr int kLineWeight = 550;

constexpr COLORREF kLabelColour = RGB(45, 45, 45);
constexpr COLORREF kLineColour = RGB(144, 144, 144);
constexpr COLORREF kActionColour = RGB(56, 121, 235);

struct Switch {
    int state;
    int picture;
    int label;
    CatalogKey text;
};

constexpr Switch kSwitches[] = {
    {IDC_SETTING_AUTO_LAUNCH_STATE, IDC_SETTING_AUTO_LAUNCH_SWITCH, IDC_SETTING_AUTO_LAUNCH_LABEL, IDS_AUTO_LAUNCH},
    {IDC_SETTING_AUTO_BACKUP_STATE, IDC_SETTING_AUTO_BACKUP_SWITCH, IDC_SETTING_AUTO_BACKUP_LABEL, IDS_AUTO_BACKUP},
    {IDC_SETTING_SECURE_BACKUP_STATE, IDC_SETTING_SECURE_BACKUP_SWITCH, IDC_SETTING_SECURE_BACKUP_LABEL,
     IDS_SECURE_BACKUP},
};

// The rows' frames: each from the top of its first control to the bottom of its last, across the page.
constexpr std::pair<int, int> kFrames[] = {
    {IDC_SETTING_AUTO_LAUNCH_LABEL, IDC_SETTING_SECURE_BACKUP_LABEL},
    {IDC_SETTING_FOLDER_LABEL, IDC_SETTING_FOLDER_FIELD},
    {IDC_SETTING_PASSWORD_LABEL, IDC_SETTING_PASSWORD_LINE},
    {IDC_SETTING_SD_LABEL, IDC_SETTING_SD_LINE},
    {IDC_SETTING_VERSION_LABEL, IDC_SETTING_VERSION_LINE},
};

const Switch& switchOf(int state)
{
    for (const Switch& entry : kSwitches)
        if (entry.state == state)
            return entry;
    return kSwitches[0];
}

std::wstring knownFolder(int csidl)
{
    wchar_t path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, 0, path)))
        return {};
    return path;
}

} // namespace

CBackupSettingDlg::CBackupSettingDlg(const SettingsProfile& profile, const DeviceState& device, DeviceHost& host,
                                     const bool& newVersionAvailable, SettingsPageActions& actions)
    : SkinnedDialog(IDD_SETTINGS_PAGE, 1.0f, palette::kPageBackground), profile_(profile), device_(device), host_(host),
      newVersionAvailable_(newVersionAvailable), actions_(actions)
{
}

void CBackupSettingDlg::prepare(float mag)
{
    setMag(mag);
    putPicture(IDC_SETTING_TITLE_ICON, IDB_SETTINGS_TITLE_ICON, kTitleIconFactor);
    putPicture(IDC_SETTING_BACK, IDB_SETTINGS_BACK, kBackFactor);
    putPicture(IDC_SETTING_FOLDER_BROWSE_IMAGE, IDB_SETTINGS_BROWSE_ICON, kRowIconFactor);
    putPicture(IDC_SETTING_PASSWORD_IMAGE, IDB_SETTINGS_PASSWORD_ICON, kRowIconFactor);
    putPicture(IDC_SETTING_EJECT_IMAGE, IDB_SETTINGS_EJECT_ICON, kRowIconFactor);
    putPicture(IDC_SETTING_UPDATE_IMAGE, IDB_SETTINGS_UPDATE_BUTTON, kUpdateFactor);
    for (const int row : {IDC_SETTING_TITLE_ICON, IDC_SETTING_BACK})
        colours().setPictureOnBackground(row);
    for (const int picture : {IDC_SETTING_FOLDER_BROWSE_IMAGE, IDC_SETTING_PASSWORD_IMAGE, IDC_SETTING_EJECT_IMAGE})
        colours().setPictureOnBackground(picture, TextBackdrop::Field);
    for (const Switch& entry : kSwitches)
        colours().setPictureOnBackground(entry.picture, TextBackdrop::Field);
    prepared_ = true;
}

void CBackupSettingDlg::putTexts()
{
    const HFONT label = font(kLabelSize);
    const HFONT line = font(kLineSize, kLineWeight);
    const HFONT action = font(kLineSize);
    const std::wstring title = loadCatalogText(IDS_SETTING);
    SetWindowTextW(hwnd(), title.c_str());
    putText(IDC_SETTING_TITLE, title, font(kTitleSize, kTitleWeight), palette::kPageTitle);
    for (const Switch& entry : kSwitches)
        putText(entry.label, loadCatalogText(entry.text), label, kLabelColour, TextBackdrop::Field);
    putText(IDC_SETTING_FOLDER_LABEL, loadCatalogText(IDS_SET_BACKUP_PATH), label, kLabelColour, TextBackdrop::Field);
    putText(IDC_SETTING_PASSWORD_LABEL, loadCatalogText(IDS_SET_DEFAULT_PASSWORD), label, kLabelColour,
            TextBackdrop::Field);
    putText(IDC_SETTING_SD_LABEL, loadCatalogText(IDS_SD_CARD), label, kLabelColour, TextBackdrop::Field);
    putText(IDC_SETTING_VERSION_LABEL, loadCatalogText(IDS_APP_VERSION), label, kLabelColour, TextBackdrop::Field);
    putText(IDC_SETTING_FOLDER_BROWSE, loadCatalogText(IDS_BROWSE), action, kActionColour, TextBackdrop::Field);
    putText(IDC_SETTING_EJECT, loadCatalogText(IDS_EJECT_SD), action, kActionColour, TextBackdrop::Field);
    putText(IDC_SETTING_UPDATE, loadCatalogText(IDS_UPDATE), action, palette::kWhite, TextBackdrop::Picture);
    putText(IDC_SETTING_FOLDER_FIELD, getBackupDirectory(profile_), line, palette::kPopupText, TextBackdrop::Field);
    for (const int status : {IDC_SETTING_PASSWORD_LINE, IDC_SETTING_SD_LINE, IDC_SETTING_VERSION_LINE})
        SendMessageW(item(status), WM_SETFONT, reinterpret_cast<WPARAM>(line), FALSE);
}

void CBackupSettingDlg::loadSettingsPage(float mag)
{
    if (!hwnd())
        return;
    if (!prepared_)
        prepare(mag);
    putTexts();
    loadSwitches();
    showPasswordRow();
    refreshSDCardStatus();
    refreshVersionStatus();
}

void CBackupSettingDlg::loadSwitches()
{
    const Settings settings(profile_);
    // The Run value may have been written by another copy, or by hand: the profile follows it.
    std::int32_t autoLaunch = settings.autoLaunch.get();
    if (autoLaunch == 0 && isAutoLaunchRegistered()) {
        settings.autoLaunch.set(1);
        autoLaunch = 1;
    }
    setSwitch(IDC_SETTING_AUTO_LAUNCH_STATE, autoLaunch != 0);
    setSwitch(IDC_SETTING_AUTO_BACKUP_STATE, settings.autoBackup.get() != 0);
    setSwitch(IDC_SETTING_SECURE_BACKUP_STATE, settings.secureBackup.get() != 0);
}

void CBackupSettingDlg::setSwitch(int stateId, bool on)
{
    const Switch& entry = switchOf(stateId);
    SendMessageW(item(entry.state), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
    showSkinPicture(item(entry.picture), on ? IDB_SWITCH_ON : IDB_SWITCH_OFF, kSwitchFactor, mag());
}

bool CBackupSettingDlg::switchOn(int stateId) const
{
    return SendMessageW(item(stateId), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void CBackupSettingDlg::showPasswordRow()
{
    const PasswordStatus status = passwordStatus(profile_);
    putText(IDC_SETTING_PASSWORD_LINE, loadCatalogText(status.line), font(kLineSize, kLineWeight), kLineColour,
            TextBackdrop::Field);
    putText(IDC_SETTING_PASSWORD_ACTION, loadCatalogText(status.control), font(kLineSize), kActionColour,
            TextBackdrop::Field);
}

void CBackupSettingDlg::repaintControl(int controlId)
{
    const RECT area = rectInDialog(hwnd(), item(controlId));
    RedrawWindow(hwnd(), &area, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void CBackupSettingDlg::refreshSDCardStatus()
{
    if (!hwnd())
        return;
    CatalogKey line = IDS_SD_CARD_NOT_DETECTED;
    int showEject = SW_HIDE;
    if (device_.sdPresent && !device_.sdEnabled) {
        line = IDS_SD_UNUSED;
    } else if (device_.sdPresent) {
        line = IDS_SD_IN_USE;
        // In use: the Eject control comes once a declined eject question offered it, and otherwise stays as
        // it was (its own visibility: the page itself may be hidden).
        const bool shown = (GetWindowLongPtrW(item(IDC_SETTING_EJECT), GWL_STYLE) & WS_VISIBLE) != 0;
        showEject = device_.showEjectControl || shown ? SW_SHOW : SW_HIDE;
    }
    putText(IDC_SETTING_SD_LINE, loadCatalogText(line), font(kLineSize, kLineWeight), kLineColour, TextBackdrop::Field);
    ShowWindow(item(IDC_SETTING_EJECT), showEject);
    ShowWindow(item(IDC_SETTING_EJECT_IMAGE), showEject);
    repaintControl(IDC_SETTING_EJECT_IMAGE);
    repaintControl(IDC_SETTING_EJECT);
}

void CBackupSettingDlg::refreshVersionStatus()
{
    if (!hwnd())
        return;
    const bool offered = newVersionAvailable_;
    putText(IDC_SETTING_VERSION_LINE, loadCatalogText(offered ? IDS_NEW_VERSION_RELEASED : IDS_APP_LATEST),
            font(kLineSize, kLineWeight), kLineColour, TextBackdrop::Field);
    ShowWindow(item(IDC_SETTING_UPDATE), offered ? SW_SHOW : SW_HIDE);
    ShowWindow(item(IDC_SETTING_UPDATE_IMAGE), offered ? SW_SHOW : SW_HIDE);
    repaintControl(IDC_SETTING_UPDATE_IMAGE);
}

bool CBackupSettingDlg::onCommand(int id, int code, HWND control)
{
    if (code != STN_CLICKED && code != BN_CLICKED)
        return SkinnedDialog::onCommand(id, code, control);
    switch (id) {
    case IDC_SETTING_AUTO_LAUNCH_STATE:
    case IDC_SETTING_AUTO_LAUNCH_SWITCH:
        toggleAutoLaunch();
        return true;
    case IDC_SETTING_AUTO_BACKUP_STATE:
    case IDC_SETTING_AUTO_BACKUP_SWITCH:
        toggleAutoBackup();
        return true;
    case IDC_SETTING_SECURE_BACKUP_STATE:
    case IDC_SETTING_SECURE_BACKUP_SWITCH:
        toggleSecureBackup();
        return true;
    case IDC_SETTING_FOLDER_BROWSE:
    case IDC_SETTING_FOLDER_BROWSE_IMAGE:
        chooseBackupDirectory();
        return true;
    case IDC_SETTING_PASSWORD_ACTION:
    case IDC_SETTING_PASSWORD_IMAGE:
        setDefaultPassword();
        return true;
    case IDC_SETTING_EJECT:
    case IDC_SETTING_EJECT_IMAGE:
        actions_.ejectSdCard();
        return true;
    case IDC_SETTING_UPDATE:
    case IDC_SETTING_UPDATE_IMAGE:
        actions_.offerUpdate();
        return true;
    case IDC_SETTING_BACK:
        actions_.showHomePage();
        return true;
    default:
        return SkinnedDialog::onCommand(id, code, control);
    }
}

void CBackupSettingDlg::toggleAutoLaunch()
{
    const Settings settings(profile_);
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    const std::wstring programFiles = knownFolder(CSIDL_PROGRAM_FILES);
    if (length == 0 || length >= MAX_PATH || programFiles.empty())
        return;
    const std::wstring program = upperCaseAscii(std::wstring(path, length));
    if (!isInstalledProgram(program, upperCaseAscii(programFiles))) {
        setSwitch(IDC_SETTING_AUTO_LAUNCH_STATE, settings.autoLaunch.get() != 0);
        DialogPrompts(hwnd(), mag()).showMessage(box_kind::kFolder, IDS_NOT_INSTALL_PATH);
        return;
    }
    const bool on = !switchOn(IDC_SETTING_AUTO_LAUNCH_STATE);
    setSwitch(IDC_SETTING_AUTO_LAUNCH_STATE, on);
    settings.autoLaunch.set(on ? 1 : 0);
    if (on)
        registerAutoLaunch(program);
    else
        unregisterAutoLaunch();
}

void CBackupSettingDlg::storeAutoBackup(const AutoBackupValues& values)
{
    writeAutoBackupValues(profile_, values);
    setSwitch(IDC_SETTING_AUTO_BACKUP_STATE, values.autoBackup != 0);
    setSwitch(IDC_SETTING_SECURE_BACKUP_STATE, values.secureBackup != 0);
}

void CBackupSettingDlg::toggleAutoBackup()
{
    storeAutoBackup(withAutoBackupSwitch(readAutoBackupValues(profile_), !switchOn(IDC_SETTING_AUTO_BACKUP_STATE)));
}

void CBackupSettingDlg::toggleSecureBackup()
{
    storeAutoBackup(withSecureBackupSwitch(readAutoBackupValues(profile_), !switchOn(IDC_SETTING_SECURE_BACKUP_STATE)));
}

void CBackupSettingDlg::chooseBackupDirectory()
{
    const std::wstring current = getBackupDirectory(profile_);
    const std::wstring documents = knownFolder(CSIDL_PERSONAL);
    DialogPrompts prompts(hwnd(), mag());
    const auto folder =
        chooseBackupFolder(prompts, host_, current.empty() ? documents : current, documents, current.empty());
    if (!folder)
        return;
    setBackupDirectory(profile_, *folder);
    SetDlgItemTextW(hwnd(), IDC_SETTING_FOLDER_FIELD, folder->c_str());
}

void CBackupSettingDlg::setDefaultPassword()
{
    setDefaultPasswordOnClick(hwnd(), profile_, mag(), [this] {
        showPasswordRow();
        repaintControl(IDC_SETTING_PASSWORD_LINE);
    });
}

bool CBackupSettingDlg::onPaint()
{
    // The frames are as far from the page's right edge as from its left, 10 and 4 dialog units around
    // their rows.
    PAINTSTRUCT paint{};
    const HDC dc = BeginPaint(hwnd(), &paint);
    RECT client{};
    GetClientRect(hwnd(), &client);
    RECT margins{0, 0, 10, 4};
    MapDialogRect(hwnd(), &margins);
    for (const auto& [first, last] : kFrames) {
        const RECT top = rectInDialog(hwnd(), item(first));
        const RECT bottom = rectInDialog(hwnd(), item(last));
        const int left = top.left - margins.right;
        paintRowFrame(dc, RECT{left, top.top - margins.bottom, client.right - left, bottom.bottom + margins.bottom});
    }
    EndPaint(hwnd(), &paint);
    return true;
}

} // namespace yk
