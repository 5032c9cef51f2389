#include "secure/AutoBackupSwitches.h"

namespace yk {

AutoBackupValues withAutoBackupSwitch(AutoBackupValues values, bool on)
{
    values.autoBackup = on ? 1 : 0;
    if (!on)
        values.secureBackup = 0;
    return values;
}

AutoBackupValues withSecureBackupSwitch(AutoBackupValues values, bool on)
{
    values.secureBackup = on ? 1 : 0;
    if (on)
        values.autoBackup = 1;
    return values;
}

bool pageSwitchChecked(AutoBackupValues values, bool encrypted)
{
    return values.autoBackup != 0 && (!encrypted || values.secureBackup != 0);
}

AutoBackupValues withPageSwitch(AutoBackupValues values, bool checked, bool encrypted)
{
    if (!checked)
        return {0, 0};
    values.autoBackup = 1;
    if (encrypted)
        values.secureBackup = 1;
    return values;
}

} // namespace yk
