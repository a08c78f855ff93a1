// The report engine without a printer: page frames, setups from files, the
// metrics, the rows dealt out to pages and the heading texts.
#include "model/schedule/Presets.h"
#include "reports/PageFrame.h"
#include "reports/PrintSetup.h"
#include "reports/ScheduleReport.h"
#include "support/QtPrinters.h"

#include <QFontDatabase>
#include <QImage>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace kalmur;

namespace {

// Letter paper with a quarter inch the printer cannot reach on every side, at
// 1440 dots per inch so that one pixel is one twip.
PageGeometry letter(double twipsPerPixel = 1) {
    return {12240, 15840, 11520, 15120, 360, 360, twipsPerPixel, twipsPerPixel};
}

std::array<std::int16_t, 4> margins(int top, int bottom, int left, int right) {
    return {std::int16_t(top), std::int16_t(bottom), std::int16_t(left), std::int16_t(right)};
}

struct Controls : PrinterControls {
    bool bold = true;
    bool orientation = true;
    std::optional<bool> portrait;
    bool setPortrait(bool p) override {
        portrait = p;
        return orientation;
    }
    bool setQuality(int) override { return true; }
    bool setBold(bool) override { return bold; }
};

ReportSetup arial(float size = 8) {
    ReportSetup s;
    s.title = QStringLiteral("Ward 3");
    s.fontName = QStringLiteral("Arial");
    s.fontSize = size;
    s.shadePercent = 10;
    return s;
}

QImage device(int dpi) {
    QImage image(8, 8, QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(dpi / 0.0254));
    image.setDotsPerMeterY(qRound(dpi / 0.0254));
    return image;
}

} // namespace

