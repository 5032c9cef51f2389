// Everything an engine test runs a backup or restore with: scripted prompts, recorded progress and result,
// the simulated card as a real drive letter, a PC folder and settings of its own.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "support/TestFiles.h"
#include "backup/BackupRuns.h"
#include "device/SimulatedDeviceHost.h"
#include "support/ForwardingHost.h"
#include "support/SimulatorSupport.h"

namespace yk::test {

struct ShownMessage {
    int kind;
    std::uint16_t text; // the English string id of the catalog key
};

struct FolderMessage {
    std::uint16_t title;
    std::uint16_t body;
    std::wstring folder;
};

// Answers every prompt from a script and keeps what was asked.
class ScriptedPrompts final : public RunPrompts {
public:
    int showMessage(int kind, const CatalogKey& text) override;
    void showFolderMessage(const CatalogKey& title, const CatalogKey& body, const std::wstring& folder) override;
    std::optional<std::wstring> chooseFolder(const std::wstring& startFolder) override;
    std::optional<std::pair<CalendarDate, CalendarDate>> chooseDateRange() override;
    std::optional<PasswordKey> askRestorePassword() override;

    bool shown(int kind, const CatalogKey& text) const;

    std::vector<ShownMessage> messages;
    std::vector<FolderMessage> folderMessages;
    int messageAnswer = 1;
    std::deque<std::optional<std::wstring>> folderAnswers; // nothing left: the picker is cancelled
    std::vector<std::wstring> pickerStarts;
    std::deque<std::optional<std::pair<CalendarDate, CalendarDate>>> rangeAnswers;
    int rangeDialogs = 0;
    std::deque<std::optional<PasswordKey>> passwordAnswers; // nothing left: the dialog is cancelled
    int passwordDialogs = 0;
};

struct ShownResult {
    RunKind kind;
    RunStatus status;
    RunCounts counts;
};

// Keeps what the run reported, handles the waiting window messages where the progress dialog would, and
// lets a test act in the middle of a run.
class RecordingReporting final : public RunReporting {
public:
    explicit RecordingReporting(DeviceHost& host) : host_(host) {}

    void openCopyProgress(RunKind kind) override;
    void setProgressTarget(const std::wstring& name) override;
    void setProgressTotalBytes(std::uint64_t totalBytes) override;
    void updateProgressBytes(std::uint64_t bytesDone) override;
    void updateProgressCounts(const RunCounts& counts) override;
    void closeCopyProgress() override;
    void showRunResult(RunKind kind, RunStatus status, const RunCounts& counts) override;

    // Forgets what was recorded, for the next run of a test.
    void clear();

    std::function<void(std::uint64_t bytesDone)> onBytes;
    // Called at every count update: once before each file.
    std::function<void()> onCounts;
    int opens = 0;
    int closes = 0;
    bool progressOpen = false;
    RunKind progressKind = RunKind::NormalBackup;
    std::wstring target;
    std::uint64_t totalBytes = 0;
    std::uint64_t lastBytes = 0;
    std::vector<RunCounts> counts;
    std::vector<ShownResult> results;

private:
    DeviceHost& host_;
};

class RecordingShell final : public RunShell {
public:
    void openSettingsPage() override { ++settingsOpened; }
    void setEjectButtonsEnabled(bool enabled) override { ejectButtons.push_back(enabled); }

    int settingsOpened = 0;
    std::vector<bool> ejectButtons;
};

// The simulated accessory with its card attached to the PC: the card is a real drive letter. Device notices
// reach a window of the test thread, which refreshes `connected` as the main window does.
class SimulatedCard {
public:
    SimulatedCard();
    ~SimulatedCard();
    SimulatedCard(const SimulatedCard&) = delete;
    SimulatedCard& operator=(const SimulatedCard&) = delete;

    // Plugs the device in, attaches the card and waits until its volume answers and discovery found it.
    bool attach();
    // Pulls the cable and waits until the device notice cleared `connected`.
    bool unplug();

    bool reachable();
    wchar_t letter() const { return device.driveLetter(); }
    std::wstring root() const { return std::wstring{letter(), L':', L'\\'}; }
    // The card folder through the Unix root, still readable while the device is unplugged.
    std::wstring folderBehindTheCard();

    SimulatedDeviceHost host;
    SimulatorLink link;
    DeviceState device;

private:
    static LRESULT CALLBACK noticeProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    std::string info();
    HWND noticeWindow_ = nullptr;
};

// A host whose free space can be set per drive letter; everything else is the inner host's.
class SpaceHost final : public ForwardingHost {
public:
    using ForwardingHost::ForwardingHost;
    void setFree(wchar_t letter, std::uint64_t bytes);
    // Every drive reports its real free space again.
    void clearFree() { free_.clear(); }
    std::optional<DiskSpace> diskSpace(wchar_t letter) override;

    // Runs at every free-space question. A backup asks one for its target folder, then one for each file,
    // after it looked at the file and before it opens it.
    std::function<void()> onSpaceQuestion;
    // The file system every volume reports when set ("FAT32"); the inner host's otherwise.
    std::wstring fileSystem;
    std::wstring fileSystemName(wchar_t letter) override
    {
        return fileSystem.empty() ? inner_.fileSystemName(letter) : fileSystem;
    }

private:
    std::vector<std::pair<wchar_t, std::uint64_t>> free_;
};

// Settings under a registry key of the test's own, removed afterwards.
class TestSettings {
public:
    TestSettings();
    ~TestSettings();
    TestSettings(const TestSettings&) = delete;
    TestSettings& operator=(const TestSettings&) = delete;
    const SettingsProfile& profile() const { return profile_; }

private:
    std::wstring root_;
    SettingsProfile profile_;
};

// A run against the simulated card: the engine with scripted ports, a PC backup folder, and this test's
// own folder on the card (removed before and after).
class CardRunTest : public ::testing::Test {
protected:
    CardRunTest();
    void SetUp() override;
    void TearDown() override;

    // The plain backup folder of this test on the card, and the same folder behind the card.
    std::wstring cardBackupFolder() const;
    std::wstring cardBackupFolderBehindTheCard();
    ShownResult onlyResult() const;

    SimulatedCard card;
    SpaceHost host{card.host};
    ScratchFolder pc{L"pc"};
    TestSettings settings;
    IdentityNames names;
    RunState run;
    std::int32_t restoreChoice = 0;
    ScriptedPrompts prompts;
    RecordingReporting reporting{card.host};
    RecordingShell shell;
    BackupRuns runs;
};

} // namespace yk::test
