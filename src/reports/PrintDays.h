#pragma once

#include "model/records/ViewFormat.h"

#include <QDate>
#include <QString>

namespace kalmur {

// The days the schedule report prints, as chosen in the print window. The
// choice is kept in the view format (the value at offset 231).
enum class DaysToPrint { SameAsScreen = 0, CurrentMonth = 1, Selected = 2 };

namespace PrintDays {

inline constexpr int kMaxDays = ViewFormat::kMaxDaysOnScreen;

// The stored choice; a value out of range reads as "Same as screen".
DaysToPrint stored(const ViewFormat& format);
void store(ViewFormat& format, DaysToPrint choice);

// What the grid shows when the print window opens.
struct Grid {
    QDate firstShown;
    int daysOnScreen = 1;
    QDate currentDay;
    int taggedDays = 1;
};

struct Range {
    QDate start;
    int days = 1;
    bool operator==(const Range&) const = default;
};

// The start date and number of days of a choice: the grid's days, the month of
// the current day, or the tagged days from the current day.
Range rangeFor(DaysToPrint choice, const Grid& grid);

// The message for a number of days the report cannot print, empty when it can.
QString daysError(int days);
// The message for a start date text that is not a date.
QString dateError(const QString& text);

} // namespace PrintDays

} // namespace kalmur
