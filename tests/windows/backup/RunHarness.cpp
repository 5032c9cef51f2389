#include "RunHarness.h"

#include <cstdio>

#include "device/Discovery.h"

namespace yk::test {

namespace {

std::string jsonText(const std::string& json, const std::string& name)
{
    const std::string key = "\"" + name + "\": \"";
    const auto at = json.find(key);
    if (at == std::string::npos)
        return {};
    return json.substr(at + key.size(), json.find('"', at + key.size()) - at - key.size());
}

constexpr wchar_t kNoticeWindowClass[] = L"YkBackupTestNotices";

} // namespace

int ScriptedPrompts::showMessage(int kind, const CatalogKey& text)
{
    messages.push_back({kind, text.english});
    return messageAnswer;
}

void ScriptedPrompts::showFolderMessage(const CatalogKey& title, const CatalogKey& body, const std::wstring& folder)
{
    folderMessages.push_back({title.english, body.english, folder});
}

std::optional<std::wstring> ScriptedPrompts::chooseFolder(const std::wstring& startFolder)
{
    pickerStarts.push_back(startFolder);
    if (folderAnswers.empty())
        return std::nullopt;
    auto answer = folderAnswers.front();
    folderAnswers.pop_front();
    return answer;
}

std::optional<std::pair<CalendarDate, CalendarDate>> ScriptedPrompts::chooseDateRange()
{
    ++rangeDialogs;
    if (rangeAnswers.empty())
        return std::nullopt;
    auto answer = rangeAnswers.front();
    rangeAnswers.pop_front();
    return answer;
}

std::optional<PasswordKey> ScriptedPrompts::askRestorePassword()
{
    ++passwordDialogs;
    if (passwordAnswers.empty())
        return std::nullopt;
    auto answer = passwordAnswers.front();
    passwordAnswers.pop_front();
    return answer;
}

bool ScriptedPrompts::shown(int kind, const CatalogKey& text) const
{
    for (const auto& message : messages)
        if (message.kind == kind && message.text == text.english)
            return true;
    return false;
}

void RecordingReporting::clear()
{
    onBytes = nullptr;
    onCounts = nullptr;
    opens = closes = 0;
    progressOpen = false;
    target.clear();
    totalBytes = lastBytes = 0;
    counts.clear();
    results.clear();
}

void RecordingReporting::openCopyProgress(RunKind kind)
{
    ++opens;
    progressOpen = true;
    progressKind = kind;
    target.clear();
}

void RecordingReporting::setProgressTarget(const std::wstring& name)
{
    target = name;
}

void RecordingReporting::setProgressTotalBytes(std::uint64_t total)
{
    totalBytes = total;
}

void RecordingReporting::updateProgressBytes(std::uint64_t bytesDone)
{
    lastBytes = bytesDone;
    host_.dispatchWaitingMessages();
    if (onBytes)
        onBytes(bytesDone);
}

void RecordingReporting::updateProgressCounts(const RunCounts& newCounts)
{
    counts.push_back(newCounts);
    if (onCounts)
        onCounts();
}

void RecordingReporting::closeCopyProgress()
{
    ++closes;
    progressOpen = false;
}

void RecordingReporting::showRunResult(RunKind kind, RunStatus status, const RunCounts& shownCounts)
{
    results.push_back({kind, status, shownCounts});
}

SimulatedCard::SimulatedCard() : host(simulatorAddress()), link("127.0.0.1", simulatorPort())
{
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = noticeProcedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kNoticeWindowClass;
    RegisterClassW(&windowClass);
    noticeWindow_ = CreateWindowW(kNoticeWindowClass, L"notices", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                  windowClass.hInstance, nullptr);
    SetWindowLongPtrW(noticeWindow_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

SimulatedCard::~SimulatedCard()
{
    if (noticeWindow_)
        DestroyWindow(noticeWindow_);
    link.control("plug");
    link.control("release");
}

LRESULT CALLBACK SimulatedCard::noticeProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* card = reinterpret_cast<SimulatedCard*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_DEVICECHANGE && card) {
        // The connection refresh of the main window.
        card->device.connected = findDevice(card->device, card->host);
        if (!card->device.connected)
            card->device.sdEnabled = false;
        return TRUE;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool SimulatedCard::reachable()
{
    return link.request("INFO").has_value();
}

std::string SimulatedCard::info()
{
    return link.request("INFO").value_or("");
}

bool SimulatedCard::attach()
{
    // A notice sent before this host subscribed would be lost: an unplug would never be seen.
    if (!waitFor([&] { return host.receivingNotices(); }))
        return false;
    for (const char* change : {"plug", "insert", "request 0", "other-port off", "refuse off", "drop off", "attach"})
        if (!link.control(change))
            return false;
    const std::string letterText = jsonText(info(), "letter");
    if (letterText.empty())
        return false;
    const wchar_t expected = static_cast<wchar_t>(letterText[0]);
    if (!waitFor([&] { return host.volumeAnswers(expected); }))
        return false;
    if (!waitFor([&] {
            device.connected = findDevice(device, host);
            return device.connected && device.driveLetter() == expected;
        }))
        return false;
    device.sdEnabled = true;
    device.sdPresent = true;
    return true;
}

bool SimulatedCard::unplug()
{
    if (!link.control("unplug"))
        return false;
    if (waitFor([&] { return !device.connected; }))
        return true;
    std::fprintf(stderr, "unplug: no notice; host subscribed: %d, device found now: %d, simulator: %s\n",
                 host.receivingNotices() ? 1 : 0, findDevice(device, host) ? 1 : 0, info().c_str());
    return false;
}

std::wstring SimulatedCard::folderBehindTheCard()
{
    std::string card = jsonText(info(), "card");
    std::wstring path = L"Z:";
    for (const char c : card)
        path.push_back(c == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(c)));
    return path;
}

void SpaceHost::setFree(wchar_t letter, std::uint64_t bytes)
{
    free_.emplace_back(static_cast<wchar_t>(towupper(letter)), bytes);
}

std::optional<DiskSpace> SpaceHost::diskSpace(wchar_t letter)
{
    if (onSpaceQuestion)
        onSpaceQuestion();
    for (auto it = free_.rbegin(); it != free_.rend(); ++it)
        if (it->first == towupper(letter))
            return DiskSpace{it->second * 2, it->second};
    return inner_.diskSpace(letter);
}

TestSettings::TestSettings()
    : root_(L"Software\\YarrowkeepTests\\backup-" + std::to_wstring(GetCurrentProcessId())),
      profile_(root_ + L"\\Yarrowkeep")
{
    RegDeleteTreeW(HKEY_CURRENT_USER, root_.c_str());
}

TestSettings::~TestSettings()
{
    RegDeleteTreeW(HKEY_CURRENT_USER, root_.c_str());
}

CardRunTest::CardRunTest()
    : names{L"YKTEST" + std::to_wstring(GetCurrentProcessId()), L"tester"},
      runs(RunContext{run, card.device, host, settings.profile(), names, restoreChoice, prompts, reporting, shell})
{
}

void CardRunTest::SetUp()
{
    ASSERT_TRUE(card.reachable()) << "the simulator server is not running";
    ASSERT_TRUE(card.attach()) << "the card never became a drive";
    ASSERT_TRUE(removeTree(card.root() + L"YarrowkeepCross\\" + names.computerName));
    ASSERT_TRUE(setBackupDirectory(settings.profile(), pc.path()));
}

void CardRunTest::TearDown()
{
    if (!card.device.connected)
        card.attach();
    removeTree(card.root() + L"YarrowkeepCross\\" + names.computerName);
}

std::wstring CardRunTest::cardBackupFolder() const
{
    return card.root() + L"YarrowkeepCross\\" + names.computerName + L"\\" + names.userName + L"\\Normal Backup";
}

std::wstring CardRunTest::cardBackupFolderBehindTheCard()
{
    return card.folderBehindTheCard() + L"\\YarrowkeepCross\\" + names.computerName + L"\\" + names.userName +
           L"\\Normal Backup";
}

ShownResult CardRunTest::onlyResult() const
{
    EXPECT_EQ(reporting.results.size(), 1u);
    return reporting.results.empty() ? ShownResult{RunKind::NormalBackup, RunStatus::Fail, {}}
                                     : reporting.results.back();
}

} // namespace yk::test
