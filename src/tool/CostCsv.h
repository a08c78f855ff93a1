#pragma once

#include <QMap>
#include <QString>
#include <QTextStream>

namespace kalmur {

// kalmur-tool cost: the estimated cost table of a run of days as CSV, a line
// per line of the cost report's table (the column titles, one line per chosen
// employee in entry order, the totals) with the texts the report prints. The
// archive is only read.
namespace CostCsv {

inline constexpr const char* kUsage = "cost FILE.kmr --start YYYY-MM-DD --days N [--rows LIST]";
inline constexpr const char* kSummary =
    "Print, as CSV, the estimated cost report of N days (1 to 42) from the start date: the "
    "column titles, one line per named row of LIST (display rows such as 1,3-7; default every "
    "named row, dividers left out) in entry order, and the totals line, with the texts the "
    "report prints. A run that leaves the schedule is refused with \"Data not available for "
    "date entered\".";

int run(const QString& archive, const QMap<QString, QString>& values, QTextStream& out,
        QTextStream& err);

} // namespace CostCsv

} // namespace kalmur
