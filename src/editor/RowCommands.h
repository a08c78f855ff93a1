#pragma once

#include "UndoStep.h"
#include "files/ProgramState.h"
#include "model/schedule/RowRules.h"
#include "platform/Platform.h"

#include <QString>

#include <functional>

class QWidget;

namespace kalmur {

// The commands on employee rows: names, blank rows, dividers, relocation and
// sorting. They move row-order entries together with the employee table's
// fields of the same display rows and never move cells, so one undo step of
// the rows kind takes any of them back. The main window owns the menus and
// repainting and is told through the hooks.
class RowCommands {
public:
    struct Hooks {
        std::function<void()> repaintRows;     // names, positions and cells of every row
        std::function<void()> recountCoverage; // the totals of every visible day
        std::function<void()> undoChanged;     // the Undo item shows the undo step again
    };

    // What a command did. Refused: it does not apply to the row (the window
    // beeps); NotWritten: the employee file did not take the rows (reported).
    enum class Result { Done, Refused, NotWritten };

    // The row items of the Edit menu for the cursor row.
    struct MenuState {
        bool relocate = false;
        bool mark = false;
        bool insert = false;
        bool remove = false;
        bool divider = false;
        bool resetDivider = false; // the divider item reads "Reset &Divider"
    };

    RowCommands(ProgramState& state, Platform& platform, UndoStep& undo, QWidget* parent,
                Hooks hooks);

    // Runs one row command: saves the rows for undo under `undoCaption`, lets
    // `change` reorder the row order and the employee table, writes the table
    // to its file, then repaints the rows and recounts the coverage. When the
    // file does not take the table the rows are put back and the failure is
    // reported; false then.
    bool run(const QString& undoCaption, const std::function<void(Schedule&)>& change);

    MenuState menuState(int row) const;

    // Display rows 1..200.
    Result insertBlankRow(int row);
    Result removeBlankRow(int row);
    // Sets a divider on an empty row, or resets a divider row to an empty one.
    Result toggleDivider(int row);
    // Remembers the row to relocate; marking the marked row again forgets it.
    Result markRow(int row);
    // Moves the marked row to `row` and forgets the mark.
    Result relocateTo(int row);
    Result sort(RowRules::SortKey key);

    // The marked row, 0 when none.
    int markedRow() const { return m_marked; }
    // The rows were put back or another schedule is shown.
    void clearMark() { m_marked = 0; }

    // A name or position typed in place for `row`: trimmed and cut to the
    // field's width, then written at once. Changed tells the window to redraw
    // the row (and, for a name, recount the coverage).
    enum class Stored { Same, Changed, NotWritten };
    Stored storeName(int row, const QString& text);
    Stored storePosition(int row, const QString& text);

private:
    Result done(bool written) const { return written ? Result::Done : Result::NotWritten; }
    Result moveRow(const QString& undoCaption, int from, int to);
    Stored storeText(QString& field, const QString& text, int width);

    ProgramState& m_state;
    Platform& m_platform;
    UndoStep& m_undo;
    QWidget* m_parent;
    Hooks m_hooks;
    int m_marked = 0;
};

} // namespace kalmur
