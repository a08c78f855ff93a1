// The reports kalmur-tool prints to PDF, each against cups-filters' texttopdf
// laying out the same text on pages, and the exports and the staff import
// against python3 writing the same rows, events and archive.
#include "BenchSuite.h"

#include "Measure.h"
#include "model/schedule/Schedule.h"
#include "tool/ToolSession.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTextStream>

namespace kalmur::bench {

namespace {

constexpr int kDays = 42;
constexpr const char* kTextToPdf = "/usr/lib/cups/filter/texttopdf";

// Saved query 1 of the query report: the day and evening shifts of everyone.
constexpr const char* kQuery = R"({"queries": [
  {"number": 1, "title": "Days and evenings", "ignoreNames": true, "ignoreExplanations": true,
   "ignoreShifts": false, "shifts": [1, 2]}]})";

// python3 -c SCRIPT OUT ROWS COLUMNS: the same number of CSV rows and columns,
// the cells like the schedule's (empty, codes, several lines, quoted commas),
// through the csv module.
constexpr const char* kCsvScript = R"(import csv, sys
out, rows, columns = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
cells = ["", "N", "ER", "", "N / *", "X", "", "ER,b", "", "D"]
with open(out, "w", newline="") as f:
    w = csv.writer(f, lineterminator="\n")
    w.writerow(["name", "position"] + ["2024-03-%02d" % c for c in range(2, columns)])
    for r in range(rows):
        w.writerow(["Name %d, Given" % r] + [cells[(r * 7 + c) % len(cells)] for c in range(1, columns)])
)";

// python3 -c SCRIPT DIR FILES EVENTS: EVENTS timed events spread over FILES
// calendars, each written as the program writes one (a temporary file,
// flushed to the disk, renamed over the name).
constexpr const char* kIcsScript = R"(import datetime, os, sys
out, files, events = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
os.makedirs(out, exist_ok=True)
stamp = datetime.datetime.utcnow().strftime("%Y%m%dT%H%M%SZ")
first = datetime.date(2024, 3, 1)
for n in range(files):
    lines = ["BEGIN:VCALENDAR", "PRODID:-//Bench//Bench 1.0//EN", "VERSION:2.0",
             "CALSCALE:GREGORIAN", "X-WR-CALNAME:Name %d, Given" % n]
    for e in range(events // files + (1 if n < events % files else 0)):
        day = first + datetime.timedelta(days=e)
        end = day + datetime.timedelta(days=1)
        lines += ["BEGIN:VEVENT", "UID:%s-%03d-schedule@bench" % (day.strftime("%Y%m%d"), n),
                  "DTSTAMP:" + stamp, "DTSTART;TZID=Etc/UTC:%sT230000" % day.strftime("%Y%m%d"),
                  "DTEND;TZID=Etc/UTC:%sT070000" % end.strftime("%Y%m%d"), "SUMMARY:Night",
                  "LOCATION:RN", "DESCRIPTION:Break: 0.50\\nPaid hours: 7.50", "END:VEVENT"]
    lines.append("END:VCALENDAR")
    name = os.path.join(out, "%03d-Name %d, Given.ics" % (n + 1, n))
    with open(name + ".tmp", "w", newline="") as f:
        f.write("\r\n".join(lines) + "\r\n")
        f.flush()
        os.fsync(f.fileno())
    os.replace(name + ".tmp", name)
)";

// python3 -c SCRIPT ARCHIVE STAFF: reads the staff CSV and the archive and
// writes every member again (deflated at level 6) into a new archive, flushed
// and renamed over the old one: what opening, filling the rows and saving does.
constexpr const char* kStaffScript = R"(import csv, os, sys, zipfile
archive, staff = sys.argv[1], sys.argv[2]
with open(staff, newline="") as f:
    people = [dict(r) for r in csv.DictReader(f)]
with zipfile.ZipFile(archive) as old:
    members = [(i.filename, old.read(i)) for i in old.infolist() if i.filename != "staff.txt"]
members.append(("staff.txt", "\n".join(p["name"] for p in people).encode()))
with zipfile.ZipFile(archive + ".new", "w", zipfile.ZIP_DEFLATED, compresslevel=6) as new:
    for name, data in members:
        new.writestr(name, data)
with open(archive + ".new", "rb+") as f:
    os.fsync(f.fileno())
os.replace(archive + ".new", archive)
)";

QString python() {
    // The system's own interpreter: a version manager's shim on PATH would
    // add its own start-up to every run.
    const QString system = QStringLiteral("/usr/bin/python3");
    return QFileInfo(system).isExecutable()
               ? system
               : QStandardPaths::findExecutable(QStringLiteral("python3"));
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

double timed(const QStringList& argv, const QString& out = QStringLiteral("/dev/null")) {
    const ChildRun run = runChild(argv, QStringLiteral("/dev/null"), out, 300);
    return run.succeeded() ? run.seconds : -1.0;
}

} // namespace

