// Once a calendar day: the update check remembers the local time of its last decision in "AutoCheckUpdate".
#pragma once

#include <string>
#include <string_view>

namespace yk {

struct LocalDateTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

struct CheckDecision {
    bool due = false;
    // "%d/%02d/%02d %02d:%02d:%02d" of now: written back to "AutoCheckUpdate" whatever the decision.
    std::string stamp;
};

// Due when the stored stamp is empty, names another day, or cannot be read as "year/month/day ...".
CheckDecision isCheckDue(std::string_view stored, const LocalDateTime& now);

} // namespace yk
