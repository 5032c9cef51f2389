// File times as the runs compare them: 100-ns units since 1601-01-01 00:00, UTC or local wall-clock time.
#pragma once

#include <cstdint>
#include <string_view>

namespace yk {

inline constexpr std::uint64_t kFileTimeUnitsPerSecond = 10'000'000;
inline constexpr std::uint64_t kFileTimeUnitsPerDay = 86'400 * kFileTimeUnitsPerSecond;
// Seconds from 1601-01-01 to 1970-01-01.
inline constexpr std::int64_t kSecondsFrom1601To1970 = 11'644'473'600;
// Two last-write times closer than this (4 s) name the same version of a file.
inline constexpr std::uint64_t kSameFileTimeTolerance = 40'000'000;

// A start and an end date (local midnight), both included.
struct DateRange {
    std::uint64_t start = 0;
    std::uint64_t end = 0;
};

// The local date of a local file time: the same day at 00:00:00.000.
std::uint64_t localDateOf(std::uint64_t localFileTime);

// True when the local date of the time lies between the range's dates, both ends included.
bool isDateInRange(std::uint64_t localFileTime, const DateRange& range);

// The time with its milliseconds (and anything finer) set to zero.
std::uint64_t withoutMilliseconds(std::uint64_t fileTime);

// Equal for backup purposes: less than 4 seconds apart. Both times come without milliseconds.
bool sameFileTime(std::uint64_t a, std::uint64_t b);

// How the card keeps its times. FAT and FAT32 store local wall-clock time, so after a change to or from
// daylight saving time every file on such a card reads one hour off: there, two times an hour apart (within
// the same 4 seconds) are the same time too. Other file systems store UTC.
enum class TimeRule { Plain, FatLocalTime };

bool sameFileTime(std::uint64_t a, std::uint64_t b, TimeRule rule);

// The rule for a file system by the name its volume reports: "FAT", "FAT12", "FAT16" and "FAT32" keep local
// time (any case); every other name, exFAT and NTFS among them, and an unknown one keep the plain rule.
TimeRule timeRuleOf(std::wstring_view fileSystemName);

// The file time of a calendar date at 00:00:00; 0 for a date before 1601 or an impossible month.
std::uint64_t fileTimeOfDate(int year, int month, int day);

// Seconds since 1970-01-01 00:00:00 UTC of a UTC file time; 0 for the file time 0 (not available).
std::int64_t calendarSecondsOf(std::uint64_t fileTime);

} // namespace yk
