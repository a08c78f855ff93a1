#pragma once

#include <QString>
#include <QTextStream>

namespace kalmur {

class Schedule;
struct ViewFormat;

// The coverage totals of a view format over a range of days as CSV: a header
// "line,title,YYYY-MM-DD,..." and one row per visible line with its number, its
// trimmed title and the count of each day (0 where the grid shows a blank).
// The counting is the grid's (MatchCounts), each day read once.
namespace CoverageCsv {

// Writes days first..last (day numbers of `schedule`, inside its range).
// False when a day could not be read; nothing is written then.
bool write(const Schedule& schedule, const ViewFormat& format, int firstDay, int lastDay,
           QTextStream& out);

} // namespace CoverageCsv

} // namespace kalmur
