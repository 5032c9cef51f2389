// The update check and the installer download against the loopback update server (tools/updateserver), which
// CTest starts. Each test puts its server files under a case name of its own; the first segment of the base
// URL tells the server how to answer.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "support/BoxDriver.h"
#include "support/TestFiles.h"
#include "update/CAutoUpdateDlg.h"
#include "update/Md5File.h"
#include "update/UpdateCheck.h"
#include "update_ids.h"

namespace yk {
namespace {

using test::ScratchFolder;

const std::wstring kTestKey = L"Software\\YarrowkeepTests\\Update";
const std::wstring kServerFolderOnDisk = L"Upload\\download\\Yarrowkeep Server Data\\";

std::wstring environment(const wchar_t* name)
{
    wchar_t value[1024] = {};
    const DWORD length = GetEnvironmentVariableW(name, value, 1024);
    return length > 0 && length < 1024 ? std::wstring(value, length) : std::wstring();
}

// A Linux path of the host as this prefix sees it.
std::wstring hostPath(std::wstring path)
{
    for (auto& c : path)
        if (c == L'/')
            c = L'\\';
    return L"Z:" + path;
}

// The server's home, as this prefix sees the host's folder.
std::wstring serverHome()
{
    return hostPath(environment(L"YK_UPDATE_HOME"));
}

std::wstring port(const wchar_t* name, const wchar_t* fallback)
{
    const std::wstring value = environment(name);
    return value.empty() ? fallback : value;
}

std::wstring httpBase(const std::wstring& behaviour, const std::wstring& caseName)
{
    return L"http://127.0.0.1:" + port(L"YK_UPDATE_PORT", L"47690") + L"/" + behaviour + L"/" + caseName;
}

std::wstring wide(const std::string& ascii)
{
    return {ascii.begin(), ascii.end()};
}

std::vector<std::uint8_t> bytesOf(const std::string& text)
{
    return {text.begin(), text.end()};
}

std::string versionFile(const std::string& version, const std::string& name, const std::string& md5)
{
    return "[Yarrowkeep Version]\r\n" + version + "\r\n[Yarrowkeep File]\r\n" + name + "\r\n[Yarrowkeep File MD5]\r\n" +
           md5 + "\r\n";
}

// How many requests the server has logged for a case, ever: the log outlives the test runs.
int requestsLoggedFor(const std::wstring& caseName)
{
    std::ifstream log(std::filesystem::path(serverHome() + L"\\requests.log"));
    const std::string needle = "/" + test::narrow(caseName) + "/";
    int count = 0;
    for (std::string line; std::getline(log, line);)
        if (line.find(needle) != std::string::npos)
            ++count;
    return count;
}

class UpdateServerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(environment(L"YK_UPDATE_HOME").empty()) << "the test server's home is not set";
        RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey.c_str());
        caseName_ = wide(::testing::UnitTest::GetInstance()->current_test_info()->name());
        test::removeTree(caseFolder());
        requestsBefore_ = requestsLoggedFor(caseName_);
    }
    void TearDown() override
    {
        RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey.c_str());
        test::removeTree(caseFolder());
    }

    // The requests for this case since the test began.
    int requestsFor(const std::wstring& caseName) const { return requestsLoggedFor(caseName) - requestsBefore_; }

    std::wstring caseFolder() const { return serverHome() + L"\\files\\" + caseName_; }
    void serve(const std::wstring& name, const std::vector<std::uint8_t>& bytes) const
    {
        test::writeFile(caseFolder() + L"\\" + kServerFolderOnDisk + name, bytes);
    }
    void serveVersionFile(const std::string& text) const { serve(L"Yarrowkeep_Version.bin", bytesOf(text)); }

    UpdateCheckInputs inputs(const std::wstring& behaviour, FileVersion own = {1, 1, 0, 0}) const
    {
        return UpdateCheckInputs{own, program_.path(), httpBase(behaviour, caseName_), {2026, 12, 11, 9, 30, 0}};
    }
    std::optional<UpdateOffer> check(const std::wstring& behaviour, FileVersion own = {1, 1, 0, 0}) const
    {
        return checkForUpdate(profile_, inputs(behaviour, own));
    }

    std::wstring caseName_;
    int requestsBefore_ = 0;
    ScratchFolder program_{L"update-program"};
    SettingsProfile profile_{kTestKey};
};

