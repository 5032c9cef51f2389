#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "device/VendorCommands.h"
#include "support/FakeDeviceHost.h"

namespace yk {
namespace {

using test::FakeDeviceHost;

std::vector<std::uint8_t> bytes(const ScsiCommand& command)
{
    return {command.block.begin(), command.block.end()};
}

std::vector<std::uint8_t> padded(std::initializer_list<std::uint8_t> leading)
{
    std::vector<std::uint8_t> block(leading);
    block.resize(16, 0);
    return block;
}

TEST(VendorCommandBlocks, AreBuiltAsTheDeviceExpects)
{
    struct Case {
        ScsiCommand command;
        std::vector<std::uint8_t> block;
        bool dataIn;
    };
    const Case cases[] = {
        {sdControlCommand(0), padded({0xFF, 0xB2, 0x00}), false},
        {sdControlCommand(1), padded({0xFF, 0xB2, 0x01}), false},
        {sdControlCommand(3), padded({0xFF, 0xB2, 0x03}), false},
        {sdQueryCommand(0), padded({0xFF, 0xB2, 0x02, 0x00}), true},
        {sdQueryCommand(1), padded({0xFF, 0xB2, 0x02, 0x01}), true},
        {readInfoPageCommand(), padded({0xFF, 0x2C, 0x01}), true},
        {readDeviceInfoCommand(), padded({0xFF, 0xA0, 0x0B}), true},
        {readPowerSampleCommand(2), padded({0xFF, 0xB3, 0x02, 0x07}), true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(bytes(c.command), c.block);
        EXPECT_EQ(c.command.dataIn, c.dataIn);
    }
}

struct Fixture : ::testing::Test {
    FakeDeviceHost host;
    DeviceState state;
    VendorCommands commands{state, host};
    Fixture() { state.devicePath = L"\\\\?\\usbstor#disk#1"; }
};

using VendorCommandTransport = Fixture;

TEST_F(VendorCommandTransport, DeliversOnceAndReturnsTheReply)
{
    host.device = [](const ScsiCommand& command, std::span<std::uint8_t> data) {
        EXPECT_EQ(command.block[3], 0x01);
        EXPECT_EQ(data.size(), 3u);
        data[0] = 0xAA;
        data[2] = 0x01;
        return std::optional<std::uint8_t>(0);
    };
    std::array<std::uint8_t, 3> reply{};
    EXPECT_EQ(commands.sdQuery(kQueryHostState, reply), kScsiStatusGood);
    EXPECT_EQ(reply, (std::array<std::uint8_t, 3>{0xAA, 0x00, 0x01}));
    EXPECT_FALSE(state.transportFailed);
    EXPECT_EQ(host.openCount, 1);
    EXPECT_EQ(host.exchangeCount, 1);
    EXPECT_EQ(host.dispatchCount, 1);
    EXPECT_EQ(host.openedPaths.front(), state.devicePath);
}

TEST_F(VendorCommandTransport, RetriesOpensAndSendsUpToTenTimes)
{
    struct Case {
        int failingOpens;
        int failingExchanges;
        int opens;
        int exchanges;
        std::uint8_t status;
        bool failed;
        int dispatches;
    };
    const Case cases[] = {
        {9, 0, 10, 1, 0, false, 1},                      // the tenth open gets through
        {0, 9, 1, 10, 0, false, 1},                      // the tenth send gets through
        {10, 0, 11, 1, 0, false, 2},                     // first attempt undelivered, second delivered
        {-1, 0, 30, 0, kStatusNotDelivered, true, 3},    // never opened: 3 attempts of 10 opens
        {0, -1, 3, 30, kStatusNotDelivered, true, 3},    // opened, never sent: 3 attempts of 10 sends
    };
    for (const auto& c : cases) {
        FakeDeviceHost host;
        host.failingOpens = c.failingOpens;
        host.failingExchanges = c.failingExchanges;
        DeviceState state;
        VendorCommands commands(state, host);
        EXPECT_EQ(commands.sdControl(kSdEnable), c.status);
        EXPECT_EQ(host.openCount, c.opens);
        EXPECT_EQ(host.exchangeCount, c.exchanges);
        EXPECT_EQ(state.transportFailed, c.failed);
        EXPECT_EQ(host.dispatchCount, c.dispatches);
    }
}

TEST_F(VendorCommandTransport, UndeliveredIsNeverGoodAndLeavesTheReplyAlone)
{
    host.failingOpens = -1;
    std::array<std::uint8_t, 3> reply{};
    EXPECT_EQ(commands.sdQuery(kQueryPortState, reply), kStatusNotDelivered);
    EXPECT_EQ(reply, (std::array<std::uint8_t, 3>{0, 0, 0}));
    EXPECT_TRUE(state.transportFailed);
    EXPECT_NE(commands.sdControl(kSdEnable), kScsiStatusGood);

    // The next command that gets through clears the flag.
    host.failingOpens = 0;
    host.openCount = 0;
    EXPECT_EQ(commands.sdControl(kSdRelease), kScsiStatusGood);
    EXPECT_FALSE(state.transportFailed);
}

TEST_F(VendorCommandTransport, DeviceStatusesArePassedOnWithoutRetry)
{
    host.device = [](const ScsiCommand&, std::span<std::uint8_t>) { return std::optional<std::uint8_t>(0x02); };
    EXPECT_EQ(commands.sdControl(kSdPresenceTest), 0x02);
    EXPECT_EQ(host.exchangeCount, 1);
    EXPECT_FALSE(state.transportFailed);
}

TEST_F(VendorCommandTransport, DeviceUnpluggedMidCommand)
{
    // The device vanishes during the first exchange: that send and every later open fail.
    host.device = [this](const ScsiCommand&, std::span<std::uint8_t>) -> std::optional<std::uint8_t> {
        host.failingOpens = -1;
        host.failingExchanges = -1;
        return std::nullopt;
    };
    host.failingExchanges = 0;
    std::array<std::uint8_t, 4> sample{9, 9, 9, 9};
    EXPECT_EQ(commands.readPowerSample(1, sample), kStatusNotDelivered);
    EXPECT_TRUE(state.transportFailed);
    EXPECT_EQ(sample, (std::array<std::uint8_t, 4>{9, 9, 9, 9}));
    EXPECT_EQ(host.openCount, 1 + 2 * kOpenTries);
    EXPECT_EQ(host.delivered.size(), 1u);
}

TEST_F(VendorCommandTransport, MessagesDispatchedBeforeAnAttemptMayRunOtherCommands)
{
    // A timer handler running inside the dispatch sends a command of its own.
    int nested = 0;
    host.onDispatch = [&] {
        if (nested++ == 0) {
            std::array<std::uint8_t, 3> reply{};
            commands.sdQuery(kQueryPortState, reply);
        }
    };
    EXPECT_EQ(commands.sdControl(kSdEnable), kScsiStatusGood);
    ASSERT_EQ(host.delivered.size(), 2u);
    EXPECT_EQ(host.delivered[0].block[2], 0x02); // the nested query went first
    EXPECT_EQ(host.delivered[1].block[2], 0x00);
}

TEST_F(VendorCommandTransport, ANestedCommandThatFailsDoesNotMakeTheOuterOneBeSentAgain)
{
    // A poll dispatched before the first attempt finds the device unreachable; the outer command then gets
    // through and must not be repeated because of the poll's failure.
    int dispatches = 0;
    host.onDispatch = [&] {
        if (dispatches++ == 0) {
            host.failingOpens = -1;
            std::array<std::uint8_t, 3> reply{};
            EXPECT_EQ(commands.sdQuery(kQueryPortState, reply), kStatusNotDelivered);
            host.failingOpens = 0;
            host.openCount = 0;
        }
    };
    EXPECT_EQ(commands.sdControl(kSdRelease), kScsiStatusGood);
    ASSERT_EQ(host.delivered.size(), 1u) << "the eject was sent twice";
    EXPECT_EQ(host.delivered[0].block[2], kSdRelease);
    EXPECT_FALSE(state.transportFailed);
}

} // namespace
} // namespace yk
