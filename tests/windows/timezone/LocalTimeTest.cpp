// Local times as the runs read them, in a time zone west of UTC with daylight saving time: this binary runs
// with TZ=America/New_York, whatever the machine's own zone.
#include <gtest/gtest.h>

#include <windows.h>

#include "backup/FileCatalogue.h"
#include "backup/FileTime.h"
#include "support/TestFiles.h"

namespace yk::test {
namespace {

constexpr std::uint64_t kMinute = 60 * kFileTimeUnitsPerSecond;
constexpr std::uint64_t kHour = 60 * kMinute;

std::uint64_t utc(int year, int month, int day, int hour, int minute)
{
    return fileTimeOfDate(year, month, day) + hour * kHour + minute * kMinute;
}

TEST(LocalTime, TheZoneIsWestOfUtcWithDaylightSaving)
{
    TIME_ZONE_INFORMATION zone{};
    GetTimeZoneInformation(&zone);
    EXPECT_EQ(zone.Bias, 300) << "five hours west of UTC";
    EXPECT_EQ(zone.DaylightBias, -60);
    EXPECT_NE(zone.DaylightDate.wMonth, 0) << "no daylight saving time";
}

TEST(LocalTime, EachTimeTakesTheOffsetOfItsOwnDate)
{
    struct Case {
        std::uint64_t utcTime;
        std::uint64_t local;
    };
    const Case cases[] = {
        {utc(2024, 1, 15, 12, 0), utc(2024, 1, 15, 7, 0)},   // winter: UTC-5
        {utc(2024, 7, 15, 12, 0), utc(2024, 7, 15, 8, 0)},   // summer: UTC-4
        {utc(2024, 3, 10, 6, 59), utc(2024, 3, 10, 1, 59)},  // the last minute before the change
        {utc(2024, 3, 10, 7, 0), utc(2024, 3, 10, 3, 0)},    // 02:00 local does not exist
        {utc(2024, 11, 3, 5, 59), utc(2024, 11, 3, 1, 59)},  // summer time's last minute
        {utc(2024, 11, 3, 6, 0), utc(2024, 11, 3, 1, 0)},    // 01:00 to 02:00 local comes twice
        {utc(2024, 3, 11, 3, 30), utc(2024, 3, 10, 23, 30)}, // UTC's next day is the local evening before
    };
    for (const auto& c : cases)
        EXPECT_EQ(toLocalFileTime(c.utcTime), c.local) << c.utcTime;
}

TEST(LocalTime, DateRangesFollowTheLocalDate)
{
    // Written late on the local evening, already the next day in UTC; and across both changes.
    const ScratchFolder folder(L"timezone");
    writeFile(folder / L"evening.txt", patternBytes(10, "e"), utc(2024, 3, 11, 3, 30)); // 03-10 23:30 local
    writeFile(folder / L"spring.txt", patternBytes(20, "s"), utc(2024, 3, 10, 7, 30));  // 03-10 03:30 local
    writeFile(folder / L"autumn.txt", patternBytes(30, "a"), utc(2024, 11, 3, 6, 30));  // 11-03 01:30 local
    writeFile(folder / L"autumn-late.txt", patternBytes(40, "l"), utc(2024, 11, 4, 4, 59)); // 11-03 23:59 local

    struct Case {
        DateRange range;
        std::uint32_t files;
        std::uint64_t bytes;
    };
    const Case cases[] = {
        {{fileTimeOfDate(2024, 3, 10), fileTimeOfDate(2024, 3, 10)}, 2, 30},
        {{fileTimeOfDate(2024, 3, 11), fileTimeOfDate(2024, 3, 11)}, 0, 0},
        {{fileTimeOfDate(2024, 11, 3), fileTimeOfDate(2024, 11, 3)}, 2, 70},
        {{fileTimeOfDate(2024, 11, 4), fileTimeOfDate(2024, 11, 30)}, 0, 0},
        {{fileTimeOfDate(2024, 3, 1), fileTimeOfDate(2024, 11, 3)}, 4, 100},
    };
    for (const auto& c : cases) {
        std::uint64_t bytes = 0;
        EXPECT_EQ(countFilesInRange(folder.path(), bytes, c.range), c.files) << c.range.start;
        EXPECT_EQ(bytes, c.bytes) << c.range.start;
    }
}

TEST(LocalTime, AWinterFileAndItsSummerReadingOnAFatCardAreTheSameVersion)
{
    // A file copied in winter onto a card that keeps local time: read back in summer, the card's clock rule
    // moves it an hour. The runs compare local times: an hour apart, which the FAT rule takes as the same.
    const ScratchFolder folder(L"timezone-fat");
    const std::uint64_t written = utc(2024, 1, 15, 12, 0);
    writeFile(folder / L"source.txt", patternBytes(10, "x"), written);
    writeFile(folder / L"card.txt", patternBytes(10, "x"), written - kHour);
    std::uint64_t source = 0;
    std::uint64_t card = 0;
    ASSERT_TRUE(getLocalLastWriteTime(folder / L"source.txt", source));
    ASSERT_TRUE(getLocalLastWriteTime(folder / L"card.txt", card));
    EXPECT_TRUE(sameFileTime(withoutMilliseconds(card), withoutMilliseconds(source), TimeRule::FatLocalTime));
    EXPECT_FALSE(sameFileTime(withoutMilliseconds(card), withoutMilliseconds(source), TimeRule::Plain));
}

} // namespace
} // namespace yk::test
