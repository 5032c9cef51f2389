// The run buttons of the main window: they go through the SD card access control, which starts the run at
// once or once the card's volume answers.
#pragma once

#include <cstdint>

#include "device/SdAccessPorts.h"

namespace yk {

class BackupRuns;
class SdAccess;

// The runs as the SD card access control starts them.
class RunStarter final : public SdAccessRuns {
public:
    explicit RunStarter(BackupRuns& runs) : runs_(runs) {}

    // 0 normal backup, 1 normal restore, 2 encrypted backup, 3 decrypting restore.
    void startRun(std::int32_t action) override;

private:
    BackupRuns& runs_;
};

// Command 1091.
void normalBackupButtonOnClick(SdAccess& sdAccess);
// Command 1092.
void normalRestoreButtonOnClick(SdAccess& sdAccess);
// Command 1093.
void encryptBackupButtonOnClick(SdAccess& sdAccess);
// Command 1094.
void encryptRestoreButtonOnClick(SdAccess& sdAccess);

} // namespace yk
