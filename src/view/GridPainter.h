#pragma once

#include "CellText.h"
#include "GridMetrics.h"

#include <QColor>
#include <QPainter>

namespace kalmur {

// Draws the parts of the schedule grid onto any painter: the screen's
// off-screen copies and, later, the printer.
class GridPainter {
public:
    explicit GridPainter(const GridMetrics& metrics);

    // One cell: clears its rectangle, then draws the band of a divider row or
    // the marks and text lines.
    void paintCell(QPainter& p, const QRect& rect, const CellContent& content) const;
    // One column of the day ruler.
    void paintRulerDay(QPainter& p, const QRect& rect, const QString& weekday, const QString& date,
                       bool weekend) const;
    // A name or position of a row; a divider row is drawn as a band, a row
    // marked to be relocated on a coloured ground inside a frame.
    void paintRowLabel(QPainter& p, const QRect& rect, const QString& text, bool divider,
                       bool marked = false) const;
    // One coverage caption or total.
    void paintCoverageText(QPainter& p, const QRect& rect, const QString& text,
                           Qt::Alignment alignment) const;

    static QColor background() { return QColor(255, 255, 255); }
    static QColor gridLine() { return QColor(200, 200, 200); }
    static QColor dividerBand() { return QColor(96, 96, 96); }
    static QColor markedRow() { return QColor(255, 214, 102); }

    // The mark shapes scaled to a size (the pictures the cells copy).
    static void paintBell(QPainter& p, const QRect& r);
    static void paintX(QPainter& p, const QRect& r);
    static void paintO(QPainter& p, const QRect& r);
    static void paintBox(QPainter& p, const QRect& r, const QColor& colour);

private:
    const GridMetrics& m_metrics;
};

} // namespace kalmur
