// What the main window's panels and coverage rows show: the current-cell
// panels and coverage totals.
#include "editor/CurrentCell.h"
#include "editor/CoverageTotals.h"
#include "support/OpenSchedule.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

using namespace kalmur;

TEST(CurrentCell, PanelsForOneAndForSeveralDays) {
    OpenSchedule o;
    ASSERT_TRUE(o.s.selectViewFormat(2)); // seven days
    o.s.setShift(4, 1, 1);
    o.s.setOnCall(4, 1, 1);
    o.s.setShift(4, 2, 100);
    o.s.setShift(4, 3, 1);
    o.s.setOnCall(4, 4, 1);
    auto info = currentCellText(o.s, 4, 1, 1, QStringLiteral("h:nna/p"));
    EXPECT_EQ(info.shiftDescription, QStringLiteral("Day shift, 7:00a - 3:30p, On Call"));
    EXPECT_EQ(info.shiftHours, QStringLiteral("8.00"));
    info = currentCellText(o.s, 4, 1, 1, QStringLiteral("hh:nn"));
    EXPECT_EQ(info.shiftDescription, QStringLiteral("Day shift, 07:00 - 15:30, On Call"));
    info = currentCellText(o.s, 4, 2, 2, QStringLiteral("h:nna/p"));
    EXPECT_EQ(info.shiftDescription, QStringLiteral("OFF"));
    EXPECT_EQ(info.shiftHours, QString());
    EXPECT_EQ(currentCellText(o.s, 4, 4, 4, QStringLiteral("h:nna/p")).shiftDescription,
              QStringLiteral("On Call"));
    EXPECT_EQ(currentCellText(o.s, 4, 5, 5, QStringLiteral("h:nna/p")).shiftDescription, QString());
    info = currentCellText(o.s, 4, 1, 4, QStringLiteral("h:nna/p"));
    EXPECT_EQ(info.shiftDescription, QStringLiteral("Multi..."));
    EXPECT_EQ(info.shiftHours, QStringLiteral("16.00"));
    EXPECT_EQ(dateOnText(QDate(1997, 1, 2)), QStringLiteral("Thu  1/2/1997"));
}

TEST(CoverageTotals, LinesCountNamedRowsByTheirFilters) {
    OpenSchedule o;
    ASSERT_TRUE(o.s.selectViewFormat(2));
    auto& e = o.s.employees();
    e.names[0] = QStringLiteral("Adams");
    e.positions[0] = QStringLiteral("rn");
    e.names[1] = QStringLiteral("Baker");
    e.positions[1] = QStringLiteral("LPN");
    e.names[2] = QStringLiteral("/ Nights"); // a divider never counts
    // Row 4 is blank and never counts either.
    for (int slot : {1, 2, 3, 4}) {
        o.s.setShift(slot, 1, 1);
    }
    o.s.setOnCall(2, 2, 1);
    auto& lines = o.s.viewFormat().coverageLines;
    lines[0] = CoverageLine::undefined(); // ignores everything: counts nothing
    lines[1] = CoverageLine::undefined();
    lines[1].ignoreShifts = false;
    lines[1].shiftMarks[1] = 1;
    lines[2] = CoverageLine::undefined();
    lines[2].ignoreNames = false;
    lines[2].checkByPosition = true;
    lines[2].position = QStringLiteral("RN ");
    lines[2].ignoreShifts = false;
    lines[2].shiftMarks[1] = 1;
    lines[3] = CoverageLine::undefined();
    lines[3].ignoreShifts = false;
    lines[3].shiftMarks[101] = 1; // on call, with or without a shift
    lines[4] = CoverageLine::undefined();
    lines[4].ignoreShifts = false;
    lines[4].shiftMarks[0] = 1; // not scheduled
    lines[5] = CoverageLine::undefined();
    lines[5].ignoreNames = false;
    lines[5].employeeMarks[1] = 1; // slot 2 only
    const auto totals = CoverageTotals::count(o.s, 6, 1, 2);
    EXPECT_EQ(totals[0], (std::vector<int>{0, 0}));
    EXPECT_EQ(totals[1], (std::vector<int>{2, 0}));
    EXPECT_EQ(totals[2], (std::vector<int>{1, 0}));
    EXPECT_EQ(totals[3], (std::vector<int>{0, 1}));
    EXPECT_EQ(totals[4], (std::vector<int>{0, 2}));
    EXPECT_EQ(totals[5], (std::vector<int>{1, 1}));
}
