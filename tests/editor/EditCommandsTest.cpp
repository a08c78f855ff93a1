// The editing commands on a schedule without windows.
#include "editor/EditCommands.h"
#include "editor/QuickKeyTable.h"
#include "model/codec/OleDate.h"
#include "support/QtPrinters.h"
#include "support/TempSchedule.h"

#include <gtest/gtest.h>

using namespace kalmur;

namespace {

struct Fixture {
    TempWorkingDir w;
    Schedule s{w.path()};
    EditCommands edit{s};

    // 1 January to 31 March 1997 (90 days), seven days on screen.
    Fixture() {
        s.loadSettings(QDate(1997, 1, 1));
        s.settings().startDate = OleDate::fromDate(QDate(1997, 1, 1));
        s.settings().endDate = OleDate::fromDate(QDate(1997, 3, 31));
        s.settings().viewFormatNumber = 2;
        EXPECT_TRUE(s.openAll());
        s.employees().names[0] = QStringLiteral("Adams");
        s.employees().names[1] = QStringLiteral("/ Nights");
    }
    Cell at(int day, int row = 1) const { return s.cellOfDay(s.slotOfRow(row), day); }
    void put(int day, Cell c, int row = 1) { s.setCellOfDay(s.slotOfRow(row), day, c); }
    static EditSelection days(int first, int last, int row = 1) { return {row, first, last}; }
};

} // namespace

TEST(EditCommands, ShiftCommandsRespectTimeOff) {
    Fixture f;
    f.put(1, Cell{100, 0, 0, 0, 0});
    f.put(2, Cell{5, 1, 3, 9, 0});
    auto out = f.edit.assignShift(f.days(1, 3), 7);
    EXPECT_EQ(out.undoCaption, QStringLiteral("&Undo Assign"));
    EXPECT_EQ(f.at(1).shift, 100); // time off stays
    EXPECT_EQ(f.at(2).shift, 7);
    EXPECT_EQ(f.at(3).shift, 7);

    f.put(3, Cell{});
    out = f.edit.timeOff(f.days(2, 3));
    EXPECT_EQ(out.undoCaption, QStringLiteral("&Undo TimeOff"));
    EXPECT_EQ(f.at(2).shift, 7); // a shift is left alone
    EXPECT_EQ(f.at(3).shift, 100);

    out = f.edit.erase(f.days(2, 2));
    EXPECT_EQ(out.undoCaption, QStringLiteral("&Undo Erase"));
    EXPECT_EQ(f.at(2), (Cell{0, 1, 3, 9, 0})); // on call, explanation, reserved stay

    f.put(4, Cell{0, 5, 0, 0, 0});
    f.edit.toggleOnCall(f.days(2, 4));
    EXPECT_EQ(f.at(2).onCall, 0);
    EXPECT_EQ(f.at(3).onCall, 1);
    EXPECT_EQ(f.at(4).onCall, 0); // any value other than 0 becomes 0

    out = f.edit.setExplanation(f.days(1, 2), 4);
    EXPECT_EQ(out.undoCaption, QStringLiteral("&Undo Explanation"));
    EXPECT_EQ(f.at(1).explanation, 4); // time-off cells included
    EXPECT_TRUE(f.s.isModified());
}

TEST(EditCommands, ADividerRowIsRefusedAndKeepsUndo) {
    Fixture f;
    f.edit.timeOff(f.days(1, 1));
    const Cell before = f.at(1, 2);
    const auto out = f.edit.assignShift(f.days(1, 5, 2), 3);
    EXPECT_TRUE(out.refused);
    EXPECT_FALSE(out.changed);
    EXPECT_EQ(f.at(1, 2), before);
    EXPECT_TRUE(f.edit.canUndo());
    EXPECT_TRUE(f.edit.cut(f.days(1, 1, 2)).refused);
    EXPECT_FALSE(f.edit.copy(f.days(1, 1, 2)));
}

TEST(EditCommands, ClearHidesTheNoteAndUndoBringsItBack) {
    Fixture f;
    ASSERT_TRUE(f.s.writeNoteOfDay(1, 2, QStringLiteral("Swap with Baker")));
    Cell c = f.at(2);
    c.shift = 4;
    c.reserved = 6;
    f.put(2, c);
    const int note = c.note;
    const auto out = f.edit.clear(f.days(2, 2));
    EXPECT_EQ(out.undoCaption, QStringLiteral("&Undo Clear"));
    EXPECT_EQ(f.at(2), (Cell{0, 0, 0, 0, static_cast<std::int16_t>(-note)}));
    EXPECT_EQ(f.s.readNote(note), QStringLiteral("Swap with Baker")); // the text is kept
    ASSERT_TRUE(f.edit.canUndo());
    f.edit.undo();
    EXPECT_EQ(f.at(2), c);
    EXPECT_FALSE(f.edit.canUndo()); // undo is not undoable
    EXPECT_FALSE(f.edit.undo().changed);
}

