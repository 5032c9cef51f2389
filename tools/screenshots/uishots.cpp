// Shows every skinned message box and the date range dialog once, in the UI language of the session and at
// the scale given on the command line, and saves a PNG of each window: uishots <folder> <mag> <name prefix>.
#include <windows.h>

#include <commctrl.h>
#include <cstdio>
#include <cwchar>
#include <string>

#include "base/CatalogKeys.h"
#include "base/LanguageCode.h"
#include "base/TextCatalog.h"
#include "ui/CCustomMessageBox.h"
#include "ui/CCustomMessageBox2.h"
#include "ui/CCustomMessageBox2Btn.h"
#include "ui/CCustomMessageBox2Btn2.h"
#include "secure/CEnterPasswordDlg.h"
#include "secure/CModifyPasswordDlg.h"
#include "ui/CSetRange.h"
#include "ui/SkinImage.h"
#include "WindowCapture.h"

using yk::shots::captureModal;

int wmain(int argc, wchar_t** argv)
{
    if (argc != 4) {
        std::fwprintf(stderr, L"usage: uishots <folder> <mag> <name prefix>\n");
        return 2;
    }
    const std::wstring base = std::wstring(argv[1]) + L"\\" + argv[3] + L"-";
    const float mag = std::wcstof(argv[2], nullptr);

    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_DATE_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    yk::languageCode = yk::languageCodeFor(GetUserDefaultUILanguage());
    const yk::GdiplusSession session;
    using yk::loadCatalogText;
    const std::wstring ok = loadCatalogText(yk::IDS_OK);
    const std::wstring examplePath = L"C:\\Users\\Someone\\Documents\\Yarrowkeep Backup\\Photos 2024";

    const struct {
        const wchar_t* name;
        int kind;
        yk::CatalogKey message;
    } singles[] = {
        {L"box-busy", yk::box_kind::kBusy, yk::IDS_RUN_IN_PROGRESS},
        {L"box-sd-enable-failed", yk::box_kind::kSdEnableFailed, yk::IDS_ENABLE_SD_FAILED},
        {L"box-invalid-range", yk::box_kind::kDateRange, yk::IDS_INVALID_DATE_RANGE},
        {L"box-password-saved", yk::box_kind::kPasswordSaved, yk::IDS_NEW_PASSWORD_SAVED},
    };
    for (const auto& single : singles) {
        captureModal(base + single.name + L".png", [&] {
            yk::CCustomMessageBox box(mag);
            box.setContent(single.kind, loadCatalogText(single.message), ok);
            box.runModal(nullptr);
        });
    }
    captureModal(base + L"box2-folder-failure.png", [&] {
        yk::CCustomMessageBox2 box(mag);
        box.setContent(yk::box2_kind::kFolderFailure, loadCatalogText(yk::IDS_CREATE_DIRECTORY_FAIL), examplePath, ok);
        box.runModal(nullptr);
    });
    captureModal(base + L"box2-folder-confirm.png", [&] {
        yk::CCustomMessageBox2 box(mag);
        box.setContent(yk::box2_kind::kFolderConfirm, loadCatalogText(yk::IDS_CHECK_BACKUP_PATH), examplePath, ok);
        box.runModal(nullptr);
    });
    captureModal(base + L"box2btn-eject.png", [&] {
        yk::CCustomMessageBox2Btn box(mag);
        box.setContent(loadCatalogText(yk::IDS_CONFIRM_EJECT), loadCatalogText(yk::IDS_YES),
                       loadCatalogText(yk::IDS_NO));
        box.runModal(nullptr);
    });
    captureModal(base + L"box2btn2-range.png", [&] {
        yk::CCustomMessageBox2Btn2 box(mag);
        box.setContent(loadCatalogText(yk::IDS_RESTORE_DATE_RANGE), L"2024/3/7 ~ 2024/3/7",
                       loadCatalogText(yk::IDS_YES), loadCatalogText(yk::IDS_NO));
        box.runModal(nullptr);
    });
    captureModal(base + L"set-range.png", [&] {
        yk::CSetRange dialog(mag);
        dialog.runModal(nullptr);
    });
    captureModal(base + L"enter-password.png", [&] {
        yk::CEnterPasswordDlg dialog(mag);
        dialog.restoreMode = true;
        dialog.runModal(nullptr);
    });
    const yk::SettingsProfile scratch(L"Software\\YarrowkeepScreenshots");
    captureModal(base + L"modify-password.png", [&] {
        yk::CModifyPasswordDlg dialog(scratch, mag);
        dialog.runModal(nullptr);
    });
    return 0;
}
