#include "GridMetrics.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QPaintDevice>

#include <algorithm>
#include <cmath>

namespace kalmur {

QFont cellFont(const ViewFormat& format) {
    QString family = format.fontName.trimmed();
    if (family.isEmpty() || !QFontDatabase::hasFamily(family)) {
        // Liberation Sans is nearest in width to the narrow faces of older
        // schedules, so that short abbreviations fit narrow day columns.
        const QStringList fallbacks = {QStringLiteral("Liberation Sans"),
                                       QStringLiteral("DejaVu Sans")};
        family = QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
        for (const QString& f : fallbacks) {
            if (QFontDatabase::hasFamily(f)) {
                family = f;
                break;
            }
        }
    }
    QFont font(family);
    const float size = std::isfinite(format.fontSize) ? format.fontSize : 8.0f;
    font.setPointSizeF(std::clamp<double>(size, 4.0, 13.0));
    font.setBold(format.fontBold);
    font.setItalic(format.fontItalic);
    return font;
}

GridMetrics GridMetrics::compute(const QFont& font, const QPaintDevice* device,
                                 const ViewLayout& layout, int width, int days) {
    // One pixel of a 96 dpi screen in the device's pixels.
    const double scale = device ? std::max(1, device->logicalDpiY()) / 96.0 : 1.0;
    auto px = [scale](int pixels) {
        return std::max(1, static_cast<int>(std::lround(pixels * scale)));
    };
    GridMetrics m;
    m.font = font;
    const QFontMetrics fm(m.font, device);
    m.lineHeight = std::max(fm.boundingRect(QStringLiteral("Ay")).height(), fm.height());
    m.charWidth = std::max(1, fm.averageCharWidth());
    m.padding = px(2);
    m.cellHeight = layout.textLines() * m.lineHeight + 2 * m.padding + px(1);
    // The days share the width, so that all of them fit; the stored cell size
    // (the values at offsets 41 and 43) is accepted whatever it holds and does
    // not change that.
    const int fitting = days > 0 ? width / days : width;
    m.cellWidth = std::max(2 * m.charWidth + 2 * m.padding, fitting);
    // The marks follow the cell size: in a narrow day column two marks and a
    // one-letter text, or one mark and three letters, still fit beside each
    // other.
    const int inner = m.cellWidth - 2 * m.padding - px(1);
    m.markSize = std::clamp(inner / 4, px(5), std::max(px(5), m.lineHeight - px(3)));
    m.nameWidth = 20 * m.charWidth + 2 * m.padding;
    m.positionWidth = 10 * m.charWidth + 2 * m.padding;
    m.rulerHeight = 2 * m.lineHeight + 2 * m.padding;
    return m;
}

GridMetrics GridMetrics::compute(const ViewFormat& format, const ViewLayout& layout, int gridWidth,
                                 int days) {
    return compute(cellFont(format), nullptr, layout, gridWidth, days);
}

} // namespace kalmur
