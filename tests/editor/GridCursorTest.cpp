// The grid's cursor and selection at the edges of the visible rows and days.
#include "editor/GridCursor.h"

#include <gtest/gtest.h>

using namespace kalmur;

namespace {

using Select = GridCursor::Select;
using Move = GridCursor::Move;
using Span = GridCursor::Span;
constexpr int kLast = GridCursor::kLastColumn;

// Ten rows and seven day columns visible, the cursor row `row` with days
// first..last selected, `top` rows scrolled away.
GridCursor cursorAt(int top, int row, int first, int last) {
    GridCursor c;
    c.fit(10, 7);
    c.scrollTo(top);
    c.select(Select::Single, first, row);
    c.select(Select::Extend, last);
    return c;
}

// What the window does with a move when the days and rows move freely.
void carryOut(GridCursor& c, const Move& move) {
    if (move.dayStep != 0) {
        c.cursorToFirst();
        c.select(Select::Again);
    }
    if (move.scrollTop) {
        c.scrollTo(*move.scrollTop);
    }
    if (move.select) {
        c.select(*move.select, move.column, move.row != 0 ? move.row : c.cursorRow());
    }
}

} // namespace

TEST(GridCursor, KeysMoveExtendAndStepAtTheEdges) {
    using K = GridKey;
    using S = Select;
    struct Case {
        const char* what;
        int top;
        Span before;
        GridKey key;
        bool extend;
        Move move;
        int topAfter;
        Span after;
    };
    // clang-format off
    const Case cases[] = {
        {"right",                          0, {3, 3, 3},  K::Right,    false, Move::pick(S::Single, 4),         0, {3, 4, 4}},
        {"right onto the last day",        0, {3, 6, 6},  K::Right,    false, Move::pick(S::Single, 7),         0, {3, 7, 7}},
        {"right at the last day steps",    0, {3, 7, 7},  K::Right,    false, Move::stepThenPick(1, kLast),     0, {3, 7, 7}},
        {"right collapses to the last",    0, {3, 2, 5},  K::Right,    false, Move::pick(S::Single, 6),         0, {3, 6, 6}},
        {"right on days up to the last",   0, {3, 2, 7},  K::Right,    false, Move::stepThenPick(1, kLast),     0, {3, 7, 7}},
        {"shift right extends",            0, {3, 3, 3},  K::Right,    true,  Move::pick(S::Extend, 4),         0, {3, 3, 4}},
        {"shift right onto the last day",  0, {3, 3, 6},  K::Right,    true,  Move::pick(S::Extend, 7),         0, {3, 3, 7}},
        {"shift right at the last day",    0, {3, 3, 7},  K::Right,    true,  {},                               0, {3, 3, 7}},
        {"left at the first day steps",    0, {3, 1, 1},  K::Left,     false, Move::stepThenPick(-1, 1),        0, {3, 1, 1}},
        {"left collapses to the first",    0, {3, 2, 5},  K::Left,     false, Move::pick(S::Single, 1),         0, {3, 1, 1}},
        {"shift left on one day",          0, {3, 4, 4},  K::Left,     true,  {},                               0, {3, 4, 4}},
        {"shift left shrinks",             0, {3, 2, 5},  K::Left,     true,  Move::pick(S::Again, 0),          0, {3, 2, 4}},
        {"down",                           0, {3, 2, 5},  K::Down,     false, Move::pick(S::Single, 2, 4),      0, {4, 2, 2}},
        {"down at the last row scrolls",   0, {10, 4, 4}, K::Down,     false, Move::scrollThenPick(1, 4),       1, {10, 4, 4}},
        {"down at row 200",              190, {10, 4, 4}, K::Down,     false, Move::scrollThenPick(191, 4),   190, {10, 4, 4}},
        {"up at row 1",                    0, {1, 4, 4},  K::Up,       false, Move::scrollThenPick(-1, 4),      0, {1, 4, 4}},
        {"home",                           0, {3, 4, 6},  K::Home,     false, Move::pick(S::Single, 1),         0, {3, 1, 1}},
        {"end",                            0, {3, 4, 4},  K::End,      false, Move::pick(S::Single, kLast),     0, {3, 7, 7}},
        {"shift end extends",              0, {3, 4, 4},  K::End,      true,  Move::pick(S::Extend, kLast),     0, {3, 4, 7}},
        {"shift end at the last day",      0, {3, 4, 7},  K::End,      true,  Move::pick(S::Single, kLast),     0, {3, 7, 7}},
        {"page down near the end",       185, {3, 2, 2},  K::PageDown, false, Move::scroll(195),              190, {3, 2, 2}},
        {"page up near the start",         5, {3, 2, 2},  K::PageUp,   false, Move::scroll(-5),                 0, {3, 2, 2}},
        {"a quick key moves nothing",      0, {3, 2, 4},  K::None,     false, {},                               0, {3, 2, 4}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        GridCursor cursor = cursorAt(c.top, c.before.row, c.before.first, c.before.last);
        const Move move = cursor.keyMove(c.key, c.extend);
        EXPECT_EQ(move, c.move);
        carryOut(cursor, move);
        EXPECT_EQ(cursor.topRow(), c.topAfter);
        EXPECT_EQ(cursor.span(), c.after);
        EXPECT_EQ(cursor.cursorColumn(), c.after.last);
    }
}

TEST(GridCursor, SelectionOperationsClampAndReportWhatMoved) {
    struct Case {
        const char* what;
        Select mode;
        int column, row;
        Span after;
        bool moved;
    };
    const Case cases[] = {
        {"single", Select::Single, 6, 8, {8, 6, 6}, true},
        {"single outside is pulled in", Select::Single, 99, 40, {10, 7, 7}, true},
        {"single before the first", Select::First, -3, 0, {1, 1, 1}, true},
        {"extend to the right", Select::Extend, 6, 0, {3, 3, 6}, true},
        {"extend past the last day", Select::Extend, 12, 0, {3, 3, 7}, true},
        {"extend left of the anchor is ignored", Select::Extend, 2, 0, {3, 3, 5}, false},
        {"again", Select::Again, 1, 1, {3, 3, 5}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        GridCursor cursor = cursorAt(0, 3, 3, 5);
        const GridCursor::Change change = cursor.select(c.mode, c.column, c.row);
        EXPECT_EQ(change.before, (Span{3, 3, 5}));
        EXPECT_EQ(change.after, c.after);
        EXPECT_EQ(change.highlightMoved(), c.moved);
    }
}

TEST(GridCursor, ANewLayoutPullsTheCursorInside) {
    GridCursor cursor = cursorAt(190, 9, 5, 7);
    cursor.fit(25, 4);
    EXPECT_EQ(cursor.topRow(), 175);
    EXPECT_EQ(cursor.span(), (Span{9, 4, 4}));
    EXPECT_EQ(cursor.displayRow(), 184);
    cursor.fit(5, 4);
    EXPECT_EQ(cursor.cursorRow(), 5);
    EXPECT_EQ(cursor.topShowing(200), 195);
    EXPECT_EQ(cursor.topShowing(151), 150);
}
