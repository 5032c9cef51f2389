// The date range dialog of a range restore: two pickers from 1970-01-01 to today, an ordering check and
// a confirmation that repeats the chosen dates.
#pragma once

#include <windows.h>

#include "ui/DateRangeText.h"
#include "ui/SkinnedDialog.h"

namespace yk {

class CSetRange final : public SkinnedDialog {
public:
    explicit CSetRange(float mag = 1.0f);

    // Valid after the modal run returned IDOK; both at midnight, both ends included.
    const CalendarDate& startDate() const { return startDate_; }
    const CalendarDate& endDate() const { return endDate_; }

private:
    bool onInitDialog() override;
    void onButton(INT_PTR result) override;
    void confirmRange();

    std::wstring okCaption_;
    std::wstring yesCaption_;
    std::wstring noCaption_;
    CalendarDate startDate_;
    CalendarDate endDate_;
};

// The calendar date of a SYSTEMTIME, and the SYSTEMTIME of a date at midnight.
CalendarDate calendarDateOf(const SYSTEMTIME& time);
SYSTEMTIME systemTimeOf(const CalendarDate& date);

} // namespace yk
