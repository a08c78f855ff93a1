// Printing through a real spooler: the test's own CUPS scheduler with a
// cups-pdf queue. "Printer Setup" lists the queue, a painted page arrives as a
// PDF with its text, and a scheduler that stops during a run is a failure the
// program can see, not a hang.
#include "support/PrivateCups.h"
#include "support/ScriptedPlatform.h"
#include "support/WardSchedule.h"

#include "dialogs/ReportOutput.h"
#include "dialogs/SetPrt.h"
#include "platform/DesktopPlatform.h"
#include "platform/Spooler.h"
#include "reports/ScheduleReportPrinter.h"

#include <QListWidget>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>

#include <gtest/gtest.h>

#include <memory>

using namespace kalmur;

namespace {

const QString kQueue = QStringLiteral("KalmurPdf");
const QString kLocation = QStringLiteral("Ward office");

class SpoolerTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (!PrivateCups::unavailableReason().isEmpty()) {
            return;
        }
        cups = std::make_unique<PrivateCups>();
        ready = cups->start() && cups->addPdfQueue(kQueue, kLocation);
    }
    static void TearDownTestSuite() { cups.reset(); }

    void SetUp() override {
        const QString reason = PrivateCups::unavailableReason();
        if (!reason.isEmpty()) {
            GTEST_SKIP() << reason.toStdString();
        }
        ASSERT_TRUE(ready) << cups->error().toStdString();
    }

    // A printer on the queue, with a painter begun on it.
    struct Run {
        QPrinter printer;
        QPainter painter;
        explicit Run(const QString& title) {
            printer.setPrinterName(kQueue);
            printer.setDocName(title);
            EXPECT_TRUE(printer.isValid());
            EXPECT_TRUE(painter.begin(&printer));
            painter.setFont(QFont(QStringLiteral("Liberation Sans"), 14));
        }
        void line(const QString& text) { painter.drawText(QPointF(72, 144), text); }
    };

    static inline std::unique_ptr<PrivateCups> cups;
    static inline bool ready = false;
};

} // namespace

TEST_F(SpoolerTest, PrinterSetupListsTheQueueWithItsPortAndMakesItCurrent) {
    DesktopPlatform platform;
    SetPrt dialog(platform);
    auto* list = dialog.findChild<QListWidget*>(QStringLiteral("List1"));
    const auto found = list->findItems(kQueue + QStringLiteral(", ") + kLocation, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1);
    EXPECT_EQ(list->item(list->count() - 1)->text(), QStringLiteral("PDF file, PDF"));
    list->setCurrentItem(found.front());
    dialog.findChild<QPushButton*>(QStringLiteral("ButtonOK"))->click();
    EXPECT_EQ(platform.currentPrinter(), (InstalledPrinter{kQueue, kLocation}));
}

TEST_F(SpoolerTest, PaintedPagesArriveAsAPdfWhoseTextReads) {
    const PrivateCups::Mark before = cups->mark();
    {
        Run run(QStringLiteral("Night roster"));
        run.line(QStringLiteral("Ward 3 night roster"));
        ASSERT_TRUE(run.printer.newPage());
        run.line(QStringLiteral("Adams, Ann"));
        ASSERT_TRUE(run.painter.end());
    }
    EXPECT_EQ(Spooler::lastRequestFailure(), std::nullopt);
    const QString pdf = cups->waitForPdf(before);
    ASSERT_FALSE(pdf.isEmpty()) << cups->logTail().toStdString();
    const QString text = pdfText(pdf);
    EXPECT_TRUE(text.contains(QStringLiteral("Ward 3 night roster"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Adams, Ann"))) << text.toStdString();
    EXPECT_EQ(text.count(QLatin1Char('\f')), 2); // one form feed after each page
}

TEST_F(SpoolerTest, ASchedulerStoppedDuringARunIsAFailureNotAHang) {
    const PrivateCups::Mark before = cups->mark();
    {
        Run run(QStringLiteral("Lost roster"));
        run.line(QStringLiteral("First page"));
        cups->stop();
        EXPECT_TRUE(run.printer.newPage());
        run.line(QStringLiteral("Second page"));
        // Qt still calls the document done; the spooler says otherwise.
        run.painter.end();
        EXPECT_NE(Spooler::lastRequestFailure(), std::nullopt);
    }
    ASSERT_TRUE(cups->start()) << cups->error().toStdString();
    EXPECT_EQ(cups->mark().pdfs, before.pdfs);
}

TEST_F(SpoolerTest, TheScheduleReportArrivesThroughTheSpoolerAndAStopIsAPrinterError) {
    WardSchedule ward;
    const Schedule& s = ward.s;
    const ViewFormat& f = s.viewFormat();
    const auto data = ScheduleReportData::collect(s, f, QDate(1997, 1, 1), 2, {1, 2, 3}, false);
    ASSERT_TRUE(data.has_value());
    const PrintSetup setup = PrintSetup::prepare(f.reportSetup, &f);
    ScriptedPlatform platform;
    platform.current = InstalledPrinter{kQueue, kLocation};
    // One run of the report on the current printer; the scheduler is stopped
    // after the first part of the page when asked.
    const auto run = [&](bool stopMidRun) {
        const std::unique_ptr<ReportOutput> output = ReportOutput::open(platform, nullptr, {});
        EXPECT_TRUE(output);
        const auto fonts = applySetupToPrinter(platform, nullptr, setup, output->controls());
        EXPECT_TRUE(fonts);
        ScheduleReportPrinter printer(s, f, *data, setup, *fonts, QDateTime());
        RunHooks hooks;
        hooks.failed = [&] {
            return output->failed();
        };
        hooks.goOn = [&] {
            if (stopMidRun) {
                cups->stop();
                stopMidRun = false;
            }
            return true;
        };
        return printer.print(output->device(), hooks);
    };
    const PrivateCups::Mark before = cups->mark();
    ASSERT_EQ(run(false), RunOutcome::Done);
    const QString pdf = cups->waitForPdf(before);
    ASSERT_FALSE(pdf.isEmpty()) << cups->logTail().toStdString();
    const QString text = pdfText(pdf);
    for (const char* expected : {"Ward 3", "Name 001", "Nights", "Day shift", "Training"}) {
        EXPECT_TRUE(text.contains(QLatin1String(expected))) << expected << "\n"
                                                            << text.toStdString();
    }

    const PrivateCups::Mark beforeStop = cups->mark();
    EXPECT_EQ(run(true), RunOutcome::PrinterError);
    ASSERT_TRUE(cups->start()) << cups->error().toStdString();
    EXPECT_EQ(cups->mark().pdfs, beforeStop.pdfs);
}
