#include "backup/CBackupRestoreDlg.h"

#include <uxtheme.h>

#include <algorithm>

#include "backup/DriveSpaceText.h"
#include "backup_ids.h"
#include "base/CatalogKeys.h"
#include "base/LanguageCode.h"
#include "base/TextCatalog.h"
#include "device/Discovery.h"
#include "secure/AutoBackupSwitches.h"
#include "skin_ids.h"
#include "ui/ScaleRule.h"
#include "ui/SkinImage.h"

namespace yk {

namespace {

constexpr float kIconFactor = 0.55f;
constexpr float kIllustrationFactor = 0.32f;
constexpr float kButtonFactor = 0.3f;
constexpr float kHintPictureFactor = 0.4f;

constexpr int kTitleSize = 24;
constexpr int kTitleWeight = 1000;
constexpr int kLinkSize = 16;
constexpr int kLabelSize = 21;
constexpr int kSmallSize = 16;
constexpr int kSmallWeight = 550;

constexpr COLORREF kLabelColour = RGB(7, 7, 7);
constexpr COLORREF kHintColour = RGB(58, 59, 61);
constexpr COLORREF kLinkColour = RGB(56, 121, 235);
constexpr COLORREF kLeftActionColour = RGB(15, 76, 165);
constexpr COLORREF kSwitchLabelColour = RGB(45, 45, 45);
constexpr COLORREF kRuleColour = RGB(228, 230, 235);
// The three rules across the page, in dialog units from its top.
constexpr int kRules[] = {9, 31, 236};

struct View {
    CatalogKey title;
    int illustration;
};

// By RunKind: normal backup, normal restore, encrypted backup, decrypting restore.
constexpr View kViews[] = {
    {IDS_NORMAL_BACKUP, IDB_VIEW_NORMAL_BACKUP},
    {IDS_NORMAL_RESTORE, IDB_VIEW_NORMAL_RESTORE},
    {IDS_ENCRYPT_BACKUP, IDB_VIEW_ENCRYPT_BACKUP},
    {IDS_DECRYPT_RESTORE, IDB_VIEW_DECRYPT_RESTORE},
};

// Moves a control to another top, keeping its left edge and size.
void moveToTop(HWND control, const RECT& place, LONG top)
{
    SetWindowPos(control, nullptr, place.left, top, place.right - place.left, place.bottom - place.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace

CBackupRestoreDlg::CBackupRestoreDlg(const SettingsProfile& profile, const DeviceState& device, DeviceHost& host,
                                     const IdentityNames& names, const RunState& run, std::int32_t& restoreChoice,
                                     BackupRestorePageActions& actions)
    : SkinnedDialog(IDD_BACKUP_RESTORE_PAGE, 1.0f, palette::kPageBackground), profile_(profile), device_(device),
      host_(host), names_(names), run_(run), restoreChoice_(restoreChoice), actions_(actions)
{
}

void CBackupRestoreDlg::setupBackupRestorePage(float mag)
{
    if (setUp_ || !hwnd())
        return;
    setUp_ = true;
    setMag(mag);
    linkFont_ = makeSkinFont(kLinkSize, kSmallWeight, mag, true);

    putPicture(IDC_PAGE_ICON, IDB_PAGE_TITLE_ICON, kIconFactor);
    putPicture(IDC_PAGE_RIGHT_IMAGE, IDB_ACTION_BUTTON_PRIMARY, kButtonFactor);
    putPicture(IDC_PAGE_LEFT_IMAGE, IDB_ACTION_BUTTON_SECONDARY, kButtonFactor);
    putPicture(IDC_PAGE_HINT_PICTURE, IDB_MARK_INFO, kHintPictureFactor);
    colours().setPictureOnBackground(IDC_PAGE_ILLUSTRATION);
    colours().setPicture(IDC_PAGE_SWITCH_AREA);
    colours().setText(IDC_PAGE_SWITCH, kSwitchLabelColour, TextBackdrop::Background);
    // The round switch in the classic look: no theme has that name.
    SetWindowTheme(item(IDC_PAGE_SWITCH), L"wstr", L"wstr");

    // The link's text is wider than its place in some languages: the link grows to the right and the
    // picture beside it moves along, as far as the page allows.
    putText(IDC_PAGE_SETTINGS_LINK, loadCatalogText(IDS_SETTINGS), linkFont_.get(), kLinkColour);
    const std::wstring link = loadCatalogText(IDS_SETTINGS);
    RECT linkPlace = rectInDialog(hwnd(), item(IDC_PAGE_SETTINGS_LINK));
    RECT picturePlace = rectInDialog(hwnd(), item(IDC_PAGE_HINT_PICTURE));
    RECT client{};
    GetClientRect(hwnd(), &client);
    int extra = 0;
    while (!textFitsControl(item(IDC_PAGE_SETTINGS_LINK), link, linkFont_.get(),
                            linkPlace.right - linkPlace.left + extra) &&
           picturePlace.right + extra < client.right)
        ++extra;
    if (extra > 0) {
        MoveWindow(item(IDC_PAGE_SETTINGS_LINK), linkPlace.left, linkPlace.top,
                   linkPlace.right - linkPlace.left + extra, linkPlace.bottom - linkPlace.top, FALSE);
        MoveWindow(item(IDC_PAGE_HINT_PICTURE), picturePlace.left + extra, picturePlace.top,
                   picturePlace.right - picturePlace.left, picturePlace.bottom - picturePlace.top, FALSE);
    }
    // English and Japanese switch labels take two lines; the Chinese one stays on one, in a smaller font when
    // it would not fit.
    const HWND switchLabel = item(IDC_PAGE_SWITCH_LABEL);
    if (languageCode != kLanguageChineseTaiwan && languageCode != kLanguageChineseOther)
        SetWindowLongPtrW(switchLabel, GWL_STYLE,
                          (GetWindowLongPtrW(switchLabel, GWL_STYLE) & ~(SS_TYPEMASK | SS_CENTERIMAGE)) | SS_CENTER);
    else
        switchLabelFont_ = makeFittingSkinFont(switchLabel, loadCatalogText(IDS_AUTO_BACKUP_ON_CONNECT), kSmallSize,
                                               kSmallWeight, mag);

    hintPlace_ = rectInDialog(hwnd(), item(IDC_PAGE_HINT));
    linkPlace_ = rectInDialog(hwnd(), item(IDC_PAGE_SETTINGS_LINK));
    hintPicturePlace_ = rectInDialog(hwnd(), item(IDC_PAGE_HINT_PICTURE));
    spacePlace_ = rectInDialog(hwnd(), item(IDC_PAGE_SPACE_LINE));
    // A little room between the hint and the link it leads to; the space line, which is not a single line,
    // starts as far down as a single line's text stands in the hint's height.
    RECT gap{0, 0, 2, 0};
    MapDialogRect(hwnd(), &gap);
    hintPlace_.right -= gap.right;
    const int lineHeight = scaledFontHeight(kSmallSize, mag);
    spaceDrop_ = std::max<LONG>(0, (spacePlace_.bottom - spacePlace_.top - lineHeight) / 2);
    for (const int box : {IDC_PAGE_UPPER_BOX, IDC_PAGE_LOWER_BOX})
        SendMessageW(item(box), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(4, 4));
}

void CBackupRestoreDlg::refreshBackupRestorePage()
{
    if (!setUp_)
        return;
    const auto kind = static_cast<RunKind>(std::clamp(pageView, 0, 3));
    const bool restoreView = isRestoreKind(kind);
    const bool encrypted = kind == RunKind::EncryptedBackup || kind == RunKind::DecryptRestore;
    const AutoBackupValues values = readAutoBackupValues(profile_);
    const std::wstring folder = getBackupDirectory(profile_);
    const std::wstring cardFolder = backupTargetFolder(device_, names_, encrypted);
    const View& view = kViews[static_cast<int>(kind)];
    const HFONT label = font(kLabelSize);
    const HFONT small = font(kSmallSize, kSmallWeight);

    putText(IDC_PAGE_TITLE, loadCatalogText(view.title), font(kTitleSize, kTitleWeight), palette::kPageTitle);
    showSkinPicture(item(IDC_PAGE_ILLUSTRATION), view.illustration, kIllustrationFactor, mag());
    putText(IDC_PAGE_UPPER_LABEL, loadCatalogText(restoreView ? IDS_RESTORE_SOURCE : IDS_BACKUP_SOURCE), label,
            kLabelColour);
    putText(IDC_PAGE_LOWER_LABEL, loadCatalogText(restoreView ? IDS_RESTORE_DESTINATION : IDS_BACKUP_DESTINATION),
            label, kLabelColour);
    putText(IDC_PAGE_UPPER_BOX, restoreView ? cardFolder : folder, small, kLabelColour, TextBackdrop::Field);
    putText(IDC_PAGE_LOWER_BOX, restoreView ? folder : cardFolder, small, kLabelColour, TextBackdrop::Field);
    putText(IDC_PAGE_RIGHT_TEXT, loadCatalogText(restoreView ? IDS_RESTORE_ALL : IDS_START_BACKUP), label,
            palette::kWhite, TextBackdrop::Picture);
    putText(IDC_PAGE_LEFT_TEXT, loadCatalogText(IDS_SELECT_DATE_RANGE), label, kLeftActionColour,
            TextBackdrop::Picture);
    for (const int left : {IDC_PAGE_LEFT_IMAGE, IDC_PAGE_LEFT_TEXT})
        ShowWindow(item(left), restoreView ? SW_SHOW : SW_HIDE);
    for (const int control : {IDC_PAGE_SWITCH, IDC_PAGE_SWITCH_AREA, IDC_PAGE_SWITCH_LABEL})
        ShowWindow(item(control), restoreView ? SW_HIDE : SW_SHOW);
    SendMessageW(item(IDC_PAGE_SWITCH), BM_SETCHECK,
                 pageSwitchChecked(values, kind == RunKind::EncryptedBackup) ? BST_CHECKED : BST_UNCHECKED, 0);
    putText(IDC_PAGE_SWITCH_LABEL, loadCatalogText(IDS_AUTO_BACKUP_ON_CONNECT),
            switchLabelFont_ ? switchLabelFont_.get() : small, kSwitchLabelColour);

    placeHintAndSpace(restoreView);
    putText(IDC_PAGE_HINT, loadCatalogText(folder.empty() ? IDS_SET_BACKUP_SOURCE : IDS_CHANGE_PATH), small,
            kHintColour);
    ShowWindow(item(IDC_PAGE_HINT_PICTURE), folder.empty() ? SW_SHOW : SW_HIDE);
    putText(IDC_PAGE_SETTINGS_LINK, loadCatalogText(IDS_SETTINGS), linkFont_.get(), kLinkColour);
    showDriveSpace();
    InvalidateRect(hwnd(), nullptr, TRUE);
}

void CBackupRestoreDlg::placeHintAndSpace(bool restoreView)
{
    // The hint goes with the box of the PC's folder, the space line with the box of the card's.
    const LONG hintTop = restoreView ? spacePlace_.top : hintPlace_.top;
    const LONG spaceTop = restoreView ? hintPlace_.top : spacePlace_.top;
    moveToTop(item(IDC_PAGE_HINT), hintPlace_, hintTop);
    moveToTop(item(IDC_PAGE_SETTINGS_LINK), linkPlace_, hintTop);
    moveToTop(item(IDC_PAGE_HINT_PICTURE), hintPicturePlace_, hintTop);
    // The space line starts lower but ends where its place ends: the box below it stays uncovered.
    RECT spacePlace = spacePlace_;
    spacePlace.bottom -= spaceDrop_;
    moveToTop(item(IDC_PAGE_SPACE_LINE), spacePlace, spaceTop + spaceDrop_);
}

void CBackupRestoreDlg::showDriveSpace()
{
    if (!setUp_)
        return;
    std::wstring line;
    if (device_.sdPresent && device_.sdEnabled && !device_.strDriveID.empty()) {
        std::uint64_t freeBytes = 0;
        const std::uint64_t total = getDriveSpace(host_, device_.driveLetter(), &freeBytes);
        line = driveSpaceLine(loadCatalogText(IDS_TOTAL), total, loadCatalogText(IDS_FREE), freeBytes);
    }
    putText(IDC_PAGE_SPACE_LINE, line, font(kSmallSize, kSmallWeight), kHintColour);
}

bool CBackupRestoreDlg::onCommand(int id, int code, HWND control)
{
    if (code != STN_CLICKED)
        return SkinnedDialog::onCommand(id, code, control);
    switch (id) {
    case IDC_PAGE_RIGHT_IMAGE:
    case IDC_PAGE_RIGHT_TEXT:
        onRightAction();
        return true;
    case IDC_PAGE_LEFT_IMAGE:
    case IDC_PAGE_LEFT_TEXT:
        onLeftAction();
        return true;
    case IDC_PAGE_SWITCH_AREA:
    case IDC_PAGE_SWITCH_LABEL:
        onSwitch();
        return true;
    case IDC_PAGE_SWITCH:
        // The round button itself takes no clicks: its area and its label do.
        return true;
    case IDC_PAGE_SETTINGS_LINK:
        onSettingsLink();
        return true;
    default:
        return SkinnedDialog::onCommand(id, code, control);
    }
}

void CBackupRestoreDlg::runCommand(RunKind kind, std::int32_t choice)
{
    if (choice != 0)
        restoreChoice_ = choice;
    actions_.runCommand(kind);
}

void CBackupRestoreDlg::onRightAction()
{
    if (run_.runInProgress) {
        actions_.showBusyNotice();
        return;
    }
    const auto kind = static_cast<RunKind>(pageView);
    // Restore All: every file of the backup.
    runCommand(kind, isRestoreKind(kind) ? 1 : 0);
}

void CBackupRestoreDlg::onLeftAction()
{
    if (run_.runInProgress) {
        actions_.showBusyNotice();
        return;
    }
    const auto kind = static_cast<RunKind>(pageView);
    // Select Date Range: the restore asks for the range.
    if (isRestoreKind(kind))
        runCommand(kind, 2);
}

void CBackupRestoreDlg::onSwitch()
{
    const bool checked = SendMessageW(item(IDC_PAGE_SWITCH), BM_GETCHECK, 0, 0) != BST_CHECKED;
    SendMessageW(item(IDC_PAGE_SWITCH), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    writeAutoBackupValues(profile_, withPageSwitch(readAutoBackupValues(profile_), checked,
                                                   static_cast<RunKind>(pageView) == RunKind::EncryptedBackup));
}

void CBackupRestoreDlg::onSettingsLink()
{
    if (run_.runInProgress)
        actions_.showBusyNotice();
    else
        actions_.openSettingsPage();
}

bool CBackupRestoreDlg::onPaint()
{
    PAINTSTRUCT paint{};
    const HDC dc = BeginPaint(hwnd(), &paint);
    RECT client{};
    GetClientRect(hwnd(), &client);
    const GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, kRuleColour));
    const HGDIOBJ previous = SelectObject(dc, pen.get());
    for (const int rule : kRules) {
        RECT place{0, rule, 0, rule};
        MapDialogRect(hwnd(), &place);
        MoveToEx(dc, 0, place.top, nullptr);
        LineTo(dc, client.right, place.top);
    }
    SelectObject(dc, previous);
    EndPaint(hwnd(), &paint);
    return true;
}

} // namespace yk
