#pragma once

#include <QDate>
#include <QTime>

#include <optional>

namespace kalmur {

// Dates in the files are OLE Automation dates: a double counting days from
// 30 December 1899, the fraction being the time of day. A time of day alone is
// stored on day 0.
namespace OleDate {

// The range of whole days a schedule may use: 1 January 100 to 31 December 9999.
constexpr double kMinDay = -657434.0;
constexpr double kMaxDay = 2958465.0;

QDate epoch();
double fromDate(QDate date);
double fromTime(QTime time); // on day 0
// The date part, or nothing when the value is not a usable date.
std::optional<QDate> toDate(double value);
// The whole-day number of a value (floor), or nothing when it is not usable.
std::optional<int> dayNumber(double value);
// The time-of-day part, rounded to the nearest minute; midnight for unusable values.
QTime toTime(double value);

} // namespace OleDate

} // namespace kalmur
