#include <gtest/gtest.h>

#include <string>

#include "update/InstallerName.h"

namespace yk {
namespace {

TEST(InstallerName, PlainNamesInTheFolderAreSafe)
{
    const std::string names[] = {
        "Yarrowkeep_Setup_1.2.3.exe",
        "setup.exe",
        "a",
        std::string(kInstallerNameLimit, 'x'),
        "CONSOLE.exe", // starts like a device name, is none
        "com10.exe",
        "LPT.exe",
        "nul_setup.exe",
        ".setup",
        "..setup",
        "set up (2).exe",
        "~!@#$%^&()_+-=[]{};',`.exe",
    };
    for (const auto& name : names)
        EXPECT_TRUE(isSafeInstallerName(name)) << '"' << name << '"';
}

TEST(InstallerName, NamesThatLeaveTheFolderOrAreNoPlainFileAreRefused)
{
    const std::string names[] = {
        // Other folders.
        "..\\evil.exe",
        "..",
        ".",
        "C:evil.exe",
        "C:\\Windows\\evil.exe",
        "\\\\server\\share\\x.exe",
        "\\evil.exe",
        "a/b.exe",
        "sub\\setup.exe",
        // Streams and devices.
        "setup.exe:stream",
        "CON",
        "con",
        "nul.exe",
        "Com1.txt",
        "LPT9.msi",
        "AUX.tar.gz",
        "prn.",
        "CONIN$",
        "conout$.exe",
        "NUL .exe",
        "com9",
        // What the file system would quietly trim.
        "setup.exe.",
        "setup.exe ",
        " setup.exe",
        // Length.
        "",
        std::string(kInstallerNameLimit + 1, 'x'),
        // Characters.
        "set\tup.exe",
        "set\x7Fup.exe",
        "set\xC3\xA9up.exe",
        "COM\xB9.exe",
        std::string("set\0up.exe", 10),
        "set?up.exe",
        "set*.exe",
        "<x>.exe",
        "a|b.exe",
        "\"a\".exe",
    };
    for (const auto& name : names)
        EXPECT_FALSE(isSafeInstallerName(name)) << '"' << name << '"';
}

} // namespace
} // namespace yk
