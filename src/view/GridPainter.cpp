#include "GridPainter.h"

#include "Palette.h"

#include <QPainterPath>

namespace kalmur {

namespace {

// Keeps a part's drawing inside its rectangle: the square ends of a line one
// pixel wide reach half a pixel beyond it, which on a screen with two device
// pixels to a pixel would mark the neighbouring parts drawn before.
class ClipTo {
public:
    ClipTo(QPainter& p, const QRect& rect)
        : m_p(p) {
        m_p.save();
        m_p.setClipRect(rect, Qt::IntersectClip);
    }
    ~ClipTo() { m_p.restore(); }
    ClipTo(const ClipTo&) = delete;
    ClipTo& operator=(const ClipTo&) = delete;

private:
    QPainter& m_p;
};

} // namespace

GridPainter::GridPainter(const GridMetrics& metrics)
    : m_metrics(metrics) {
}

void GridPainter::paintBell(QPainter& p, const QRect& r) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF b = QRectF(r).adjusted(1, 1, -1, -1);
    QPainterPath bell;
    bell.moveTo(b.left(), b.bottom() - b.height() * 0.2);
    bell.cubicTo(b.left() + b.width() * 0.15, b.top() + b.height() * 0.3,
                 b.left() + b.width() * 0.2, b.top(), b.center().x(), b.top());
    bell.cubicTo(b.right() - b.width() * 0.2, b.top(), b.right() - b.width() * 0.15,
                 b.top() + b.height() * 0.3, b.right(), b.bottom() - b.height() * 0.2);
    bell.closeSubpath();
    p.setPen(QPen(QColor(120, 90, 0), 1));
    p.setBrush(QColor(230, 180, 30));
    p.drawPath(bell);
    p.setBrush(QColor(120, 90, 0));
    const double clapper = std::max(1.5, b.width() * 0.15);
    p.drawEllipse(QPointF(b.center().x(), b.bottom() - clapper * 0.5), clapper, clapper * 0.8);
    p.restore();
}

void GridPainter::paintX(QPainter& p, const QRect& r) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(paletteColour(12), std::max(1.0, r.width() / 6.0)));
    const QRectF b = QRectF(r).adjusted(1.5, 1.5, -1.5, -1.5);
    p.drawLine(b.topLeft(), b.bottomRight());
    p.drawLine(b.topRight(), b.bottomLeft());
    p.restore();
}

void GridPainter::paintO(QPainter& p, const QRect& r) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0, 0, 160), std::max(1.0, r.width() / 7.0)));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(r).adjusted(1.5, 1.5, -1.5, -1.5));
    p.restore();
}

void GridPainter::paintBox(QPainter& p, const QRect& r, const QColor& colour) {
    p.save();
    p.setPen(QColor(60, 60, 60));
    p.setBrush(colour);
    p.drawRect(r.adjusted(1, 1, -2, -2));
    p.restore();
}

