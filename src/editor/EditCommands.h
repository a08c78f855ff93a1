#pragma once

#include "KeyCodes.h"
#include "PasteRules.h"
#include "UndoStep.h"
#include "model/schedule/Schedule.h"

#include <QString>

#include <vector>

namespace kalmur {

// A run of consecutive days in one display row; days are numbers of the
// schedule (1 = its start date), so a selection may reach beyond the days on
// screen.
struct EditSelection {
    int row = 1;
    int firstDay = 1;
    int lastDay = 1;
};

// What a changing command did: the days it changed (for redrawing and
// recounting) and the caption its undo gets.
struct EditOutcome {
    bool refused = false; // a divider row or nothing to do it with: beep, nothing changed
    bool changed = false;
    int firstDay = 0;
    int lastDay = 0;
    QString undoCaption;
    bool allRows = false;     // the rows were put back: every row changed
    bool writeFailed = false; // the employee file did not take the rows put back
};

// What a key typed in the grid did: the command it ran, and whether the cursor
// moves on to the next day.
struct KeyEdit {
    EditOutcome outcome;
    bool advance = false;
};

// The editing commands of the grid on the cells of the open schedule, with
// the clipboard and the single level of undo. Plain logic: the window calls
// it and redraws what it reports.
class EditCommands {
public:
    explicit EditCommands(Schedule& schedule);

    // Refused when no shift (0) is chosen.
    EditOutcome assignShift(const EditSelection& selection, int shift);
    EditOutcome timeOff(const EditSelection& selection);
    EditOutcome erase(const EditSelection& selection);
    EditOutcome toggleOnCall(const EditSelection& selection);
    EditOutcome setExplanation(const EditSelection& selection, int explanation);
    EditOutcome setNote(const EditSelection& selection, const QString& text);
    // A quick-key table entry: a shift (> 0) or minus an explanation (< 0).
    EditOutcome quickKey(const EditSelection& selection, int entry);
    EditOutcome clear(const EditSelection& selection);
    EditOutcome cut(const EditSelection& selection);
    // Fills the clipboard; changes nothing.
    bool copy(const EditSelection& selection);
    EditOutcome paste(const EditSelection& selection);
    // A key typed in the grid: Space erases, Delete clears, a quick key puts
    // its QuickKeyTable entry (0 for none). Nothing happens on a divider row.
    // Space and a quick key on a single day move the cursor on.
    KeyEdit typed(const EditSelection& selection, GridKey key, int quickEntry);
    // Paste of only the chosen kinds of content; undone as a paste.
    EditOutcome pasteSelective(const EditSelection& selection, const PasteOptions& options);
    // Restores what the last changing command saved: its days, or the rows.
    EditOutcome undo();

    bool hasClipboard() const { return !m_clipboard.empty(); }
    int clipboardDays() const { return static_cast<int>(m_clipboard.size()); }
    bool canUndo() const { return m_undo.canUndo(); }
    // Any selection change makes the last command no longer undoable.
    void resetUndo() { m_undo.forget(); }
    // The undo step the row commands share with the cell commands.
    UndoStep& undoStep() { return m_undo; }
    const UndoStep& undoStep() const { return m_undo; }
    // Forgets the clipboard and undo (another schedule was opened).
    void reset();

    bool isDivider(int row) const;

private:
    struct ClipDay {
        Cell cell;
        bool hasNote = false;
        QString noteText;
    };

    // Saves the days for undo, then applies `change` to each cell.
    template <typename Change>
    EditOutcome apply(const EditSelection& selection, const char* caption, Change change);
    template <typename Rule>
    EditOutcome pasteWith(const EditSelection& selection, Rule rule);
    int clampedLast(const EditSelection& selection) const;

    Schedule& m_schedule;
    std::vector<ClipDay> m_clipboard;
    UndoStep m_undo;
};

} // namespace kalmur
