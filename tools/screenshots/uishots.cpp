// Shows every skinned message box and the date range dialog once, in the UI language of the session and at
// the scale given on the command line, and saves a PNG of each window: uishots <folder> <mag> <name prefix>.
#include <windows.h>

#include <commctrl.h>
#include <objidl.h>

#include <gdiplus.h>

#include <cstdio>
#include <cwchar>
#include <functional>
#include <string>

#include "app/CatalogKeys.h"
#include "app/LanguageCode.h"
#include "app/TextCatalog.h"
#include "ui/CCustomMessageBox.h"
#include "ui/CCustomMessageBox2.h"
#include "ui/CCustomMessageBox2Btn.h"
#include "ui/CCustomMessageBox2Btn2.h"
#include "secure/CEnterPasswordDlg.h"
#include "secure/CModifyPasswordDlg.h"
#include "ui/CSetRange.h"
#include "ui/SkinImage.h"

namespace {

constexpr UINT kTickMs = 50;
constexpr int kTicksBeforeCapture = 12; // let the window show and paint completely
constexpr CLSID kPngEncoder = {0x557cf406, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};

std::wstring pendingFile;
int ticks = 0;

HWND shownDialog()
{
    HWND found = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM context) -> BOOL {
            wchar_t className[16] = {};
            GetClassNameW(window, className, 16);
            if (std::wstring(className) == L"#32770" && IsWindowVisible(window))
                *reinterpret_cast<HWND*>(context) = window;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// The window as it appears on the screen, frame included.
bool saveWindow(HWND window, const std::wstring& file)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    const HDC screen = GetDC(nullptr);
    const HDC memory = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    const HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    SelectObject(memory, previous);
    bool saved = false;
    {
        Gdiplus::Bitmap image(bitmap, nullptr);
        saved = image.Save(file.c_str(), &kPngEncoder, nullptr) == Gdiplus::Ok;
    }
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return saved;
}

void CALLBACK onTick(HWND, UINT, UINT_PTR, DWORD)
{
    const HWND dialog = shownDialog();
    if (!dialog || ++ticks < kTicksBeforeCapture)
        return;
    if (!saveWindow(dialog, pendingFile))
        std::fwprintf(stderr, L"could not save %ls\n", pendingFile.c_str());
    EndDialog(dialog, 0);
}

void capture(const std::wstring& file, const std::function<void()>& show)
{
    pendingFile = file;
    ticks = 0;
    const UINT_PTR timer = SetTimer(nullptr, 0, kTickMs, onTick);
    show();
    KillTimer(nullptr, timer);
    std::wprintf(L"%ls\n", file.c_str());
}

} // namespace

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
        capture(base + single.name + L".png", [&] {
            yk::CCustomMessageBox box(mag);
            box.setContent(single.kind, loadCatalogText(single.message), ok);
            box.runModal(nullptr);
        });
    }
    capture(base + L"box2-folder-failure.png", [&] {
        yk::CCustomMessageBox2 box(mag);
        box.setContent(yk::box2_kind::kFolderFailure, loadCatalogText(yk::IDS_CREATE_DIRECTORY_FAIL), examplePath, ok);
        box.runModal(nullptr);
    });
    capture(base + L"box2-folder-confirm.png", [&] {
        yk::CCustomMessageBox2 box(mag);
        box.setContent(yk::box2_kind::kFolderConfirm, loadCatalogText(yk::IDS_CHECK_BACKUP_PATH), examplePath, ok);
        box.runModal(nullptr);
    });
    capture(base + L"box2btn-eject.png", [&] {
        yk::CCustomMessageBox2Btn box(mag);
        box.setContent(loadCatalogText(yk::IDS_CONFIRM_EJECT), loadCatalogText(yk::IDS_YES),
                       loadCatalogText(yk::IDS_NO));
        box.runModal(nullptr);
    });
    capture(base + L"box2btn2-range.png", [&] {
        yk::CCustomMessageBox2Btn2 box(mag);
        box.setContent(loadCatalogText(yk::IDS_RESTORE_DATE_RANGE), L"2024/3/7 ~ 2024/3/7",
                       loadCatalogText(yk::IDS_YES), loadCatalogText(yk::IDS_NO));
        box.runModal(nullptr);
    });
    capture(base + L"set-range.png", [&] {
        yk::CSetRange dialog(mag);
        dialog.runModal(nullptr);
    });
    capture(base + L"enter-password.png", [&] {
        yk::CEnterPasswordDlg dialog(mag);
        dialog.restoreMode = true;
        dialog.runModal(nullptr);
    });
    const yk::SettingsProfile scratch(L"Software\\YarrowkeepScreenshots");
    capture(base + L"modify-password.png", [&] {
        yk::CModifyPasswordDlg dialog(scratch, mag);
        dialog.runModal(nullptr);
    });
    return 0;
}
