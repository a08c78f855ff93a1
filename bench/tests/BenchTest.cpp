// The benchmark's own parts: the schedule generator must give the schedule it
// promises, and the measurements must measure what they say.
#include "BenchSuite.h"
#include "Measure.h"
#include "ScheduleGenerator.h"
#include "WindowBench.h"
#include "editor/CoverageTotals.h"
#include "files/ScheduleArchive.h"
#include "model/codec/OleDate.h"
#include "model/schedule/Schedule.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <set>
#include <vector>

using namespace kalmur;

namespace {

ScheduleGenerator::Options oneYear(std::uint64_t seed = 7) {
    ScheduleGenerator::Options o;
    o.start = QDate(2023, 1, 1);
    o.end = QDate(2023, 12, 31);
    o.notes = 400;
    o.seed = seed;
    return o;
}

// A schedule in a temporary working directory, filled by the generator.
struct Generated {
    QTemporaryDir dir;
    Schedule schedule{dir.path()};
    ScheduleGenerator generator;

    explicit Generated(const ScheduleGenerator::Options& options)
        : generator(options) {
        schedule.loadSettings();
        schedule.settings().startDate = OleDate::fromDate(options.start);
        schedule.settings().endDate = OleDate::fromDate(options.end);
        EXPECT_TRUE(schedule.openAll());
        EXPECT_TRUE(generator.fill(schedule));
        EXPECT_TRUE(schedule.flush());
    }
    QByteArray dayFile() const {
        QFile f(memberPath(dir.path(), Member::Days));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

} // namespace

TEST(BenchMeasure, MedianOfOddEvenAndNoValues) {
    EXPECT_EQ(bench::median({5, 1, 3}), 3);
    EXPECT_EQ(bench::median({4, 1, 3, 10}), 3.5);
    EXPECT_EQ(bench::median({}), 0);
}

TEST(BenchMeasure, ChildRunsReportExitStatusAndOutput) {
    QTemporaryDir dir;
    const QString out = dir.filePath("out.txt");
    const auto ok = bench::runChild({"sh", "-c", "echo hello"}, "/dev/null", out);
    EXPECT_TRUE(ok.succeeded());
    QFile f(out);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("hello\n"));

