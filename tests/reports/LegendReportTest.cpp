// The legend: the lines of a schedule's shifts, marks and explanations, their
// pages in PDF files read back with pdftotext, and kalmur-tool's legend.
#include "reports/LegendReport.h"
#include "reports/PdfDevice.h"
#include "support/ToolRunner.h"
#include "support/WardSchedule.h"

#include <QTemporaryDir>

#include <functional>

#include <gtest/gtest.h>

using namespace kalmur;

namespace {

const QStringList kMarks = {QStringLiteral("X\tOFF\t\t\t\t[CTRL-X]"),
                            QStringLiteral("+\tOn Call\t\t\t\t[CTRL-O]"),
                            QStringLiteral("*\tSee Note\t\t\t\t")};

// Leaves shift 1 and explanation 3 the only definitions, or none at all.
void keepOnlyFirst(Schedule& s, bool keep) {
    for (int n = keep ? 2 : 1; n <= ShiftRecord::kUserShifts; ++n) {
        s.shifts()[std::size_t(n - 1)].description = QStringLiteral("undefined");
    }
    for (int n = 1; n <= ExplanationTable::kCount; ++n) {
        if (!keep || n != 3) {
            s.explanations().descriptions[std::size_t(n - 1)] = QStringLiteral("undefined");
        }
    }
}

QStringList listTexts(const Schedule& s) {
    QStringList texts;
    const auto lines =
        LegendReport::lines(s, LegendReport::timeFormat(s.viewFormat().timeFormat.trimmed()));
    for (const LegendLine& line : lines) {
        texts << LegendReport::listText(line);
    }
    return texts;
}

} // namespace

TEST(LegendLines, ListTheDefinedShiftsTheMarksAndTheDefinedExplanations) {
    struct Case {
        const char* name;
        const char* timeFormat;
        std::function<void(Schedule&)> change;
        QStringList expected;
    };
    const Case cases[] = {
        {"only the reserved marks", "h:nna/p", [](Schedule& s) { keepOnlyFirst(s, false); },
         kMarks},
        {"12-hour times and a quick key with Shift", "h:nn a/p",
         [](Schedule& s) {
             keepOnlyFirst(s, true);
             s.shifts()[0].quickKey = 'W' + 100;
             s.shifts()[0].breakLength = 0.5f;
             s.explanations().quickKeys[2] = 'S';
         },
         QStringList{QStringLiteral("D\tDay shift\t07:00a - 03:30p\t.5\t8.\t[SHIFT-W]")} + kMarks +
             QStringList{QStringLiteral("c\tSick\t\t\t\t[S]")}},
        {"24-hour times, no quick key", "hh:nn",
         [](Schedule& s) {
             keepOnlyFirst(s, true);
             s.shifts()[0].startTime = OleDate::fromTime(QTime(22, 0));
             s.shifts()[0].endTime = OleDate::fromTime(QTime(6, 30));
             s.shifts()[0].paidLength = 8.5f;
         },
         QStringList{QStringLiteral("D\tDay shift\t22:00 - 06:30\t.\t8.5\t")} + kMarks +
             QStringList{QStringLiteral("c\tSick\t\t\t\t")}},
    };
    for (const Case& c : cases) {
        OpenSchedule open;
        open.s.viewFormat().timeFormat = QLatin1String(c.timeFormat);
        c.change(open.s);
        EXPECT_EQ(listTexts(open.s), c.expected) << c.name;
    }
}

namespace {

struct LegendPdf : ::testing::Test {
    OpenSchedule open;
    QTemporaryDir out;

    // A full legend: 99 shifts and 99 explanations.
    LegendPdf() {
        Schedule& s = open.s;
        for (int n = 1; n <= ShiftRecord::kUserShifts; ++n) {
            ShiftRecord& shift = s.shifts()[std::size_t(n - 1)];
            shift = s.shifts()[0];
            shift.description = QStringLiteral("Shift %1").arg(n);
            shift.breakLength = 0.5f;
        }
        for (int n = 1; n <= ExplanationTable::kCount; ++n) {
            s.explanations().descriptions[std::size_t(n - 1)] = QStringLiteral("Reason %1").arg(n);
        }
    }

