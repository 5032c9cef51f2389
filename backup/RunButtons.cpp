#include "backup/RunButtons.h"

#include "backup/BackupRuns.h"
#include "device/SdAccess.h"

namespace yk {

void RunStarter::startRun(std::int32_t action)
{
    switch (static_cast<RunKind>(action)) {
    case RunKind::NormalBackup:
        runs_.normalBackupFunc();
        break;
    case RunKind::NormalRestore:
        runs_.normalRestoreFunc();
        break;
    case RunKind::EncryptedBackup:
        runs_.encryptBackupFunc();
        break;
    case RunKind::DecryptRestore:
        runs_.decryptRestoreFunc();
        break;
    }
}

void normalBackupButtonOnClick(SdAccess& sdAccess)
{
    sdAccess.startRunWhenSdReady(static_cast<std::int32_t>(RunKind::NormalBackup));
}

void normalRestoreButtonOnClick(SdAccess& sdAccess)
{
    sdAccess.startRunWhenSdReady(static_cast<std::int32_t>(RunKind::NormalRestore));
}

void encryptBackupButtonOnClick(SdAccess& sdAccess)
{
    sdAccess.startRunWhenSdReady(static_cast<std::int32_t>(RunKind::EncryptedBackup));
}

void encryptRestoreButtonOnClick(SdAccess& sdAccess)
{
    sdAccess.startRunWhenSdReady(static_cast<std::int32_t>(RunKind::DecryptRestore));
}

} // namespace yk
