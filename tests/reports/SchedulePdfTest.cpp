// The schedule report drawn into real PDF files and read back with pdftotext.
#include "reports/PdfDevice.h"
#include "reports/ScheduleReportPrinter.h"
#include "support/WardSchedule.h"

#include <QTemporaryDir>

#include <numeric>

#include <gtest/gtest.h>

using namespace kalmur;

namespace {

struct SchedulePdf : ::testing::Test {
    QTemporaryDir out;
    const QDateTime now{QDate(2026, 3, 9), QTime(14, 5)};

    QString path(const char* name) const { return out.filePath(QLatin1String(name)); }

    // Prints `days` days from `start` for the given rows; the outcome and the
    // number of pages laid out.
    std::pair<RunOutcome, int> print(const Schedule& s, const QString& file, QDate start, int days,
                                     std::vector<int> rows, bool blank = false,
                                     const RunHooks& hooks = {}) {
        const ViewFormat& f = s.viewFormat();
        const auto data = ScheduleReportData::collect(s, f, start, days, rows, blank);
        EXPECT_TRUE(data.has_value());
        const PrintSetup setup = PrintSetup::prepare(f.reportSetup, &f);
        PdfDevice device(file, true);
        const AppliedSetup applied = applySetup(setup, device, [](const QString&) { return true; });
        EXPECT_TRUE(applied.ok()) << applied.error.toStdString();
        if (!applied.ok()) {
            return {RunOutcome::PrinterError, 0};
        }
        ScheduleReportPrinter printer(s, f, *data, setup, *applied.fonts, now);
        const RunOutcome outcome = printer.print(device.writer(), hooks);
        return {outcome, int(printer.pages().size())};
    }
};

} // namespace

TEST_F(SchedulePdf, PrintsNamesDatesCellsAndTotalsPastTheScheduleEnd) {
    WardSchedule ward;
    const QString file = path("ward.pdf");
    // The schedule ends on 31 March: the days after it print blank.
    auto [outcome, pages] = print(ward.s, file, QDate(1997, 3, 30), 4, {1, 2, 3});
    ASSERT_EQ(outcome, RunOutcome::Done);
    EXPECT_EQ(pages, 1);
    // Days 1 and 2 of the schedule, with the day shift and training.
    std::tie(outcome, pages) = print(ward.s, path("start.pdf"), QDate(1997, 1, 1), 2, {1, 2, 3});
    const QString text = pdfText(path("start.pdf"));
    if (text.isEmpty()) {
        GTEST_SKIP() << "pdftotext is not installed";
    }
    for (const char* expected :
         {"Ward 3", "Run Date: 3/9/2026", "Run Time: 2:05p", "Page: 1",
          "Wednesday, January 1, 1997 to Thursday, January 2, 1997", "Name", "Position", "Name 001",
          "RN", "Nights", "Name 003", "Day shift", "Training", "Day cover"}) {
        EXPECT_TRUE(text.contains(QLatin1String(expected))) << expected << "\n"
                                                            << text.toStdString();
    }
    EXPECT_TRUE(pdfText(file).contains(QLatin1String("to Wednesday, April 2, 1997")));
    EXPECT_FALSE(pdfText(file).contains(QLatin1String("Day shift")));

    print(ward.s, path("blank.pdf"), QDate(1997, 1, 1), 2, {1, 2, 3}, true);
    const QString blank = pdfText(path("blank.pdf"));
    EXPECT_TRUE(blank.contains(QLatin1String("Name 001")));
    EXPECT_FALSE(blank.contains(QLatin1String("Day shift")));
    EXPECT_FALSE(blank.contains(QLatin1String("Training")));
}

TEST_F(SchedulePdf, TwoHundredNamesFillSeveralPagesAndHostileSetupsStillPrint) {
    WardSchedule ward(200);
    std::vector<int> rows(200);
    std::iota(rows.begin(), rows.end(), 1);
    const QString file = path("all.pdf");
    const auto [outcome, pages] = print(ward.s, file, QDate(1997, 1, 1), 42, rows);
    ASSERT_EQ(outcome, RunOutcome::Done);
    EXPECT_GT(pages, 2);
    const QString text = pdfText(file);
    if (!text.isEmpty()) {
        EXPECT_EQ(text.count(QLatin1Char('\f')), pages);
        EXPECT_TRUE(text.contains(QLatin1String("Name 200")));
        EXPECT_TRUE(text.contains(QStringLiteral("Page: %1").arg(pages)));
    }
    // Margins past the page, a 13-point font, an odd shade, landscape.
    ReportSetup& setup = ward.s.viewFormat().reportSetup;
    setup.margins = {-32768, 32767, 32767, -5};
    setup.fontSize = 13;
    setup.shadePercent = 333;
    setup.orientation = 2;
    EXPECT_EQ(print(ward.s, path("odd.pdf"), QDate(1997, 1, 1), 42, rows).first, RunOutcome::Done);
}

TEST_F(SchedulePdf, AbortStopsAfterThePartAndAFailingDeviceIsAPrinterError) {
    WardSchedule ward(200);
    std::vector<int> rows(200);
    std::iota(rows.begin(), rows.end(), 1);
    int parts = 0;
    RunHooks abortAfterThree;
    abortAfterThree.goOn = [&] {
        return ++parts < 3;
    };
    EXPECT_EQ(
        print(ward.s, path("abort.pdf"), QDate(1997, 1, 1), 7, rows, false, abortAfterThree).first,
        RunOutcome::Aborted);
    EXPECT_EQ(parts, 3);
    RunHooks failing;
    failing.failed = [] {
        return true;
    };
    EXPECT_EQ(print(ward.s, path("fail.pdf"), QDate(1997, 1, 1), 7, rows, false, failing).first,
              RunOutcome::PrinterError);
}
