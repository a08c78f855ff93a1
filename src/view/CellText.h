#pragma once

#include "ViewLayout.h"
#include "model/schedule/Schedule.h"

#include <QString>

#include <vector>

namespace kalmur {

// One piece of text in a cell, in a colour of the 16-colour palette (-1: the
// normal text colour).
struct TextRun {
    QString text;
    int colour = -1;
    bool operator==(const TextRun&) const = default;
};

// What one cell shows: its status marks and its text lines. Computed without a
// window from the schedule, the view format and its layout; the painter only
// draws it.
struct CellContent {
    enum class Box { None, Yellow, Blue, Green };

    bool divider = false;
    bool empty = true; // no shift, on call, explanation or note
    bool bell = false;
    bool x = false;
    bool o = false;
    Box box = Box::None;
    // The marks share the first text line only; otherwise every line starts
    // after them.
    bool marksInline = false;
    struct Line {
        int first = 0; // first text line
        int lines = 1; // more than one: the text wraps at word boundaries
        std::vector<TextRun> runs;
        QString text() const;
    };
    std::vector<Line> lines;

    // The texts of the lines joined by " | ", for tests and tooltips.
    QString text() const;
};

// The palette index of the time-off text when time off is shown (bright red).
inline constexpr int kTimeOffColour = 12;

class CellText {
public:
    CellText(const Schedule& schedule, const ViewFormat& format, const ViewLayout& layout);

    // A cell of a named row.
    CellContent content(const Cell& cell) const;
    // A divider row's cell.
    static CellContent divider();

    // The name column's text of a row: a divider row shows the text after its
    // "/" as its label.
    static QString nameLabel(const QString& name, bool divider);
    // The position column's text: none on a divider row.
    static QString positionLabel(const QString& position, bool divider);
    // A coverage total as shown: a total of 0 is blank.
    static QString totalText(int total);

    // The note number a cell shows: a number of the note file, else 0.
    int shownNote(const Cell& cell) const;
    // The text of one item (a cell-content code) of a cell, empty when the
    // cell has no such item.
    QString itemText(int item, const Cell& cell) const;

private:
    TextRun shiftText(const Cell& cell) const;
    QString explanationText(const Cell& cell) const;
    QString reservedText(int shift) const;
    std::vector<TextRun> itemRuns(int item, const Cell& cell) const;

    const Schedule& m_schedule;
    const ViewFormat& m_format;
    const ViewLayout& m_layout;
};

} // namespace kalmur
