// The criteria tabs' rules without a window: what the lists offer, which
// controls take input, and the line a selection stores.
#include "dialogs/CriteriaRules.h"

#include "model/records/EmployeeTable.h"
#include "model/records/ExplanationTable.h"
#include "model/records/ShiftRecord.h"

#include <gtest/gtest.h>

#include <numeric>

using namespace kalmur;
using namespace kalmur::CriteriaRules;

namespace {

struct Tables {
    EmployeeTable employees = EmployeeTable::defaults();
    ExplanationTable explanations = ExplanationTable::defaults();
    std::array<ShiftRecord, ShiftRecord::kCount> shifts{};
    std::array<std::int16_t, ScheduleSettings::kRows> rowOrder{};

    Tables() {
        const auto row = [&](int r, const char* name, const char* position) {
            employees.names[static_cast<std::size_t>(r - 1)] = QString::fromLatin1(name);
            employees.positions[static_cast<std::size_t>(r - 1)] = QString::fromLatin1(position);
        };
        row(1, "/ Days", "");
        row(2, "Adams, Ann  ", "rn");
        row(3, "Baker, Bo", "RN ");
        row(4, "", "LPN"); // a blank row still offers its position
        row(5, "Cole, Cy", " LPN");
        for (auto& s : shifts) {
            s = ShiftRecord::undefined();
        }
        shifts[0].description = QStringLiteral("Day");
        shifts[2].description = QStringLiteral("Night  ");
        shifts[ShiftRecord::kOff - 1].description = QStringLiteral("Time Off");
        shifts[ShiftRecord::kOnCall - 1].description = QStringLiteral("On Call");
        explanations.descriptions[1] = QStringLiteral("undefined ");
        // Rows show slots in reverse: row r holds the cells of slot 201 - r.
        for (int r = 1; r <= ScheduleSettings::kRows; ++r) {
            rowOrder[static_cast<std::size_t>(r - 1)] = static_cast<std::int16_t>(201 - r);
        }
    }
    Lists lists() const { return CriteriaRules::lists(employees, explanations, shifts); }
};

std::set<int> marksOf(std::span<const std::uint8_t> marks) {
    std::set<int> set;
    for (std::size_t i = 0; i < marks.size(); ++i) {
        if (marks[i] != 0) {
            set.insert(static_cast<int>(i));
        }
    }
    return set;
}

} // namespace

TEST(CriteriaRules, ListsOfferNamedRowsDistinctPositionsAndDefinedItems) {
    const Lists l = Tables().lists();
    ASSERT_EQ(l.employees.size(), 3);
    EXPECT_EQ(l.employees[0], (Entry{QStringLiteral("Adams, Ann, rn"), 2}));
    EXPECT_EQ(l.employees[2], (Entry{QStringLiteral("Cole, Cy, LPN"), 5}));
    EXPECT_EQ(l.positions, (QStringList{"None", "rn", "LPN"}));
    EXPECT_FALSE(l.explanations.contains(Entry{QStringLiteral("undefined"), 2}));
    EXPECT_EQ(l.explanations.size(), 10); // the eleven of a new schedule, one undefined here
    EXPECT_EQ(l.shifts, (QList<Entry>{{QStringLiteral("Not Scheduled"), 0},
                                      {QStringLiteral("Time Off"), 100},
                                      {QStringLiteral("On Call"), 101},
                                      {QStringLiteral("Day"), 1},
                                      {QStringLiteral("Night"), 3}}));
}

