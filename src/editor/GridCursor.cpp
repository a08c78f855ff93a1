#include "GridCursor.h"

#include <algorithm>

namespace kalmur {

int GridCursor::maxTop() const {
    return std::max(0, kRows - m_visibleRows);
}

void GridCursor::home() {
    m_topRow = 0;
    m_cursorRow = 1;
    m_first = m_last = m_cursorColumn = 1;
}

void GridCursor::fit(int rows, int columns) {
    m_visibleRows = std::max(1, rows);
    m_columns = std::max(1, columns);
    m_topRow = std::clamp(m_topRow, 0, maxTop());
    m_cursorRow = std::clamp(m_cursorRow, 1, m_visibleRows);
    m_first = std::clamp(m_first, 1, m_columns);
    m_last = std::clamp(m_last, m_first, m_columns);
    m_cursorColumn = std::clamp(m_cursorColumn, m_first, m_last);
}

void GridCursor::setColumns(int columns) {
    m_columns = std::max(1, columns);
}

GridCursor::Change GridCursor::select(Select mode, int column, int row) {
    Change change;
    change.before = span();
    switch (mode) {
    case Select::First:
    case Select::Single:
        m_cursorRow = std::clamp(row, 1, m_visibleRows);
        m_first = m_last = m_cursorColumn = std::clamp(column, 1, m_columns);
        break;
    case Select::Extend:
        if (column >= m_first) {
            m_last = m_cursorColumn = std::min(column, m_columns);
        }
        break;
    case Select::Again:
        break;
    }
    change.after = span();
    return change;
}

int GridCursor::scrollTo(int top) {
    top = std::clamp(top, 0, maxTop());
    const int delta = top - m_topRow;
    m_topRow = top;
    return delta;
}

int GridCursor::topShowing(int row) const {
    return std::min(row - 1, maxTop());
}

GridCursor::Move GridCursor::keyMove(GridKey key, bool extend) {
    switch (key) {
    case GridKey::Right:
        return moveRight(extend);
    case GridKey::Left:
        return moveLeft(extend);
    case GridKey::Down:
        return moveRow(1);
    case GridKey::Up:
        return moveRow(-1);
    case GridKey::Home:
        return Move::pick(Select::Single, 1);
    case GridKey::End:
        if (extend && m_cursorColumn < m_columns) {
            return Move::pick(Select::Extend, kLastColumn);
        }
        return Move::pick(Select::Single, kLastColumn);
    case GridKey::PageDown:
        return Move::scroll(m_topRow + m_visibleRows);
    case GridKey::PageUp:
        return Move::scroll(m_topRow - m_visibleRows);
    default:
        return {};
    }
}

GridCursor::Move GridCursor::moveRight(bool extend) {
    if (!extend && m_first != m_last) {
        m_first = m_cursorColumn = m_last; // collapse to the last day
    }
    const int column = (extend ? m_last : m_cursorColumn) + 1;
    if (column > m_columns) {
        if (extend) {
            return {};
        }
        return Move::stepThenPick(1, kLastColumn);
    }
    if (extend) {
        return Move::pick(Select::Extend, column);
    }
    return Move::pick(Select::Single, column);
}

GridCursor::Move GridCursor::moveLeft(bool extend) {
    if (extend && m_first == m_last) {
        return {};
    }
    if (!extend && m_first != m_last) {
        m_last = m_cursorColumn = m_first; // collapse to the first day
    }
    const int column = (extend ? m_last : m_cursorColumn) - 1;
    if (column < 1) {
        if (extend) {
            return {};
        }
        return Move::stepThenPick(-1, 1);
    }
    if (extend) {
        // The selection shrinks from its right end.
        m_last = m_cursorColumn = column;
        return Move::pick(Select::Again, 0);
    }
    return Move::pick(Select::Single, column);
}

GridCursor::Move GridCursor::moveRow(int delta) {
    const int row = m_cursorRow + delta;
    if (row < 1 || row > m_visibleRows) {
        return Move::scrollThenPick(m_topRow + delta, m_first);
    }
    return Move::pick(Select::Single, m_first, row);
}

} // namespace kalmur
