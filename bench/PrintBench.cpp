// The schedule report of 200 employees x 42 days into a PDF file, against
// LibreOffice Calc converting the same grid, given as CSV, to PDF.
#include "BenchSuite.h"

#include "model/schedule/DayRange.h"
#include "model/schedule/Schedule.h"
#include "tool/Csv.h"
#include "tool/ToolSession.h"

#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTextStream>
#include <QUrl>

namespace kalmur::bench {

namespace {

constexpr int kDays = 42;

// The grid the report prints, as a spreadsheet would hold it: a row per named
// row with its name, position and the shift abbreviation of each day.
bool writeGrid(const Schedule& s, QDate start, const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return false;
    }
    QTextStream out(&file);
    out << "Name,Position";
    for (int d = 0; d < kDays; ++d) {
        out << ',' << start.addDays(d).toString(Qt::ISODate);
    }
    out << '\n';
    const int first = s.dayOfDate(start);
    std::vector<DayRecord> days;
    if (!DayRange(s, first, first + kDays - 1).forEach([&](int, const DayRecord& day) {
            days.push_back(day);
        })) {
        return false;
    }
    const EmployeeTable& e = s.employees();
    for (int row = 1; row <= EmployeeTable::kRows; ++row) {
        if (e.hasBlankName(row)) {
            continue;
        }
        const auto r = static_cast<std::size_t>(row - 1);
        out << Csv::field(e.names[r].trimmed()) << ',' << Csv::field(e.positions[r].trimmed());
        const int slot = s.slotOfRow(row);
        for (const DayRecord& day : days) {
            const int shift = day.cell(slot).shownShift();
            out << ','
                << (shift > 0 ? Csv::field(s.shift(shift).abbreviation.trimmed()) : QString());
        }
        out << '\n';
    }
    return out.status() == QTextStream::Ok;
}

} // namespace

void BenchSuite::measurePrint() {
    const QString operation =
        QStringLiteral("kalmur-tool print, schedule report 200 x %1 days to PDF vs LibreOffice "
                       "Calc converting the grid as CSV to PDF")
            .arg(kDays);
    const QString dir = path(QStringLiteral("print"));
    const QString archive = path(QStringLiteral("print/schedule.KMR"));
    const QString csv = path(QStringLiteral("print/grid.csv"));
    const QString pdf = path(QStringLiteral("print/report.pdf"));
    const QString profile = path(QStringLiteral("print/office-profile"));
    freshDirectory(dir);
    QFile::copy(m_archive, archive);
    QString start;
    {
        ToolSession session;
        if (!session.open(archive).isEmpty()) {
            m_rows.push_back({operation, QStringLiteral("failed"), {}, {}, {}, {}});
            return;
        }
        const Schedule& s = session.schedule();
        const QDate first = s.dateOfDay(s.window().dayNumber(1));
        start = first.toString(Qt::ISODate);
        if (!writeGrid(s, first, csv)) {
            m_rows.push_back({operation, QStringLiteral("failed"), {}, {}, {}, {}});
            return;
        }
    }
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty()) {
        m_notes.append(operation + QStringLiteral(": soffice is not installed."));
        return;
    }
    const QStringList ours{m_options.tool,
                           "print",
                           archive,
                           "--report",
                           "schedule",
                           "--pdf",
                           pdf,
                           "--start",
                           start,
                           "--days",
                           QString::number(kDays)};
    const QStringList reference{
        // The profile must be an absolute file URL: a relative one names a
        // host, and the office then waits on a profile it cannot lock.
        soffice,
        QStringLiteral("-env:UserInstallation=") +
            QUrl::fromLocalFile(QFileInfo(profile).absoluteFilePath()).toString(),
        "--headless",
        "--convert-to",
        "pdf",
        "--outdir",
        dir,
        csv};
    const PairTimes pair = alternate(
        m_options.rounds,
        [&] {
            const ChildRun run =
                runChild(ours, QStringLiteral("/dev/null"), QStringLiteral("/dev/null"), 120);
            return run.succeeded() ? run.seconds : -1.0;
        },
        [&] {
            const ChildRun run =
                runChild(reference, QStringLiteral("/dev/null"), QStringLiteral("/dev/null"), 300);
            return run.succeeded() ? run.seconds : -1.0;
        });
    addPair(operation, pair, 0.2, QStringLiteral("<= 0.2x"));
    const QString scratch = path(QStringLiteral("print/time.txt"));
    m_notes.append(
        QStringLiteral("Peak memory of the print: kalmur-tool %1, LibreOffice %2.")
            .arg(formatKiB(peakMemoryKiB(ours, QStringLiteral("/dev/null"), scratch)),
                 formatKiB(peakMemoryKiB(reference, QStringLiteral("/dev/null"), scratch))));
}

} // namespace kalmur::bench
