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
    case RunKind::DecryptRestore:
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

} // namespace yk
