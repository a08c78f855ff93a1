// The controllers beside the editing commands on a schedule without windows:
// row commands with the one undo step, and the steps around a report.
#include "editor/EditCommands.h"
#include "editor/ReportCommands.h"
#include "editor/RowCommands.h"
#include "model/codec/OleDate.h"
#include "support/ScriptedDialogs.h"
#include "support/ScriptedPlatform.h"
#include "support/TempSchedule.h"

#include <gtest/gtest.h>

#include <functional>

using namespace kalmur;

namespace {

struct Fixture {
    TempWorkingDir w;
    ProgramState state{w.path()};
    Schedule& s = state.schedule();
    ScriptedPlatform platform;
    EditCommands edit{s};
    int repaints = 0;
    int recounts = 0;
    RowCommands rows{state, platform, edit.undoStep(), nullptr,
                     RowCommands::Hooks{[this] { ++repaints; }, [this] { ++recounts; }, {}}};

    Fixture() {
        s.loadSettings(QDate(1997, 1, 1));
        s.settings().startDate = OleDate::fromDate(QDate(1997, 1, 1));
        s.settings().endDate = OleDate::fromDate(QDate(1997, 1, 31));
        EXPECT_TRUE(s.openAll());
        EmployeeTable& e = s.employees();
        e.names[0] = QStringLiteral("Adams");
        e.positions[0] = QStringLiteral("RN");
        e.payRate[0] = 215000;
        e.names[1] = QStringLiteral("/ Nights");
        e.names[2] = QStringLiteral("Baker");
        e.payType[2] = 1;
        EXPECT_TRUE(s.writeEmployees());
    }
    QByteArray employeeFile() const { return w.read(Member::Employees); }
};

void swapRows(Schedule& s, std::size_t a, std::size_t b) {
    EmployeeTable& e = s.employees();
    std::swap(s.settings().rowOrder[a], s.settings().rowOrder[b]);
    std::swap(e.names[a], e.names[b]);
    std::swap(e.positions[a], e.positions[b]);
    std::swap(e.payRate[a], e.payRate[b]);
    std::swap(e.payType[a], e.payType[b]);
}

} // namespace

TEST(UndoStep, UndoOfARowCommandPutsBackTheOrderAndTheTableAndWritesIt) {
    struct Case {
        const char* what;
        std::function<void(Schedule&)> change;
    };
    const Case cases[] = {
        {"relocate",
         [](Schedule& s) {
             swapRows(s, 0, 2);
         }},
        {"set divider",
         [](Schedule& s) {
             s.employees().names[4] = QStringLiteral("/");
         }},
        {"rename and reposition",
         [](Schedule& s) {
             s.employees().names[0] = QStringLiteral("Adams-Cole");
             s.employees().positions[0] = QStringLiteral("LPN");
         }},
        {"insert blank row",
         [](Schedule& s) {
             for (std::size_t r = 199; r > 0; --r) {
                 swapRows(s, r, r - 1);
             }
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Fixture f;
        const auto order = f.s.settings().rowOrder;
        const EmployeeTable table = f.s.employees();
        const QByteArray file = f.employeeFile();

        ASSERT_TRUE(f.rows.run(QStringLiteral("&Undo Rows"), c.change));
        EXPECT_NE(f.employeeFile(), file); // written at once
        EXPECT_EQ(f.repaints, 1);
        EXPECT_EQ(f.recounts, 1);
        EXPECT_EQ(f.edit.undoStep().caption(), QStringLiteral("&Undo Rows"));

        const EditOutcome out = f.edit.undo();
        EXPECT_TRUE(out.changed);
        EXPECT_TRUE(out.allRows);
        EXPECT_FALSE(out.writeFailed);
        EXPECT_EQ(f.s.settings().rowOrder, order);
        EXPECT_EQ(f.s.employees(), table);
        EXPECT_EQ(f.employeeFile(), file);
        EXPECT_TRUE(f.s.isModified());
        EXPECT_FALSE(f.edit.canUndo());
        EXPECT_EQ(f.edit.undoStep().caption(), QStringLiteral("Can't Undo"));
        EXPECT_TRUE(f.platform.messages.empty());
    }
}

TEST(UndoStep, OneLevelAcrossCellAndRowCommands) {
    Fixture f;
    ASSERT_TRUE(f.rows.run(QStringLiteral("&Undo Rows"), [](Schedule& s) { swapRows(s, 0, 2); }));
    // A cell command replaces the row step: Undo takes back only the cells.
    const EditOutcome assigned = f.edit.assignShift({1, 3, 4}, 2);
    ASSERT_TRUE(assigned.changed);
    EXPECT_EQ(assigned.undoCaption, QStringLiteral("&Undo Assign"));
    const EditOutcome undone = f.edit.undo();
    EXPECT_FALSE(undone.allRows);
    EXPECT_EQ(undone.firstDay, 3);
    EXPECT_EQ(undone.lastDay, 4);
    EXPECT_EQ(f.s.employees().names[0], QStringLiteral("Baker")); // the rows stay moved

    // A row command replaces a cell step, and a selection change forgets it.
    f.edit.assignShift({1, 3, 3}, 2);
    ASSERT_TRUE(f.rows.run(QStringLiteral("&Undo Rows"), [](Schedule& s) { swapRows(s, 0, 2); }));
    f.edit.resetUndo();
    EXPECT_FALSE(f.edit.undo().changed);
    EXPECT_EQ(f.s.employees().names[0], QStringLiteral("Adams"));
    EXPECT_EQ(f.s.cellOfDay(f.s.slotOfRow(3), 3).shift, 2); // Baker's day kept its shift
}

TEST(ReportCommands, AReportReadsTheFilesWithTheEditsInThemAndTheWindowIsReadAgain) {
    Fixture f;
    ScriptedDialogs dialogs;
    int reloaded = 0;
    ReportCommands reports{f.state, f.platform, dialogs, nullptr,
                           ReportCommands::Hooks{{}, [&reloaded] {
                                                     ++reloaded;
                                                 }}};
    const int slot = f.s.slotOfRow(1);
    f.s.setCell(slot, 2, Cell{7, 1, 0, 0, 0});
    std::optional<DayRecord> seen;
    ASSERT_TRUE(reports.run([&] { seen = f.s.readDay(f.s.window().dayNumber(2)); }));
    ASSERT_TRUE(seen);
    EXPECT_EQ(seen->cell(slot).shift, 7);
    EXPECT_EQ(f.s.cell(slot, 2).shift, 7);
    EXPECT_EQ(reloaded, 1);

    ASSERT_TRUE(f.s.closeAll());
    bool ran = false;
    EXPECT_FALSE(reports.run([&] { ran = true; }));
    EXPECT_FALSE(ran);
}
