// The row commands on a schedule without windows: what the Edit menu offers on
// each kind of row, and that every command moves rows but never a cell.
#include "editor/RowCommands.h"
#include "editor/EditCommands.h"
#include "model/codec/OleDate.h"
#include "support/ScriptedPlatform.h"
#include "support/TempSchedule.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>

using namespace kalmur;

namespace {

using Result = RowCommands::Result;

// Rows: 1 Adams, 2 "/ Nights", 3 Baker, 4 empty, 5 Cole, 6..200 empty. Every
// named employee has cells on all 31 days, outside the day window too.
struct Ward {
    TempWorkingDir w;
    ProgramState state{w.path()};
    Schedule& s = state.schedule();
    ScriptedPlatform platform;
    EditCommands edit{s};
    RowCommands rows{state, platform, edit.undoStep(), nullptr, {}};

    Ward() {
        s.loadSettings(QDate(1997, 1, 1));
        s.settings().startDate = OleDate::fromDate(QDate(1997, 1, 1));
        s.settings().endDate = OleDate::fromDate(QDate(1997, 1, 31));
        s.settings().viewFormatNumber = 2; // seven days in the window
        EXPECT_TRUE(s.openAll());
        const char* names[] = {"Adams", "/ Nights", "Baker", "", "Cole"};
        const char* positions[] = {"RN", "", "LPN", "", "Aide"};
        EmployeeTable& e = s.employees();
        for (std::size_t i = 0; i < 5; ++i) {
            e.names[i] = QString::fromLatin1(names[i]);
            e.positions[i] = QString::fromLatin1(positions[i]);
            e.payRate[i] = static_cast<std::int64_t>(i + 1) * 150000;
            e.payType[i] = static_cast<std::int16_t>(i % 2);
        }
        for (int row : {1, 3, 5}) {
            const int slot = s.slotOfRow(row);
            for (int day = 1; day <= s.dayCount(); ++day) {
                const auto v = static_cast<std::uint8_t>(row * 10 + day);
                s.setCellOfDay(slot, day,
                               Cell{static_cast<std::uint8_t>(day % 3 ? row : 100),
                                    static_cast<std::uint8_t>(day % 2), v, 0, 0});
            }
        }
        EXPECT_TRUE(s.flush());
        // One edit still only in memory: a command that flushed would show.
        s.setCell(s.slotOfRow(1), 2, Cell{9, 1, 9, 0, 0});
    }

    // Per named row, by name: the position, pay and every cell of the file.
    struct Employee {
        QString position;
        std::int64_t payRate = 0;
        std::int16_t payType = 0;
        std::vector<Cell> cells;
        bool operator==(const Employee&) const = default;
    };
    std::map<QString, Employee> byName() const {
        std::map<QString, Employee> out;
        const EmployeeTable& e = s.employees();
        for (int row = 1; row <= EmployeeTable::kRows; ++row) {
            if (!e.isNamed(row)) {
                continue;
            }
            const auto i = static_cast<std::size_t>(row - 1);
            Employee& m = out[e.names[i]];
            m.position = e.positions[i];
            m.payRate = e.payRate[i];
            m.payType = e.payType[i];
            for (int day = 1; day <= s.dayCount(); ++day) {
                m.cells.push_back(s.cellOfDay(s.slotOfRow(row), day));
            }
        }
        return out;
    }
    QString names(int count) const {
        QStringList out;
        for (int row = 1; row <= count; ++row) {
            out << s.employees().names[static_cast<std::size_t>(row - 1)];
        }
        return out.join(QLatin1Char('|'));
    }
};

} // namespace

