#include <gtest/gtest.h>

#include "secure/AutoBackupSwitches.h"
#include "secure/AutoLaunchPath.h"

namespace yk {
namespace {

TEST(AutoBackupSwitches, SettingsPageKeepsSecureOnlyWithAuto)
{
    struct Case {
        AutoBackupValues before;
        bool autoSwitch; // which switch: Auto Backup (true) or Secure Backup (false)
        bool on;
        AutoBackupValues after;
    };
    const Case cases[] = {
        {{0, 0}, true, true, {1, 0}},                                  // Auto on leaves Secure off
        {{1, 1}, true, false, {0, 0}},                                 // Auto off takes Secure with it
        {{1, 0}, true, false, {0, 0}},  {{0, 0}, false, true, {1, 1}}, // Secure on while Auto is off turns both on
        {{1, 1}, false, false, {1, 0}},                                // Secure off leaves Auto on
        {{1, 0}, false, true, {1, 1}},
    };
    for (const auto& c : cases) {
        const AutoBackupValues after =
            c.autoSwitch ? withAutoBackupSwitch(c.before, c.on) : withSecureBackupSwitch(c.before, c.on);
        EXPECT_EQ(after, c.after) << c.before.autoBackup << c.before.secureBackup << c.autoSwitch << c.on;
    }
}

TEST(AutoBackupSwitches, BackupRestorePageSwitch)
{
    // What the switch shows in the normal and the encrypted backup view.
    EXPECT_TRUE(pageSwitchChecked({1, 0}, false));
    EXPECT_FALSE(pageSwitchChecked({1, 0}, true));
    EXPECT_TRUE(pageSwitchChecked({1, 1}, true));
    EXPECT_FALSE(pageSwitchChecked({0, 1}, false)); // an inconsistent profile shows off
    EXPECT_FALSE(pageSwitchChecked({0, 0}, true));

    // Checking in the normal view keeps an earlier Secure Backup: the next automatic backup is encrypted.
    EXPECT_EQ(withPageSwitch({0, 1}, true, false), (AutoBackupValues{1, 1}));
    EXPECT_EQ(withPageSwitch({0, 0}, true, false), (AutoBackupValues{1, 0}));
    EXPECT_EQ(withPageSwitch({1, 0}, true, true), (AutoBackupValues{1, 1}));
    // Unchecking either clears both.
    EXPECT_EQ(withPageSwitch({1, 1}, false, false), (AutoBackupValues{0, 0}));
    EXPECT_EQ(withPageSwitch({1, 1}, false, true), (AutoBackupValues{0, 0}));
}

TEST(AutoLaunchPath, OnlyProgramsBelowProgramFilesRegisterAQuotedUpperCasePath)
{
    EXPECT_EQ(upperCaseAscii(L"c:\\Program Files\\Yarrowkeep\\yarrowkeep.exe"),
              L"C:\\PROGRAM FILES\\YARROWKEEP\\YARROWKEEP.EXE");
    EXPECT_EQ(upperCaseAscii(L"c:\\users\\anna\\下載\\ß.exe"), L"C:\\USERS\\ANNA\\下載\\ß.EXE");

    struct Case {
        const wchar_t* program;
        const wchar_t* programFiles;
        bool installed;
    };
    const Case cases[] = {
        {L"C:\\PROGRAM FILES\\YARROWKEEP\\YARROWKEEP.EXE", L"C:\\PROGRAM FILES", true},
        {L"C:\\PROGRAM FILES (X86)\\YARROWKEEP\\YARROWKEEP.EXE", L"C:\\PROGRAM FILES", true},
        {L"C:\\USERS\\ANNA\\DOWNLOADS\\YARROWKEEP.EXE", L"C:\\PROGRAM FILES", false},
        {L"D:\\C:\\PROGRAM FILES\\YARROWKEEP.EXE", L"C:\\PROGRAM FILES", false}, // only at the start
        {L"C:\\PROGRAM FILES\\YARROWKEEP.EXE", L"", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(isInstalledProgram(c.program, c.programFiles), c.installed);

    EXPECT_EQ(autoLaunchCommand(L"C:\\PROGRAM FILES\\YARROWKEEP\\YARROWKEEP.EXE"),
              L"\"C:\\PROGRAM FILES\\YARROWKEEP\\YARROWKEEP.EXE\"");
}

} // namespace
} // namespace yk
