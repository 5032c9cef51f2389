// Shows the progress dialog and the result dialogs of the runs in the UI language of the session and saves a
// PNG of each window: runshots <folder> <name prefix>.
#include <windows.h>

#include <commctrl.h>
#include <cstdio>
#include <string>

#include "base/CatalogKeys.h"
#include "base/LanguageCode.h"
#include "base/TextCatalog.h"
#include "backup/CopyDialogs.h"
#include "device/Win32DeviceHost.h"
#include "ui/SkinImage.h"
#include "WindowCapture.h"

namespace {

void pumpFor(DWORD milliseconds)
{
    const ULONGLONG end = GetTickCount64() + milliseconds;
    while (GetTickCount64() < end) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(10);
    }
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 3) {
        std::fwprintf(stderr, L"usage: runshots <folder> <name prefix>\n");
        return 2;
    }
    const std::wstring base = std::wstring(argv[1]) + L"\\" + argv[2] + L"-";
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    yk::languageCode = yk::languageCodeFor(GetUserDefaultUILanguage());
    const yk::GdiplusSession session;

    yk::RunState run;
    yk::Win32DeviceHost host;
    yk::CopyDialogs dialogs(nullptr, run, host, 1.0f, [] {});

    const struct {
        const wchar_t* name;
        yk::RunKind kind;
        const wchar_t* target;
    } progresses[] = {
        {L"progress-backup", yk::RunKind::NormalBackup, nullptr},
        {L"progress-restore", yk::RunKind::NormalRestore, L"Documents"},
        {L"progress-encrypted-backup", yk::RunKind::EncryptedBackup, nullptr},
        {L"progress-decrypt-restore", yk::RunKind::DecryptRestore, L"Documents"},
    };
    for (const auto& shown : progresses) {
        dialogs.openCopyProgress(shown.kind);
        // A backup shows the card folder of its kind; a restore the PC folder.
        const std::wstring target =
            shown.target ? shown.target
                         : yk::loadCatalogText(shown.kind == yk::RunKind::EncryptedBackup ? yk::IDS_ENCRYPT_BACKUP
                                                                                          : yk::IDS_NORMAL_BACKUP);
        dialogs.setProgressTarget(target);
        dialogs.setProgressTotalBytes(12 * 1048576 + 524288);
        dialogs.updateProgressCounts({12, 5, 1, 3, 0, 0});
        dialogs.updateProgressBytes(3 * 1048576 + 524288);
        pumpFor(600);
        if (dialogs.progress())
            yk::shots::saveWindow(dialogs.progress()->hwnd(), base + shown.name + L".png");
        dialogs.closeCopyProgress();
    }

    const struct {
        const wchar_t* name;
        yk::RunKind kind;
        yk::RunStatus status;
        yk::RunCounts counts;
    } results[] = {
        {L"result-backup-complete", yk::RunKind::NormalBackup, yk::RunStatus::Complete, {12, 12, 2, 10, 0, 0}},
        {L"result-backup-fail", yk::RunKind::NormalBackup, yk::RunStatus::Fail, {12, 7, 2, 4, 1, 0}},
        {L"result-backup-no-items", yk::RunKind::NormalBackup, yk::RunStatus::Complete, {12, 12, 12, 0, 0, 0}},
        {L"result-restore-cancel", yk::RunKind::NormalRestore, yk::RunStatus::Cancel, {10, 6, 2, 3, 1, 0}},
        {L"result-restore-complete", yk::RunKind::NormalRestore, yk::RunStatus::Complete, {3, 3, 0, 3, 0, 0}},
        {L"result-restore-no-items", yk::RunKind::NormalRestore, yk::RunStatus::Complete, {}},
        {L"result-encrypted-backup-complete",
         yk::RunKind::EncryptedBackup,
         yk::RunStatus::Complete,
         {12, 12, 2, 10, 0, 0}},
        {L"result-decrypt-restore-wrong-password",
         yk::RunKind::DecryptRestore,
         yk::RunStatus::Complete,
         {4, 4, 0, 0, 0, 4}},
    };
    for (const auto& shown : results)
        yk::shots::captureModal(base + shown.name + L".png",
                                [&] { dialogs.showRunResult(shown.kind, shown.status, shown.counts); });
    return 0;
}