TEST(EditCommands, NotesGiveEveryDayItsOwnRecord) {
    Fixture f;
    f.put(3, Cell{0, 0, 0, 0, 0});
    ASSERT_TRUE(f.s.writeNoteOfDay(1, 4, QStringLiteral("old")));
    const int existing = f.at(4).note;
    const int count = f.s.noteCount();
    f.edit.setNote(f.days(3, 4), QStringLiteral("Covering 4 West"));
    EXPECT_EQ(f.s.noteCount(), count + 1); // day 3 got a record, day 4 kept its own
    EXPECT_EQ(f.at(4).note, existing);
    EXPECT_NE(f.at(3).note, f.at(4).note);
    EXPECT_EQ(f.s.readNote(f.at(3).note), QStringLiteral("Covering 4 West"));
    EXPECT_EQ(f.s.readNote(existing), QStringLiteral("Covering 4 West"));

    f.edit.setNote(f.days(4, 4), QStringLiteral("   ")); // blank: hidden, record kept
    EXPECT_EQ(f.at(4).note, -existing);
    f.edit.undo();
    EXPECT_EQ(f.at(4).note, existing);
    EXPECT_EQ(f.s.readNote(existing), QStringLiteral("Covering 4 West"));
}

TEST(EditCommands, PasteLaysTheDaysDownBeyondTheWindowAndStopsAtTheFileEnd) {
    Fixture f;
    f.put(1, Cell{1, 0, 0, 7, 0});
    f.put(2, Cell{2, 1, 0, 0, 0});
    ASSERT_TRUE(f.s.writeNoteOfDay(1, 3, QStringLiteral("bring badge")));
    f.put(3, Cell{3, 0, 5, 0, f.at(3).note});
    ASSERT_TRUE(f.edit.copy(f.days(1, 3)));
    EXPECT_EQ(f.edit.clipboardDays(), 3);

    // Days 20..22 lie outside the seven days on screen.
    ASSERT_TRUE(f.s.writeNoteOfDay(1, 20, QStringLiteral("mine")));
    const int own = f.at(20).note;
    auto out = f.edit.paste(f.days(20, 20));
    EXPECT_EQ(out.undoCaption, QStringLiteral("&Undo Paste"));
    EXPECT_EQ(out.lastDay, 22);
    EXPECT_EQ(f.at(20).shift, 1);
    EXPECT_EQ(f.at(20).reserved, 0); // paste does not write the reserved byte
    EXPECT_EQ(f.at(20).note, -own);  // no note copied: the target's is hidden
    EXPECT_EQ(f.at(21), (Cell{2, 1, 0, 0, 0}));
    EXPECT_EQ(f.at(22).explanation, 5);
    EXPECT_GT(f.at(22).note, 0);
    EXPECT_NE(f.at(22).note, f.at(3).note); // its own record with the same text
    EXPECT_EQ(f.s.readNote(f.at(22).note), QStringLiteral("bring badge"));

    out = f.edit.paste(f.days(89, 89));
    EXPECT_EQ(out.lastDay, 90);
    EXPECT_EQ(f.at(90).shift, 2);
    f.edit.undo();
    EXPECT_EQ(f.at(89), Cell{});
    EXPECT_EQ(f.at(90), Cell{});

    f.edit.cut(f.days(1, 1));
    EXPECT_EQ(f.at(1).shift, 0);
    f.edit.paste(f.days(5, 5));
    EXPECT_EQ(f.at(5).shift, 1);
}

TEST(EditCommands, QuickKeysAssignShiftsOrExplanations) {
    Fixture f;
    auto& shifts = f.s.shifts();
    shifts[0].quickKey = 'D';
    shifts[4].quickKey = 'D';              // a later shift with the same key wins
    shifts[5].quickKey = 'N' + 100;        // with Shift
    f.s.explanations().quickKeys[2] = 'N'; // an explanation wins over a shift
    shifts[6].quickKey = 'N';
    QuickKeyTable table;
    table.rebuild(shifts, f.s.explanations());
    EXPECT_EQ(table.entry('D', false), 5);
    EXPECT_EQ(table.entry('D', true), 0);
    EXPECT_EQ(table.entry('N', true), 6);
    EXPECT_EQ(table.entry('N', false), -3);
    EXPECT_EQ(table.entry('Q', false), 0);
    EXPECT_EQ(table.entry(91, false), 0);

    f.put(2, Cell{100, 0, 0, 0, 0});
    auto out = f.edit.quickKey(f.days(1, 2), table.entry('D', false));
    EXPECT_EQ(out.undoCaption, QStringLiteral("&Undo Assign"));
    EXPECT_EQ(f.at(1).shift, 5);
    EXPECT_EQ(f.at(2).shift, 100);
    f.edit.quickKey(f.days(2, 2), table.entry('N', false));
    EXPECT_EQ(f.at(2).explanation, 3); // time off keeps its shift, gets the explanation
    EXPECT_FALSE(f.edit.quickKey(f.days(1, 1), 0).changed);
}
