#pragma once

#include <QMap>
#include <QString>
#include <QTextStream>

namespace kalmur {

// kalmur-tool export-csv: the schedule of a run of days as CSV for a
// spreadsheet, in UTF-8. The grid layout has a line per named row and a column
// per date, each cell the texts the schedule report prints for the current
// view format; the long layout has a line per employee and day with a cell
// that is not empty, its parts in columns. The archive is only read.
namespace ExportCsv {

inline constexpr const char* kUsage =
    "export-csv FILE.kmr --start YYYY-MM-DD --days N [--rows LIST] [--layout grid|long]";
inline constexpr const char* kSummary =
    "Print the schedule of N days from the start date (any run inside the schedule) as CSV. "
    "grid (the default): the header 'name,position' and one column per date, then one line per "
    "named row of LIST (display rows such as 1,3-7; default every named row), each cell the "
    "texts the schedule report prints for the current view format, its lines joined by ' / '. "
    "long: one line per employee and day whose cell is not empty, with the columns date, "
    "entry, name, position, shift, shiftAbbreviation, shiftDescription, start, end, paidHours, "
    "onCall, explanation, explanationDescription and note.";

int run(const QString& archive, const QMap<QString, QString>& values, QTextStream& out,
        QTextStream& err);

} // namespace ExportCsv

} // namespace kalmur