QStringList BenchSuite::rowsArgument() const {
    return m_options.reportRows.isEmpty()
               ? QStringList()
               : QStringList{QStringLiteral("--rows"), m_options.reportRows};
}

void BenchSuite::measureReports() {
    const QString dir = path(QStringLiteral("reports"));
    const QString archive = path(QStringLiteral("reports/schedule.KMR"));
    const QString json = path(QStringLiteral("reports/query.json"));
    freshDirectory(dir);
    QFile::copy(m_archive, archive);
    QFile query(json);
    const bool written = query.open(QIODevice::WriteOnly) && query.write(kQuery) > 0;
    query.close();
    QDate start;
    if (written && runChild({m_options.tool, "import", archive, json}).succeeded()) {
        ToolSession session;
        if (session.open(archive).isEmpty()) {
            start = session.schedule().dateOfDay(session.schedule().window().dayNumber(1));
        }
    }
    const QString first = start.toString(Qt::ISODate);
    const QString month = start.toString(QStringLiteral("yyyy-MM"));
    const QString last = start.addDays(kDays - 1).toString(Qt::ISODate);
    const QStringList rows = rowsArgument();
    struct Report {
        QString operation;
        QStringList arguments;
    };
    const std::vector<Report> reports{
        {QStringLiteral("monthly calendar of %1, a page per employee").arg(month),
         QStringList{"--report", "calendar", "--month", month} + rows},
        {QStringLiteral("personal schedule of %1 days, a page per employee").arg(kDays),
         QStringList{"--report", "personal", "--start", first, "--days", QString::number(kDays)} +
             rows},
        {QStringLiteral("legend"), {"--report", "legend"}},
        {QStringLiteral("query report of saved query 1 over %1 days").arg(kDays),
         QStringList{"--report", "query", "--query", "1", "--start", first, "--end", last} + rows},
    };
    const bool texttopdf = QFileInfo(QLatin1String(kTextToPdf)).isExecutable() &&
                           !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty();
    for (std::size_t i = 0; i < reports.size(); ++i) {
        const Report& report = reports[i];
        const QString operation =
            QStringLiteral("kalmur-tool print, %1, to PDF vs texttopdf of its text")
                .arg(report.operation);
        if (!texttopdf) {
            m_notes.append(operation + QStringLiteral(": texttopdf or pdftotext is missing."));
            continue;
        }
        const QString pdf = path(QStringLiteral("reports/%1.pdf").arg(i));
        const QString text = path(QStringLiteral("reports/%1.txt").arg(i));
        const QString reference = path(QStringLiteral("reports/%1-texttopdf.pdf").arg(i));
        const QStringList ours =
            QStringList{m_options.tool, "print", archive, "--pdf", pdf} + report.arguments;
        // The reference lays out what our PDF holds, as text with its page breaks.
        if (!start.isValid() || timed(ours) < 0 || timed({"pdftotext", "-layout", pdf, text}) < 0) {
            m_rows.push_back({operation, QStringLiteral("failed"), {}, {}, {}, {}});
            continue;
        }
        const PairTimes pair = alternate(
            m_options.rounds, [&] { return timed(ours); },
            [&] {
                return timed({kTextToPdf, "1", "bench", "report", "1", "", text}, reference);
            });
        addPair(operation, pair, 10.0, QStringLiteral("<= 10x"));
        const QByteArray laidOut = readAll(text);
        m_notes.append(
            QStringLiteral("The %1: %2 page(s), %3 of text; texttopdf's PDF of it %4.")
                .arg(report.operation)
                .arg(laidOut.count('\f'))
                .arg(formatBytes(laidOut.size()), formatBytes(QFileInfo(reference).size())));
    }
}