void GridPainter::paintCell(QPainter& p, const QRect& rect, const CellContent& c) const {
    const ClipTo inside(p, rect);
    p.fillRect(rect, background());
    p.setPen(gridLine());
    p.drawLine(rect.topRight(), rect.bottomRight());
    p.drawLine(rect.bottomLeft(), rect.bottomRight());
    if (c.divider) {
        const int band = std::max(3, rect.height() / 3);
        p.fillRect(QRect(rect.left(), rect.center().y() - band / 2, rect.width(), band),
                   dividerBand());
        return;
    }
    if (c.empty) {
        return;
    }
    const int pad = m_metrics.padding;
    const int mark = m_metrics.markSize;
    const QRect inner = rect.adjusted(pad, pad, -pad - 1, -pad - 1);
    int x = inner.left();
    int marksWidth = 0;
    auto nextMark = [&] {
        QRect r(x, inner.top() + (m_metrics.lineHeight - mark) / 2, mark, mark);
        x += mark;
        marksWidth += mark;
        return r;
    };
    if (c.bell) {
        paintBell(p, nextMark());
    }
    switch (c.box) {
    case CellContent::Box::Yellow:
        paintBox(p, nextMark(), QColor(255, 230, 0));
        break;
    case CellContent::Box::Blue:
        paintBox(p, nextMark(), QColor(40, 110, 255));
        break;
    case CellContent::Box::Green:
        paintBox(p, nextMark(), QColor(0, 190, 60));
        break;
    case CellContent::Box::None:
        break;
    }
    if (c.x) {
        paintX(p, nextMark());
    }
    if (c.o) {
        paintO(p, nextMark());
    }
    if (marksWidth > 0) {
        marksWidth += 1;
    }
    p.setFont(m_metrics.font);
    const QFontMetrics fm = p.fontMetrics(); // the device's, a printer's too
    for (const CellContent::Line& line : c.lines) {
        // Inline marks share only the first line; a mark column indents every line.
        const int indent = line.first == 0 || !c.marksInline ? marksWidth : 0;
        const QRect box(inner.left() + indent, inner.top() + line.first * m_metrics.lineHeight,
                        inner.width() - indent, line.lines * m_metrics.lineHeight);
        if (line.lines > 1) {
            p.setPen(Qt::black);
            p.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, line.text());
            continue;
        }
        int runX = box.left();
        for (const TextRun& run : line.runs) {
            p.setPen(run.colour < 0 ? QColor(Qt::black) : paletteColour(run.colour));
            const QRect runBox(runX, box.top(), box.right() - runX + 1, box.height());
            if (runBox.width() <= 0) {
                break;
            }
            p.drawText(runBox, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, run.text);
            runX += fm.horizontalAdvance(run.text);
        }
    }
}

void GridPainter::paintRulerDay(QPainter& p, const QRect& rect, const QString& weekday,
                                const QString& date, bool weekend) const {
    const ClipTo inside(p, rect);
    p.fillRect(rect, weekend ? QColor(232, 236, 244) : QColor(246, 246, 246));
    p.setPen(gridLine());
    p.drawLine(rect.topRight(), rect.bottomRight());
    p.drawLine(rect.bottomLeft(), rect.bottomRight());
    p.setPen(Qt::black);
    p.setFont(m_metrics.font);
    const QRect top(rect.left(), rect.top() + 1, rect.width(), rect.height() / 2);
    const QRect bottom(rect.left(), rect.top() + rect.height() / 2, rect.width(),
                       rect.height() / 2);
    p.drawText(top, Qt::AlignCenter | Qt::TextSingleLine, weekday);
    p.drawText(bottom, Qt::AlignCenter | Qt::TextSingleLine, date);
}

void GridPainter::paintRowLabel(QPainter& p, const QRect& rect, const QString& text, bool divider,
                                bool marked) const {
    const ClipTo inside(p, rect);
    p.fillRect(rect, divider ? dividerBand() : marked ? markedRow() : background());
    p.setPen(gridLine());
    p.drawLine(rect.bottomLeft(), rect.bottomRight());
    p.drawLine(rect.topRight(), rect.bottomRight());
    if (marked) {
        p.setPen(QPen(QColor(160, 90, 0), 1, Qt::DashLine));
        p.drawRect(rect.adjusted(0, 0, -1, -1));
    }
    p.setPen(divider ? QColor(Qt::white) : QColor(Qt::black));
    QFont font = m_metrics.font;
    font.setBold(divider || marked || font.bold());
    p.setFont(font);
    p.drawText(rect.adjusted(m_metrics.padding + 1, 0, -m_metrics.padding, 0),
               Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
}

void GridPainter::paintCoverageText(QPainter& p, const QRect& rect, const QString& text,
                                    Qt::Alignment alignment) const {
    const ClipTo inside(p, rect);
    p.fillRect(rect, QColor(250, 250, 240));
    p.setPen(gridLine());
    p.drawLine(rect.bottomLeft(), rect.bottomRight());
    p.drawLine(rect.topRight(), rect.bottomRight());
    p.setPen(Qt::black);
    p.setFont(m_metrics.font);
    p.drawText(rect.adjusted(m_metrics.padding + 1, 0, -m_metrics.padding, 0),
               alignment | Qt::AlignVCenter | Qt::TextSingleLine, text);
}

} // namespace kalmur