// A version file announcing 110 against an own file version of 1.1.0.0 (own number 100).
const std::string kNewer = versionFile("110", "Yarrowkeep_Setup.exe", "0123456789abcdef0123456789abcdef");

TEST_F(UpdateServerTest, ANewerVersionIsOfferedAndTheVersionFileKeptBesideTheProgram)
{
    serveVersionFile(kNewer);
    const auto offer = check(L"ok");
    ASSERT_TRUE(offer.has_value());
    EXPECT_EQ(offer->serverVersion, L"110");
    EXPECT_EQ(offer->installerName, L"Yarrowkeep_Setup.exe");
    EXPECT_EQ(offer->md5, L"0123456789abcdef0123456789abcdef");
    EXPECT_NE(offer->versionLine.find(L" V100\n"), std::wstring::npos) << test::narrow(offer->versionLine);
    EXPECT_NE(offer->versionLine.find(L" V110"), std::wstring::npos);
    EXPECT_EQ(test::readFile(program_ / L"Yarrowkeep_Version.bin"), bytesOf(kNewer));
    EXPECT_EQ(Settings(profile_).autoCheckUpdate.get(), L"2026/12/11 09:30:00");
    EXPECT_EQ(requestsFor(caseName_), 1);
}

TEST_F(UpdateServerTest, TheSameOrAnOlderVersionIsNoOffer)
{
    serveVersionFile(versionFile("100", "setup.exe", "0123456789abcdef0123456789abcdef"));
    EXPECT_FALSE(check(L"ok", {1, 1, 0, 0}).has_value());
    RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey.c_str());
    EXPECT_FALSE(check(L"ok", {1, 2, 3, 4}).has_value()); // own 234
    EXPECT_EQ(requestsFor(caseName_), 2);
}

TEST_F(UpdateServerTest, ACheckAlreadyMadeTodayAsksNothingAndRewritesTheStamp)
{
    serveVersionFile(kNewer);
    Settings(profile_).autoCheckUpdate.set(L"2026/12/11 00:00:01");
    EXPECT_FALSE(check(L"ok").has_value());
    EXPECT_EQ(requestsFor(caseName_), 0);
    EXPECT_EQ(Settings(profile_).autoCheckUpdate.get(), L"2026/12/11 09:30:00");
    // Another day: the check runs.
    Settings(profile_).autoCheckUpdate.set(L"2026/12/10 23:59:59");
    EXPECT_TRUE(check(L"ok").has_value());
}

TEST_F(UpdateServerTest, BadAnswersAreNoOfferAndDoNotHang)
{
    serveVersionFile(kNewer);
    // A version file that names a newer release but is bigger than any version file is refused.
    const std::wstring behaviours[] = {L"status-404", L"status-500", L"status-302", L"truncated", L"longer",
                                       L"stall", L"stall-body"};
    for (const auto& behaviour : behaviours) {
        RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey.c_str());
        test::removeTree(program_ / L"Yarrowkeep_Version.bin");
        EXPECT_FALSE(check(behaviour).has_value()) << test::narrow(behaviour);
        EXPECT_FALSE(test::exists(program_ / L"Yarrowkeep_Version.bin")) << test::narrow(behaviour);
        EXPECT_TRUE(test::temporariesBelow(program_.path()).empty());
    }
}

TEST_F(UpdateServerTest, AnOversizedVersionFileIsRefused)
{
    std::string big = kNewer;
    big.append(70 * 1024, ' ');
    serveVersionFile(big);
    EXPECT_FALSE(check(L"ok").has_value());
    serveVersionFile(kNewer);
    RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey.c_str());
    EXPECT_TRUE(check(L"ok").has_value()); // the same server, a version file of a usual size
}

TEST_F(UpdateServerTest, AnUnparsableVersionFileIsNoOffer)
{
    serveVersionFile("[Yarrowkeep Version]\n110\n[Yarrowkeep File MD5]\nabc\n[Yarrowkeep File]\n");
    EXPECT_FALSE(check(L"ok").has_value());
}

