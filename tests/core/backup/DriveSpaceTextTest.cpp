#include <gtest/gtest.h>

#include "backup/DriveSpaceText.h"

namespace yk {
namespace {

constexpr std::uint64_t kMiB = 1024 * 1024;
constexpr std::uint64_t kGiB = 1024 * kMiB;

TEST(DriveSpaceText, MegabytesBelowOneGigabyteGigabytesFromThereOn)
{
    struct Case {
        std::uint64_t bytes;
        const wchar_t* text;
    };
    const Case cases[] = {
        {0, L"0.00 MB"},
        {6 * kMiB / 1000, L"0.01 MB"},
        {900 * kMiB, L"900.00 MB"},
        {kGiB - 1, L"1024.00 MB"}, // just below the boundary, rounded up in the last digit
        {kGiB, L"1.00 GB"},
        {kGiB + 10 * kMiB, L"1.01 GB"},
        {static_cast<std::uint64_t>(29.72 * kGiB), L"29.72 GB"},
        {64'000'000'000, L"59.60 GB"},
        {std::uint64_t{2} * 1024 * kGiB, L"2048.00 GB"}, // no TB unit
    };
    for (const auto& c : cases)
        EXPECT_EQ(formatDriveSize(c.bytes), c.text) << c.bytes;
}

TEST(DriveSpaceText, LineOfTotalAndFree)
{
    // A 64 GB card with 900 MB free.
    EXPECT_EQ(driveSpaceLine(L"Total", 64'000'000'000, L"Free", 900 * kMiB), L"Total 59.60 GB, Free 900.00 MB\r\n");
    EXPECT_EQ(driveSpaceLine(L"合計", 16 * kGiB, L"空き", 0), L"合計 16.00 GB, 空き 0.00 MB\r\n");
}

} // namespace
} // namespace yk
