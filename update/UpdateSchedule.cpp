#include "update/UpdateSchedule.h"

#include <cstdio>
#include <limits>
#include <optional>

namespace yk {

namespace {

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// One "%d": white space, an optional sign, at least one digit. A number outside int is no number.
std::optional<int> readInt(std::string_view text, std::size_t& at)
{
    while (at < text.size() && isSpace(text[at]))
        ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        negative = text[at] == '-';
        ++at;
    }
    const std::size_t firstDigit = at;
    // The magnitude of INT_MIN: one more than INT_MAX.
    const long long limit =
        negative ? -static_cast<long long>(std::numeric_limits<int>::min()) : std::numeric_limits<int>::max();
    long long magnitude = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
        magnitude = magnitude * 10 + (text[at] - '0');
        if (magnitude > limit)
            return std::nullopt;
    }
    if (at == firstDigit)
        return std::nullopt;
    return static_cast<int>(negative ? -magnitude : magnitude);
}

bool readSlash(std::string_view text, std::size_t& at)
{
    if (at < text.size() && text[at] == '/') {
        ++at;
        return true;
    }
    return false;
}

struct StoredDay {
    int year, month, day;
};

// "year/month/day" at the start of the stored stamp; whatever follows the day does not matter.
std::optional<StoredDay> storedDay(std::string_view stored)
{
    std::size_t at = 0;
    const auto year = readInt(stored, at);
    if (!year || !readSlash(stored, at))
        return std::nullopt;
    const auto month = readInt(stored, at);
    if (!month || !readSlash(stored, at))
        return std::nullopt;
    const auto day = readInt(stored, at);
    if (!day)
        return std::nullopt;
    return StoredDay{*year, *month, *day};
}

} // namespace

CheckDecision isCheckDue(std::string_view stored, const LocalDateTime& now)
{
    CheckDecision decision;
    // Six ints of at most eleven characters each and their separators.
    char stamp[96];
    std::snprintf(stamp, sizeof stamp, "%d/%02d/%02d %02d:%02d:%02d", now.year, now.month, now.day, now.hour,
                  now.minute, now.second);
    decision.stamp = stamp;

    const auto day = storedDay(stored);
    decision.due = !day || day->year != now.year || day->month != now.month || day->day != now.day;
    return decision;
}

} // namespace yk
