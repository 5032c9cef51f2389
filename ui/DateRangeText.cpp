#include "ui/DateRangeText.h"

namespace yk {

bool isOrderedRange(const CalendarDate& start, const CalendarDate& end)
{
    // Both ends are midnight, so comparing year, month and day orders them as their file times would.
    return start <= end;
}

std::wstring formatCalendarDate(const CalendarDate& date)
{
    // Built by hand rather than with swprintf: "%s" means different things to the two C libraries we build
    // with, and wchar_t has two widths.
    return std::to_wstring(date.year) + L'/' + std::to_wstring(date.month) + L'/' + std::to_wstring(date.day);
}

std::wstring formatDateRange(const CalendarDate& start, const CalendarDate& end)
{
    return formatCalendarDate(start) + L" ~ " + formatCalendarDate(end);
}

} // namespace yk
