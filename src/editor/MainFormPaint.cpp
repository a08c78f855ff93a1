// Drawing the main window's areas into their off-screen copies.
#include "MainForm.h"

#include "CoverageTotals.h"
#include "CurrentCell.h"
#include "GridTiles.h"
#include "PaintArea.h"
#include "files/ProgramState.h"
#include "model/patterns/NumberPattern.h"
#include "view/CellText.h"
#include "view/GridPainter.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>

namespace kalmur {

QRect MainForm::cellRect(int row, int column) const {
    return QRect((column - 1) * m_metrics.cellWidth, (row - 1) * m_metrics.cellHeight,
                 m_metrics.cellWidth, m_metrics.cellHeight);
}

void MainForm::repaintAll() {
    m_ruler->resetBack(QColor(246, 246, 246));
    m_names->resetBack(GridPainter::background());
    m_positions->resetBack(GridPainter::background());
    m_grid->resetBack(QColor(236, 236, 236));
    paintRuler(1, columns());
    paintRows(1, m_cursor.visibleRows() + 1);
    if (m_coverage->isVisible()) {
        m_coverage->resetBack(QColor(250, 250, 240));
        m_coverageDesc->resetBack(QColor(250, 250, 240));
        paintCoverageCaptions();
        paintCoverage(1, columns());
    }
    highlightSelection();
    refreshCurrentCell();
}

void MainForm::paintRuler(int fromColumn, int toColumn) {
    QPainter p(&m_ruler->back());
    const GridPainter painter(m_metrics);
    const Schedule& s = m_state.schedule();
    TileCache& tiles = m_ruler->tiles();
    tiles.useStyle(GridTiles::style(m_metrics));
    for (int k = fromColumn; k <= toColumn; ++k) {
        const QRect r((k - 1) * m_metrics.cellWidth, 0, m_metrics.cellWidth, m_ruler->height());
        QString weekday;
        QString label;
        bool weekend = false;
        if (m_state.isOpen()) {
            const QDate date = s.dateOfDay(s.window().dayNumber(k));
            weekday = m_layout->weekdayLabel(date);
            label = m_layout->dateLabel(date);
            weekend = date.dayOfWeek() >= 6;
        }
        tiles.draw(p, r, GridTiles::text(weekend, weekday, label),
                   [&](QPainter& q, const QRect& at) {
                       painter.paintRulerDay(q, at, weekday, label, weekend);
                   });
    }
    m_ruler->present();
    if (m_state.isOpen() && s.windowLength() > 0) {
        m_dateDisplay->setText(
            visibleDatesText(s.dateOfDay(s.window().dayNumber(1)),
                             s.dateOfDay(s.window().dayNumber(s.windowLength()))));
    } else {
        m_dateDisplay->clear();
    }
}

void MainForm::paintRows(int fromRow, int toRow) {
    QPainter names(&m_names->back());
    QPainter positions(&m_positions->back());
    const GridPainter painter(m_metrics);
    const EmployeeTable& e = m_state.schedule().employees();
    const QByteArray style = GridTiles::style(m_metrics);
    m_names->tiles().useStyle(style);
    m_positions->tiles().useStyle(style);
    auto label = [&painter](PaintArea* area, QPainter& p, const QRect& rect, const QString& text,
                            bool divider, bool marked) {
        area->tiles().draw(p, rect, GridTiles::text(int(divider) | int(marked) << 1, text),
                           [&](QPainter& q, const QRect& at) {
                               painter.paintRowLabel(q, at, text, divider, marked);
                           });
    };
    for (int r = fromRow; r <= toRow; ++r) {
        const int row = displayRow(r);
        if (row < 1 || row > EmployeeTable::kRows) {
            continue;
        }
        const QString name =
            m_state.isOpen() ? e.names[static_cast<std::size_t>(row - 1)] : QString();
        const bool divider = isDivider(row);
        const bool marked = m_state.isOpen() && row == m_rows->markedRow();
        const int y = (r - 1) * m_metrics.cellHeight;
        const QString position =
            m_state.isOpen() ? e.positions[static_cast<std::size_t>(row - 1)] : QString();
        label(m_names, names, QRect(0, y, m_names->width(), m_metrics.cellHeight),
              CellText::nameLabel(name, divider), divider, marked);
        label(m_positions, positions, QRect(0, y, m_positions->width(), m_metrics.cellHeight),
              CellText::positionLabel(position, divider), divider, marked);
    }
    m_names->present();
    m_positions->present();
    paintCells(fromRow, toRow, 1, columns());
}

void MainForm::paintCells(int fromRow, int toRow, int fromColumn, int toColumn) {
    if (!m_state.isOpen()) {
        m_grid->present();
        return;
    }
    QPainter p(&m_grid->back());
    const GridPainter painter(m_metrics);
    const Schedule& s = m_state.schedule();
    const CellText text(s, s.viewFormat(), *m_layout);
    TileCache& tiles = m_grid->tiles();
    tiles.useStyle(GridTiles::style(m_metrics));
    for (int r = fromRow; r <= toRow; ++r) {
        const int row = displayRow(r);
        if (row < 1 || row > EmployeeTable::kRows) {
            continue;
        }
        const bool divider = isDivider(row);
        const int slot = s.slotOfRow(row);
        for (int k = fromColumn; k <= toColumn; ++k) {
            const CellContent content =
                divider ? CellText::divider() : text.content(s.cell(slot, k));
            tiles.draw(p, cellRect(r, k), GridTiles::cell(content),
                       [&](QPainter& q, const QRect& at) { painter.paintCell(q, at, content); });
        }
    }
    m_grid->present();
}

void MainForm::paintCoverageCaptions() {
    QPainter captions(&m_coverageDesc->back());
    const GridPainter painter(m_metrics);
    const int height = m_metrics.lineHeight + 2;
    const auto& lines = m_state.schedule().viewFormat().coverageLines;
    for (int l = 0; l < coverageLines(); ++l) {
        painter.paintCoverageText(captions, QRect(0, l * height, m_coverageDesc->width(), height),
                                  lines[static_cast<std::size_t>(l)].title.trimmed(),
                                  Qt::AlignLeft);
    }
    m_coverageDesc->present();
}

void MainForm::paintCoverage(int fromColumn, int toColumn) {
    const int lines = coverageLines();
    if (lines == 0 || fromColumn > toColumn) {
        return;
    }
    QPainter totals(&m_coverage->back());
    const GridPainter painter(m_metrics);
    const auto counts = CoverageTotals::count(m_state.schedule(), lines, fromColumn, toColumn);
    const int height = m_metrics.lineHeight + 2;
    TileCache& tiles = m_coverage->tiles();
    tiles.useStyle(GridTiles::style(m_metrics));
    for (int l = 0; l < lines; ++l) {
        for (int k = fromColumn; k <= toColumn; ++k) {
            const int total =
                counts[static_cast<std::size_t>(l)][static_cast<std::size_t>(k - fromColumn)];
            const QString shown = CellText::totalText(total);
            tiles.draw(
                totals,
                QRect((k - 1) * m_metrics.cellWidth, l * height, m_metrics.cellWidth, height),
                GridTiles::text(Qt::AlignHCenter, shown), [&](QPainter& q, const QRect& at) {
                    painter.paintCoverageText(q, at, shown, Qt::AlignHCenter);
                });
        }
    }
    m_coverage->present();
}

void MainForm::highlightSelection() {
    if (!m_state.isOpen()) {
        m_grid->setInverted(QRect());
        return;
    }
    const GridCursor::Span span = m_cursor.span();
    const QRect first = cellRect(span.row, span.first);
    const QRect last = cellRect(span.row, span.last);
    m_grid->setInverted(first.united(last).adjusted(1, 1, -1, -1));
}

void MainForm::refreshCurrentCell() {
    if (!m_state.isOpen()) {
        for (QLabel* l : {m_shiftDesc, m_shiftHours, m_dateOn, m_empRow, m_daysTagged}) {
            l->clear();
        }
        return;
    }
    const Schedule& s = m_state.schedule();
    const int row = m_cursor.displayRow();
    const int selFirst = m_cursor.selectionFirst();
    const int selLast = m_cursor.selectionLast();
    m_empRow->setText(formatNumber(row, u"###"));
    m_dateOn->setText(dateOnText(s.dateOfDay(s.window().dayNumber(selFirst))));
    m_daysTagged->setText(QString::number(selLast - selFirst + 1));
    const bool divider = isDivider(row);
    m_notePad->setEnabled(!divider);
    m_explanations->setEnabled(!divider);
    m_shiftSelector->setEnabled(!divider);
    if (divider) {
        m_shiftDesc->clear();
        m_shiftHours->clear();
        m_notePad->clear();
        return;
    }
    const int slot = s.slotOfRow(row);
    const CurrentCellText info =
        currentCellText(s, slot, selFirst, selLast, m_layout->editTimeFormat());
    m_shiftDesc->setText(info.shiftDescription);
    m_shiftHours->setText(info.shiftHours);
    const Cell cell = s.cell(slot, selFirst);
    if (!m_notePad->hasFocus()) {
        m_notePad->setText(cell.note > 0 ? s.readNote(cell.note) : QString());
        m_notePad->home(false); // a long note is read from its start
    }
    const int explanation = cell.shownExplanation();
    for (int i = 0; i < m_explanations->count(); ++i) {
        if (m_explanations->item(i)->data(Qt::UserRole).toInt() == explanation) {
            m_explanations->setCurrentRow(i);
            m_explanationShown = i;
        }
    }
}

} // namespace kalmur
