#include <gtest/gtest.h>

#include <windows.h>

#include "secure/SettingsStore.h"
#include "secure/StoredPassword.h"

namespace yk {
namespace {

const std::wstring kTestKey = L"Software\\YarrowkeepTests\\Settings";

class SettingsStore : public ::testing::Test {
protected:
    void SetUp() override { RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey.c_str()); }
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey.c_str()); }

    SettingsProfile profile{kTestKey};
    Settings settings{profile};
};

TEST_F(SettingsStore, MissingValuesReadAsTheirDefaults)
{
    EXPECT_EQ(settings.autoBackup.get(), 0);
    EXPECT_EQ(settings.appInitialSetup.get(), 0);
    EXPECT_EQ(settings.directory.get(), L"");
    EXPECT_EQ(settings.autoCheckUpdate.get(), L"");
    EXPECT_FALSE(settings.password.get());
    PasswordKey key;
    key.bytes.fill(0x11);
    EXPECT_FALSE(readDefaultPassword(profile, key));
    EXPECT_EQ(key.bytes[0], 0x11);
}

TEST_F(SettingsStore, ValuesAreWrittenThroughUnderTheirNamesAndTypes)
{
    ASSERT_TRUE(setBackupDirectory(profile, L"C:\\users\\anna\\文件"));
    ASSERT_TRUE(settings.autoBackup.set(1));
    ASSERT_TRUE(settings.secureBackup.set(1));
    EXPECT_EQ(getBackupDirectory(profile), L"C:\\users\\anna\\文件");
    EXPECT_EQ(Settings(profile).autoBackup.get(), 1); // another reader sees it at once

    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof value;
    ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, kTestKey.c_str(), L"Secure Backup", RRF_RT_ANY, &type, &value, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(value, 1u);
    wchar_t text[64] = {};
    size = sizeof text;
    ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, kTestKey.c_str(), L"Directory", RRF_RT_ANY, &type, text, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
}

TEST_F(SettingsStore, DefaultPasswordIsStoredScrambledAndReadBack)
{
    const auto key = makePasswordKey("hunter2");
    ASSERT_TRUE(key);
    ASSERT_TRUE(writeDefaultPassword(profile, *key));
    const auto stored = settings.password.get();
    ASSERT_TRUE(stored);
    ASSERT_EQ(stored->size(), 32u);
    for (std::size_t i = 0; i < 32; ++i)
        EXPECT_EQ((*stored)[i], key->bytes[i] ^ static_cast<std::uint8_t>(kScramblePhrase[i % 29])) << i;
    PasswordKey read;
    ASSERT_TRUE(readDefaultPassword(profile, read));
    EXPECT_EQ(read, *key);

    // An empty value means no password.
    ASSERT_TRUE(settings.password.set({}));
    EXPECT_FALSE(readDefaultPassword(profile, read));
}

TEST_F(SettingsStore, AValueOfAnotherTypeReadsAsItsDefault)
{
    ASSERT_TRUE(profile.writeString(L"Auto Backup", L"1"));
    EXPECT_EQ(settings.autoBackup.get(), 0);
    ASSERT_TRUE(profile.writeInt(L"Directory", 5));
    EXPECT_EQ(settings.directory.get(), L"");
}

TEST(SettingsProfileLocation, FollowsTheExecutableName)
{
    EXPECT_EQ(SettingsProfile().sectionKey(),
              L"Software\\Local AppWizard-Generated Applications\\windows_settings_tests\\Yarrowkeep");
}

} // namespace
} // namespace yk