TEST_F(UpdateServerTest, HostileInstallerNamesAreNoOffer)
{
    const std::string names[] = {"..\\evil.exe", "../evil.exe", "C:\\Windows\\evil.exe", "\\evil.exe",
                                 "sub/evil.exe", "CON", "nul.exe", "evil.exe:stream", ""};
    for (const auto& name : names) {
        RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey.c_str());
        serveVersionFile(versionFile("110", name, "0123456789abcdef0123456789abcdef"));
        EXPECT_FALSE(check(L"ok").has_value()) << name;
    }
}

TEST_F(UpdateServerTest, AnHttpsServerWithAnUntrustedCertificateIsNoOffer)
{
    serveVersionFile(kNewer);
    auto secure = inputs(L"ok");
    secure.baseUrl = L"https://localhost:" + port(L"YK_UPDATE_TLS_PORT", L"47691") + L"/ok/" + caseName_;
    EXPECT_FALSE(checkForUpdate(profile_, secure).has_value());
    EXPECT_FALSE(test::exists(program_ / L"Yarrowkeep_Version.bin"));
}

TEST(UpdateServerAddress, OnlyLoopbackOrHttpsOverridesTheBuiltInServer)
{
    const struct {
        const wchar_t* value;
        bool taken;
    } cases[] = {
        {L"http://127.0.0.1:47690/ok/x", true}, {L"https://updates.example.test", true},
        {L"http://updates.example.test", false}, {L"http://127.0.0.1@evil.test", false}, {L"", false},
    };
    wchar_t saved[1024] = {};
    const DWORD savedLength = GetEnvironmentVariableW(L"YARROWKEEP_UPDATE_URL", saved, 1024);
    SetEnvironmentVariableW(L"YARROWKEEP_UPDATE_URL", nullptr);
    const std::wstring builtIn = updateBaseUrl();
    EXPECT_EQ(builtIn.rfind(L"https://", 0), 0u);
    for (const auto& c : cases) {
        SetEnvironmentVariableW(L"YARROWKEEP_UPDATE_URL", c.value);
        EXPECT_EQ(updateBaseUrl(), c.taken ? std::wstring(c.value) : builtIn) << test::narrow(c.value);
    }
    SetEnvironmentVariableW(L"YARROWKEEP_UPDATE_URL", savedLength ? saved : nullptr);
}

class InstallerDownloadTest : public UpdateServerTest {
protected:
    UpdateOffer offer(const std::string& md5, const std::wstring& name = L"Yarrowkeep_Setup.exe") const
    {
        std::wstring wideMd5(md5.begin(), md5.end());
        return UpdateOffer{L"110", name, wideMd5, L""};
    }
    std::wstring installer() const { return program_ / L"Yarrowkeep_Setup.exe"; }

    const std::vector<std::uint8_t> setup_ = test::patternBytes(100 * 1024 + 17, "setup");
};

TEST_F(InstallerDownloadTest, AnInstallerAlreadyThereWithTheAnnouncedDigestIsNotAskedFor)
{
    test::writeFile(installer(), setup_);
    const auto digest = md5OfFile(installer());
    ASSERT_TRUE(digest.has_value());
    EXPECT_TRUE(prepareUpdate(offer(*digest), program_.path(), httpBase(L"ok", caseName_)));
    EXPECT_EQ(requestsFor(caseName_), 0);
}

TEST_F(InstallerDownloadTest, AWrongInstallerIsDownloadedAgainAndReplaced)
{
    serve(L"Yarrowkeep_Setup.exe", setup_);
    test::writeFile(installer(), test::patternBytes(5000, "stale"));
    ScratchFolder reference(L"update-reference");
    test::writeFile(reference / L"setup.exe", setup_);
    const auto digest = md5OfFile(reference / L"setup.exe");
    ASSERT_TRUE(digest.has_value());
    std::uint64_t lastProgress = 0;
    const auto progress = [&](std::uint64_t received, std::optional<std::uint64_t> length) {
        EXPECT_GT(received, lastProgress);
        EXPECT_EQ(length, setup_.size());
        lastProgress = received;
    };
    EXPECT_TRUE(prepareUpdate(offer(*digest), program_.path(), httpBase(L"ok", caseName_), progress));
    EXPECT_EQ(test::readFile(installer()), setup_);
    EXPECT_EQ(lastProgress, setup_.size());
    EXPECT_EQ(requestsFor(caseName_), 1);
}