TEST(CriteriaRules, TheLineStoredFromASelection) {
    const Tables t;
    const Lists l = t.lists();
    struct Case {
        const char* what;
        State state;
        std::set<int> employeeMarks; // indexes: slot - 1
        QString position;
        std::set<int> explanationMarks;
        std::set<int> shiftMarks;
    };
    const Case cases[] = {
        {"employees by row order, shifts with the reserved codes",
         {false, true, false, false, 0, {2, 5}, {}, {0, 100, 101, 3}},
         {198, 195}, // rows 2 and 5 hold slots 199 and 196
         QStringLiteral("None"),
         {},
         {0, 3, 100, 101}},
        {"by position and explanations",
         {false, false, true, true, 2, {}, {1, 3}, {}},
         {},
         QStringLiteral("LPN"),
         {1, 3},
         {}},
        {"nothing chosen",
         {true, true, true, false, 0, {}, {}, {}},
         {},
         QStringLiteral("None"),
         {},
         {}},
    };
    CoverageLine before = CoverageLine::undefined();
    before.title = QStringLiteral("Kept");
    before.employeeMarks[7] = 1; // marks of rows not chosen are dropped
    before.explanationMarks[0] = 1;
    before.shiftMarks[50] = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const CoverageLine line = toLine(c.state, l, t.rowOrder, before);
        EXPECT_EQ(line.title, QStringLiteral("Kept"));
        EXPECT_EQ(line.ignoreNames, c.state.ignoreNames);
        EXPECT_EQ(line.ignoreExplanations, c.state.ignoreExplanations);
        EXPECT_EQ(line.ignoreShifts, c.state.ignoreShifts);
        EXPECT_EQ(line.checkByPosition, c.state.byPosition);
        EXPECT_EQ(line.position, c.position);
        EXPECT_EQ(marksOf(line.employeeMarks), c.employeeMarks);
        EXPECT_EQ(marksOf(line.explanationMarks), c.explanationMarks);
        EXPECT_EQ(marksOf(line.shiftMarks), c.shiftMarks);
        // Opening the stored line shows the same selection.
        EXPECT_EQ(fromLine(line, l, t.rowOrder), c.state);
    }
}

TEST(CriteriaRules, OpeningFindsThePositionWhateverItsCase) {
    const Tables t;
    CoverageLine line = CoverageLine::undefined();
    for (const auto& [stored, index] : {std::pair{"RN", 1}, {" lpn ", 2}, {"", 0}, {"Clerk", 0}}) {
        line.position = QString::fromLatin1(stored);
        EXPECT_EQ(fromLine(line, t.lists(), t.rowOrder).position, index) << stored;
    }
}

TEST(CriteriaRules, EnabledStatesAndClicks) {
    struct Case {
        bool ignoreNames, byPosition, ignoreExplanations, ignoreShifts;
        Enabled enabled;
        bool byPositionAfter;
        int positionAfter;
    };
    // Every state starts with position 2 chosen.
    const Case cases[] = {
        {true, true, true, true, {false, false, false, false, false}, false, 2},
        {false, false, false, true, {true, false, true, true, false}, false, 0},
        {false, true, true, false, {true, true, false, false, true}, true, 2},
    };
    for (const Case& c : cases) {
        State s{
            c.ignoreNames, c.ignoreExplanations, c.ignoreShifts, c.byPosition, 2, {2}, {1}, {3}};
        settle(s);
        EXPECT_EQ(s.byPosition, c.byPositionAfter);
        EXPECT_EQ(s.position, c.positionAfter);
        EXPECT_EQ(enabled(s), c.enabled);
    }

    State s{false, false, false, false, 0, {2, 3}, {1}, {0, 3}};
    byPositionClicked(s);
    EXPECT_TRUE(s.employees.empty());
    ignoreClicked(s, Tab::Shifts);
    EXPECT_EQ(s.shifts, std::set<int>{});
    EXPECT_EQ(s.explanations, std::set<int>{1});
    remove(s);
    EXPECT_EQ(s, (State{true, true, true, false, 0, {}, {}, {}}));

    EXPECT_EQ(titleAfterIgnore(QStringLiteral("undefined  "), QStringLiteral("C3")),
              QStringLiteral("C3"));
    EXPECT_EQ(titleAfterIgnore(QStringLiteral("Nights"), QStringLiteral("C3")),
              QStringLiteral("Nights"));
}
