#include "app/CYarrowkeepDlg.h"

#include <shellapi.h>
#include <shlobj.h>

#include "app/CYarrowkeepApp.h"
#include "app/InitialSetup.h"
#include "app/ScaleFactor.h"
#include "backup/BackupRuns.h"
#include "backup/CopyDialogs.h"
#include "backup/DialogPrompts.h"
#include "backup/RunButtons.h"
#include "base/CatalogKeys.h"
#include "base/ExecutablePath.h"
#include "base/TextCatalog.h"
#include "base/VendorSite.h"
#include "device/CDeviceInfoDlg.h"
#include "device/CDeviceOtherInfoDlg.h"
#include "device/CDisableSDConfirm.h"
#include "device/SdAccess.h"
#include "resource.h"
#include "ui/CCustomMessageBox2.h"
#include "update/OwnVersion.h"
#include "update/CAutoUpdateDlg.h"
#include "update/UpdateCheck.h"

namespace yk {

namespace {

constexpr WPARAM kDeviceArrival = 0x8000;
constexpr WPARAM kDeviceRemoveComplete = 0x8004;
// Invalidate, erase, update now.
constexpr UINT kInitialRedraw = RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW;
constexpr LANGID kChineseTaiwan = 0x0404;
constexpr LANGID kChineseSingapore = 0x1004;
constexpr LANGID kEnglishUnitedStates = 0x0409;

} // namespace

struct CYarrowkeepDlg::Parts {
    Parts(CYarrowkeepDlg& owner, HWND window)
        : prompts(window, owner.mag_), reporting(window, owner.runState_, owner.host_, owner.mag_,
                                                 [&owner] { owner.pages_.backupRestore.showDriveSpace(); }),
          runs(RunContext{owner.runState_, owner.deviceState_, owner.host_, owner.profile_, owner.names_,
                          owner.restoreChoice_, prompts, reporting, owner}),
          starter(runs),
          sdAccess(owner.commands_, owner.timers_, owner.ui_, starter, owner.settings_, owner.runState_.runInProgress),
          questionA(EjectQuestion::A, sdAccess), questionB(EjectQuestion::B, sdAccess),
          commands(owner.navigator_, owner.deviceState_, sdAccess, owner.ui_, owner.settings_, owner,
                   owner.runState_.runInProgress),
          connection(owner.deviceState_, owner.host_, sdAccess, owner.settings_, owner), update(owner.mag_, executableFolder())
    {
    }

    DialogPrompts prompts;
    CopyDialogs reporting;
    BackupRuns runs;
    RunStarter starter;
    SdAccess sdAccess;
    CDisableSDConfirm questionA;
    CDisableSDConfirm questionB;
    MainCommands commands;
    DeviceConnection connection;
    CAutoUpdateDlg update;
};

CYarrowkeepDlg::CYarrowkeepDlg(DeviceHost& host) : DialogBase(IDD_YARROWKEEP_DIALOG), host_(host) {}

CYarrowkeepDlg::~CYarrowkeepDlg() = default;

bool CYarrowkeepDlg::onInitDialog()
{
    // Shared icons from LoadIconW belong to the module; nothing to release.
    icon_ = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME));
    SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
    SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
    mayShowWindow_ = false;
    newVersionAvailable_ = false;
    timers_.attach(hwnd());

    pages_.create(hwnd());
    navigator_.switchPage(kHomePage, kNoPageMode);
    names_ = loadIdentityNames();
    RECT client{};
    GetClientRect(hwnd(), &client);
    mag_ = computeMag(client.right - client.left, client.bottom - client.top);
    pages_.setMag(mag_);

    parts_ = std::make_unique<Parts>(*this, hwnd());
    parts_->questionA.create(hwnd(), mag_);
    parts_->questionB.create(hwnd(), mag_);
    ui_.attach(hwnd(), mag_, parts_->questionA, parts_->questionB);

    pages_.home.setHomeStatus(kHomeNotConnected, mag_);
    pages_.backupRestore.setupBackupRestorePage(mag_);
    pages_.settings.loadSettingsPage(mag_);
    pages_.help.setupHelpPage(mag_);

    sideMenu_.create(hwnd(), mag_);
    okCaption_ = loadCatalogText(IDS_OK);
    adjustThreadUiLanguage();

    if (Settings(profile_).appInitialSetup.get() == 0) {
        setupPromptPending_ = true;
        timers_.start(kTimerSetupPrompt, kSetupPromptPeriodMs);
    } else {
        startupRefreshPending_ = true;
        timers_.start(kTimerStartupRefresh, kStartupRefreshPeriodMs);
    }
    timers_.start(kTimerUpdateCheck, kUpdateCheckDelayMs);

    launchCaption_ = loadCatalogText(IDS_LAUNCH);
    quitCaption_ = loadCatalogText(IDS_QUIT);
    tray_.add(hwnd(), icon_, loadCatalogText(IDS_APP_NAME));
    restoreChoice_ = 0;
    RedrawWindow(hwnd(), nullptr, nullptr, kInitialRedraw);
    return true;
}

