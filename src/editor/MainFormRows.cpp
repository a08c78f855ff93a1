// The row items of the Edit and View menus and the in-place editors of a row's
// name and position.
#include "MainForm.h"

#include "PaintArea.h"
#include "files/ProgramState.h"

#include <QAction>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>

namespace kalmur {

void MainForm::createRowItems() {
    auto item = [this](const char* name, const QString& caption, bool enabled, auto command) {
        QAction* a = addItem(m_editMenu, name, caption, {}, enabled);
        connect(a, &QAction::triggered, this, [this, command] {
            closeEditors();
            rowCommand(command());
        });
        return a;
    };
    m_insertLine = item("Edit_InsertLine", tr("&Insert blank row"), true,
                        [this] { return m_rows->insertBlankRow(m_cursor.displayRow()); });
    m_removeLine = item("Edit_RemoveLine", tr("Remo&ve blank row"), true,
                        [this] { return m_rows->removeBlankRow(m_cursor.displayRow()); });
    m_divider = item("Edit_Divider", tr("Set &Divider"), true, [this] {
        BusyCursor busy(m_platform);
        return m_rows->toggleDivider(m_cursor.displayRow());
    });
    m_markName = item("Edit_MarkName", tr("&Mark name to relocate"), true,
                      [this] { return m_rows->markRow(m_cursor.displayRow()); });
    m_moveName = item("Edit_MoveName", tr("&Relocate name"), false,
                      [this] { return m_rows->relocateTo(m_cursor.displayRow()); });
    connect(m_editMenu, &QMenu::aboutToShow, this, [this] { updateEditMenu(); });
}

// The row items depend on the cursor row and the mark, so they are worked out
// each time the menu opens.
void MainForm::updateEditMenu() {
    const RowCommands::MenuState state = m_rows->menuState(m_cursor.displayRow());
    m_moveName->setEnabled(state.relocate);
    m_markName->setEnabled(state.mark);
    m_insertLine->setEnabled(state.insert);
    m_removeLine->setEnabled(state.remove);
    m_divider->setEnabled(state.divider && !m_notePad->hasFocus());
    m_divider->setText(state.resetDivider ? tr("Reset &Divider") : tr("Set &Divider"));
}

void MainForm::rowCommand(RowCommands::Result result) {
    if (result == RowCommands::Result::Refused) {
        m_platform.beep();
    }
}

void MainForm::sortRows(RowRules::SortKey key) {
    closeEditors();
    BusyCursor busy(m_platform);
    rowCommand(m_rows->sort(key));
}

// --- the in-place editors -------------------------------------------------------

void MainForm::namePressed(QPoint position) {
    if (!m_state.isOpen() || position.y() < 0) {
        return;
    }
    const int screenRow = position.y() / m_metrics.cellHeight + 1;
    const int row = displayRow(screenRow);
    if (screenRow > m_cursor.visibleRows() || row > EmployeeTable::kRows) {
        return;
    }
    closeEditors();
    const EmployeeTable& e = m_state.schedule().employees();
    const std::size_t i = static_cast<std::size_t>(row - 1);
    const int y = m_names->y() + (screenRow - 1) * m_metrics.cellHeight;
    m_empText->setGeometry(m_names->x(), y, m_names->width(), m_metrics.cellHeight);
    m_empText->setText(e.names[i].trimmed());
    m_empText2->setGeometry(m_positions->x(), y, m_positions->width(), m_metrics.cellHeight);
    m_empText2->setText(e.positions[i].trimmed());
    m_editRow = row;
    m_empText->show();
    m_empText->raise();
    if (m_positions->isVisible()) {
        m_empText2->show();
        m_empText2->raise();
    }
    m_empText->setFocus(Qt::MouseFocusReason);
    m_empText->selectAll();
}

void MainForm::storeEditor(QLineEdit* editor) {
    if (m_editRow == 0 || !editor->isVisible()) {
        return;
    }
    const bool name = editor == m_empText;
    const RowCommands::Stored stored = name ? m_rows->storeName(m_editRow, editor->text())
                                            : m_rows->storePosition(m_editRow, editor->text());
    if (stored == RowCommands::Stored::Same) {
        return;
    }
    const int screenRow = m_editRow - m_cursor.topRow();
    if (screenRow >= 1 && screenRow <= m_cursor.visibleRows() + 1) {
        paintRows(screenRow, screenRow); // a name may have made or unmade a divider
        highlightSelection();
        refreshCurrentCell();
    }
    // A line may count by position as well as by name: either change recounts.
    BusyCursor busy(m_platform);
    paintCoverage(1, columns());
}

void MainForm::closeEditors() {
    if (m_editRow == 0) {
        return;
    }
    storeEditor(m_empText);
    storeEditor(m_empText2);
    m_editRow = 0;
    if (m_empText->hasFocus() || m_empText2->hasFocus()) {
        m_grid->setFocus(); // before hiding, so the focus goes nowhere else
    }
    m_empText->hide();
    m_empText2->hide();
    m_editMenu->setEnabled(m_state.isOpen());
}

bool MainForm::editorEvent(QLineEdit* editor, QEvent* event) {
    switch (event->type()) {
    case QEvent::FocusIn:
        // The Edit menu's commands act on the grid, not on the text typed here.
        m_editMenu->setEnabled(false);
        editor->selectAll();
        return false;
    case QEvent::FocusOut: {
        storeEditor(editor);
        const QWidget* next = focusWidget();
        if (m_editRow != 0 && next != m_empText && next != m_empText2) {
            closeEditors();
        }
        return false;
    }
    case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Tab && editor == m_empText && m_empText2->isVisible()) {
            m_empText2->setFocus(Qt::TabFocusReason);
            return true;
        }
        if (key == Qt::Key_Backtab && editor == m_empText2) {
            m_empText->setFocus(Qt::BacktabFocusReason);
            return true;
        }
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            closeEditors();
            return true;
        }
        return false;
    }
    default:
        return false;
    }
}

} // namespace kalmur
