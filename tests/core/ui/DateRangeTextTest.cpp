#include <gtest/gtest.h>

#include "ui/DateRangeText.h"

namespace yk {
namespace {

TEST(DateRangeText, FormatsWithoutLeadingZeros)
{
    EXPECT_EQ(formatCalendarDate({2024, 3, 7}), L"2024/3/7");
    EXPECT_EQ(formatCalendarDate({1970, 1, 1}), L"1970/1/1");
    EXPECT_EQ(formatCalendarDate({2023, 12, 31}), L"2023/12/31");
    EXPECT_EQ(formatDateRange({2024, 3, 7}, {2024, 3, 7}), L"2024/3/7 ~ 2024/3/7");
    EXPECT_EQ(formatDateRange({2019, 11, 2}, {2024, 1, 30}), L"2019/11/2 ~ 2024/1/30");
}

TEST(DateRangeText, OrderComparesYearThenMonthThenDay)
{
    struct Case {
        CalendarDate start, end;
        bool ordered;
    };
    const Case cases[] = {
        {{2024, 3, 7}, {2024, 3, 7}, true}, // one day
        {{2024, 3, 7}, {2024, 3, 8}, true},   {{2024, 3, 8}, {2024, 3, 7}, false},
        {{2024, 2, 29}, {2024, 3, 1}, true},  {{2024, 4, 1}, {2024, 3, 31}, false},  // month outweighs day
        {{2023, 12, 31}, {2024, 1, 1}, true}, {{2025, 1, 1}, {2024, 12, 31}, false}, // year outweighs month
    };
    for (const auto& c : cases)
        EXPECT_EQ(isOrderedRange(c.start, c.end), c.ordered) << formatDateRange(c.start, c.end).size();
}

} // namespace
} // namespace yk
