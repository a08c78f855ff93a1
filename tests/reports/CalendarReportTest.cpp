// The calendar page as plain code: which day goes in which box, what a box
// holds, the boxes filling the frame and texts cut to their box.
#include "reports/CalendarReport.h"
#include "support/WardSchedule.h"

#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>

#include <gtest/gtest.h>

using namespace kalmur;
using namespace kalmur::CalendarReport;
using CalendarRun = kalmur::CalendarReport::Run;

namespace {

CalendarRun month(int year, int m, int weekStart, bool sunday) {
    const QDate first(year, m, 1);
    return CalendarRun::month(months(first, first).front(), weekStart, sunday);
}

} // namespace

TEST(CalendarPage, PutsEachDayOfTheRunInItsBox) {
    struct Case {
        const char* what;
        CalendarRun run;
        int firstBox; // the box of the first day
        int days;
        const char* firstColumn;
    };
    const Case cases[] = {
        {"leap February, Sunday start", month(2024, 2, 1, true), 4, 29, "Sunday"},
        {"month starting on the first weekday", month(2025, 6, 1, true), 0, 30, "Sunday"},
        {"week start Monday", month(2025, 9, 2, false), 0, 30, "Monday"},
        {"option 10 starts on Sunday", month(2025, 9, 2, true), 1, 30, "Sunday"},
        {"one day", CalendarRun::days(QDate(2025, 3, 5), 1), 0, 1, "Wednesday"},
        {"42 days", CalendarRun::days(QDate(2025, 3, 5), 42), 0, 42, "Wednesday"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.run.weekdayNames().value(0), QLatin1String(c.firstColumn));
        EXPECT_EQ(c.run.weekdayNames().size(), kColumns);
        std::vector<int> filled;
        for (int b = 0; b < kBoxes; ++b) {
            if (c.run.dateInBox(b).isValid()) {
                filled.push_back(b);
            }
        }
        ASSERT_EQ(int(filled.size()), c.days);
        EXPECT_EQ(filled.front(), c.firstBox);
        EXPECT_EQ(filled.back(), c.firstBox + c.days - 1); // no gaps
        EXPECT_EQ(c.run.dateInBox(c.firstBox), c.run.first);
        EXPECT_EQ(c.run.dateInBox(filled.back()), c.run.last);
    }
    EXPECT_EQ(month(2024, 2, 1, true).text, QStringLiteral("February, 2024"));
    EXPECT_EQ(CalendarRun::days(QDate(2025, 3, 5), 1).text,
              QStringLiteral("Wednesday, March 5, 2025"));
}

TEST(CalendarPage, ListsTheScheduleMonthsAcrossTheYearEnd) {
    const std::vector<Month> list = months(QDate(1996, 11, 20), QDate(1997, 2, 3));
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list[1].text, QStringLiteral("December, 1996"));
    EXPECT_EQ(list[2].first, QDate(1997, 1, 1));
    EXPECT_EQ(monthIndex(list, QDate(1997, 2, 28)), 3);
}

TEST(CalendarPage, BoxesHoldTheChosenItemsOfDaysInsideTheSchedule) {
    WardSchedule ward;
    Schedule& s = ward.s;
    s.setCellOfDay(1, 2, Cell{1, 1, 3, 0, 0});
    s.explanations().descriptions[2] = QStringLiteral("Class");
    s.viewFormat().timeFormat = QStringLiteral("hh:nn");
    ReportSetup setup = s.settings().personalSetup; // 1 to 4 and 6
    // Two days before the schedule's first day, three inside it.
    const CalendarRun run = CalendarRun::days(QDate(1996, 12, 30), 5);
    auto collect = [&](bool blank) {
        return Data::collect(s, s.viewFormat(), run, {1, 2, 3, 99}, setup, blank).value();
    };
    const Data data = collect(false);
    ASSERT_EQ(data.pages.size(), 2u); // the divider and the unnamed row print nothing
    const Page& page = data.pages[0];
    EXPECT_EQ(
        page.subject,
        QStringLiteral("Monday, December 30, 1996 to Friday, January 3, 1997 - Name 001, RN"));
    EXPECT_TRUE(page.boxes[0].items.isEmpty());
    EXPECT_EQ(page.boxes[0].date, QDate(1996, 12, 30)); // its number still prints
    EXPECT_EQ(page.boxes[2].items,
              QStringList({"Day shift", "07:00 - 15:30", "8.00"})); // 24-hour format
    EXPECT_EQ(page.boxes[3].items, QStringList({"Day shift", "Class", "07:00 - 15:30", "8.00"}));
    EXPECT_FALSE(page.boxes[5].date.isValid());
    setup.options[kOnCall - 1] = true;
    setup.options[kStartEndTime - 1] = false;
    EXPECT_TRUE(collect(false).pages[0].boxes[3].items.contains(
        s.shift(ShiftRecord::kOnCall).description.trimmed()));
    EXPECT_TRUE(collect(true).pages[0].boxes[2].items.isEmpty());
}

TEST(CalendarPage, BoxesFillTheFrameAndTextsStayInsideThem) {
    const PageFrame frame{10, 1013, 20, 1400};
    const Layout l = Layout::of(frame, 40, 20, 15);
    EXPECT_EQ(l.boxes[0].left(), frame.left);
    EXPECT_EQ(l.boxes[kBoxes - 1].right() + 1, frame.right);
    EXPECT_EQ(l.boxes[kBoxes - 1].bottom() + 1, frame.bottom);
    EXPECT_EQ(l.boxes[0].top(), l.band.bottom() + 1);
    for (int b = 1; b < kBoxes; ++b) {
        EXPECT_LE(std::abs(l.boxes[std::size_t(b)].width() - l.boxes[0].width()), 1) << b;
        EXPECT_LE(std::abs(l.boxes[std::size_t(b)].height() - l.boxes[0].height()), 1) << b;
    }

    const QFontMetrics metrics(QFont(QStringLiteral("Arial"), 8));
    const int width = metrics.horizontalAdvance(QStringLiteral("Day shift")) + 2;
    Box box;
    box.items = QStringList({"Day shift", "Supervisor of the whole ward"});
    box.note = QStringLiteral("Covers for Pat on the evening round tonight and tomorrow");
    const QStringList lines = boxLines(QStringLiteral("7"), box, metrics, width, 5);
    ASSERT_EQ(lines.size(), 5);
    EXPECT_EQ(lines.mid(0, 2), QStringList({"7", "Day shift"}));
    for (const QString& line : lines) {
        EXPECT_LE(metrics.horizontalAdvance(line), width) << line.toStdString();
    }
    EXPECT_TRUE(lines[2].endsWith(QChar(0x2026))); // cut, not wrapped into the next box
    EXPECT_TRUE(lines[3].startsWith(QStringLiteral("Covers")));
    EXPECT_EQ(boxLines(QStringLiteral("7"), box, metrics, width, 1), QStringList({"7"}));
}