    const auto failed = bench::runChild({"sh", "-c", "exit 3"});
    EXPECT_TRUE(failed.started);
    EXPECT_EQ(failed.exitStatus, 3);
    EXPECT_FALSE(bench::runChild({"no-such-program-for-the-bench"}).succeeded());
}

TEST(BenchMeasure, PeakMemoryIsTheChildsOwnNotThisProcesss) {
    if (QStandardPaths::findExecutable("/usr/bin/time").isEmpty()) {
        GTEST_SKIP() << "/usr/bin/time is not installed";
    }
    QTemporaryDir dir;
    // 256 MiB resident here must not show up in a small child's figure.
    std::vector<char> ballast(256u << 20, 1);
    for (std::size_t i = 0; i < ballast.size(); i += 4096) {
        ballast[i] = 2;
    }
    const long small = bench::peakMemoryKiB({"true"}, "/dev/null", dir.filePath("peak"));
    EXPECT_GT(small, 0);
    EXPECT_LT(small, 64 * 1024);
    // A child that really uses memory is charged for it.
    const long big = bench::peakMemoryKiB(
        {"sh", "-c", "x=$(head -c 40000000 /dev/zero | tr '\\0' a); echo ${#x}"}, "/dev/null",
        dir.filePath("peak"));
    EXPECT_GT(big, 40 * 1024);
    EXPECT_EQ(bench::peakMemoryKiB({"false"}, "/dev/null", dir.filePath("peak")), -1);
    EXPECT_EQ(ballast[4096], 2); // keeps the ballast alive to here
}

TEST(BenchGenerator, GivesTheProportionsItPromises) {
    Generated g(oneYear());
    const Schedule& s = g.schedule;
    ASSERT_EQ(s.dayCount(), 365);
    int shift = 0;
    int onCall = 0;
    int explanation = 0;
    std::set<int> noteNumbers;
    int notedCells = 0;
    for (int d = 1; d <= s.dayCount(); ++d) {
        const auto day = s.readDay(d);
        ASSERT_TRUE(day);
        for (std::size_t i = 0; i < DayRecord::kSlots; ++i) {
            shift += day->shift[i] != 0;
            onCall += day->onCall[i] != 0;
            explanation += day->explanation[i] != 0;
            ASSERT_GE(day->note[i], 0);
            if (day->note[i] > 0) {
                ++notedCells;
                noteNumbers.insert(day->note[i]);
                EXPECT_FALSE(s.readNote(day->note[i]).isEmpty());
            }
            // Only defined shifts (or off) and defined explanations.
            const int sh = day->shift[i];
            EXPECT_TRUE(sh == 0 || sh == ShiftRecord::kOff || !s.shift(sh).isUndefined()) << sh;
            EXPECT_FALSE(day->explanation[i] != 0 &&
                         s.explanations().isUndefined(day->explanation[i]));
        }
    }
    const double cells = 365.0 * 200;
    EXPECT_NEAR(shift / cells, 0.60, 0.01);
    EXPECT_NEAR(onCall / cells, 0.05, 0.005);
    EXPECT_NEAR(explanation / cells, 0.03, 0.005);
    // Every note belongs to exactly one cell; note 1 stays the blank note.
    EXPECT_EQ(notedCells, 400);
    EXPECT_EQ(noteNumbers.size(), 400u);
    EXPECT_EQ(*noteNumbers.begin(), 2);
    EXPECT_EQ(*noteNumbers.rbegin(), 401);
    EXPECT_EQ(s.noteCount(), 401);

    const auto& c = g.generator.counts();
    EXPECT_EQ(c.withShift, shift);
    EXPECT_EQ(c.onCall, onCall);
    EXPECT_EQ(c.withExplanation, explanation);
    EXPECT_EQ(c.withNote, 400);
    int named = 0;
    for (const QString& name : s.employees().names) {
        named += name.trimmed().isEmpty() ? 0 : 1;
    }
    EXPECT_EQ(named, 200);
}

TEST(BenchGenerator, TheSameSeedGivesTheSameSchedule) {
    const QByteArray first = Generated(oneYear(11)).dayFile();
    EXPECT_EQ(first.size(), 365 * 1200);
    EXPECT_EQ(Generated(oneYear(11)).dayFile(), first);
    EXPECT_NE(Generated(oneYear(12)).dayFile(), first);
}

TEST(BenchGenerator, WritesAnArchiveTheProgramOpens) {
    QTemporaryDir dir;
    const QString path = dir.filePath("year.KMR");
    ScheduleGenerator generator(oneYear());
    ASSERT_EQ(generator.writeArchive(path), QString());

    QTemporaryDir working;
    ScheduleArchive archive(working.path());
    Schedule s(working.path());
    ASSERT_TRUE(archive.open(ScheduleLocation::fromPath(path)).succeeded());
    ASSERT_TRUE(s.loadSettings().ok);
    ASSERT_TRUE(s.openAll());
    EXPECT_EQ(s.startDate(), QDate(2023, 1, 1));
    EXPECT_EQ(s.dayCount(), 365);
    EXPECT_EQ(s.noteCount(), 401);
    EXPECT_EQ(s.shift(1).description, QStringLiteral("Day"));
    EXPECT_EQ(s.explanations().description(12), QStringLiteral("Jury Duty"));

    // It opens in the six-week view, whose coverage lines count what they say.
    EXPECT_EQ(s.viewFormatNumber(), ScheduleGenerator::kSixWeekView);
    EXPECT_EQ(s.viewFormat().name, QStringLiteral("Six Weeks"));
    ASSERT_EQ(s.windowLength(), 42);
    ASSERT_EQ(s.viewFormat().coverageVisible, 6);
    const auto totals = CoverageTotals::count(s, 6, 1, 42);
    int nights = 0;
    int registered = 0;
    int onCall = 0;
    int away = 0;
    int nightTotal = 0;
    int registeredTotal = 0;
    int onCallTotal = 0;
    int awayTotal = 0;
    for (int k = 1; k <= 42; ++k) {
        const auto i = static_cast<std::size_t>(k - 1);
        nightTotal += totals[2][i];
        registeredTotal += totals[3][i];
        onCallTotal += totals[4][i];
        awayTotal += totals[5][i];
        for (int row = 1; row <= 200; ++row) {
            const Cell c = s.cell(s.slotOfRow(row), k);
            const bool onDuty = c.shift >= 1 && c.shift <= 12 && c.shift != 9 && c.shift != 10;
            nights += c.shift == 3 || c.shift == 5 || c.shift == 12;
            registered += onDuty && s.employees().positions[std::size_t(row - 1)].trimmed() == "RN";
            onCall += c.onCall != 0;
            away += c.explanation == 2 || c.explanation == 3;
        }
    }
    EXPECT_EQ(nightTotal, nights);
    EXPECT_EQ(registeredTotal, registered);
    EXPECT_EQ(onCallTotal, onCall);
    EXPECT_EQ(awayTotal, away);
    EXPECT_GT(nights, 0);
    EXPECT_GT(registered, 0);
    EXPECT_GT(onCall, 0);
    EXPECT_GT(away, 0);
    if (!QStandardPaths::findExecutable("unzip").isEmpty()) {
        EXPECT_TRUE(bench::runChild({"unzip", "-tq", path}).succeeded());
    }
}

// One quick pass over every measurement on a small archive: each row must be
// measured (a step that fails shows as "failed", which a table must never
// carry unnoticed) and the saved archive must pass unzip's test.
TEST(BenchSuite, EveryMeasurementRunsOnASmallArchive) {
    for (const char* program : {"unzip", "zip", "/usr/bin/time"}) {
        if (QStandardPaths::findExecutable(program).isEmpty()) {
            GTEST_SKIP() << program << " is not installed";
        }
    }
    QTemporaryDir dir;
    const QString archive = dir.filePath("year.KMR");
    ASSERT_EQ(ScheduleGenerator(oneYear()).writeArchive(archive), QString());

    bench::BenchSuite::Options options;
    options.archive = archive;
    options.workDirectory = dir.filePath("work");
    options.tool = QStringLiteral(KALMUR_BIN_DIR) + "/kalmur-tool";
    options.rounds = 1;
    options.samples = 1;
    options.perSample = 50;
    bench::BenchSuite suite(options);
    ASSERT_EQ(suite.prepare(), QString());
    EXPECT_TRUE(suite.describeArchive().join('\n').contains("(365 days), 200 named employees"));
    suite.measureOpen();
    suite.measureSave();
    suite.measureRebuild();
    suite.measureInProcess();
    suite.measureMemory();

    ASSERT_EQ(suite.rows().size(), 12u);
    for (const bench::ResultRow& row : suite.rows()) {
        EXPECT_NE(row.ours, "failed") << row.operation.toStdString();
        EXPECT_NE(row.reference, "failed") << row.operation.toStdString();
    }
    EXPECT_TRUE(suite.notes().contains("unzip -tq of the saved archive: passed."));
    EXPECT_TRUE(suite.table().startsWith("| Operation | Ours | Reference | Ratio | Goal | Met |"));
}

// The reports and exports for three employees of a small archive: every row is
// measured, and the references write as many lines, files and events as ours.
TEST(BenchSuite, ReportAndExportRowsRunOnASmallArchive) {
    for (const char* program : {"/usr/lib/cups/filter/texttopdf", "pdftotext", "python3"}) {
        if (QStandardPaths::findExecutable(program).isEmpty()) {
            GTEST_SKIP() << program << " is not installed";
        }
    }
    QTemporaryDir dir;
    const QString archive = dir.filePath("year.KMR");
    ASSERT_EQ(ScheduleGenerator(oneYear()).writeArchive(archive), QString());
    bench::BenchSuite::Options options;
    options.archive = archive;
    options.workDirectory = dir.filePath("work");
    options.tool = QStringLiteral(KALMUR_BIN_DIR) + "/kalmur-tool";
    options.rounds = 1;
    options.reportRows = "1-3";
    bench::BenchSuite suite(options);
    ASSERT_EQ(suite.prepare(), QString());
    suite.measureReports();
    suite.measureExports();

    ASSERT_EQ(suite.rows().size(), 8u) << suite.notes().join('\n').toStdString();
    for (const bench::ResultRow& row : suite.rows()) {
        EXPECT_NE(row.ours, "failed") << row.operation.toStdString();
        EXPECT_NE(row.reference, "failed") << row.operation.toStdString();
    }
    const auto text = [&](const QString& name) {
        QFile f(options.workDirectory + "/exports/" + name);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };
    // The last CSV written is the long layout's.
    EXPECT_GT(text("grid.csv").count('\n'), 3);
    EXPECT_EQ(text("reference.csv").count('\n'), text("grid.csv").count('\n'));
    qsizetype events = 0;
    for (const QFileInfo& f :
         QDir(options.workDirectory + "/exports/reference-ics").entryInfoList(QDir::Files)) {
        events += text("reference-ics/" + f.fileName()).count("BEGIN:VEVENT");
    }
    EXPECT_TRUE(suite.notes().contains(
        QStringLiteral("export-ics wrote %1 events into 3 files.").arg(events)));
    EXPECT_TRUE(bench::runChild({"unzip", "-tq", options.workDirectory + "/exports/reference.KMR"})
                    .succeeded());
}

// One quick pass over the main window's measurements and the program's
// start-up: each row must be measured, which also proves that the quick key
// edits the cell and moves on, the steps move the days, and the program
// reports and quits once its window is shown with the schedule.
TEST(WindowBench, EveryMeasurementRunsOnASmallArchive) {
    QTemporaryDir dir;
    const QString archive = dir.filePath("year.KMR");
    ASSERT_EQ(ScheduleGenerator(oneYear()).writeArchive(archive), QString());

    bench::WindowBench::Options options;
    options.archive = archive;
    options.workDirectory = dir.filePath("work");
    options.program = QStringLiteral(KALMUR_BIN_DIR) + "/kalmur";
    options.rounds = 1;
    options.samples = 1;
    options.perSample = 50;
    options.rows = 12;
    options.width = 1400;
    options.height = 500;
    bench::WindowBench window(options);
    ASSERT_EQ(window.prepare(), QString());
    EXPECT_TRUE(window.notes().first().contains("42 days x 12 rows"));
    window.measureRepaint();
    window.measureSteps();
    window.measureQuickKey();
    window.measureStartup();

    ASSERT_EQ(window.rows().size(), 8u);
    for (const bench::ResultRow& row : window.rows()) {
        EXPECT_NE(row.ours, "failed") << row.operation.toStdString();
    }
    EXPECT_TRUE(window.rows().back().operation.startsWith("Start-up"));
    EXPECT_TRUE(window.notes().filter("Start-up: 1 pairs").size() == 1)
        << window.notes().join('\n').toStdString();
}