void CYarrowkeepDlg::adjustThreadUiLanguage()
{
    // The platform's own dialogs (the folder picker, the quit question) speak English unless the locale is
    // Chinese of Taiwan or Singapore. The locale decides here, not the UI language that chose the texts.
    const LANGID locale = GetUserDefaultLangID();
    if (locale != kChineseTaiwan && locale != kChineseSingapore)
        SetThreadUILanguage(kEnglishUnitedStates);
}

bool CYarrowkeepDlg::onTimer(UINT_PTR id)
{
    switch (id) {
    case kTimerSetupPrompt:
        timers_.stop(kTimerSetupPrompt);
        if (setupPromptPending_) {
            setupPromptPending_ = false;
            runInitialSetup();
        }
        return true;
    case kTimerStartupRefresh:
        timers_.stop(kTimerStartupRefresh);
        if (startupRefreshPending_) {
            startupRefreshPending_ = false;
            refreshDeviceConnection();
        }
        return true;
    case kTimerUpdateCheck:
        timers_.stop(kTimerUpdateCheck);
        startUpdateCheck(hwnd(), profile_);
        return true;
    case kTimerTrayRetry:
        tray_.onRetryTimer();
        return true;
    default:
        return parts_ && parts_->sdAccess.onTimer(static_cast<int>(id));
    }
}

bool CYarrowkeepDlg::onCommand(int id, int /*code*/, HWND /*control*/)
{
    switch (id) {
    case IDOK:
    case IDCANCEL:
        // Enter and Escape change nothing in the main window.
        return true;
    case ID_TRAY_LAUNCH:
        showOnRequest();
        return true;
    case ID_TRAY_QUIT:
        quit();
        return true;
    case IDC_FUNCTION_NORMAL_BACKUP:
    case IDC_FUNCTION_NORMAL_RESTORE:
    case IDC_FUNCTION_ENCRYPT_BACKUP:
    case IDC_FUNCTION_DECRYPT_RESTORE:
        onRunCommand(id);
        return true;
    default:
        return parts_ && parts_->commands.onCommand(id);
    }
}

void CYarrowkeepDlg::onRunCommand(int id)
{
    if (!parts_)
        return;
    SdAccess& sdAccess = parts_->sdAccess;
    switch (id) {
    case IDC_FUNCTION_NORMAL_BACKUP:
        normalBackupButtonOnClick(sdAccess);
        break;
    case IDC_FUNCTION_NORMAL_RESTORE:
        normalRestoreButtonOnClick(sdAccess);
        break;
    case IDC_FUNCTION_ENCRYPT_BACKUP:
        encryptBackupButtonOnClick(sdAccess);
        break;
    case IDC_FUNCTION_DECRYPT_RESTORE:
        encryptRestoreButtonOnClick(sdAccess);
        break;
    default:
        break;
    }
}

