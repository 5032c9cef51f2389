#include "backup/FileTime.h"

#include <string>

namespace yk {

namespace {

// Days from 1601-01-01 to a date of the proleptic Gregorian calendar (H. Hinnant's days_from_civil).
std::int64_t daysSince1601(std::int64_t year, unsigned month, unsigned day)
{
    year -= month <= 2;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const auto yearOfEra = static_cast<unsigned>(year - era * 400);
    const unsigned dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    constexpr std::int64_t kDaysFromEpochBaseTo1970 = 719'468;
    constexpr std::int64_t kDaysFrom1601To1970 = 134'774;
    return era * 146'097 + static_cast<std::int64_t>(dayOfEra) - kDaysFromEpochBaseTo1970 + kDaysFrom1601To1970;
}

} // namespace

std::uint64_t localDateOf(std::uint64_t localFileTime)
{
    // 1601-01-01 is a midnight and file time has no leap seconds, so days are whole multiples.
    return localFileTime - localFileTime % kFileTimeUnitsPerDay;
}

bool isDateInRange(std::uint64_t localFileTime, const DateRange& range)
{
    const std::uint64_t date = localDateOf(localFileTime);
    return range.start <= date && date <= range.end;
}

std::uint64_t withoutMilliseconds(std::uint64_t fileTime)
{
    return fileTime - fileTime % kFileTimeUnitsPerSecond;
}

bool sameFileTime(std::uint64_t a, std::uint64_t b)
{
    const std::uint64_t distance = a > b ? a - b : b - a;
    return distance < kSameFileTimeTolerance;
}

bool sameFileTime(std::uint64_t a, std::uint64_t b, TimeRule rule)
{
    constexpr std::uint64_t kHour = 3600 * kFileTimeUnitsPerSecond;
    if (sameFileTime(a, b))
        return true;
    return rule == TimeRule::FatLocalTime && (sameFileTime(a + kHour, b) || sameFileTime(a, b + kHour));
}

TimeRule timeRuleOf(std::wstring_view fileSystemName)
{
    std::wstring upper(fileSystemName);
    for (wchar_t& c : upper)
        if (c >= L'a' && c <= L'z')
            c = static_cast<wchar_t>(c - L'a' + L'A');
    const bool fat = upper == L"FAT" || upper == L"FAT12" || upper == L"FAT16" || upper == L"FAT32";
    return fat ? TimeRule::FatLocalTime : TimeRule::Plain;
}

std::uint64_t fileTimeOfDate(int year, int month, int day)
{
    if (year < 1601 || month < 1 || month > 12 || day < 1 || day > 31)
        return 0;
    const std::int64_t days = daysSince1601(year, static_cast<unsigned>(month), static_cast<unsigned>(day));
    return static_cast<std::uint64_t>(days) * kFileTimeUnitsPerDay;
}

std::int64_t calendarSecondsOf(std::uint64_t fileTime)
{
    if (fileTime == 0)
        return 0;
    return static_cast<std::int64_t>(fileTime / kFileTimeUnitsPerSecond) - kSecondsFrom1601To1970;
}

} // namespace yk