TEST_F(InstallerDownloadTest, AnAnswerWithoutALengthIsTakenWholeAndCheckedByItsDigest)
{
    serve(L"Yarrowkeep_Setup.exe", setup_);
    ScratchFolder reference(L"update-reference");
    test::writeFile(reference / L"setup.exe", setup_);
    const std::string digest = md5OfFile(reference / L"setup.exe").value();
    bool lengthSeen = false;
    const auto progress = [&](std::uint64_t, std::optional<std::uint64_t> length) { lengthSeen |= length.has_value(); };
    EXPECT_TRUE(prepareUpdate(offer(digest), program_.path(), httpBase(L"nolength", caseName_), progress));
    EXPECT_FALSE(lengthSeen);
    EXPECT_EQ(test::readFile(installer()), setup_);
}

TEST_F(InstallerDownloadTest, ADownloadThatFailsOrDoesNotMatchNeverTakesTheInstallersName)
{
    serve(L"Yarrowkeep_Setup.exe", setup_);
    ScratchFolder reference(L"update-reference");
    test::writeFile(reference / L"setup.exe", setup_);
    const std::string digest = md5OfFile(reference / L"setup.exe").value();
    std::string upper = digest;
    for (auto& c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    ASSERT_NE(upper, digest);
    const struct {
        const wchar_t* behaviour;
        std::string md5;
    } cases[] = {
        {L"ok", upper},                                // the announced digest in capitals never matches
        {L"ok", "00000000000000000000000000000000"},   // nor does one that a failure might give
        {L"truncated", digest}, {L"longer", digest}, {L"status-404", digest}, {L"stall-body", digest},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(prepareUpdate(offer(c.md5), program_.path(), httpBase(c.behaviour, caseName_)))
            << test::narrow(c.behaviour);
        EXPECT_FALSE(test::exists(installer())) << test::narrow(c.behaviour);
        EXPECT_TRUE(test::temporariesBelow(program_.path()).empty());
        EXPECT_EQ(test::filesBelow(program_.path()).size(), 0u) << test::narrow(c.behaviour);
    }
}

TEST_F(InstallerDownloadTest, AHostileNameIsNeitherAskedForNorWritten)
{
    serve(L"Yarrowkeep_Setup.exe", setup_);
    ScratchFolder outside(L"update-outside");
    const std::wstring names[] = {L"..\\" + std::wstring(outside.path().substr(outside.path().rfind(L'\\') + 1)) +
                                      L"\\evil.exe",
                                  outside / L"evil.exe", L"..\\evil.exe", L"nul"};
    for (const auto& name : names) {
        EXPECT_FALSE(prepareUpdate(offer("0123456789abcdef0123456789abcdef", name), program_.path(),
                                   httpBase(L"ok", caseName_)));
    }
    EXPECT_EQ(requestsFor(caseName_), 0);
    EXPECT_TRUE(test::filesBelow(outside.path()).empty());
    EXPECT_TRUE(test::filesBelow(program_.path()).empty());
}

TEST_F(InstallerDownloadTest, ACancelledDownloadLeavesNothing)
{
    serve(L"Yarrowkeep_Setup.exe", setup_);
    ScratchFolder reference(L"update-reference");
    test::writeFile(reference / L"setup.exe", setup_);
    const std::string digest = md5OfFile(reference / L"setup.exe").value();
    std::atomic<bool> cancel{false};
    const auto progress = [&](std::uint64_t, std::optional<std::uint64_t>) { cancel = true; };
    EXPECT_FALSE(prepareUpdate(offer(digest), program_.path(), httpBase(L"slow", caseName_), progress, &cancel));
    EXPECT_TRUE(test::filesBelow(program_.path()).empty());
}

// The update dialog as a person uses it, against the server that YARROWKEEP_UPDATE_URL names.
class UpdateDialogTest : public InstallerDownloadTest {
protected:
    void SetUp() override
    {
        InstallerDownloadTest::SetUp();
        SetEnvironmentVariableW(L"YARROWKEEP_UPDATE_URL", httpBase(L"ok", caseName_).c_str());
    }
    void TearDown() override
    {
        SetEnvironmentVariableW(L"YARROWKEEP_UPDATE_URL", nullptr);
        InstallerDownloadTest::TearDown();
    }

    UpdatePromptResult prompt(const UpdateOffer& offered, test::BoxDriver& driver)
    {
        CAutoUpdateDlg dialog(1.0f, program_.path());
        dialog.setUpdateOffer(offered);
        UpdatePromptResult result = UpdatePromptResult::Declined;
        driver.run([&] {
            result = dialog.promptAndInstall(nullptr);
            return INT_PTR(0);
        });
        return result;
    }

    static test::BoxDriver::Step click(int control)
    {
        return [=](HWND dialog) { test::clickControl(dialog, control); };
    }
    // The platform's message box: its text is the static control 65535.
    static bool isMessageBox(HWND dialog) { return GetDlgItem(dialog, 0xFFFF) != nullptr; }
};

TEST_F(UpdateDialogTest, AnUpperCaseDigestEndsInDownloadFailed)
{
    serve(L"Yarrowkeep_Setup.exe", setup_);
    ScratchFolder reference(L"update-reference");
    test::writeFile(reference / L"setup.exe", setup_);
    std::string upper = md5OfFile(reference / L"setup.exe").value();
    for (auto& c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    std::wstring boxText;
    test::BoxDriver driver;
    driver.then(click(IDC_UPDATE_LEFT_TEXT)).when(isMessageBox, [&](HWND box) {
        boxText = test::controlText(box, 0xFFFF);
        test::postCommand(box, IDOK);
    });
    EXPECT_EQ(prompt(offer(upper), driver), UpdatePromptResult::Declined);
    EXPECT_EQ(boxText, L"Download failed. Please try again later.");
    EXPECT_EQ(requestsFor(caseName_), 1);
    EXPECT_TRUE(test::filesBelow(program_.path()).empty());
}

TEST_F(UpdateDialogTest, AVerifiedInstallerAlreadyThereStartsWithoutARequest)
{
    const std::wstring markInstaller = hostPath(environment(L"YK_MARK_INSTALLER"));
    ASSERT_TRUE(CopyFileW(markInstaller.c_str(), installer().c_str(), FALSE)) << test::narrow(markInstaller);
    const auto digest = md5OfFile(installer());
    ASSERT_TRUE(digest.has_value());
    test::BoxDriver driver;
    driver.then(click(IDC_UPDATE_LEFT_TEXT));
    EXPECT_EQ(prompt(offer(*digest), driver), UpdatePromptResult::InstallerStarted);
    EXPECT_EQ(requestsFor(caseName_), 0);
    const std::wstring mark = program_ / L"installer-ran.txt";
    for (int i = 0; i < 100 && !test::exists(mark); ++i)
        Sleep(100);
    ASSERT_TRUE(test::exists(mark)) << "the installer did not run";
    const auto ran = test::readFile(mark);
    EXPECT_NE(std::string(ran.begin(), ran.end()).find("Yarrowkeep_Setup.exe"), std::string::npos);
}

TEST_F(UpdateDialogTest, CancelStartsNothing)
{
    serve(L"Yarrowkeep_Setup.exe", setup_);
    test::BoxDriver driver;
    driver.then(click(IDC_UPDATE_RIGHT_TEXT));
    EXPECT_EQ(prompt(offer("0123456789abcdef0123456789abcdef"), driver), UpdatePromptResult::Declined);
    EXPECT_EQ(requestsFor(caseName_), 0);
    EXPECT_TRUE(test::filesBelow(program_.path()).empty());
}

TEST(Md5OfFile, KnownDigests)
{
    ScratchFolder folder(L"update-md5");
    const struct {
        std::string content;
        const char* digest;
    } cases[] = {
        {"", "d41d8cd98f00b204e9800998ecf8427e"},
        {"abc", "900150983cd24fb0d6963f7d28e17f72"},
        {"The quick brown fox jumps over the lazy dog", "9e107d9d372bb6826bd81d3542a419d6"},
        {std::string(1000000, 'a'), "7707d6ae4e027c70eea2a935c2296f21"}, // many 4096-byte chunks and a tail
    };
    for (const auto& c : cases) {
        test::writeFile(folder / L"file.bin", bytesOf(c.content));
        EXPECT_EQ(md5OfFile(folder / L"file.bin"), std::optional<std::string>(c.digest)) << c.content.size();
    }
    EXPECT_FALSE(md5OfFile(folder / L"missing.bin").has_value());
    EXPECT_FALSE(md5OfFile(folder.path()).has_value()); // a folder is not a file that can be read
}

} // namespace
} // namespace yk
