#pragma once

#include "KeyCodes.h"

#include <limits>
#include <optional>

namespace kalmur {

// The grid's cursor and selection without the window: how many rows and day
// columns are visible, which display row is at the top, the cursor row, and
// the run of selected day columns in it with the cursor column inside. Rows
// and columns on screen count from 1; display rows are top row + screen row.
class GridCursor {
public:
    // The selection operation: First selects (column, row) without removing an
    // old highlight, Single selects it, Extend grows or shrinks the cursor row's
    // selection to end at `column` (the first day is the anchor; a column left
    // of it is ignored), Again leaves the selection as it is and shows it again.
    enum class Select { First = 0, Single = 1, Extend = 2, Again = 3 };

    // The cursor row and its selected columns.
    struct Span {
        int row = 1;
        int first = 1;
        int last = 1;
        bool operator==(const Span&) const = default;
    };
    // What a selection operation did: the highlight was `before` and is `after`.
    struct Change {
        Span before;
        Span after;
        bool highlightMoved() const { return before != after; }
    };

    // A column past the last one stands for the last visible column.
    static constexpr int kLastColumn = std::numeric_limits<int>::max();

    // What a cursor key asks of the window, in this order: move the days by one
    // (the window may refuse and ask to add days), scroll the rows, then run the
    // selection operation. A row of 0 means the cursor row at that time.
    struct Move {
        int dayStep = 0;
        std::optional<int> scrollTop;
        std::optional<Select> select;
        int column = 0;
        int row = 0;
        bool operator==(const Move&) const = default;

        static Move pick(Select mode, int column, int row = 0) {
            return {0, std::nullopt, mode, column, row};
        }
        static Move stepThenPick(int dayStep, int column) {
            return {dayStep, std::nullopt, Select::Single, column, 0};
        }
        static Move scroll(int top) { return {0, top, std::nullopt, 0, 0}; }
        static Move scrollThenPick(int top, int column) {
            return {0, top, Select::Single, column, 0};
        }
    };

    static constexpr int kRows = 200;

    int visibleRows() const { return m_visibleRows; }
    int columns() const { return m_columns; }
    int topRow() const { return m_topRow; }
    int cursorRow() const { return m_cursorRow; }
    int selectionFirst() const { return m_first; }
    int selectionLast() const { return m_last; }
    int cursorColumn() const { return m_cursorColumn; }
    int displayRow() const { return m_topRow + m_cursorRow; }
    bool singleDay() const { return m_first == m_last; }
    Span span() const { return {m_cursorRow, m_first, m_last}; }
    // The highest top row that still fills the visible rows.
    int maxTop() const;

    // Back to the first row and day of a schedule just shown.
    void home();
    // A new layout: `rows` rows and `columns` day columns fit; the top row,
    // the cursor and the selection are pulled inside.
    void fit(int rows, int columns);
    // The number of day columns the selection may reach, without pulling the
    // selection in (the window's length as the schedule has it now).
    void setColumns(int columns);

    Change select(Select mode, int column = 0, int row = 0);
    // The cursor column goes back to the selection's first day, which keeps its
    // screen column while the days move under it.
    void cursorToFirst() { m_cursorColumn = m_first; }
    // Scrolls so that `top` (pulled inside) is the top row; returns by how many
    // rows the top moved.
    int scrollTo(int top);
    // The top row that shows display row `row` as high as the rows allow.
    int topShowing(int row) const;

    // What a cursor key does. Right and Left first collapse a selection of
    // several days to its last or first day unless `extend`; past the edge
    // they step the days. Up and Down scroll at the edge, Page Up and Page Down
    // scroll by the visible rows, Home and End select the first or last column
    // (End with `extend` extends to it). Other keys ask for nothing.
    Move keyMove(GridKey key, bool extend);

private:
    Move moveRight(bool extend);
    Move moveLeft(bool extend);
    Move moveRow(int delta);

    int m_visibleRows = 1;
    int m_columns = 1;
    int m_topRow = 0;
    int m_cursorRow = 1;
    int m_first = 1;
    int m_last = 1;
    int m_cursorColumn = 1;
};

} // namespace kalmur
