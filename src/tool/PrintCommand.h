#pragma once

#include <QMap>
#include <QString>
#include <QStringList>
#include <QTextStream>

#include <optional>
#include <vector>

namespace kalmur {

// kalmur-tool print: a report of a schedule archive into a PDF file, with the
// engine the print window uses. The archive is only read. Exit status 0, 1
// with the program's message for a refused setup or range, 2 for a usage error.
namespace PrintCommand {

inline constexpr const char* kUsage =
    "print FILE.kmr --report schedule|cost --pdf OUT.pdf [--start YYYY-MM-DD --days N | --month "
    "YYYY-MM | --screen] [--rows LIST] [--blank] [--format K] [--paper letter|a4]\n"
    "       print FILE.kmr --report query (--notes | --query N) --start YYYY-MM-DD --end "
    "YYYY-MM-DD [--names-only] [--rows LIST] --pdf OUT.pdf";
inline constexpr const char* kSummary =
    "Print a report into a PDF file. 'schedule' is the schedule report of view format K (1 to "
    "5; default the current one): the days on screen (--screen, the default), a month, or N "
    "days (1 to 42) from a date; LIST names display rows such as 1,3-7 (default every row with "
    "a name, dividers included); --blank leaves the cells empty; the paper defaults to the "
    "locale's. 'cost' is the estimated cost report of N days from a date (or a month) for the "
    "named rows of LIST (default every named row, dividers left out). 'query' is the query report "
    "of the built-in notes query or saved query N over the days from the start to the end date, "
    "for the employees it finds (those of LIST only when given), with their matching days or "
    "their names only.";

// A list of display rows or employee entries such as "1,3-7"; nothing when it
// is not one.
std::optional<std::vector<int>> readRows(const QString& text);

int run(const QString& archive, const QMap<QString, QString>& values, const QStringList& flags,
        QTextStream& out, QTextStream& err);

} // namespace PrintCommand

} // namespace kalmur
