// The estimated cost report laid out on a page and printed into PDF files
// read back with pdftotext.
#include "model/records/ScheduleSettings.h"
#include "reports/CostReport.h"
#include "reports/PdfDevice.h"
#include "support/WardSchedule.h"

#include <QTemporaryDir>

#include <cmath>

#include <numeric>

#include <gtest/gtest.h>

using namespace kalmur;

namespace {

struct CostPdf : ::testing::Test {
    QTemporaryDir out;
    const QDateTime now{QDate(2026, 3, 9), QTime(14, 5)};

    // Prints the table of `entries` over `days` days from 1 January 1997.
    std::pair<RunOutcome, CostReportPrinter> print(const Schedule& s, const QString& file,
                                                   const std::vector<int>& entries, int days,
                                                   const RunHooks& hooks = {}) {
        const auto table = CostReport::table(s, entries, QDate(1997, 1, 1), days);
        EXPECT_TRUE(table.has_value());
        const PrintSetup setup = PrintSetup::prepare(s.settings().costSetup);
        PdfDevice device(file, true);
        const AppliedSetup applied = applySetup(setup, device, [](const QString&) { return true; });
        EXPECT_TRUE(applied.ok()) << applied.error.toStdString();
        CostReportPrinter printer(table.value_or(std::vector<QStringList>{}), setup,
                                  applied.fonts.value_or(PrintFonts{}),
                                  CostReport::subtitle(QDate(1997, 1, 1), days), now);
        const RunOutcome outcome = printer.print(device.writer(), hooks);
        return {outcome, std::move(printer)};
    }
};

} // namespace

TEST_F(CostPdf, PrintsNamesHoursCostsNotApplicableAndErrorUnderTheHeading) {
    WardSchedule ward(4);
    Schedule& s = ward.s;
    s.shifts()[0].paidLength = 10;
    s.shifts()[1].paidLength = 24;
    EmployeeTable& e = s.employees();
    e.thresDay = 8;
    e.dayOtFactor = 1.5f;
    e.payRate = {};
    e.payRate[0] = 100000;  // 10.00 an hour
    e.payRate[2] = 1000000; // 100.00 a day
    e.payType[2] = 1;
    e.payRate[3] = 9999900; // 999.99 an hour, 24 hours a day: over 99999.99
    for (int day = 1; day <= 3; ++day) {
        s.setCellOfDay(1, day, Cell{1, 0, 0, 0, 0});
    }
    for (int day = 1; day <= 42; ++day) {
        s.setCellOfDay(4, day, Cell{2, 0, 0, 0, 0});
    }
    ASSERT_TRUE(s.flush());
    const QString file = out.filePath(QStringLiteral("cost.pdf"));
    auto [outcome, printer] = print(s, file, {1, 3, 4}, 42);
    ASSERT_EQ(outcome, RunOutcome::Done);
    EXPECT_EQ(printer.pageCount(), 1);
    const QString text = pdfText(file);
    if (text.isEmpty()) {
        GTEST_SKIP() << "pdftotext is not installed";
    }
    const QString rows = text.simplified();
    for (const char* expected :
         {"Run Date : 3/9/2026", "Time: 2:05", "Estimated Cost", "Page: 1",
          "Wednesday, January 1, 1997 to Tuesday, February 11, 1997", "Name Position Type Cost",
          "Regular Hrs Daily OT Hrs Period OT Hrs Days Worked Total Cost",
          "Name 001 RN Hourly 10.00 24.00 6.00 - 3 330.00",
          "Name 003 RN Daily 100.00 24.00 N/A N/A 1 100.00", "Name 004 RN Hourly 999.99",
          "42 error", "TOTALS"}) {
        EXPECT_TRUE(rows.contains(QLatin1String(expected))) << expected << "\n"
                                                            << text.toStdString();
    }
}

TEST_F(CostPdf, ManyNamesFillSeveralPagesAndALargeFontShrinksUntilTheTableFits) {
    WardSchedule ward(200);
    Schedule& s = ward.s;
    std::vector<int> entries(200);
    std::iota(entries.begin(), entries.end(), 1);
    ASSERT_TRUE(s.flush());
    const QString file = out.filePath(QStringLiteral("all.pdf"));
    auto [outcome, printer] = print(s, file, entries, 7);
    ASSERT_EQ(outcome, RunOutcome::Done);
    const int pages = printer.pageCount();
    EXPECT_GT(pages, 2);
    const QString text = pdfText(file);
    if (!text.isEmpty()) {
        EXPECT_EQ(text.count(QLatin1Char('\f')), pages);
        EXPECT_TRUE(text.contains(QLatin1String("Name 200")));
        EXPECT_TRUE(text.simplified().contains(QStringLiteral("Page: %1").arg(pages)));
        EXPECT_EQ(text.count(QLatin1String("Regular Hrs")), pages);
    }

    // At 40 points the table is wider than Letter paper: the body shrinks a
    // point at a time, and the table stays centred.
    s.settings().costSetup.fontSize = 40;
    auto [big, shrunk] = print(s, out.filePath(QStringLiteral("big.pdf")), {1, 3}, 7);
    ASSERT_EQ(big, RunOutcome::Done);
    const CostReport::Layout& l = shrunk.tableLayout();
    EXPECT_LT(l.body.pointSizeF(), 40);
    EXPECT_EQ(l.body.pointSizeF(), std::round(l.body.pointSizeF()));
    EXPECT_LE(l.tableWidth, l.usableWidth);
    EXPECT_EQ(l.columns[0], (l.usableWidth - l.tableWidth) / 2);
    // The setup's margins hold on a PDF file, whose printable area is the
    // whole sheet: nothing is drawn at the paper's edge.
    const auto& margins = s.settings().costSetup.margins;
    ASSERT_GT(margins[0], 0);
    ASSERT_GT(margins[2], 0);
    EXPECT_GT(l.top, 0);
    EXPECT_GT(l.left, 0);

    RunHooks failing;
    failing.failed = [] {
        return true;
    };
    EXPECT_EQ(print(s, out.filePath(QStringLiteral("fail.pdf")), {1}, 7, failing).first,
              RunOutcome::PrinterError);
}
