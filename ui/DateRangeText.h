// The calendar dates of a range restore: their order and the way the confirmation shows them.
#pragma once

#include <string>

namespace yk {

struct CalendarDate {
    int year = 0;
    int month = 0;
    int day = 0;
    auto operator<=>(const CalendarDate&) const = default;
};

// A range is usable when its start is not later than its end; one day is a valid range.
bool isOrderedRange(const CalendarDate& start, const CalendarDate& end);

// "%d/%d/%d": year/month/day without leading zeros, e.g. 2024/3/7.
std::wstring formatCalendarDate(const CalendarDate& date);

// "%s ~ %s" of the two formatted dates.
std::wstring formatDateRange(const CalendarDate& start, const CalendarDate& end);

} // namespace yk
