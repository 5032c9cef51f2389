#include <gtest/gtest.h>

#include "backup/FileTime.h"

namespace yk {
namespace {

constexpr std::uint64_t kSecond = kFileTimeUnitsPerSecond;
constexpr std::uint64_t kDay = kFileTimeUnitsPerDay;

std::uint64_t at(int year, int month, int day, int hour, int minute, int second, int millisecond = 0)
{
    return fileTimeOfDate(year, month, day) + ((hour * 60ull + minute) * 60ull + second) * kSecond +
           millisecond * 10'000ull;
}

TEST(FileTime, DatesBecomeFileTimesAtMidnight)
{
    EXPECT_EQ(fileTimeOfDate(1601, 1, 1), 0u);
    EXPECT_EQ(fileTimeOfDate(1970, 1, 1), 116'444'736'000'000'000u);
    EXPECT_EQ(calendarSecondsOf(fileTimeOfDate(2024, 3, 1)), 1'709'251'200);
    // Leap days: 2024 and 2000 have one, 2100 has none.
    EXPECT_EQ(fileTimeOfDate(2024, 2, 29) + kDay, fileTimeOfDate(2024, 3, 1));
    EXPECT_EQ(fileTimeOfDate(2000, 2, 29) + kDay, fileTimeOfDate(2000, 3, 1));
    EXPECT_EQ(fileTimeOfDate(2100, 2, 28) + kDay, fileTimeOfDate(2100, 3, 1));
    EXPECT_EQ(fileTimeOfDate(2023, 12, 31) + kDay, fileTimeOfDate(2024, 1, 1));
    EXPECT_EQ(calendarSecondsOf(0), 0) << "an unavailable time stays 0";
}

TEST(FileTime, RangeIncludesBothEndDaysWhole)
{
    const DateRange march1To3{fileTimeOfDate(2024, 3, 1), fileTimeOfDate(2024, 3, 3)};
    struct Case {
        std::uint64_t localTime;
        bool inRange;
    };
    const Case cases[] = {
        {at(2024, 3, 1, 0, 0, 0), true},         {at(2024, 3, 3, 23, 59, 59), true},
        {at(2024, 3, 3, 23, 59, 59, 999), true}, {at(2024, 3, 2, 12, 0, 0), true},
        {at(2024, 3, 4, 0, 0, 0), false},        {at(2024, 2, 29, 23, 59, 59, 999), false},
        {at(2023, 3, 2, 12, 0, 0), false}, // same day of another year
    };
    for (const auto& c : cases)
        EXPECT_EQ(isDateInRange(c.localTime, march1To3), c.inRange) << c.localTime;

    const DateRange oneDay{fileTimeOfDate(2024, 3, 7), fileTimeOfDate(2024, 3, 7)};
    EXPECT_TRUE(isDateInRange(at(2024, 3, 7, 18, 30, 0), oneDay));
    EXPECT_FALSE(isDateInRange(at(2024, 3, 8, 0, 0, 0), oneDay));
    EXPECT_EQ(localDateOf(at(2024, 3, 7, 18, 30, 5, 250)), fileTimeOfDate(2024, 3, 7));
}

TEST(FileTime, SameVersionWithinFourSeconds)
{
    const std::uint64_t t = at(2024, 5, 2, 10, 0, 0);
    EXPECT_TRUE(sameFileTime(t, t));
    EXPECT_TRUE(sameFileTime(t, t + 39'000'000)); // 3.9 s
    EXPECT_TRUE(sameFileTime(t + 39'000'000, t));
    EXPECT_TRUE(sameFileTime(t, t + 3 * kSecond));
    EXPECT_FALSE(sameFileTime(t, t + 40'000'000)); // 4.0 s
    EXPECT_FALSE(sameFileTime(t + 40'000'000, t));
    EXPECT_FALSE(sameFileTime(t, t + 5 * kSecond));

    EXPECT_EQ(withoutMilliseconds(at(2024, 5, 2, 10, 0, 7, 999) + 1234), at(2024, 5, 2, 10, 0, 7));
    EXPECT_EQ(withoutMilliseconds(t), t);
}

TEST(FileTime, OnAFatCardAnHourApartIsTheSameTimeToo)
{
    constexpr std::uint64_t kHour = 3600 * kSecond;
    const std::uint64_t t = at(2024, 11, 4, 9, 0, 0);
    struct Case {
        std::uint64_t card;
        bool fat;
        bool plain;
    };
    const Case cases[] = {
        {t, true, true},
        {t + kHour, true, false},                   // read after the change back from summer time
        {t - kHour, true, false},                   // read after the change to summer time
        {t + kHour + 39'000'000, true, false},      // within the 4 seconds of an hour
        {t - kHour - 39'000'000, true, false},
        {t + kHour + 40'000'000, false, false},     // 4 seconds past the hour: another version
        {t + kHour - 40'000'000, false, false},
        {t + 2 * kHour, false, false},              // two hours: another version
        {t + 30 * 60 * kSecond, false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(sameFileTime(c.card, t, TimeRule::FatLocalTime), c.fat) << (static_cast<std::int64_t>(c.card - t));
        EXPECT_EQ(sameFileTime(t, c.card, TimeRule::FatLocalTime), c.fat) << (static_cast<std::int64_t>(c.card - t));
        EXPECT_EQ(sameFileTime(c.card, t, TimeRule::Plain), c.plain) << (static_cast<std::int64_t>(c.card - t));
    }
}

TEST(FileTime, OnlyFatFileSystemsKeepLocalTime)
{
    for (const wchar_t* name : {L"FAT", L"FAT12", L"FAT16", L"FAT32", L"fat32", L"Fat"})
        EXPECT_EQ(timeRuleOf(name), TimeRule::FatLocalTime);
    for (const wchar_t* name : {L"exFAT", L"NTFS", L"ReFS", L"", L"FAT32 ", L"vfat", L"FAT64"})
        EXPECT_EQ(timeRuleOf(name), TimeRule::Plain);
}

} // namespace
} // namespace yk