TEST(PageFrame, MarginsAreMeasuredFromThePaperAndNeverLeaveThePrintableArea) {
    struct Case {
        const char* what;
        std::array<std::int16_t, 4> margins;
        PageGeometry page;
        PageFrame frame;
    };
    const Case cases[] = {
        {"margins inside the strips print at the edge",
         margins(360, 200, 100, 360),
         letter(),
         {0, 11519, 0, 15119}},
        {"the part beyond the strip is kept, one pixel in",
         margins(720, 720, 720, 720),
         letter(),
         {361, 11160, 361, 14760}},
        {"less than two inches across uses the whole width",
         margins(720, 720, 5000, 5000),
         letter(),
         {0, 11519, 361, 14760}},
        {"negative margins", margins(-32768, -1, -32768, -1), letter(), {0, 11519, 0, 15119}},
        {"huge margins", margins(32767, 32767, 32767, 32767), letter(), {0, 11519, 0, 15119}},
        {"whole pixels only", margins(1000, 360, 1000, 360), letter(2.5), {257, 4607, 257, 6047}},
        {"a page with no printable area",
         margins(720, 720, 720, 720),
         {12240, 15840, 0, 0, 0, 0, 1, 1},
         {0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(pageFrame(c.page, c.margins), c.frame) << c.what;
        const PageFrame f = pageFrame(c.page, c.margins);
        EXPECT_GE(f.left, 0) << c.what;
        EXPECT_LE(f.right, std::max(0, pixelsIn(c.page.printableWidth, c.page.twipsPerPixelX)))
            << c.what;
    }
}

TEST(PrintSetup, SetupsFromFilesAreClampedOrRefusedWithTheMessages) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    struct Case {
        const char* what;
        ReportSetup setup;
        QString error; // empty: accepted
    };
    ReportSetup blankName = arial();
    blankName.fontName = QStringLiteral("   ");
    ReportSetup unknown = arial();
    unknown.fontName = QStringLiteral("Zz No Such Face");
    const Case cases[] = {
        {"8 points", arial(8), {}},
        {"0 points", arial(0), SetupMessages::kFontSize},
        {"negative", arial(-4), SetupMessages::kFontSize},
        {"NaN", arial(nan), SetupMessages::kFontSize},
        {"1e30", arial(1e30f), SetupMessages::kFontSize},
        {"blank font name", blankName, SetupMessages::kFont},
        {"a face with no stand-in", unknown, SetupMessages::kFont},
    };
    for (const Case& c : cases) {
        Controls printer;
        const AppliedSetup applied =
            applySetup(PrintSetup::prepare(c.setup), printer, [](const QString&) { return true; });
        EXPECT_EQ(applied.error, c.error) << c.what;
        EXPECT_EQ(applied.ok(), c.error.isEmpty()) << c.what;
    }

    ReportSetup odd = arial();
    odd.orientation = 7;
    odd.printQuality = -3;
    odd.shadePercent = 250;
    const PrintSetup p = PrintSetup::prepare(odd);
    EXPECT_EQ(p.orientation, 0);
    EXPECT_EQ(p.quality, 0);
    EXPECT_EQ(shadeColour(p.shadePercent), QColor(0, 0, 0));
    EXPECT_EQ(shadeColour(-20), QColor(255, 255, 255));
    EXPECT_EQ(shadeColour(5), QColor(242, 242, 242));
    EXPECT_EQ(shadeColour(10), QColor(230, 230, 230));
    EXPECT_EQ(shadeColour(20), QColor(204, 204, 204));
}

TEST(PrintSetup, ArialPrintsInItsMetricTwinAndOldScreenFacesInArial) {
    if (!QFontDatabase::hasFamily(QStringLiteral("Liberation Sans"))) {
        GTEST_SKIP() << "Liberation Sans is not installed";
    }
    EXPECT_EQ(printableFamily(QStringLiteral("Arial")), QStringLiteral("Liberation Sans"));
    ReportSetup setup = arial();
    setup.useScreenFont = true;
    ViewFormat screen;
    screen.fontName = QStringLiteral("MS Sans Serif");
    screen.fontSize = 9;
    screen.fontBold = true;
    const PrintSetup p = PrintSetup::prepare(setup, &screen);
    EXPECT_EQ(p.fontName, QStringLiteral("Arial"));
    EXPECT_EQ(p.fontSize, 9);
    EXPECT_TRUE(p.bold);
}

TEST(PrintSetup, RefusedSettingsWarnAndCancelStops) {
    ReportSetup setup = arial();
    setup.fontBold = true;
    setup.orientation = 2;
    Controls printer;
    printer.bold = false;
    printer.orientation = false;
    QStringList warnings;
    AppliedSetup applied = applySetup(PrintSetup::prepare(setup), printer, [&](const QString& t) {
        warnings << t;
        return true;
    });
    ASSERT_TRUE(applied.ok());
    EXPECT_FALSE(applied.fonts->body.bold());
    EXPECT_EQ(warnings, QStringList({SetupMessages::kBold, SetupMessages::kOrientation}));
    EXPECT_EQ(printer.portrait, false);

    applied = applySetup(PrintSetup::prepare(setup), printer, [](const QString&) { return false; });
    EXPECT_FALSE(applied.ok());
    EXPECT_TRUE(applied.error.isEmpty());
}

TEST(ReportMetrics, EmployeeRowsAreAsTallAsTheirReportLines) {
    Controls printer;
    const PrintFonts fonts = *applySetup(PrintSetup::prepare(arial()), printer, [](const QString&) {
                                  return true;
                              }).fonts;
    const QImage paper = device(600);
    const PageGeometry page{12240, 15840, 12240, 15840, 0, 0, 2.4, 2.4};
    struct Case {
        const char* what;
        std::array<CellContentRow, 6> rows;
        int lines;
    };
    const CellContentRow shift{120, true, true, false, {}};
    const CellContentRow tiedShift{120, true, true, true, {}};
    const CellContentRow note2{1310, true, true, false, {}};
    const CellContentRow screenOnly{220, true, false, false, {}};
    const Case cases[] = {
        {"none for the report", {screenOnly}, 0},
        {"two rows", {shift, note2}, 3},
        {"a tie shares the line", {tiedShift, shift}, 1},
    };
    for (const Case& c : cases) {
        ViewFormat format = Presets::viewFormat(Presets::ViewPreset::Daily);
        format.cellRows = c.rows;
        const ReportMetrics m = ReportMetrics::measure(fonts, &paper, page, format, 4000, 28);
        EXPECT_EQ(m.reportLines, c.lines) << c.what;
        const int expected = c.lines == 0 ? m.textHeight + pixelsIn(46, 2.4)
                                          : pixelsIn(23, 2.4) + c.lines * m.textHeight;
        EXPECT_EQ(m.employeeRow, expected) << c.what;
        EXPECT_EQ(m.nameWidth + m.positionWidth + 28 * m.dayWidth, 4000) << c.what;
    }
    // A font far too large for the page still leaves rows that fit the frame.
    PrintFonts huge = fonts;
    huge.body.setPointSizeF(72);
    const ReportMetrics m = ReportMetrics::measure(
        huge, &paper, page, Presets::viewFormat(Presets::ViewPreset::Daily), 2000, 42);
    EXPECT_GE(m.dayWidth, 1);
    EXPECT_EQ(m.nameWidth + m.positionWidth + 42 * m.dayWidth, 2000);
}

TEST(FillPages, RowsAreDealtWhileTheyFitAndEveryRunEnds) {
    ReportMetrics m;
    m.titleHeight = 50;
    m.headingHeight = 20;
    m.rulerHeight = 30; // rows start 100 below the frame's top
    m.employeeRow = 100;
    m.shortRow = 50;
    const PageFrame frame{0, 1000, 0, 1000};
    using K = ReportRow::Kind;
    std::vector<ReportRow> rows(20, ReportRow{K::Employee, 1});
    EXPECT_EQ(fillPages(rows, m, frame),
              (std::vector<ReportPage>{{1, 0, 8}, {2, 9, 17}, {3, 18, 19}}));
    rows = {{K::Employee, 1}, {K::Divider, 2}, {K::Coverage, 1}};
    rows.insert(rows.begin(), 8, ReportRow{K::Employee, 1});
    EXPECT_EQ(fillPages(rows, m, frame), (std::vector<ReportPage>{{1, 0, 8}, {2, 9, 10}}));
    EXPECT_EQ(fillPages({}, m, frame), (std::vector<ReportPage>{{1, 0, -1}}));
    m.employeeRow = 5000; // taller than a page: one a page
    EXPECT_EQ(fillPages(std::vector<ReportRow>(3, ReportRow{K::Employee, 1}), m, frame).size(), 3u);
}

TEST(HeadingTexts, RunDateTimePageAndDays) {
    const QDateTime now(QDate(2026, 3, 9), QTime(14, 5));
    HeadingTexts h = HeadingTexts::make(QStringLiteral("  Ward 3 "), now, QStringLiteral("h:nna/p"),
                                        2, QDate(1997, 1, 1), QDate(1997, 1, 28));
    EXPECT_EQ(h.title, QStringLiteral("Ward 3"));
    EXPECT_EQ(h.runDate, QStringLiteral("Run Date: 3/9/2026"));
    EXPECT_EQ(h.runTime, QStringLiteral("Run Time: 2:05p"));
    EXPECT_EQ(h.page, QStringLiteral("Page: 2"));
    EXPECT_EQ(h.days, QStringLiteral("Wednesday, January 1, 1997 to Tuesday, January 28, 1997"));
    h = HeadingTexts::make({}, now, QStringLiteral("hh:nn"), 1, QDate(1997, 1, 1),
                           QDate(1997, 1, 1));
    EXPECT_EQ(h.runTime, QStringLiteral("Run Time: 14:05"));
    EXPECT_EQ(h.days, QStringLiteral("Wednesday, January 1, 1997"));
}
