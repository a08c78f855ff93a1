// Moving through days and rows: cursor keys, one-day steps, the row scroll
// bar, the page changer and find name.
#include "MainForm.h"

#include "PaintArea.h"
#include "files/ProgramState.h"

#include <QScrollBar>

namespace kalmur {

void MainForm::applyMove(const GridCursor::Move& move) {
    if (move.dayStep != 0) {
        stepDays(move.dayStep);
    }
    if (move.scrollTop) {
        scrollRows(*move.scrollTop);
    }
    if (move.select) {
        select(*move.select, move.column, move.row != 0 ? move.row : m_cursor.cursorRow());
    }
}

// --- days -------------------------------------------------------------------------

void MainForm::stepDays(int direction) {
    if (!m_state.isOpen()) {
        return;
    }
    Schedule& s = m_state.schedule();
    const DayWindow::Move moved = direction > 0 ? s.moveLater() : s.moveEarlier();
    if (moved == DayWindow::Move::AtEdge) {
        m_platform.beep();
        outOfRange();
        return;
    }
    if (moved == DayWindow::Move::Failed) {
        m_platform.beep();
        return;
    }
    // The drawn days move by one column; only the day that came in is drawn.
    const int width = m_metrics.cellWidth;
    const int days = columns();
    const int dx = -direction * width;
    const QRect gridArea(0, 0, days * width, m_grid->height());
    m_grid->scrollBack(dx, 0, gridArea);
    m_ruler->scrollBack(dx, 0, QRect(0, 0, days * width, m_ruler->height()));
    const int column = direction > 0 ? days : 1;
    paintRuler(column, column);
    paintCells(1, m_cursor.visibleRows() + 1, column, column);
    if (m_coverage->isVisible()) {
        m_coverage->scrollBack(dx, 0, QRect(0, 0, days * width, m_coverage->height()));
        paintCoverage(column, column);
    }
    // The selection keeps its screen columns.
    m_cursor.cursorToFirst();
    select(Select::Again);
}

void MainForm::outOfRange() {
    const MessageAnswer answer = m_platform.message(
        this,
        MessageRequest{QStringLiteral("The requested date is not in this schedule file.  Do "
                                      "you wish to add additional days to this schedule file?"),
                       QStringLiteral("Requested date OUT OF RANGE"), MessageIcon::Question,
                       MessageButtons::YesNo, MessageAnswer::No});
    if (answer == MessageAnswer::Yes) {
        m_files->properties();
        layoutView();
    }
}

void MainForm::showDaysFrom(int first) {
    Schedule& s = m_state.schedule();
    if (!s.isOpen()) {
        return;
    }
    s.loadWindow(first);
    m_ruler->resetBack(QColor(246, 246, 246));
    paintRuler(1, columns());
    paintCells(1, m_cursor.visibleRows() + 1, 1, columns());
    if (m_coverage->isVisible()) {
        paintCoverage(1, columns());
    }
    m_cursor.cursorToFirst();
    select(Select::Again);
}

void MainForm::openPager() {
    if (!m_state.isOpen()) {
        return;
    }
    const Schedule& s = m_state.schedule();
    PagerRules rules{s.startDate(), s.endDate(), s.settings().weekStart, s.windowLength()};
    if (const auto date = m_dialogs.changePage(this, rules, s.dateOfDay(s.firstShownDay() + 1))) {
        showDaysFrom(static_cast<int>(s.startDate().daysTo(*date)));
    }
    m_grid->setFocus();
}

// --- rows -------------------------------------------------------------------------

void MainForm::scrollRows(int top) {
    if (top != m_cursor.topRow()) {
        closeEditors(); // a name being edited is stored before its row moves
    }
    const int delta = m_cursor.scrollTo(top);
    if (delta == 0) {
        return;
    }
    top = m_cursor.topRow();
    if (m_rowScroll->value() != top) {
        m_rowScroll->blockSignals(true);
        m_rowScroll->setValue(top);
        m_rowScroll->blockSignals(false);
    }
    const int rows = m_cursor.visibleRows();
    if (std::abs(delta) == 1) {
        // One row: the drawn rows move by one row height; only the row that
        // came into view is drawn.
        const int dy = -delta * m_metrics.cellHeight;
        const int height = rows * m_metrics.cellHeight + m_metrics.cellHeight;
        for (PaintArea* area : {m_names, m_positions, m_grid}) {
            area->scrollBack(0, dy, QRect(0, 0, area->width(), height));
        }
        const int row = delta > 0 ? rows : 1;
        paintRows(row, delta > 0 ? rows + 1 : 1);
    } else {
        paintRows(1, rows + 1);
    }
    highlightSelection();
    refreshCurrentCell();
}

void MainForm::goToRow(int row) {
    if (row < 1 || row > EmployeeTable::kRows) {
        return;
    }
    scrollRows(m_cursor.topShowing(row));
    select(Select::Single, m_cursor.cursorColumn(), row - m_cursor.topRow());
}

void MainForm::openFindName() {
    if (!m_state.isOpen()) {
        return;
    }
    QList<FindNameEntry> rows;
    const EmployeeTable& e = m_state.schedule().employees();
    for (int r = 1; r <= EmployeeTable::kRows; ++r) {
        if (e.isNamed(r)) {
            rows.append({e.names[static_cast<std::size_t>(r - 1)].trimmed(), r});
        }
    }
    if (const auto row = m_dialogs.findName(this, rows)) {
        goToRow(*row);
    }
    m_grid->setFocus();
}

void MainForm::coverageCaptionClicked(QPoint position) {
    const int line = position.y() / (m_metrics.lineHeight + 2) + 1;
    if (position.y() < 0 || line > coverageLines() ||
        !m_dialogs.editCoverageLine(this, m_state, line)) {
        return;
    }
    paintCoverageCaptions();
    paintCoverage(1, columns());
}

} // namespace kalmur