HBRUSH CYarrowkeepDlg::onCtlColor(HDC dc, HWND control, UINT message)
{
    return sideMenu_.colourFor(dc, control, message);
}

bool CYarrowkeepDlg::onPaint()
{
    PAINTSTRUCT paint{};
    const HDC dc = BeginPaint(hwnd(), &paint);
    RECT client{};
    GetClientRect(hwnd(), &client);
    if (IsIconic(hwnd())) {
        SendMessageW(hwnd(), WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
        const int x = (client.right - client.left - GetSystemMetrics(SM_CXICON) + 1) / 2;
        const int y = (client.bottom - client.top - GetSystemMetrics(SM_CYICON) + 1) / 2;
        DrawIcon(dc, x, y, icon_);
    } else {
        sideBar_.paint(dc, client);
    }
    EndPaint(hwnd(), &paint);
    return true;
}

bool CYarrowkeepDlg::onClose()
{
    ShowWindow(hwnd(), SW_HIDE);
    return true;
}

void CYarrowkeepDlg::onDestroy()
{
    tray_.remove();
}

std::optional<LRESULT> CYarrowkeepDlg::onMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == singleInstanceMessage) {
        showOnRequest();
        SetForegroundWindow(hwnd());
        return 1;
    }
    if (message == quitForInstallMessage) {
        quitForInstall();
        return 0;
    }
    if (message == TrayIcon::taskbarCreatedMessage()) {
        tray_.onTaskbarCreated();
        return 0;
    }
    switch (message) {
    case WM_WINDOWPOSCHANGING:
        onWindowPosChanging(*reinterpret_cast<WINDOWPOS*>(lParam));
        return std::nullopt;
    case WM_DEVICECHANGE:
        if (wParam == kDeviceArrival || wParam == kDeviceRemoveComplete)
            refreshDeviceConnection();
        return TRUE;
    case WM_QUERYDRAGICON:
        return reinterpret_cast<LRESULT>(icon_);
    case TrayIcon::kCallbackMessage:
        onTrayIcon(LOWORD(lParam));
        return 1;
    case kUpdateFoundMessage:
        onUpdateFound(std::unique_ptr<UpdateOffer>(reinterpret_cast<UpdateOffer*>(lParam)));
        return 0;
    case WM_ENDSESSION:
        // The session ends and the process with it: the icon goes first.
        if (wParam)
            tray_.remove();
        return 0;
    default:
        return std::nullopt;
    }
}

void CYarrowkeepDlg::onWindowPosChanging(WINDOWPOS& position)
{
    // The modal run would show the window on its own; it stays hidden until something asks for it.
    if (!mayShowWindow_)
        position.flags &= ~SWP_SHOWWINDOW;
}

void CYarrowkeepDlg::onTrayIcon(UINT mouseEvent)
{
    if (mouseEvent == WM_LBUTTONDBLCLK)
        showOnRequest();
    else if (mouseEvent == WM_RBUTTONUP)
        tray_.showMenu(launchCaption_, quitCaption_);
}

void CYarrowkeepDlg::showOnRequest()
{
    mayShowWindow_ = true;
    ShowWindow(hwnd(), SW_RESTORE);
}

void CYarrowkeepDlg::hideIfVisible()
{
    if (IsWindowVisible(hwnd()))
        ShowWindow(hwnd(), SW_HIDE);
}

void CYarrowkeepDlg::refreshDeviceConnection()
{
    if (parts_)
        parts_->connection.refreshDeviceConnection();
}

void CYarrowkeepDlg::requestInitialSetup()
{
    setupPromptPending_ = true;
    timers_.start(kTimerSetupPrompt, kSetupPromptFromMenuMs);
}

