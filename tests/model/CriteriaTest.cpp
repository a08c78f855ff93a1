// Kinds of row, the rules of coverage lines and queries, and counting them over
// a range of days read once each.
#include "model/codec/OleDate.h"
#include "model/criteria/MatchCounts.h"
#include "model/schedule/DayRange.h"
#include "model/schedule/Schedule.h"
#include "support/TempSchedule.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

using namespace kalmur;

namespace {

// A schedule from 1 January 1997 shown one day at a time, so that day 1 is in
// the window (kept in memory) and later days are read from the day file.
struct OpenSchedule {
    TempWorkingDir w;
    Schedule s{w.path()};
    explicit OpenSchedule(int days) {
        s.loadSettings(QDate(1997, 1, 1));
        s.settings().startDate = OleDate::fromDate(QDate(1997, 1, 1));
        s.settings().endDate = OleDate::fromDate(QDate(1997, 1, 1).addDays(days - 1));
        s.settings().viewFormatNumber = 3;
        EXPECT_TRUE(s.openAll());
    }
};

// Which filters a line turns on; the marks are those of the world below.
enum class Names { All, Position, Marks };
struct LineCase {
    const char* what;
    Names names;
    std::vector<int> explanations; // empty: explanations ignored
    std::vector<int> shifts;       // empty: shifts ignored
    std::vector<int> totals;       // days 1, 2 and 3
};

CoverageLine line(const LineCase& c) {
    CoverageLine l = CoverageLine::undefined();
    l.ignoreNames = c.names == Names::All;
    l.checkByPosition = c.names == Names::Position;
    l.position = QStringLiteral(" rn");
    l.employeeMarks[1] = 1; // slot 2: Adams
    l.employeeMarks[4] = 1; // slot 5: Baker
    l.employeeMarks[2] = 1; // slot 3: the divider, never counted
    l.ignoreExplanations = c.explanations.empty();
    for (int n : c.explanations) {
        l.explanationMarks[static_cast<std::size_t>(n)] = 1;
    }
    l.ignoreShifts = c.shifts.empty();
    for (int n : c.shifts) {
        l.shiftMarks[static_cast<std::size_t>(n)] = 1;
    }
    return l;
}

} // namespace

TEST(RowKinds, OneRuleForDividersNamedAndEmptyRows) {
    struct Case {
        const char* name;
        bool divider;
        bool named;
    };
    const Case cases[] = {
        {"Adams", false, true},    {"(Agency) Lee", false, true},
        {"-Float", false, true},   {" Lee", false, true},
        {"/", true, false},        {"/ Nights", true, false},
        {" /Nights", false, true}, {"", false, false},
        {"   ", false, false},
    };
    OpenSchedule o(10);
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const int row = static_cast<int>(i) + 1;
        o.s.employees().names[i] = QString::fromUtf8(cases[i].name);
        EXPECT_EQ(o.s.employees().isDivider(row), cases[i].divider) << cases[i].name;
        EXPECT_EQ(o.s.employees().isNamed(row), cases[i].named) << cases[i].name;
        EXPECT_EQ(o.s.isEmptyRow(row), !cases[i].divider && !cases[i].named) << cases[i].name;
    }
    EXPECT_FALSE(o.s.employees().isDivider(0));
    EXPECT_FALSE(o.s.employees().isNamed(201));

    // A blank name holding something on a shown day is not empty; a detached
    // note or a cell beyond the window does not count.
    const int row = 8;
    const int slot = o.s.slotOfRow(row);
    o.s.setNoteNumber(slot, 1, -4);
    o.s.setCellOfDay(slot, 2, Cell{1, 0, 0, 0, 0});
    EXPECT_TRUE(o.s.isEmptyRow(row));
    o.s.setOnCall(slot, 1, 1);
    EXPECT_FALSE(o.s.isEmptyRow(row));
}