void BenchSuite::measureExports() {
    const QString dir = path(QStringLiteral("exports"));
    const QString archive = path(QStringLiteral("exports/schedule.KMR"));
    const QString csv = path(QStringLiteral("exports/grid.csv"));
    const QString referenceCsv = path(QStringLiteral("exports/reference.csv"));
    const QString ics = path(QStringLiteral("exports/ics"));
    const QString referenceIcs = path(QStringLiteral("exports/reference-ics"));
    freshDirectory(dir);
    QFile::copy(m_archive, archive);
    QDate start;
    {
        ToolSession session;
        if (session.open(archive).isEmpty()) {
            start = session.schedule().dateOfDay(session.schedule().window().dayNumber(1));
        }
    }
    const QString interpreter = python();
    if (interpreter.isEmpty()) {
        m_notes.append(QStringLiteral("The exports: python3 is not installed."));
        return;
    }
    const QString first = start.toString(Qt::ISODate);
    const QString days = QString::number(kDays);

    // The grid and the long layout, each against the same number of CSV rows
    // and columns written by python3.
    for (const QString& layout : {QStringLiteral("grid"), QStringLiteral("long")}) {
        const QStringList ours =
            QStringList{m_options.tool, "export-csv", archive,    "--start", first,
                        "--days",       days,         "--layout", layout} +
            rowsArgument();
        const QString operation =
            QStringLiteral("kalmur-tool export-csv, %1 days, %2 layout, vs python3 writing as "
                           "many CSV rows and columns")
                .arg(kDays)
                .arg(layout);
        if (!start.isValid() || timed(ours, csv) < 0) {
            m_rows.push_back({operation, QStringLiteral("failed"), {}, {}, {}, {}});
            continue;
        }
        const QByteArray written = readAll(csv);
        const qsizetype lines = written.count('\n');
        const qsizetype columns = written.left(written.indexOf('\n')).count(',') + 1;
        const QStringList reference{interpreter,
                                    "-I",
                                    "-c",
                                    kCsvScript,
                                    referenceCsv,
                                    QString::number(lines - 1),
                                    QString::number(columns)};
        addPair(operation,
                alternate(
                    m_options.rounds, [&] { return timed(ours, csv); },
                    [&] { return timed(reference); }),
                1.5, QStringLiteral("<= 1.5x"));
        m_notes.append(
            QStringLiteral("export-csv %1: %2 lines of %3 columns, %4; python3's %5.")
                .arg(layout)
                .arg(lines)
                .arg(columns)
                .arg(formatBytes(written.size()), formatBytes(QFileInfo(referenceCsv).size())));
    }

    // One calendar file per employee.
    {
        const QStringList ours =
            QStringList{m_options.tool, "export-ics", archive, "--start", first,
                        "--days",       days,         "--out", ics} +
            rowsArgument();
        const QString operation =
            QStringLiteral("kalmur-tool export-ics, %1 days, a calendar file per employee, vs "
                           "python3 writing as many events and files")
                .arg(kDays);
        qsizetype files = 0;
        qsizetype events = 0;
        if (start.isValid() && freshDirectory(ics) && timed(ours) >= 0) {
            for (const QFileInfo& f : QDir(ics).entryInfoList({"*.ics"}, QDir::Files)) {
                ++files;
                events += readAll(f.filePath()).count("BEGIN:VEVENT");
            }
        }
        if (files == 0) {
            m_rows.push_back({operation, QStringLiteral("failed"), {}, {}, {}, {}});
        } else {
            const QStringList reference{interpreter,
                                        "-I",
                                        "-c",
                                        kIcsScript,
                                        referenceIcs,
                                        QString::number(files),
                                        QString::number(events)};
            // Both write into an empty folder each round.
            addPair(operation,
                    alternate(
                        m_options.rounds, [&] { return freshDirectory(ics) ? timed(ours) : -1.0; },
                        [&] { return freshDirectory(referenceIcs) ? timed(reference) : -1.0; }),
                    1.5, QStringLiteral("<= 1.5x"));
            m_notes.append(
                QStringLiteral("export-ics wrote %1 events into %2 files.").arg(events).arg(files));
        }
    }

    // 200 rows of staff, filled in and saved.
    {
        const QString staff = path(QStringLiteral("exports/staff.csv"));
        const QString referenceArchive = path(QStringLiteral("exports/reference.KMR"));
        QFile file(staff);
        if (file.open(QIODevice::WriteOnly)) {
            QTextStream out(&file);
            out << "row,name,position,payRate,payType\n";
            for (int row = 1; row <= 200; ++row) {
                out << row << ",\"Staff " << row << ", Given\"," << (row % 3 ? "RN" : "LPN") << ','
                    << 20 + row % 17 << '.' << row % 100 << ',' << (row % 5 ? "hour" : "day")
                    << '\n';
            }
        }
        file.close();
        QFile::copy(m_archive, referenceArchive);
        const QStringList ours{m_options.tool, "import-staff", archive, staff};
        const QStringList reference{interpreter, "-I", "-c", kStaffScript, referenceArchive, staff};
        addPair(
            QStringLiteral("kalmur-tool import-staff, 200 rows (open, fill, save) vs python3 "
                           "reading the CSV and writing the archive again"),
            alternate(
                m_options.rounds, [&] { return timed(ours); }, [&] { return timed(reference); }),
            1.0, QStringLiteral("<= 1.0x"));
    }
}

} // namespace kalmur::bench
