// How the automatic-backup switches of the settings and backup/restore pages change "Auto Backup" and
// "Secure Backup". The invariant every switch keeps: "Secure Backup" is 1 only while "Auto Backup" is 1.
#pragma once

#include <cstdint>

namespace yk {

struct AutoBackupValues {
    std::int32_t autoBackup = 0;
    std::int32_t secureBackup = 0;
    bool operator==(const AutoBackupValues&) const = default;
};

// The settings page's Auto Backup switch, turned to `on`: off clears Secure Backup too.
AutoBackupValues withAutoBackupSwitch(AutoBackupValues values, bool on);
// The settings page's Secure Backup switch, turned to `on`: on turns Auto Backup on too.
AutoBackupValues withSecureBackupSwitch(AutoBackupValues values, bool on);

// The backup/restore page's switch in the normal (encrypted = false) or encrypted backup view.
bool pageSwitchChecked(AutoBackupValues values, bool encrypted);
// Checked: Auto Backup on, and Secure Backup too in the encrypted view (the normal view leaves it). Unchecked:
// both off, in either view.
AutoBackupValues withPageSwitch(AutoBackupValues values, bool checked, bool encrypted);

} // namespace yk