TEST(Criteria, EveryCombinationOfFiltersCountsTheMatchingRowsPerDay) {
    OpenSchedule o(3);
    Schedule& s = o.s;
    auto& e = s.employees();
    // Display rows 1 and 2 show slots 2 and 1: marks go by slot.
    s.settings().rowOrder[0] = 2;
    s.settings().rowOrder[1] = 1;
    const QString names[] = {"Adams", "(Agency) Lee", "/ Nights", "", "Baker"};
    const QString positions[] = {"RN", "rn ", "RN", "RN", "LPN"};
    for (std::size_t r = 0; r < 5; ++r) {
        e.names[r] = names[r];
        e.positions[r] = positions[r];
    }
    const auto put = [&](int slot, int day, Cell cell) {
        s.setCellOfDay(slot, day, cell);
    };
    // Adams: a day shift; time off explained by 3; on call without a shift.
    put(2, 1, {1, 0, 0, 0, 999}); // a note number past the note file
    put(2, 2, {100, 0, 3, 0, 0});
    put(2, 3, {0, 1, 0, 0, 0});
    // Lee: a day shift explained by 3; nothing but a detached note; shift 2 on call.
    put(1, 1, {1, 0, 3, 0, 0});
    put(1, 2, {0, 0, 0, 0, -1});
    put(1, 3, {2, 1, 0, 0, 0});
    // The divider's and the blank row's cells never count.
    for (int day = 1; day <= 3; ++day) {
        put(3, day, {1, 1, 3, 0, 0});
        put(4, day, {1, 1, 3, 0, 0});
    }
    // Baker: codes out of range show as no shift and no explanation; a note.
    put(5, 1, {150, 0, 120, 0, 0});
    put(5, 2, {101, 0, 0, 0, 0});
    put(5, 3, {2, 0, 0, 0, 0});
    ASSERT_TRUE(s.writeNoteOfDay(5, 3, QStringLiteral("Dentist")));

    const std::vector<int> S = {1, 101}; // a day shift, or on call
    const std::vector<int> E = {3};
    const LineCase cases[] = {
        {"ignores everything", Names::All, {}, {}, {0, 0, 0}},
        {"all, shifts", Names::All, {}, S, {2, 0, 2}},
        {"all, explanations", Names::All, E, {}, {1, 1, 0}},
        {"all, both", Names::All, E, S, {1, 0, 0}},
        {"position", Names::Position, {}, {}, {2, 2, 2}},
        {"position, shifts", Names::Position, {}, S, {2, 0, 2}},
        {"position, explanations", Names::Position, E, {}, {1, 1, 0}},
        {"position, both", Names::Position, E, S, {1, 0, 0}},
        {"marks", Names::Marks, {}, {}, {2, 2, 2}},
        {"marks, shifts", Names::Marks, {}, S, {1, 0, 1}},
        {"marks, explanations", Names::Marks, E, {}, {0, 1, 0}},
        {"marks, both", Names::Marks, E, S, {0, 0, 0}},
        {"not scheduled", Names::All, {}, {0}, {1, 2, 1}},
        {"time off", Names::All, {}, {100}, {0, 1, 0}},
        {"on call only", Names::All, {}, {101}, {0, 0, 2}},
        {"no explanation", Names::All, {0}, {}, {2, 2, 3}},
        {"no explanation, not scheduled", Names::All, {0}, {0}, {1, 2, 1}},
    };
    std::vector<Criteria> criteria;
    for (const LineCase& c : cases) {
        criteria.emplace_back(line(c));
    }
    criteria.push_back(Criteria::notes(s.noteCount()));
    const DayRange days(s, 0, 9); // clamped to the schedule's three days
    ASSERT_EQ(days.size(), 3);
    const auto totals = MatchCounts::perDay(criteria, e, s.settings().rowOrder, days);
    ASSERT_TRUE(totals);
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ((*totals)[i], cases[i].totals) << cases[i].what;
    }
    EXPECT_EQ(totals->back(), (std::vector<int>{0, 0, 1})) << "notes";

    // Per row, as a query counts: display rows 1 (Adams) and 2 (Lee).
    const auto perRow = MatchCounts::perRow(criteria[1], e, s.settings().rowOrder, days);
    ASSERT_TRUE(perRow);
    EXPECT_EQ((*perRow)[0], 2);
    EXPECT_EQ((*perRow)[1], 2);
    EXPECT_EQ(std::accumulate(perRow->begin(), perRow->end(), 0), 4);

    // The tables the counting uses agree with the rule over every stored code.
    DayRecord day;
    for (std::size_t c = 0; c < criteria.size(); ++c) {
        const CellMatcher matcher(criteria[c]);
        for (int code = 0; code < 256; ++code) {
            for (std::size_t i = 0; i < 4; ++i) {
                const Cell cell{static_cast<std::uint8_t>(code), static_cast<std::uint8_t>(i & 1),
                                static_cast<std::uint8_t>((code * 7 + int(i)) % 256), 0,
                                static_cast<std::int16_t>(int(i) - 1)};
                day.setCell(int(i) + 1, cell);
                ASSERT_EQ(matcher.matches(day, i), criteria[c].cellMatches(cell))
                    << "criteria " << c << ", shift " << code << ", cell " << i;
            }
        }
    }
}

TEST(DayRange, ReadsEveryDayOnceInOrderWithTheWindowsUnsavedEdits) {
    OpenSchedule o(300);
    Schedule& s = o.s;
    for (int day = 1; day <= 300; ++day) {
        ASSERT_TRUE(s.setCellOfDay(1, day, Cell{static_cast<std::uint8_t>(day % 100), 0, 0, 0, 0}));
    }
    ASSERT_TRUE(s.loadWindow(149)); // day 150 is shown
    s.setShift(1, 1, 77);           // and changed in memory only
    std::vector<int> seen;
    const DayRange range(s, 100, 400);
    EXPECT_EQ(range.last(), 300);
    ASSERT_TRUE(range.forEach([&](int day, const DayRecord& record) {
        seen.push_back(day);
        EXPECT_EQ(record.shift[0], day == 150 ? 77 : day % 100) << day;
    }));
    ASSERT_EQ(seen.size(), 201u);
    EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
    EXPECT_EQ(seen.front(), 100);
    EXPECT_EQ(DayRange(s, 5, 4).size(), 0);
}
