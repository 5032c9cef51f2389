#include "app/SideMenu.h"

#include <iterator>

#include "app/PageNavigator.h"
#include "app/ScaleFactor.h"
#include "base/CatalogKeys.h"
#include "base/LanguageCode.h"
#include "base/TextCatalog.h"
#include "resource.h"
#include "skin_ids.h"
#include "ui/SkinImage.h"

namespace yk {

namespace {

constexpr int kMenuFontSize = 22;
constexpr int kMenuFontWeight = 1000;
constexpr COLORREF kMenuText = RGB(251, 252, 253);
constexpr int kNoImage = 0;

struct Item {
    int selection; // 0 for the file browser, which is never highlighted
    int image;
    int text;
    CatalogKey label;
    int normal;
    int highlighted;
};

constexpr Item kItems[] = {
    {kSelectionNormalBackup, IDC_MENU_NORMAL_BACKUP_IMAGE, IDC_MENU_NORMAL_BACKUP_TEXT, IDS_NORMAL_BACKUP,
     IDB_MENU_NORMAL_BACKUP, IDB_MENU_NORMAL_BACKUP_HIGHLIGHTED},
    {kSelectionEncryptBackup, IDC_MENU_ENCRYPT_BACKUP_IMAGE, IDC_MENU_ENCRYPT_BACKUP_TEXT, IDS_ENCRYPT_BACKUP,
     IDB_MENU_ENCRYPT_BACKUP, IDB_MENU_ENCRYPT_BACKUP_HIGHLIGHTED},
    {kSelectionNormalRestore, IDC_MENU_NORMAL_RESTORE_IMAGE, IDC_MENU_NORMAL_RESTORE_TEXT, IDS_NORMAL_RESTORE,
     IDB_MENU_NORMAL_RESTORE, IDB_MENU_NORMAL_RESTORE_HIGHLIGHTED},
    {kSelectionDecryptRestore, IDC_MENU_DECRYPT_RESTORE_IMAGE, IDC_MENU_DECRYPT_RESTORE_TEXT, IDS_DECRYPT_RESTORE,
     IDB_MENU_DECRYPT_RESTORE, IDB_MENU_DECRYPT_RESTORE_HIGHLIGHTED},
    {0, IDC_MENU_FILE_BROWSER_IMAGE, IDC_MENU_FILE_BROWSER_TEXT, IDS_FILE_BROWSER, IDB_MENU_FILE_BROWSER, kNoImage},
    {kSelectionSettings, IDC_MENU_SETTINGS_IMAGE, IDC_MENU_SETTINGS_TEXT, IDS_SETTINGS, IDB_MENU_SETTINGS,
     IDB_MENU_SETTINGS_HIGHLIGHTED},
    {kSelectionHelp, IDC_MENU_HELP_IMAGE, IDC_MENU_HELP_TEXT, IDS_HELP, IDB_MENU_HELP, IDB_MENU_HELP_HIGHLIGHTED},
};

const Item* itemOf(int selection)
{
    for (const Item& item : kItems)
        if (item.selection == selection && selection != 0)
            return &item;
    return nullptr;
}

// In Traditional Chinese the menu texts stand two spaces further in.
std::wstring menuText(const CatalogKey& key)
{
    std::wstring text = loadCatalogText(key);
    if (languageCode == kLanguageChineseTaiwan || languageCode == kLanguageChineseOther)
        text = L"  " + text;
    return text;
}

} // namespace

void SideMenu::create(HWND mainWindow, float mag)
{
    window_ = mainWindow;
    mag_ = mag;
    menuFont_ = makeSkinFont(kMenuFontSize, kMenuFontWeight, mag);

    colours_.setPicture(IDC_LOGO);
    showSkinPicture(GetDlgItem(window_, IDC_LOGO), IDB_LOGO, kLogoImageFactor, mag_);
    for (const Item& item : kItems) {
        colours_.setPicture(item.image);
        showSkinPicture(GetDlgItem(window_, item.image), item.normal, kMenuImageFactor, mag_);
    }
    for (const Item& item : kItems) {
        const HWND text = GetDlgItem(window_, item.text);
        const std::wstring label = menuText(item.label);
        // The text stays on its item's picture, short of the rounded end of a highlighted item's bar, so that
        // the bar holds the whole of it.
        const RECT picture = rectInDialog(window_, GetDlgItem(window_, item.image));
        const int room = picture.right - (picture.bottom - picture.top) / 3 - rectInDialog(window_, text).left;
        HFONT font = menuFont_.get();
        if (!textFitsControl(text, label, font, room)) {
            fittedFonts_.push_back(makeFittingSkinFont(text, label, kMenuFontSize, kMenuFontWeight, mag, room));
            font = fittedFonts_.back().get();
        }
        SendMessageW(text, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        SetWindowTextW(text, label.c_str());
        colours_.setText(item.text, kMenuText, TextBackdrop::Picture);
    }
}

void SideMenu::setHighlight(int selection, bool highlighted)
{
    const Item* item = itemOf(selection);
    if (!item || !window_)
        return;
    const HWND image = GetDlgItem(window_, item->image);
    showSkinPicture(image, highlighted ? item->highlighted : item->normal, kMenuImageFactor, mag_);
    // The pictures are transparent over the side bar, which the window paints: repaint the bar beneath the
    // item first, then the item's picture and text on it.
    const RECT area = rectInDialog(window_, image);
    RedrawWindow(window_, &area, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

} // namespace yk
