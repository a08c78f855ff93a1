#pragma once

#include <QMap>
#include <QString>
#include <QTextStream>

namespace kalmur {

// kalmur-tool export-ics: one iCalendar file per employee for a run of days,
// the files the personal schedule window exports. The archive is only read.
// Exit status 0 with the paths written on standard output, 1 with the
// program's message for a refused range or a failed write, 2 for a usage error.
namespace IcsCommand {

inline constexpr const char* kUsage =
    "export-ics FILE.kmr --start YYYY-MM-DD --days N [--rows LIST] --out DIR";
inline constexpr const char* kSummary =
    "Write one iCalendar file per employee, named NNN-Name.ics after the display row, into DIR "
    "(created when missing) for N days from the start date, all inside the schedule. LIST "
    "names display rows such as 1,3-7 (default every named row, dividers left out). Shifts "
    "with times are timed events in the machine's time zone; time off, on call, explanations "
    "and notes alone are all-day events. Events keep their UIDs from export to export.";

int run(const QString& archive, const QMap<QString, QString>& values, QTextStream& out,
        QTextStream& err);

} // namespace IcsCommand

} // namespace kalmur
