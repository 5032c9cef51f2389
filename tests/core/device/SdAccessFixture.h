// SD access control against a scripted device, fake timers and a UI that records what it was asked to do.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "device/SdAccess.h"
#include "support/FakeDeviceHost.h"

namespace yk::test {

// The device's side of the SD commands. A status of nullopt means the command never gets through.
struct ScriptedSdDevice {
    std::optional<std::uint8_t> enableStatus = 0;
    std::optional<std::uint8_t> releaseStatus = 0;
    std::optional<std::uint8_t> presenceStatus = 0; // 0: a card is inserted
    bool attachedToHost = false;
    std::array<std::uint8_t, 3> portState{0xAA, 0, 0};
    std::vector<std::uint8_t> sdControls; // parameters of the delivered sdControl commands
    int portQueries = 0;

    std::optional<std::uint8_t> answer(const ScsiCommand& command, std::span<std::uint8_t> data)
    {
        const std::uint8_t kind = command.block[2];
        if (kind != 0x02) {
            std::optional<std::uint8_t> status;
            if (kind == kSdEnable)
                status = enableStatus;
            else if (kind == kSdRelease)
                status = releaseStatus;
            else
                status = presenceStatus;
            if (!status)
                return std::nullopt;
            sdControls.push_back(kind);
            if (*status == 0 && kind == kSdEnable)
                attachedToHost = true;
            if (*status == 0 && kind == kSdRelease)
                attachedToHost = false;
            return status;
        }
        if (command.block[3] == kQueryPortState) {
            ++portQueries;
            std::copy(portState.begin(), portState.end(), data.begin());
        } else {
            data[0] = 0xAA;
            data[2] = attachedToHost ? 1 : 0;
        }
        return 0;
    }

    int count(std::uint8_t parameter) const
    {
        return static_cast<int>(std::count(sdControls.begin(), sdControls.end(), parameter));
    }
};

struct FakeTimers : SdAccessTimers {
    std::map<int, unsigned> running; // id -> period
    std::vector<int> started;

    void start(int id, unsigned periodMs) override
    {
        running[id] = periodMs;
        started.push_back(id);
    }
    void stop(int id) override { running.erase(id); }
    bool isRunning(int id) const { return running.count(id) != 0; }
    unsigned period(int id) const { return running.at(id); }
};

struct FakeSdUi : SdAccessUi {
    int enableFailedAnswer = kBoxOk;
    int ejectAnswer = kBoxYes;

    int notFound = 0;
    int busyNotices = 0;
    int enableFailedBoxes = 0;
    int ejectBoxes = 0;
    std::vector<int> homeStatuses;
    int backupRestoreRefreshes = 0;
    int sdCardRefreshes = 0;
    int homePageSwitches = 0;
    std::vector<std::wstring> opened;
    std::vector<int> posted;
    std::map<EjectQuestion, bool> visible{{EjectQuestion::A, false}, {EjectQuestion::B, false}};
    std::map<EjectQuestion, bool> leftEnabled{{EjectQuestion::A, false}, {EjectQuestion::B, false}};
    std::vector<EjectQuestion> questionsShown;

    void showDeviceNotFound() override { ++notFound; }
    void showBusyNotice() override { ++busyNotices; }
    int showEnableFailed() override
    {
        ++enableFailedBoxes;
        return enableFailedAnswer;
    }
    int askEjectConfirmation() override
    {
        ++ejectBoxes;
        return ejectAnswer;
    }
    void setHomeStatus(int status) override { homeStatuses.push_back(status); }
    void refreshBackupRestorePage() override { ++backupRestoreRefreshes; }
    void refreshSDCardStatus() override { ++sdCardRefreshes; }
    void switchToHomePage() override { ++homePageSwitches; }
    void openInFileBrowser(const std::wstring& folder) override { opened.push_back(folder); }
    void postRunButtonCommand(int controlId) override { posted.push_back(controlId); }
    void showEjectQuestion(EjectQuestion view, bool leftButtonEnabled) override
    {
        visible[view] = true;
        leftEnabled[view] = leftButtonEnabled;
        questionsShown.push_back(view);
    }
    void hideEjectQuestion(EjectQuestion view) override { visible[view] = false; }
    bool isEjectQuestionVisible(EjectQuestion view) override { return visible[view]; }

    int homeStatus() const { return homeStatuses.empty() ? 0 : homeStatuses.back(); }
    // Anything a person would notice: a box, a notice, a page switch, a view or a folder opened.
    int shown() const
    {
        return notFound + busyNotices + enableFailedBoxes + ejectBoxes + homePageSwitches +
               static_cast<int>(opened.size()) + (visible.at(EjectQuestion::A) ? 1 : 0) +
               (visible.at(EjectQuestion::B) ? 1 : 0);
    }
};

struct FakeRuns : SdAccessRuns {
    std::vector<std::int32_t> started;
    std::function<void(std::int32_t)> during; // runs inside the run, to look at the world then

    void startRun(std::int32_t action) override
    {
        started.push_back(action);
        if (during)
            during(action);
    }
};

struct FakeSettings : SdAccessSettings {
    std::map<std::wstring, std::int32_t, std::less<>> values;

    std::int32_t readInt(std::wstring_view key) override
    {
        const auto found = values.find(key);
        return found == values.end() ? 0 : found->second;
    }
};

inline constexpr wchar_t kCardLetter = L'E';

struct SdAccessFixture : ::testing::Test {
    FakeDeviceHost host;
    DeviceState state;
    VendorCommands commands{state, host};
    ScriptedSdDevice device;
    FakeTimers timers;
    FakeSdUi ui;
    FakeRuns runs;
    FakeSettings settings;
    bool runInProgress = false;
    SdAccess access{commands, timers, ui, runs, settings, runInProgress};

    SdAccessFixture()
    {
        state.connected = true;
        state.devicePath = L"\\\\?\\usbstor#disk#yrrwkeep";
        state.strDriveID = std::wstring(1, kCardLetter) + L":SD Reader";
        state.sdPresent = true;
        host.device = [this](const ScsiCommand& command, std::span<std::uint8_t> data) {
            return device.answer(command, data);
        };
        settings.values = {{L"APPInitialSetup", 1}, {L"Auto Backup", 0}, {L"Secure Backup", 0}};
    }

    void volumeAppears() { host.answeringVolumes.insert(kCardLetter); }
    void volumeVanishes() { host.answeringVolumes.erase(kCardLetter); }
    // The card is on the PC side and its volume answers.
    void cardEnabled()
    {
        device.attachedToHost = true;
        state.sdEnabled = true;
        volumeAppears();
    }

    // One tick of a running timer, as the window's timer dispatch would deliver it; false when not running.
    bool tick(int id)
    {
        if (!timers.isRunning(id))
            return false;
        EXPECT_TRUE(access.onTimer(id));
        return true;
    }
};

} // namespace yk::test
