#pragma once

#include <QMap>
#include <QString>
#include <QStringList>
#include <QTextStream>

#include "reports/ScheduleReportPrinter.h"

#include <functional>
#include <optional>
#include <vector>

namespace kalmur {

// kalmur-tool print: a report of a schedule archive into a PDF file, with the
// engine the print window uses. The archive is only read. Exit status 0, 1
// with the program's message for a refused setup or range, 2 for a usage error.
namespace PrintCommand {

inline constexpr const char* kUsage =
    "print FILE.kmr --report schedule|cost|calendar|personal|legend --pdf OUT.pdf [--start "
    "YYYY-MM-DD --days N | --month YYYY-MM | --screen] [--rows LIST] [--blank] [--format K] "
    "[--paper letter|a4]\n"
    "       print FILE.kmr --report query (--notes | --query N) --start YYYY-MM-DD --end "
    "YYYY-MM-DD [--names-only] [--rows LIST] --pdf OUT.pdf";
inline constexpr const char* kSummary =
    "Print a report into a PDF file. 'schedule' is the schedule report of view format K (1 to "
    "5; default the current one): the days on screen (--screen, the default), a month, or N "
    "days (1 to 42) from a date; LIST names display rows such as 1,3-7 (default every row with "
    "a name, dividers included); --blank leaves the cells empty; the paper defaults to the "
    "locale's. 'cost' is the estimated cost report of N days from a date (or a month) for the "
    "named rows of LIST (default every named row, dividers left out). 'calendar' prints the "
    "monthly calendar of --month, 'personal' the personal schedule of N days from a date, one "
    "page per named row of LIST (default as for 'cost'); --blank prints day numbers only. "
    "'legend' lists the defined shifts, the reserved marks and the defined explanations. "
    "'query' is the query report of the built-in notes query or saved query N over the days "
    "from the start to the end date, for the employees it finds (those of LIST only when "
    "given), with their matching days or their names only.";

// Prints a report into the PDF file `pdf` (on Letter or A4 paper, or the
// locale's): puts `setup` on it, telling of the warnings on `err`, then lets
// `draw` print with the fonts. 0, or 1 after the message of a refused setup or
// a file that could not be written.
int printToPdf(const QString& pdf, std::optional<bool> letter, const PrintSetup& setup,
               QTextStream& err,
               const std::function<RunOutcome(QPagedPaintDevice&, const PrintFonts&)>& draw);

// The paper --paper asks for: Letter (true) or A4 (false), or the locale's
// when not given; `ok` false when it names another.
struct Paper {
    bool ok = true;
    std::optional<bool> letter;
};
Paper readPaper(const QMap<QString, QString>& values);

int run(const QString& archive, const QMap<QString, QString>& values, const QStringList& flags,
        QTextStream& out, QTextStream& err);

} // namespace PrintCommand

} // namespace kalmur