    std::pair<RunOutcome, QString> print(ReportSetup stored, const RunHooks& hooks = {}) {
        const QString file = out.filePath(QStringLiteral("legend.pdf"));
        const PrintSetup setup = PrintSetup::prepare(stored);
        PdfDevice device(file, true);
        const AppliedSetup applied = applySetup(setup, device, [](const QString&) { return true; });
        EXPECT_TRUE(applied.ok()) << applied.error.toStdString();
        LegendPrinter printer(LegendReport::lines(open.s, QStringLiteral("hh:nn")),
                              LegendReport::Options::of(stored), setup,
                              applied.fonts.value_or(PrintFonts{}),
                              QDateTime(QDate(2026, 3, 9), QTime(14, 5)));
        const RunOutcome outcome = printer.print(device.writer(), hooks);
        return {outcome, pdfText(file)};
    }
};

} // namespace

TEST_F(LegendPdf, EveryPageHasItsHeadingAndTheGroupsPrintApartWhenAsked) {
    ReportSetup stored = open.s.settings().legendSetup;
    stored.options[4] = true; // "Separate Shifts && Explanations"
    const auto [outcome, text] = print(stored);
    ASSERT_EQ(outcome, RunOutcome::Done);
    if (text.isEmpty()) {
        GTEST_SKIP() << "pdftotext is not installed";
    }
    const QStringList pages = text.split(QLatin1Char('\f'), Qt::SkipEmptyParts);
    ASSERT_GE(pages.size(), 3);
    for (int p = 0; p < pages.size(); ++p) {
        const QString page = pages[p].simplified();
        EXPECT_TRUE(
            page.startsWith(QStringLiteral("Legend Run Date: 3/9/2026 Page: %1").arg(p + 1)))
            << page.left(80).toStdString();
    }
    const QString all = text.simplified();
    EXPECT_TRUE(all.contains(QLatin1String("Page: 1 Shifts D Shift 1 07:00 - 15:30 0.50 8.00")));
    EXPECT_TRUE(all.contains(QLatin1String("D Shift 99 07:00 - 15:30 0.50 8.00")));
    EXPECT_TRUE(all.contains(QLatin1String("* See Note Explanations a Reason 1")));
    EXPECT_TRUE(all.contains(QLatin1String("Reason 99")));
}

TEST_F(LegendPdf, ColumnsFollowTheOptionsAndAbortStopsTheRun) {
    ReportSetup stored = open.s.settings().legendSetup;
    stored.options = {};
    stored.options[3] = true; // quick keys only
    open.s.shifts()[0].quickKey = 'D';
    const auto [outcome, text] = print(stored);
    ASSERT_EQ(outcome, RunOutcome::Done);
    if (!text.isEmpty()) {
        const QString all = text.simplified();
        EXPECT_TRUE(all.contains(QLatin1String("D Shift 1 [D] D Shift 2 D Shift 3")));
        EXPECT_FALSE(all.contains(QLatin1String("07:00")));
        EXPECT_FALSE(all.contains(QLatin1String("Shifts")));
    }
    RunHooks stop;
    stop.goOn = [] {
        return false;
    };
    EXPECT_EQ(print(stored, stop).first, RunOutcome::Aborted);
}

TEST(LegendTool, PrintsTheLegendOfAnArchiveWithItsStoredSetup) {
    QTemporaryDir dir;
    const QString ward = dir.filePath(QStringLiteral("ward.kmr"));
    ASSERT_EQ(tool({QStringLiteral("import"), ward, QStringLiteral(KALMUR_DEMO_WARD)}).status, 0);
    const QString pdf = dir.filePath(QStringLiteral("legend.pdf"));
    const ToolRun run = tool({QStringLiteral("print"), ward, QStringLiteral("--report"),
                              QStringLiteral("legend"), QStringLiteral("--pdf"), pdf});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QString text = pdfText(pdf).simplified();
    if (text.isEmpty()) {
        GTEST_SKIP() << "pdftotext is not installed";
    }
    for (const char* expected :
         {"Legend Run Date: ", "Page: 1", "D Day 07:00a - 03:30p 0.50 8.00 [D]", "[CTRL-X]",
          "[CTRL-O]", "l Jury duty [SHIFT-J]"}) {
        EXPECT_TRUE(text.contains(QLatin1String(expected))) << expected << "\n"
                                                            << text.toStdString();
    }
}
