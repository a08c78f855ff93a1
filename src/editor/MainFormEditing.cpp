// The selection, the keys and mouse in the grid, the editing commands, the
// shift and explanation lists and the note box.
#include "MainForm.h"

#include "KeyCodes.h"
#include "PaintArea.h"
#include "files/ProgramState.h"
#include "platform/WriteFailure.h"

#include <QAction>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QToolButton>

namespace kalmur {

// --- the selection operation ---------------------------------------------------

void MainForm::select(Select mode, int column, int row) {
    if (!m_state.isOpen()) {
        return;
    }
    const GridCursor::Change change = syncedCursor().select(mode, column, row);
    if (change.highlightMoved() || mode == Select::Again) {
        highlightSelection();
    }
    refreshCurrentCell();
    m_edit.resetUndo();
    showUndo();
}

GridCursor& MainForm::syncedCursor() {
    m_cursor.setColumns(columns());
    return m_cursor;
}

void MainForm::showUndo() {
    m_undo->setText(m_edit.undoStep().caption());
    m_undo->setEnabled(m_edit.canUndo());
}

// --- commands -------------------------------------------------------------------

void MainForm::redrawDays(int firstDay, int lastDay) {
    const Schedule& s = m_state.schedule();
    const int from = std::max(1, firstDay - s.firstShownDay());
    const int to = std::min(columns(), lastDay - s.firstShownDay());
    if (from > to) {
        return;
    }
    paintCells(m_cursor.cursorRow(), m_cursor.cursorRow(), from, to);
    BusyCursor busy(m_platform);
    paintCoverage(from, to);
}

void MainForm::runCommand(const EditOutcome& outcome) {
    if (outcome.refused) {
        m_platform.beep();
        return;
    }
    if (!outcome.changed) {
        return;
    }
    redrawDays(outcome.firstDay, outcome.lastDay);
    // The selection is shown again; what can be undone now is this command.
    highlightSelection();
    refreshCurrentCell();
    showUndo();
}

void MainForm::commandAssign() {
    runCommand(m_edit.assignShift(editSelection(), m_chosenShift));
}

void MainForm::commandCopy() {
    if (m_edit.copy(editSelection())) {
        m_paste->setEnabled(true);
        m_selPaste->setEnabled(true);
    } else {
        m_platform.beep();
    }
}

void MainForm::commandPaste() {
    runCommand(m_edit.paste(editSelection()));
}

PasteOptions MainForm::pasteOptions() {
    Schedule& s = m_state.schedule();
    if (PasteOptions::prepare(s.settings())) {
        s.setModified();
    }
    return PasteOptions::fromFlags(s.settings().pasteOptions);
}

void MainForm::storePasteOptions(const PasteOptions& options) {
    Schedule& s = m_state.schedule();
    if (s.settings().pasteOptions != options.flags()) {
        s.settings().pasteOptions = options.flags();
        s.setModified();
        m_state.settingsChanged = true;
    }
}

void MainForm::commandSelectivePaste() {
    if (!m_state.isOpen() || !m_edit.hasClipboard()) {
        return;
    }
    const auto chosen = m_dialogs.selectivePaste(this, pasteOptions());
    if (!chosen) {
        return;
    }
    storePasteOptions(*chosen);
    // The paste starts on the selection's first day.
    m_cursor.cursorToFirst();
    select(Select::Again);
    runCommand(m_edit.pasteSelective(editSelection(), *chosen));
}

void MainForm::commandCopyMultiple() {
    if (!m_state.isOpen()) {
        return;
    }
    Schedule& s = m_state.schedule();
    CopyMultipleSetup setup;
    setup.options = pasteOptions();
    setup.names = CopyMultiple::names(s.employees());
    setup.fileStart = s.startDate();
    setup.fileEnd = s.endDate();
    setup.start = CopyMultiple::openingStart(s.dateOfDay(editSelection().firstDay), setup.fileStart,
                                             setup.fileEnd);
    setup.days = m_cursor.selectionLast() - m_cursor.selectionFirst() + 1;
    const auto job = m_dialogs.copyMultiple(this, setup);
    if (!job) {
        return;
    }
    storePasteOptions(job->options);
    bool ok = false;
    {
        BusyCursor busy(m_platform);
        ok = CopyMultiple::run(s, *job).ok;
    }
    if (!ok) {
        warnNotWritten(m_platform, this, QStringLiteral("The copies"), s.errorString());
    }
    // The copies are in the day file and the window: nothing to undo.
    fillShiftSelector();
    repaintAll();
    select(Select::Again);
}

void MainForm::commandUndo() {
    const EditOutcome outcome = m_edit.undo();
    if (!outcome.changed) {
        return;
    }
    if (outcome.allRows) {
        // The rows were put back: every row and every total may differ, and
        // a marked row may hold another employee.
        m_rows->clearMark();
        paintRows(1, m_cursor.visibleRows() + 1);
        paintCoverage(1, columns());
        highlightSelection();
        if (outcome.writeFailed) {
            warnNotWritten(m_platform, this, QStringLiteral("The employee list"),
                           m_state.schedule().errorString());
        }
    } else {
        redrawDays(outcome.firstDay, outcome.lastDay);
    }
    refreshCurrentCell();
    showUndo();
}

// --- keys and mouse in the grid -----------------------------------------------

void MainForm::gridKey(QKeyEvent* event) {
    if (!m_state.isOpen()) {
        return;
    }
    const Qt::KeyboardModifiers mods = event->modifiers();
    if ((mods & (Qt::ControlModifier | Qt::AltModifier)) && !(mods & Qt::ShiftModifier)) {
        return; // left to the menu shortcuts
    }
    const bool shift = mods & Qt::ShiftModifier;
    const int code = gridKeyCode(*event);
    if (code == 0) {
        return;
    }
    event->accept();
    const GridKey key = gridKeyName(code);
    // The edit step, then the movement: an edit of one day moves on to the next.
    const KeyEdit edit = m_edit.typed(editSelection(), key, m_keys.entry(code, shift));
    runCommand(edit.outcome);
    applyMove(syncedCursor().keyMove(edit.advance ? GridKey::Right : key, shift && !edit.advance));
}

void MainForm::gridPressed(QPoint position) {
    if (!m_state.isOpen()) {
        return;
    }
    m_grid->setFocus();
    const int column = position.x() / m_metrics.cellWidth + 1;
    const int row = position.y() / m_metrics.cellHeight + 1;
    if (column > columns() || row > m_cursor.visibleRows()) {
        return; // right of the last day column
    }
    select(Select::Single, column, row);
    m_dragging = true;
}

void MainForm::gridDragged(QPoint position) {
    if (!m_dragging || !m_state.isOpen()) {
        return;
    }
    const int column = std::clamp(position.x() / m_metrics.cellWidth + 1, 1, columns());
    if (column != m_cursor.selectionLast()) {
        select(Select::Extend, column);
    }
}

// --- the explanation list and the shift selector --------------------------------

void MainForm::explanationChosen(int number) {
    runCommand(m_edit.setExplanation(editSelection(), number));
    m_browsingExplanations = false;
    m_grid->setFocus();
}

bool MainForm::explanationsKey(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (QListWidgetItem* item = m_explanations->currentItem()) {
            explanationChosen(item->data(Qt::UserRole).toInt());
        }
        return true;
    case Qt::Key_Escape:
        m_explanations->setCurrentRow(m_explanationShown);
        m_browsingExplanations = false;
        m_grid->setFocus();
        return true;
    default:
        m_browsingExplanations = true; // browsing applies nothing until Enter
        return false;
    }
}

