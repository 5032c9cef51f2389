#include <gtest/gtest.h>

#include <string>

#include "update/UpdateSchedule.h"

namespace yk {
namespace {

const LocalDateTime kNow{2026, 12, 11, 14, 30, 5};

TEST(UpdateSchedule, StampIsNowZeroPadded)
{
    struct Case {
        LocalDateTime now;
        const char* stamp;
    };
    const Case cases[] = {
        {{2026, 3, 5, 7, 8, 9}, "2026/03/05 07:08:09"},
        {{2026, 12, 11, 14, 30, 5}, "2026/12/11 14:30:05"},
        {{2027, 1, 1, 0, 0, 0}, "2027/01/01 00:00:00"},
        {{999, 10, 31, 23, 59, 59}, "999/10/31 23:59:59"},
    };
    for (const auto& c : cases) {
        // The stamp is written back whatever the decision, so it is the same with any stored value.
        EXPECT_EQ(isCheckDue("", c.now).stamp, c.stamp);
        EXPECT_EQ(isCheckDue(c.stamp, c.now).stamp, c.stamp);
    }
}

TEST(UpdateSchedule, OnceACalendarDay)
{
    struct Case {
        const char* stored;
        bool due;
    };
    const Case cases[] = {
        // Today, at any time, in any spelling sscanf's "%d/%d/%d" reads the same.
        {"2026/12/11 00:00:00", false},
        {"2026/12/11 23:59:59", false},
        {"2026/12/11 14:30:05", false},
        {"2026/12/11", false},
        {"2026/12/11garbage", false},
        {" 2026/ 12/\t11", false},
        {"+2026/+12/011", false},
        // Another day.
        {"", true},
        {"2026/12/10 23:59:59", true},
        {"2026/11/11 14:30:05", true},
        {"2025/12/11 14:30:05", true},
        {"2026/12/12 00:00:00", true},
        {"-2026/12/11", true},
        {"4294969322/12/11", true}, // 2026 + 2^32: out of int, not a wrapped 2026
        {"2026/12/4294967307", true},
        {"99999999999999999999/12/11", true},
        // Not a date at all.
        {"garbage", true},
        {"2026-12-11 10:00:00", true},
        {"2026/12", true},
        {"2026/12/", true},
        {"2026 /12/11", true},
        {"2026//12/11", true},
        {"2026/12/+", true},
        {"/12/11", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(isCheckDue(c.stored, kNow).due, c.due) << '"' << c.stored << '"';
}

} // namespace
} // namespace yk
