// The transport and discovery against the simulated accessory (the test run starts its server).
#include <gtest/gtest.h>

#include <windows.h>

#include <array>
#include <functional>
#include <numeric>

#include "device/Discovery.h"
#include "device/SimulatedDeviceHost.h"
#include "device/VendorCommands.h"
#include "support/ForwardingHost.h"
#include "support/SimulatorSupport.h"

namespace yk {
namespace {

// Counts what reaches the host and lets a test act inside the message dispatch of a command.
class CountingHost final : public test::ForwardingHost {
public:
    using ForwardingHost::ForwardingHost;
    int opens = 0;
    int dispatches = 0;
    std::function<void()> onDispatch;

    std::unique_ptr<DeviceChannel> openDevice(const std::wstring& p) override
    {
        ++opens;
        return inner_.openDevice(p);
    }
    void dispatchWaitingMessages() override
    {
        ++dispatches;
        if (onDispatch)
            onDispatch();
        inner_.dispatchWaitingMessages();
    }
};

using test::simulatorAddress;
using test::simulatorPort;
using test::waitFor;

class Simulator : public ::testing::Test {
protected:
    SimulatedDeviceHost host{simulatorAddress()};
    SimulatorLink control{"127.0.0.1", simulatorPort()};
    DeviceState state;
    VendorCommands commands{state, host};

    void SetUp() override
    {
        ASSERT_TRUE(control.request("INFO")) << "the simulator server is not running";
        for (const char* change :
             {"plug", "insert", "release", "request 0", "other-port off", "refuse off", "drop off"})
            ASSERT_TRUE(control.control(change)) << change;
        ASSERT_TRUE(waitFor([&] { return !host.volumeAnswers(letter()); }));
        ASSERT_TRUE(findDevice(state, host));
    }
    void TearDown() override { control.control("release"); }

