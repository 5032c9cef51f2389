#include "SdAccessFixture.h"

namespace yk {
namespace {

using test::SdAccessFixture;

using Reply = std::array<std::uint8_t, 3>;
constexpr std::uint8_t kUntouched = 0x55;

struct SdAccessQueries : SdAccessFixture {
    // Every command gets this status (none: it never gets through) and, when it reads, this reply.
    void deviceAnswers(std::optional<std::uint8_t> status, Reply reply)
    {
        host.device = [status, reply](const ScsiCommand&, std::span<std::uint8_t> data) {
            if (status && !data.empty())
                std::copy(reply.begin(), reply.end(), data.begin());
            return status;
        };
    }
};

TEST_F(SdAccessQueries, HostStateNeedsGoodStatusMarkerAndAttachedByte)
{
    struct Case {
        std::optional<std::uint8_t> status;
        Reply reply;
        bool attached;
    };
    const Case cases[] = {
        {0, {0xAA, 0, 1}, true},
        {0, {0xAA, 7, 1}, true}, // byte 1 is not looked at
        {0, {0xAA, 0, 0}, false},
        {0, {0xAA, 0, 2}, false},
        {0, {0xAB, 0, 1}, false},
        {2, {0xAA, 0, 1}, false},
        {std::nullopt, {0xAA, 0, 1}, false},
    };
    for (const auto& c : cases) {
        deviceAnswers(c.status, c.reply);
        EXPECT_EQ(access.isSdAttachedToHost(), c.attached) << int(c.reply[0]) << ' ' << int(c.reply[2]);
    }
}

TEST_F(SdAccessQueries, PortStateReportsOnlyAValidRequestOfAnIdlePort)
{
    struct Case {
        std::optional<std::uint8_t> status;
        Reply reply;
        bool request;
        std::uint8_t code;      // after the call; kUntouched when left alone
        std::uint8_t otherPort; // likewise
    };
    const Case cases[] = {
        {0, {0xAA, 1, 0}, true, 1, 0},
        {0, {0xAA, 2, 0}, true, 2, 0},
        {0, {0xAA, 0, 0}, false, kUntouched, 0},
        {0, {0xAA, 3, 0}, false, kUntouched, 0},
        {0, {0xAA, 1, 4}, false, kUntouched, 4}, // the other port uses the card
        {0, {0x00, 1, 0}, false, kUntouched, 0}, // no marker
        {0, {0x00, 1, 4}, false, kUntouched, 4}, // the other-port byte is taken before the marker is checked
        {2, {0xAA, 1, 0}, false, kUntouched, kUntouched},
        {std::nullopt, {0xAA, 1, 0}, false, kUntouched, kUntouched},
    };
    for (const auto& c : cases) {
        deviceAnswers(c.status, c.reply);
        std::uint8_t code = kUntouched;
        std::uint8_t otherPort = kUntouched;
        EXPECT_EQ(access.queryPortState(code, otherPort), c.request) << int(c.reply[0]) << ' ' << int(c.reply[1]);
        EXPECT_EQ(code, c.code);
        EXPECT_EQ(otherPort, c.otherPort);
    }
}

TEST_F(SdAccessQueries, ControlCommandsAreAcceptedOnlyWithGoodStatus)
{
    struct Case {
        std::optional<std::uint8_t> status;
        bool accepted;
    };
    // A command that never reached the device is refused, not taken for an accepted one.
    const Case cases[] = {{0, true}, {2, false}, {std::nullopt, false}};
    for (const auto& c : cases) {
        deviceAnswers(c.status, {});
        EXPECT_EQ(access.enableSDFunc(), c.accepted);
        EXPECT_EQ(access.isSdCardPresent(), c.accepted);
    }
    EXPECT_EQ(ui.notFound, 0);
}

TEST_F(SdAccessQueries, VolumeCheckNeedsTheVolumeAndTheCardOnThePcSide)
{
    struct Case {
        bool volumeAnswers;
        bool attached;
        wchar_t letter;
        bool ready;
    };
    const Case cases[] = {
        {true, true, test::kCardLetter, true},
        {false, true, test::kCardLetter, false},
        {true, false, test::kCardLetter, false},
        {true, true, L'F', false}, // another letter's volume does not answer
        {true, true, L'\0', false},
    };
    for (const auto& c : cases) {
        host.answeringVolumes.clear();
        if (c.volumeAnswers)
            volumeAppears();
        device.attachedToHost = c.attached;
        const int opensBefore = host.openCount;
        EXPECT_EQ(access.checkSdVolume(c.letter), c.ready);
        // Without a volume the device is not asked.
        if (!c.volumeAnswers || c.letter != test::kCardLetter) {
            EXPECT_EQ(host.openCount, opensBefore);
        }
    }
}

TEST_F(SdAccessQueries, NothingIsSentWhileNotConnected)
{
    state.connected = false;
    volumeAppears();
    device.attachedToHost = true;
    device.portState = {0xAA, 1, 0};
    std::uint8_t code = kUntouched;
    std::uint8_t otherPort = kUntouched;

    EXPECT_FALSE(access.enableSDFunc());
    EXPECT_FALSE(access.isSdAttachedToHost());
    EXPECT_FALSE(access.queryPortState(code, otherPort));
    EXPECT_FALSE(access.checkSdVolume(test::kCardLetter));
    EXPECT_EQ(ui.notFound, 0);
    EXPECT_FALSE(access.isSdCardPresent());
    EXPECT_EQ(ui.notFound, 1); // only the presence test tells the user
    access.disableSDFunc();

    EXPECT_EQ(code, kUntouched);
    EXPECT_EQ(otherPort, kUntouched);
    EXPECT_EQ(host.openCount, 0);
    EXPECT_EQ(ui.notFound, 1);
}

} // namespace
} // namespace yk