void CYarrowkeepDlg::runInitialSetup()
{
    wchar_t documents[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, 0, documents)))
        documents[0] = L'\0';
    const auto confirmFolder = [this](const std::wstring& folder) {
        CCustomMessageBox2 box(mag_);
        box.setContent(box2_kind::kFolderConfirm, loadCatalogText(IDS_BACKUP_RESTORE_PATH), folder, okCaption_);
        return static_cast<int>(box.runModal(hwnd()));
    };
    if (yk::runInitialSetup(profile_, host_, parts_->prompts, confirmFolder, documents))
        refreshDeviceConnection();
}

void CYarrowkeepDlg::openVendorSite()
{
    ShellExecuteW(nullptr, nullptr, kVendorSiteUrl, nullptr, nullptr, SW_SHOWNORMAL);
}

void CYarrowkeepDlg::openSettingsPage()
{
    if (parts_)
        parts_->commands.onPageMenuItem(kSettingsPage);
}

void CYarrowkeepDlg::setEjectButtonsEnabled(bool enabled)
{
    ui_.setEjectButtonsEnabled(enabled);
}

void CYarrowkeepDlg::runCommand(RunKind kind)
{
    static constexpr int kRunCommands[] = {IDC_FUNCTION_NORMAL_BACKUP, IDC_FUNCTION_NORMAL_RESTORE,
                                           IDC_FUNCTION_ENCRYPT_BACKUP, IDC_FUNCTION_DECRYPT_RESTORE};
    onRunCommand(kRunCommands[static_cast<int>(kind)]);
}

void CYarrowkeepDlg::showBusyNotice()
{
    ui_.showBusyNotice();
}

void CYarrowkeepDlg::ejectSdCard()
{
    if (parts_)
        parts_->sdAccess.disableSDButtonOnClick();
}

void CYarrowkeepDlg::showHomePage()
{
    navigator_.switchPage(kHomePage, kNoPageMode);
}

void CYarrowkeepDlg::openDeviceInformation()
{
    CDeviceInfoDlg dialog(commands_, mag_, ownVersionText());
    dialog.runModal(hwnd());
}

void CYarrowkeepDlg::openVoltageCurrent()
{
    CDeviceOtherInfoDlg dialog(commands_, mag_);
    dialog.runModal(hwnd());
}

void CYarrowkeepDlg::quit()
{
    if (runState_.runInProgress) {
        ui_.showBusyNotice();
        return;
    }
    const int answer = MessageBoxW(hwnd(), loadCatalogText(IDS_CONFIRM_QUIT).c_str(), applicationName().c_str(),
                                   MB_YESNO | MB_ICONQUESTION);
    if (answer != IDYES)
        return;
    tray_.remove();
    PostQuitMessage(0);
}

void CYarrowkeepDlg::quitForInstall()
{
    // A run is never cut short: the installer waits until the program has ended.
    if (runState_.runInProgress)
        return;
    tray_.remove();
    PostQuitMessage(0);
}

void CYarrowkeepDlg::onUpdateFound(std::unique_ptr<UpdateOffer> offer)
{
    if (!offer || !parts_)
        return;
    parts_->update.setUpdateOffer(std::move(*offer));
    newVersionAvailable_ = true;
    pages_.settings.refreshVersionStatus();
    // A backup or restore is not interrupted by the offer: the settings page's Update control keeps it.
    if (!runState_.runInProgress)
        offerUpdate();
}

void CYarrowkeepDlg::offerUpdate()
{
    if (!parts_ || updatePromptOpen_)
        return;
    updatePromptOpen_ = true;
    const UpdatePromptResult result = parts_->update.promptAndInstall(hwnd());
    updatePromptOpen_ = false;
    if (result != UpdatePromptResult::InstallerStarted)
        return;
    // The installer replaces this program: it ends now, and its icon goes first.
    tray_.remove();
    ExitProcess(0);
}

} // namespace yk