bool MainForm::shiftSelectorKey(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        m_browsingShifts = false;
        m_chosenShift = m_shiftSelector->currentData().toInt();
        paintCoverage(1, columns());
        m_grid->setFocus();
        return true;
    }
    if (key == Qt::Key_Escape) {
        m_browsingShifts = false;
        m_shiftSelector->setCurrentIndex(std::max(0, m_shiftSelector->findData(m_chosenShift)));
        m_platform.beep();
        m_grid->setFocus();
        return true;
    }
    const QString text = event->text();
    if (text.size() == 1 && text[0].isLetterOrNumber()) {
        int matches = 0;
        int match = -1;
        for (int i = 0; i < m_shiftSelector->count(); ++i) {
            if (m_shiftSelector->itemText(i).startsWith(text, Qt::CaseInsensitive)) {
                ++matches;
                match = match < 0 ? i : match;
            }
        }
        if (matches == 1) {
            // One entry starts with the letter: it is chosen at once.
            m_shiftSelector->setCurrentIndex(match);
            m_chosenShift = m_shiftSelector->itemData(match).toInt();
            m_browsingShifts = false;
            return true;
        }
    }
    m_browsingShifts = true;
    return false;
}

// --- the note box -----------------------------------------------------------------

void MainForm::noteFocused() {
    m_noteBefore = m_notePad->text();
    m_noteCheck->setEnabled(true);
    m_noteX->setEnabled(true);
    m_editMenu->setEnabled(false);
}

void MainForm::noteCommit() {
    runCommand(m_edit.setNote(editSelection(), m_notePad->text().left(60)));
    m_noteBefore = m_notePad->text();
    m_grid->setFocus();
}

void MainForm::noteDiscard() {
    m_notePad->setText(m_noteBefore);
    m_grid->setFocus();
}

void MainForm::noteLeft() {
    m_notePad->home(false);
    m_noteCheck->setEnabled(false);
    m_noteX->setEnabled(false);
    m_editMenu->setEnabled(m_state.isOpen());
}

} // namespace kalmur
