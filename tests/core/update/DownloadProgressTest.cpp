#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>

#include "update/DownloadProgress.h"

namespace yk {
namespace {

TEST(DownloadProgress, PercentOfTheAnnouncedLengthOrKilobytesWithoutOne)
{
    constexpr auto kMax = std::numeric_limits<std::uint64_t>::max();
    struct Case {
        std::uint64_t received;
        std::optional<std::uint64_t> length;
        const wchar_t* line;
    };
    const Case cases[] = {
        {1, 3, L"Download ... 33.33 %"},
        {2, 3, L"Download ... 66.67 %"},
        {0, 10, L"Download ... 0.00 %"},
        {10, 10, L"Download ... 100.00 %"},
        {1, 10000, L"Download ... 0.01 %"},
        {1, 30000, L"Download ... 0.00 %"},
        {kMax, kMax, L"Download ... 100.00 %"},
        // No usable length: the kilobytes received, whole ones only.
        {0, std::nullopt, L"Download ... 0 KB"},
        {1023, std::nullopt, L"Download ... 0 KB"},
        {1024, std::nullopt, L"Download ... 1 KB"},
        {122879, std::nullopt, L"Download ... 119 KB"},
        {122880, 0, L"Download ... 120 KB"},
        {122880, 122879, L"Download ... 120 KB"},
        {kMax, std::nullopt, L"Download ... 18014398509481983 KB"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(progressLine(c.received, c.length), c.line)
            << c.received << " of " << (c.length ? std::to_string(*c.length) : "none");
}

TEST(DownloadProgress, DigestText)
{
    std::array<std::uint8_t, 16> digest{};
    EXPECT_EQ(md5Text(digest), "00000000000000000000000000000000");
    digest = {0xD4, 0x1D, 0x8C, 0xD9, 0x8F, 0x00, 0xB2, 0x04, 0xE9, 0x80, 0x09, 0x98, 0xEC, 0xF8, 0x42, 0x7E};
    EXPECT_EQ(md5Text(digest), "d41d8cd98f00b204e9800998ecf8427e");
    digest.fill(0xFF);
    EXPECT_EQ(md5Text(digest), "ffffffffffffffffffffffffffffffff");
}

TEST(DownloadProgress, OnlyAComputedDigestCanMatchAndOnlyExactly)
{
    const std::string md5 = "d41d8cd98f00b204e9800998ecf8427e";
    struct Case {
        const char* name;
        std::optional<std::string> computed;
        std::string announced;
        bool matches;
    };
    const Case cases[] = {
        {"same", md5, md5, true},
        {"no digest against zeros", std::nullopt, "00000000000000000000000000000000", false},
        {"no digest against nothing", std::nullopt, "", false},
        {"upper case announced", md5, "D41D8CD98F00B204E9800998ECF8427E", false},
        {"trailing space announced", md5, md5 + " ", false},
        {"prefix announced", md5, md5.substr(0, 31), false},
        {"empty announced", md5, "", false},
        {"one digit off", md5, "d41d8cd98f00b204e9800998ecf8427f", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(digestMatches(c.computed, c.announced), c.matches) << c.name;
}

} // namespace
} // namespace yk
