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
#include "device/CDeviceInfoDlg.h"
#include "device/CDeviceOtherInfoDlg.h"
#include "support/FakeDeviceHost.h"
#include "ui/SkinImage.h"
#include "update/CAutoUpdateDlg.h"
#include "update/VersionFile.h"
#include "update_ids.h"
#include "WindowCapture.h"

using yk::shots::captureModal;

namespace {

// A device that describes itself as the simulated one does: its information page, its record chain and
// two ports' samples.
std::optional<std::uint8_t> describeDevice(const yk::ScsiCommand& command, std::span<std::uint8_t> reply)
{
    std::fill(reply.begin(), reply.end(), std::uint8_t{0});
    const auto put = [&](std::size_t at, std::string_view bytes) {
        for (std::size_t i = 0; i < bytes.size() && at + i < reply.size(); ++i)
            reply[at + i] = static_cast<std::uint8_t>(bytes[i]);
    };
    if (command.block[1] == 0x2C && reply.size() >= 128) {
        put(0, "\x55\xAA\xBB");
        put(6, "\x01\x23\x45\x67\x89\xAB");
        put(16, "\x55\xAA\xBB\x56\x03");
        reply[26] = 0x0A;
        const std::string_view model = "Yarrowkeep Dock";
        reply[27] = static_cast<std::uint8_t>(model.size() + 1);
        put(28, model);
        const std::size_t k = 27 + reply[27];
        reply[k] = 1;
        const std::size_t q = k + 1;
        put(q, "\x59\x4B\x30\x31");
        put(q + 7, "TW001");
        unsigned sum = 0;
        for (std::size_t i = 0; i < 126; ++i)
            sum += reply[i];
        reply[126] = static_cast<std::uint8_t>(sum >> 8);
        reply[127] = static_cast<std::uint8_t>(sum);
    } else if (command.block[1] == 0xA0 && reply.size() >= 512) {
        reply[16] = 0x21;
        std::size_t start = (reply[16] + 15) % 256;
        for (const std::string_view text : {"Yarrowkeep Dock", "Yarrowkeep", "", "1.4.2", "REV B"}) {
            reply[start + 1] = static_cast<std::uint8_t>(4 + text.size() + 1);
            put(start + 4, text);
            start = (start + 4 + text.size() + 1) % 256;
        }
    } else if (command.block[1] == 0xB3 && reply.size() >= 4) {
        put(0, command.block[2] == 0 ? "\x13\xCE\x01\xA4" : "\x13\x74\x03\x52");
    }
    return std::uint8_t{0};
}

} // namespace

// Starts the download of the update dialog that is showing, once, as a click on Update would.
void CALLBACK clickUpdate(HWND, UINT, UINT_PTR timer, DWORD)
{
    const HWND dialog = yk::shots::shownDialog();
    if (!dialog)
        return;
    KillTimer(nullptr, timer);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_UPDATE_LEFT_TEXT, STN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_UPDATE_LEFT_TEXT)));
}

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
    yk::test::FakeDeviceHost host;
    host.device = describeDevice;
    yk::DeviceState device;
    device.connected = true;
    yk::VendorCommands commands(device, host);
    captureModal(base + L"device-information.png", [&] {
        yk::CDeviceInfoDlg dialog(commands, mag, L"1.0.0");
        dialog.runModal(nullptr);
    });
    captureModal(base + L"voltage-current.png", [&] {
        yk::CDeviceOtherInfoDlg dialog(commands, mag);
        dialog.runModal(nullptr);
    });
    // The update offer, and the same dialog a moment into a download from the update server that
    // YARROWKEEP_UPDATE_URL names (take.sh starts a slow loopback one).
    wchar_t temporary[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temporary);
    const std::wstring scratchFolder = std::wstring(temporary) + L"yk-uishots-update";
    CreateDirectoryW(scratchFolder.c_str(), nullptr);
    yk::UpdateOffer offer{L"110", L"Yarrowkeep_Setup_shots.exe", L"0123456789abcdef0123456789abcdef",
                          yk::versionLine(loadCatalogText(yk::IDS_CURRENT_VERSION), "100\n",
                                          loadCatalogText(yk::IDS_NEW_VERSION_LABEL), "110")};
    captureModal(base + L"update-offer.png", [&] {
        yk::CAutoUpdateDlg dialog(mag, scratchFolder);
        dialog.setUpdateOffer(offer);
        dialog.promptAndInstall(nullptr);
    });
    if (GetEnvironmentVariableW(L"YARROWKEEP_UPDATE_URL", nullptr, 0) != 0) {
        captureModal(base + L"update-download.png", [&] {
            yk::CAutoUpdateDlg dialog(mag, scratchFolder);
            dialog.setUpdateOffer(offer);
            SetTimer(nullptr, 0, 50, clickUpdate);
            dialog.promptAndInstall(nullptr);
        });
    }
    const yk::SettingsProfile scratch(L"Software\\YarrowkeepScreenshots");
    captureModal(base + L"modify-password.png", [&] {
        yk::CModifyPasswordDlg dialog(scratch, mag);
        dialog.runModal(nullptr);
    });
    return 0;
}
