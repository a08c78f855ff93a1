#pragma once

#include <QString>
#include <QStringView>
#include <QTime>

#include <optional>

namespace kalmur {

// Time-of-day display patterns in the classic Basic style:
//
//   "h"  the hour           "hh" the hour with a leading zero
//   "n"  the minutes        "nn" the minutes with a leading zero ("m"/"mm" alike)
//   "s"  the seconds        "ss" the seconds with a leading zero
//   "a/p", "A/P", "am/pm", "AM/PM"   the 12-hour clock marker, in the case written
//   "\x" the character x    "..." a quoted literal text
//
// With a marker the hour runs 12, 1 .. 11 (0:00 is 12:00a, 13:30 is 1:30p);
// without one it runs 0 to 23. Any other character is written as it stands.
// An invalid time shows as an empty text.
QString formatTime(QTime time, QStringView pattern);

// The pattern of the time fields the user edits: "h:nna/p" when the view's own
// time pattern uses the 12-hour marker (contains an "a"), otherwise "hh:nn".
QString editTimeFormat(QStringView viewTimeFormat);

// What a time field does to its text before reading it: upper case, and a text
// shorter than three characters without ":", "A" or "P" gets ":00" appended, so
// that a bare hour is read as that hour ("8" becomes "8:00").
QString normalizeTimeText(QStringView text);

// Reads a typed time of day: an hour of one or two digits, then ":" and minutes
// (and optionally ":" and seconds) of one or two digits each, and/or a 12-hour
// marker "a", "p", "am" or "pm" in any case, optionally after blanks ("8a",
// "8:00 AM", "12:00a" for midnight, "13:30"). A text with neither a colon nor a
// marker ("830") is refused, as are hours past 23 (past 12 with a marker),
// minutes or seconds past 59, and anything left over.
std::optional<QTime> readTimeOfDay(QStringView text);

} // namespace kalmur