TEST(RowCommands, TheEditMenuFollowsTheKindOfTheCursorRow) {
    Ward ward;
    struct Case {
        const char* what;
        int row;
        bool mark, remove, divider, reset;
    };
    const Case cases[] = {
        {"named", 1, true, false, false, false},
        {"divider", 2, false, false, true, true},
        {"empty", 4, false, true, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const RowCommands::MenuState m = ward.rows.menuState(c.row);
        EXPECT_EQ(m.mark, c.mark);
        EXPECT_EQ(m.remove, c.remove);
        EXPECT_EQ(m.divider, c.divider);
        EXPECT_EQ(m.resetDivider, c.reset);
        EXPECT_TRUE(m.insert);
        EXPECT_FALSE(m.relocate);
    }
    // A blank name over cells is no empty row: it can be moved, not removed.
    ward.s.setCell(ward.s.slotOfRow(4), 3, Cell{1, 0, 0, 0, 0});
    EXPECT_TRUE(ward.rows.menuState(4).mark);
    EXPECT_FALSE(ward.rows.menuState(4).remove);
    EXPECT_FALSE(ward.rows.menuState(4).divider);

    ASSERT_EQ(ward.rows.markRow(5), Result::Done);
    EXPECT_TRUE(ward.rows.menuState(1).relocate);
    ward.s.employees().names[199] = QStringLiteral("Zimmer");
    EXPECT_FALSE(ward.rows.menuState(1).insert);
}

TEST(RowCommands, EveryCommandMovesRowsAndLeavesTheDayFileAlone) {
    struct Case {
        const char* what;
        std::function<Result(RowCommands&)> command;
        const char* rows; // rows 1..6 after the command
        const char* undoCaption;
    };
    const Case cases[] = {
        {"insert blank row", [](RowCommands& r) { return r.insertBlankRow(1); },
         "|Adams|/ Nights|Baker||Cole", "&Undo Insert blank row"},
        {"remove blank row", [](RowCommands& r) { return r.removeBlankRow(4); },
         "Adams|/ Nights|Baker|Cole||", "&Undo Remove blank row"},
        {"set divider", [](RowCommands& r) { return r.toggleDivider(4); },
         "Adams|/ Nights|Baker|/|Cole|", "&Undo Set Divider"},
        {"reset divider", [](RowCommands& r) { return r.toggleDivider(2); }, "Adams||Baker||Cole|",
         "&Undo Reset Divider"},
        {"relocate",
         [](RowCommands& r) {
             r.markRow(5);
             return r.relocateTo(1);
         },
         "Cole|Adams|/ Nights|Baker||", "&Undo Relocate name"},
        {"sort by name", [](RowCommands& r) { return r.sort(RowRules::SortKey::Name); },
         "Adams|/ Nights|Baker|Cole||", "&Undo Alphabetically by Name"},
        {"sort by position", [](RowCommands& r) { return r.sort(RowRules::SortKey::Position); },
         "Adams|/ Nights|Cole|Baker||", "&Undo Sort by Position"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Ward ward;
        const auto employees = ward.byName();
        const QByteArray days = ward.w.read(Member::Days);
        const QByteArray table = ward.w.read(Member::Employees);

        ASSERT_EQ(c.command(ward.rows), Result::Done);
        EXPECT_EQ(ward.names(6), QString::fromLatin1(c.rows));
        EXPECT_EQ(ward.w.read(Member::Days), days);
        EXPECT_EQ(ward.byName(), employees);
        EXPECT_NE(ward.w.read(Member::Employees), table); // written at once
        EXPECT_EQ(ward.edit.undoStep().caption(), QString::fromLatin1(c.undoCaption));
        EXPECT_EQ(ward.rows.markedRow(), 0);

        ASSERT_TRUE(ward.edit.undo().allRows);
        EXPECT_EQ(ward.names(6), QStringLiteral("Adams|/ Nights|Baker||Cole|"));
        EXPECT_EQ(ward.w.read(Member::Employees), table);
        EXPECT_EQ(ward.w.read(Member::Days), days);
    }
}

TEST(RowCommands, RowsThatDoNotFitACommandAreRefusedUntouched) {
    Ward ward;
    ward.s.employees().names[199] = QStringLiteral("Zimmer");
    const EmployeeTable before = ward.s.employees();
    EXPECT_EQ(ward.rows.insertBlankRow(1), Result::Refused); // row 200 is named
    EXPECT_EQ(ward.rows.removeBlankRow(2), Result::Refused); // a divider
    EXPECT_EQ(ward.rows.removeBlankRow(1), Result::Refused); // a named row
    EXPECT_EQ(ward.rows.toggleDivider(3), Result::Refused);  // a named row
    EXPECT_EQ(ward.rows.markRow(2), Result::Refused);        // a divider
    EXPECT_EQ(ward.rows.markRow(4), Result::Refused);        // an empty row
    EXPECT_EQ(ward.rows.relocateTo(1), Result::Refused);     // nothing marked
    EXPECT_EQ(ward.s.employees(), before);
    EXPECT_FALSE(ward.edit.canUndo());
}

TEST(RowCommands, TheMarkStaysWithItsRowAndASecondMarkClearsIt) {
    Ward ward;
    ASSERT_EQ(ward.rows.markRow(5), Result::Done);
    ASSERT_EQ(ward.rows.markRow(5), Result::Done);
    EXPECT_EQ(ward.rows.markedRow(), 0);
    ward.rows.markRow(5);
    ASSERT_EQ(ward.rows.insertBlankRow(1), Result::Done);
    EXPECT_EQ(ward.rows.markedRow(), 6); // Cole moved down with the blank row
    ASSERT_EQ(ward.rows.relocateTo(2), Result::Done);
    EXPECT_EQ(ward.names(3), QStringLiteral("|Cole|Adams"));
}

TEST(RowCommands, ANameTypedInPlaceIsCutAndWrittenAtOnce) {
    Ward ward;
    const QByteArray table = ward.w.read(Member::Employees);
    using Stored = RowCommands::Stored;
    EXPECT_EQ(ward.rows.storeName(1, QStringLiteral("  Adams ")), Stored::Same);
    EXPECT_EQ(ward.w.read(Member::Employees), table);
    EXPECT_EQ(ward.rows.storeName(4, QStringLiteral(" Davies-Fitzgerald, Maria ")),
              Stored::Changed);
    EXPECT_EQ(ward.s.employees().names[3], QStringLiteral("Davies-Fitzgerald, M"));
    EXPECT_EQ(ward.rows.storePosition(4, QStringLiteral("Nurse practitioner")), Stored::Changed);
    EXPECT_EQ(ward.s.employees().positions[3], QStringLiteral("Nurse prac"));
    const QByteArray written = ward.w.read(Member::Employees);
    ASSERT_EQ(written.size(), qsizetype(EmployeeTable::fileSize));
    EXPECT_EQ(
        EmployeeTable::fromBytes(std::span(
            reinterpret_cast<const std::uint8_t*>(written.constData()), EmployeeTable::fileSize)),
        ward.s.employees());
    EXPECT_TRUE(ward.s.isModified());

    // A rows step saved before the edit would take the new name back with it.
    ward.rows.toggleDivider(2);
    ward.rows.storeName(1, QStringLiteral("Adams-Cole"));
    EXPECT_FALSE(ward.edit.canUndo());
}
