#pragma once

#include "model/records/ViewFormat.h"

#include <QDate>
#include <QString>

#include <array>

namespace kalmur {

// Where a view format's cells are shown: the screen's grid (rows marked for the
// screen, with the status marks) or a printed report (rows marked for the
// report, no marks).
enum class ViewTarget { Screen, Report };

// What a layout makes of a view format for its target: the ruler labels, the
// time format, how the six cell-content rows stack inside a cell and which
// status marks a cell draws. Plain values, computed without a window.
//
// Rows stack top to bottom. A row tied to the next shares its text line with
// the next row shown, and a shared line is as tall as its tallest item (two
// or three lines for the wrapped notes). A row the target does not show takes
// no line and keeps the rows around it apart or together as they are.
class ViewLayout {
public:
    struct Row {
        int index = 0; // 0..5, the cell-content row
        int item = 0;  // its item code
        int line = 0;  // the first text line it is drawn on (0 = top)
        int lines = 1; // text lines it takes (2 or 3 for wrapped notes)
    };
    struct Line {
        int first = 0; // first text line
        int lines = 1;
        std::vector<Row> rows; // rows drawn together, joined with ", "
    };
    struct Marks {
        bool enabled = false;        // the first row holds the screen cell icon
        bool bell = false;           // on call
        bool noteBox = false;        // yellow (note) / green (both)
        bool explanationBox = false; // blue (explanation) / green (both)
        bool x = false;              // time off
        bool o = false;              // a shift 1..99
        // The marks sit inline on the first text line (the icon row is tied to
        // the next row); otherwise they form a column left of every line.
        bool inline_ = false;
    };

    explicit ViewLayout(const ViewFormat& format, ViewTarget target = ViewTarget::Screen);

    ViewTarget target() const { return m_target; }

    // Weekday label of the day ruler for a date, in the format's style:
    // "S M T W H F S", "Su", "Sun" or "Sunday".
    QString weekdayLabel(QDate date) const;
    // Date label in the format's style: "d", "m-d", "d-m" or the short date.
    QString dateLabel(QDate date) const;
    // The program-wide time format for edited and panel times.
    const QString& editTimeFormat() const { return m_editTimeFormat; }
    // The time format of times inside cells.
    const QString& cellTimeFormat() const { return m_cellTimeFormat; }

    // The lines that hold items; empty when the target shows no row.
    const std::vector<Line>& lines() const { return m_lines; }
    // Text lines a cell needs (at least one).
    int textLines() const { return m_textLines; }
    // The status marks: on screen only.
    const Marks& marks() const { return m_marks; }
    // True when some row is shown on the target with this item.
    bool shows(int item) const;

private:
    ViewTarget m_target = ViewTarget::Screen;
    int m_ruleDay = 0;
    int m_ruleDate = 0;
    QString m_editTimeFormat;
    QString m_cellTimeFormat;
    std::vector<Line> m_lines;
    std::vector<int> m_shownItems;
    int m_textLines = 1;
    Marks m_marks;
};

} // namespace kalmur