    wchar_t letter()
    {
        const auto info = control.request("INFO").value_or("");
        const auto at = info.find("\"letter\": \"");
        return at == std::string::npos ? L'E' : static_cast<wchar_t>(info[at + 11]);
    }
    std::array<std::uint8_t, 3> query(std::uint8_t what)
    {
        std::array<std::uint8_t, 3> reply{};
        EXPECT_EQ(commands.sdQuery(what, reply), kScsiStatusGood);
        return reply;
    }
};

TEST_F(Simulator, EnableMakesTheCardARealDriveAndEjectTakesItAway)
{
    EXPECT_EQ(state.devicePath, SimulatedDeviceHost::kDevicePath);
    // The reader's letter is known before the card is attached; its volume does not answer yet.
    EXPECT_EQ(state.strDriveID, std::wstring(1, letter()) + L":SD Card Reader");
    EXPECT_FALSE(host.volumeAnswers(letter()));
    EXPECT_EQ(query(kQueryHostState), (std::array<std::uint8_t, 3>{0xAA, 0, 0}));

    ASSERT_EQ(commands.sdControl(kSdEnable), kScsiStatusGood);
    EXPECT_EQ(query(kQueryHostState), (std::array<std::uint8_t, 3>{0xAA, 0, 1}));
    ASSERT_TRUE(waitFor([&] { return host.volumeAnswers(letter()); })) << "the volume never appeared";
    ASSERT_TRUE(findDevice(state, host));
    EXPECT_EQ(state.strDriveID, std::wstring(1, letter()) + L":SD Card Reader");
    EXPECT_GT(getDriveSpace(host, letter()), 0u);

    // The card is a real folder: a file written through the drive letter is there.
    const std::wstring file = std::wstring(1, letter()) + L":\\written-by-test.txt";
    const HANDLE handle = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(handle, INVALID_HANDLE_VALUE);
    CloseHandle(handle);
    EXPECT_NE(GetFileAttributesW(file.c_str()), INVALID_FILE_ATTRIBUTES);
    DeleteFileW(file.c_str());

    ASSERT_EQ(commands.sdControl(kSdRelease), kScsiStatusGood);
    EXPECT_TRUE(host.volumeAnswers(letter())) << "a volume goes a little after the release, not at once";
    ASSERT_TRUE(waitFor([&] { return !host.volumeAnswers(letter()); })) << "the volume stayed after the eject";
}

TEST_F(Simulator, RefusesEnableWhenTheCardIsNotAvailable)
{
    for (const char* change : {"refuse on", "other-port on", "remove"}) {
        SetUp();
        ASSERT_TRUE(control.control(change));
        EXPECT_NE(commands.sdControl(kSdEnable), kScsiStatusGood) << change;
        EXPECT_FALSE(state.transportFailed) << change;
        EXPECT_EQ(query(kQueryHostState)[2], 0) << change;
    }
    ASSERT_TRUE(control.control("remove"));
    EXPECT_NE(commands.sdControl(kSdPresenceTest), kScsiStatusGood);
    ASSERT_TRUE(control.control("insert"));
    EXPECT_EQ(commands.sdControl(kSdPresenceTest), kScsiStatusGood);
}

TEST_F(Simulator, ReportsTheOtherPortsRequest)
{
    for (const std::uint8_t code : {1, 2, 0}) {
        ASSERT_TRUE(control.control("request " + std::to_string(code)));
        EXPECT_EQ(query(kQueryPortState), (std::array<std::uint8_t, 3>{0xAA, code, 0}));
    }
    ASSERT_TRUE(control.control("other-port on"));
    EXPECT_EQ(query(kQueryPortState)[2], 1);
}

TEST_F(Simulator, InformationRepliesCarryTheirMarkersAndChecksums)
{
    std::array<std::uint8_t, kInfoPageSize> page{};
    ASSERT_EQ(commands.readInfoPage(page), kScsiStatusGood);
    EXPECT_EQ(page[0], 0x55);
    EXPECT_EQ(page[1], 0xAA);
    EXPECT_EQ(page[2], 0xBB);
    const unsigned sum = std::accumulate(page.begin(), page.begin() + 126, 0u);
    EXPECT_EQ(page[126] * 256u + page[127], sum);

    std::array<std::uint8_t, kDeviceInfoSize> block{};
    ASSERT_EQ(commands.readDeviceInfo(block), kScsiStatusGood);
    const unsigned first = (block[16] + 15) % 256;
    EXPECT_GE(block[first + 1], 4); // record 0's length covers its header

    std::array<std::uint8_t, kPowerSampleSize> sample{};
    ASSERT_EQ(commands.readPowerSample(0, sample), kScsiStatusGood);
    const unsigned millivolts = sample[0] << 8 | sample[1];
    EXPECT_GT(millivolts, 4500u);
    EXPECT_LT(millivolts, 5500u);
}

TEST_F(Simulator, DroppedCommandsAreRetriedAndNeverReportSuccess)
{
    CountingHost counting(host);
    VendorCommands counted(state, counting);
    ASSERT_TRUE(control.control("drop on"));
    std::array<std::uint8_t, 3> reply{7, 7, 7};
    EXPECT_EQ(counted.sdQuery(kQueryHostState, reply), kStatusNotDelivered);
    EXPECT_EQ(reply, (std::array<std::uint8_t, 3>{7, 7, 7}));
    EXPECT_TRUE(state.transportFailed);
    EXPECT_EQ(counting.opens, kCommandAttempts * kOpenTries);
    EXPECT_EQ(counting.dispatches, kCommandAttempts);

    ASSERT_TRUE(control.control("drop off"));
    counting.opens = 0;
    EXPECT_EQ(counted.sdControl(kSdEnable), kScsiStatusGood);
    EXPECT_FALSE(state.transportFailed);
    EXPECT_EQ(counting.opens, 1);
}

TEST_F(Simulator, DeviceUnpluggedMidCommand)
{
    CountingHost counting(host);
    VendorCommands counted(state, counting);
    // The cable is pulled while the command waits for its turn.
    counting.onDispatch = [&] {
        if (counting.dispatches == 1)
            control.control("unplug");
    };
    EXPECT_EQ(counted.sdControl(kSdEnable), kStatusNotDelivered);
    EXPECT_TRUE(state.transportFailed);
    EXPECT_EQ(counting.opens, kCommandAttempts * kOpenTries);
    EXPECT_FALSE(findDevice(state, host));
}

TEST_F(Simulator, PlugAndVolumeChangesReachTheWindows)
{
    struct Window {
        static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
        {
            if (message == WM_DEVICECHANGE)
                events().push_back(static_cast<unsigned>(wParam));
            return DefWindowProcW(window, message, wParam, lParam);
        }
        static std::vector<unsigned>& events()
        {
            static std::vector<unsigned> seen;
            return seen;
        }
    };
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = Window::procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"YkNoticeTestWindow";
    RegisterClassW(&windowClass);
    const HWND window = CreateWindowW(windowClass.lpszClassName, L"notices", WS_OVERLAPPED, 0, 0, 10, 10, nullptr,
                                      nullptr, windowClass.hInstance, nullptr);
    ASSERT_TRUE(window);
    auto& events = Window::events();
    ASSERT_TRUE(waitFor([&] { return host.receivingNotices(); })) << "no notice connection to the simulator";
    events.clear();

    ASSERT_TRUE(control.control("unplug"));
    ASSERT_TRUE(waitFor([&] { return events.size() >= 1; }));
    EXPECT_EQ(events.back(), 0x8004u);
    ASSERT_TRUE(control.control("plug"));
    ASSERT_TRUE(waitFor([&] { return events.size() >= 2; }));
    EXPECT_EQ(events.back(), 0x8000u);
    ASSERT_TRUE(findDevice(state, host));
    ASSERT_EQ(commands.sdControl(kSdEnable), kScsiStatusGood);
    ASSERT_TRUE(waitFor([&] { return events.size() >= 3; })) << "no notice for the arriving volume";
    EXPECT_EQ(events.back(), 0x8000u);
    ASSERT_TRUE(control.control("remove"));
    ASSERT_TRUE(waitFor([&] { return events.size() >= 4; })) << "no notice for the departing volume";
    EXPECT_EQ(events.back(), 0x8004u);
    DestroyWindow(window);
}

} // namespace
} // namespace yk
