// The per-field rules of selective paste, and the paste that uses them.
#include "editor/PasteRules.h"
#include "editor/EditCommands.h"
#include "support/OpenSchedule.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

using namespace kalmur;

namespace {

// Flags by letter: Shifts, Time off, Explanations, Notes, on Call, Overwrite.
PasteOptions chosen(const char* letters) {
    const std::string s(letters);
    auto has = [&s](char c) {
        return s.find(c) != std::string::npos;
    };
    return {has('S'), has('T'), has('E'), has('N'), has('C'), has('O')};
}

struct RuleCase {
    const char* options;
    Cell clip;
    bool clipHasNote;
    Cell target;
    Cell expected;
    NoteStep note;
};

} // namespace

TEST(PasteRules, EachKindWithAndWithoutOverwrite) {
    const Cell busy{7, 1, 4, 9, 5}; // a shift, on call, explanation 4, reserved 9, note 5
    const RuleCase cases[] = {
        // Shifts travel for codes 0 to 99, into a free cell or with overwrite.
        {"S", {3, 0, 0, 0, 0}, false, {}, {3, 0, 0, 0, 0}, NoteStep::Keep},
        {"S", {3, 0, 0, 0, 0}, false, busy, busy, NoteStep::Keep},
        {"SO", {3, 0, 0, 0, 0}, false, busy, {3, 1, 4, 9, 5}, NoteStep::Keep},
        {"SO", {100, 0, 0, 0, 0}, false, busy, busy, NoteStep::Keep},
        {"SO", {150, 0, 0, 0, 0}, false, busy, busy, NoteStep::Keep},
        // Time off travels for 0 and 100 only.
        {"T", {3, 0, 0, 0, 0}, false, {}, {}, NoteStep::Keep},
        {"T", {100, 0, 0, 0, 0}, false, {}, {100, 0, 0, 0, 0}, NoteStep::Keep},
        {"T", {100, 0, 0, 0, 0}, false, busy, busy, NoteStep::Keep},
        {"TO", {100, 0, 0, 0, 0}, false, busy, {100, 1, 4, 9, 5}, NoteStep::Keep},
        // An empty clipboard day erases a shift only when overwriting.
        {"S", {}, false, busy, busy, NoteStep::Keep},
        {"SO", {}, false, busy, {0, 1, 4, 9, 5}, NoteStep::Keep},
        {"TO", {}, false, busy, {0, 1, 4, 9, 5}, NoteStep::Keep},
        // Explanations and on call: any value, free when 0.
        {"E", {0, 0, 2, 0, 0}, false, {}, {0, 0, 2, 0, 0}, NoteStep::Keep},
        {"E", {0, 0, 2, 0, 0}, false, busy, busy, NoteStep::Keep},
        {"EO", {}, false, busy, {7, 1, 0, 9, 5}, NoteStep::Keep},
        {"C", {0, 1, 0, 0, 0}, false, {}, {0, 1, 0, 0, 0}, NoteStep::Keep},
        {"C", {}, false, busy, busy, NoteStep::Keep},
        {"CO", {}, false, busy, {7, 0, 4, 9, 5}, NoteStep::Keep},
        // Notes: free below 1; a copied note is written, no note hides the target's.
        {"N", {}, true, {}, {}, NoteStep::Write},
        {"N", {0, 0, 0, 0, 0}, true, {0, 0, 0, 0, -3}, {0, 0, 0, 0, -3}, NoteStep::Write},
        {"N", {}, true, busy, busy, NoteStep::Keep},
        {"NO", {}, true, busy, busy, NoteStep::Write},
        {"NO", {}, false, busy, busy, NoteStep::Hide},
        // Nothing chosen: nothing changes, overwrite or not.
        {"O", {3, 1, 2, 0, 0}, true, busy, busy, NoteStep::Keep},
    };
    for (const RuleCase& c : cases) {
        SCOPED_TRACE(std::string(c.options) + " clip shift " + std::to_string(c.clip.shift));
        const PastedCell out = pasteSelective(chosen(c.options), c.clip, c.clipHasNote, c.target);
        EXPECT_EQ(out.cell, c.expected);
        EXPECT_EQ(out.note, c.note);
    }
    const PastedCell all = pasteAll({100, 0, 2, 8, 0}, false, busy);
    EXPECT_EQ(all.cell, (Cell{100, 0, 2, 9, 5})); // the reserved byte stays
    EXPECT_EQ(all.note, NoteStep::Hide);
}

TEST(PasteRules, FirstUseSetsTheFiveKindsOnlyWhenAllAreClear) {
    ScheduleSettings settings;
    settings.pasteOptions = {};
    EXPECT_TRUE(PasteOptions::prepare(settings));
    EXPECT_EQ(PasteOptions::fromFlags(settings.pasteOptions), chosen("STENC"));
    settings.pasteOptions = chosen("O").flags();
    EXPECT_FALSE(PasteOptions::prepare(settings));
    EXPECT_EQ(PasteOptions::fromFlags(settings.pasteOptions), chosen("O"));
}

TEST(PasteRules, SelectivePasteWritesNotesAndIsUndoneExactly) {
    OpenSchedule o;
    Schedule& s = o.s;
    EditCommands edit{s};
    const int from = s.slotOfRow(1);
    const int to = s.slotOfRow(3);
    // Days 10 and 11 lie outside the one-day window: they go through the file.
    s.setCellOfDay(from, 10, Cell{1, 0, 0, 0, 0});
    s.writeNoteOfDay(from, 10, QStringLiteral("Early"));
    s.setCellOfDay(to, 10, Cell{2, 0, 3, 0, 0});
    s.writeNoteOfDay(to, 10, QStringLiteral("Keep me"));
    s.setCellOfDay(to, 11, Cell{2, 1, 0, 0, 0});
    const Cell before10 = s.cellOfDay(to, 10);
    const Cell before11 = s.cellOfDay(to, 11);
    ASSERT_TRUE(edit.copy({1, 10, 11}));

    const EditOutcome out = edit.pasteSelective({3, 10, 10}, chosen("SNO"));
    EXPECT_EQ(out.undoCaption, QStringLiteral("&Undo Paste"));
    EXPECT_EQ(out.lastDay, 11); // the whole clipboard, whatever the selection
    const Cell pasted = s.cellOfDay(to, 10);
    EXPECT_EQ(pasted, (Cell{1, 0, 3, 0, before10.note})); // its own record, rewritten
    EXPECT_EQ(s.readNote(pasted.note), QStringLiteral("Early"));
    EXPECT_EQ(s.cellOfDay(to, 11), (Cell{0, 1, 0, 0, 0})); // the empty day erased the shift

    edit.undo();
    EXPECT_EQ(s.cellOfDay(to, 10), before10);
    EXPECT_EQ(s.cellOfDay(to, 11), before11);
    EXPECT_EQ(s.readNote(before10.note), QStringLiteral("Keep me"));
}
