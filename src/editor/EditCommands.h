#pragma once

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
    bool refused = false; // a divider row: beep, nothing changed
    bool changed = false;
    int firstDay = 0;
    int lastDay = 0;
    QString undoCaption;
};

// The editing commands of the grid on the cells of the open schedule, with
// the clipboard and the single level of undo. Plain logic: the window calls
// it and redraws what it reports.
class EditCommands {
public:
    explicit EditCommands(Schedule& schedule);

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
    // Restores the cells saved by the last changing command.
    EditOutcome undo();

    bool hasClipboard() const { return !m_clipboard.empty(); }
    int clipboardDays() const { return static_cast<int>(m_clipboard.size()); }
    bool canUndo() const { return m_undoAvailable; }
    // Any selection change makes the last command no longer undoable.
    void resetUndo() { m_undoAvailable = false; }
    // Forgets the clipboard and undo (another schedule was opened).
    void reset();

    bool isDivider(int row) const;

private:
    struct SavedDay {
        Cell cell;
        QString noteText;
    };
    struct ClipDay {
        Cell cell;
        bool hasNote = false;
        QString noteText;
    };

    // Saves the days for undo, then applies `change` to each cell.
    template <typename Change>
    EditOutcome apply(const EditSelection& selection, const char* caption, Change change);
    void saveUndo(int slot, int firstDay, int lastDay);
    int clampedLast(const EditSelection& selection) const;

    Schedule& m_schedule;
    std::vector<ClipDay> m_clipboard;
    std::vector<SavedDay> m_undo;
    int m_undoSlot = 0;
    int m_undoFirstDay = 0;
    bool m_undoAvailable = false;
};

} // namespace kalmur
