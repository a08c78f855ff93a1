// The query report laid out without a printer: the matching days grouped into
// ranges, their texts, the lines wrapped and dealt out to pages.
#include "reports/QueryReport.h"
#include "support/OpenSchedule.h"

#include <gtest/gtest.h>

using namespace kalmur;
using namespace kalmur::QueryReport;

namespace {

QDate jan(int day) {
    return QDate(1997, 1, day);
}

} // namespace

TEST(QueryReport, GroupsConsecutiveDaysWithTheSameDescription) {
    struct Case {
        const char* what;
        std::vector<Day> days;
        std::vector<Group> groups;
    };
    const QString day = QStringLiteral("Day shift");
    const QString upper = QStringLiteral("DAY SHIFT");
    const QString sick = QStringLiteral("Sick");
    const Case cases[] = {
        {"three days alike",
         {{jan(6), day}, {jan(7), day}, {jan(8), day}},
         {{jan(6), jan(8), day}}},
        {"case ignored", {{jan(6), day}, {jan(7), upper}}, {{jan(6), jan(7), day}}},
        {"a gap breaks the run",
         {{jan(6), day}, {jan(7), day}, {jan(9), day}},
         {{jan(6), jan(7), day}, {jan(9), jan(9), day}}},
        {"another description",
         {{jan(6), day}, {jan(7), sick}, {jan(8), day}},
         {{jan(6), jan(6), day}, {jan(7), jan(7), sick}, {jan(8), jan(8), day}}},
        {"over a month's end",
         {{jan(31), sick}, {QDate(1997, 2, 1), sick}},
         {{jan(31), QDate(1997, 2, 1), sick}}},
        {"nothing", {}, {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(groups(c.days), c.groups) << c.what;
    }
    EXPECT_EQ(groupText({jan(6), jan(8), day}, DateOrder::MonthFirst),
              QStringLiteral("1/6/97 - 1/8/97 Day shift"));
    EXPECT_EQ(groupText({QDate(2003, 12, 31), QDate(2003, 12, 31), sick}, DateOrder::DayFirst),
              QStringLiteral("31/12/03 Sick"));
    EXPECT_EQ(shortDate(QDate(2003, 12, 31), DateOrder::YearFirst), QStringLiteral("03/12/31"));
    EXPECT_EQ(shortDate(QDate(2003, 12, 31)), QStringLiteral("12/31/03")); // en_US
}

TEST(QueryReport, CollectsTheMatchingDaysOfTheChosenEmployeesWithTheirTexts) {
    OpenSchedule o;
    Schedule& s = o.s;
    s.employees().names[0] = QStringLiteral("Adams");
    s.employees().names[1] = QStringLiteral("Baker");
    s.shifts()[ShiftRecord::kOnCall - 1].description = QStringLiteral("On Call");
    s.explanations().descriptions[1] = QStringLiteral("Sick");
    for (int d = 1; d <= 3; ++d) {
        ASSERT_TRUE(s.setCellOfDay(1, d, Cell{1, 0, 0, 0, 0}));
    }
    ASSERT_TRUE(s.setCellOfDay(1, 4, Cell{1, 1, 2, 0, 0}));
    ASSERT_TRUE(s.setCellOfDay(2, 2, Cell{0, 0, 0, 0, 0}));
    ASSERT_TRUE(s.writeNoteOfDay(2, 5, QStringLiteral("Swap\nwith Adams")));
    ASSERT_TRUE(s.writeNoteOfDay(1, 6, QStringLiteral("late")));
    ASSERT_TRUE(s.flush());

    QueryRecord days = QueryRecord::undefined();
    days.criteria.title = QStringLiteral("Days");
    days.criteria.ignoreShifts = false;
    days.criteria.shiftMarks[1] = 1;
    const auto run = QueryRun::run(s, days, false, 1, 10);
    ASSERT_TRUE(run);
    const auto found = collect(s, *run, {1, 2}, false);
    ASSERT_TRUE(found);
    ASSERT_EQ(found->size(), 1U); // Baker has no day shift
    EXPECT_EQ(found->at(0).name, QStringLiteral("Adams"));
    EXPECT_EQ(found->at(0).days, 4);
    EXPECT_EQ(found->at(0).groups,
              QStringList({QStringLiteral("1/1/97 - 1/3/97 Day shift"),
                           QStringLiteral("1/4/97 Day shift, Sick, On Call")}));
    EXPECT_TRUE(collect(s, *run, {1}, true)->at(0).groups.isEmpty());

    // "[Notes]" prints each note's text; an empty cell reads "Not Scheduled".
    const auto notes = QueryRun::run(s, 0, 1, 10);
    ASSERT_TRUE(notes);
    const auto noted = collect(s, *notes, {2, 1}, false);
    ASSERT_TRUE(noted);
    ASSERT_EQ(noted->size(), 2U);
    EXPECT_EQ(noted->at(0).groups, QStringList{QStringLiteral("1/5/97 Swap with Adams")});
    EXPECT_EQ(noted->at(1).groups, QStringList{QStringLiteral("1/6/97 late")});
    EXPECT_EQ(dayDescription(s, Cell{}, false), QStringLiteral("Not Scheduled"));
}

TEST(QueryReport, WrapsBetweenGroupsAndBreaksOnlyAGroupTooWideForALine) {
    const auto chars = [](const QString& text) {
        return int(text.size());
    };
    const QStringList groups{QStringLiteral("1/1/97 Day"), QStringLiteral("1/2/97 Sick"),
                             QStringLiteral("1/3/97 - 1/9/97 Vacation")};
    EXPECT_EQ(wrap(groups, 100, chars),
              QStringList{QStringLiteral("1/1/97 Day, 1/2/97 Sick, 1/3/97 - 1/9/97 Vacation")});
    EXPECT_EQ(wrap(groups, 24, chars), QStringList({QStringLiteral("1/1/97 Day, 1/2/97 Sick,"),
                                                    QStringLiteral("1/3/97 - 1/9/97 Vacation")}));
    EXPECT_EQ(wrap(groups, 16, chars),
              QStringList({QStringLiteral("1/1/97 Day,"), QStringLiteral("1/2/97 Sick,"),
                           QStringLiteral("1/3/97 - 1/9/97"), QStringLiteral("Vacation")}));
    // However narrow, every character is printed and the wrapping ends.
    EXPECT_EQ(wrap({QStringLiteral("abc")}, 0, chars).join(QString()), QStringLiteral("abc"));
}

TEST(QueryReport, RepeatsTheNameWithContinuedOnANewPage) {
    const std::vector<Employee> employees{{QStringLiteral("Adams"), 9, {}},
                                          {QStringLiteral("Baker"), 1, {}},
                                          {QStringLiteral("Cole"), 2, {}}};
    // Adams has five lines of days, the others one each.
    const auto body = [](const Employee& e) {
        QStringList lines;
        for (int i = 0; i < (e.days == 9 ? 5 : 1); ++i) {
            lines << e.name.left(1) + QString::number(i);
        }
        return lines;
    };
    const auto pages = paginate(employees, 5, false, body);
    auto texts = [&](std::size_t page) {
        QStringList t;
        for (const Line& l : pages[page].lines) {
            t << (l.heading ? QStringLiteral("#") : QString()) + l.text;
        }
        return t;
    };
    ASSERT_EQ(pages.size(), 3U);
    EXPECT_EQ(texts(0), QStringList({"#Adams - 9", "A0", "A1", "A2", "A3"}));
    EXPECT_EQ(texts(1), QStringList({"#Adams (cont...)", "A4", "#Baker - 1", "B0"}));
    // Fewer than three lines left: Cole starts on a new page.
    EXPECT_EQ(texts(2), QStringList({"#Cole - 2", "C0"}));
    EXPECT_EQ(pages[0].employeesDone, 0);
    EXPECT_EQ(pages[1].employeesDone, 2);
    EXPECT_EQ(pages[2].employeesDone, 3);

    // "[Notes]" headings carry the name alone; nobody chosen gives one page.
    EXPECT_EQ(paginate({employees[1]}, 5, true, body)[0].lines[0].text, QStringLiteral("Baker"));
    const auto empty = paginate({}, 5, false, body);
    ASSERT_EQ(empty.size(), 1U);
    EXPECT_TRUE(empty[0].lines.empty());
}
