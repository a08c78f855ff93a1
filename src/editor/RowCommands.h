#pragma once

#include "UndoStep.h"
#include "files/ProgramState.h"
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

    RowCommands(ProgramState& state, Platform& platform, UndoStep& undo, QWidget* parent,
                Hooks hooks);

    // Runs one row command: saves the rows for undo under `undoCaption`, lets
    // `change` reorder the row order and the employee table, writes the table
    // to its file, then repaints the rows and recounts the coverage. When the
    // file does not take the table the rows are put back and the failure is
    // reported; false then.
    bool run(const QString& undoCaption, const std::function<void(Schedule&)>& change);

private:
    ProgramState& m_state;
    Platform& m_platform;
    UndoStep& m_undo;
    QWidget* m_parent;
    Hooks m_hooks;
};

} // namespace kalmur
