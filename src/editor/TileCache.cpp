#include "TileCache.h"

#include <cmath>

namespace kalmur {

void TileCache::useStyle(const QByteArray& style) {
    if (style != m_style) {
        clear();
        m_style = style;
    }
}

void TileCache::clear() {
    m_tiles.clear();
    m_bytes = 0;
}

int TileCache::copyRatio(const QPainter& p, const QRect& rect) {
    const QPaintDevice* device = p.device();
    if (!device || rect.isEmpty() || qint64(rect.width()) * rect.height() > kMaxTilePixels ||
        p.worldTransform().type() != QTransform::TxNone ||
        p.compositionMode() != QPainter::CompositionMode_SourceOver || p.opacity() != 1.0) {
        return 0;
    }
    // Whole device pixels per logical pixel keep a copy aligned to the pixels
    // the drawing would have covered.
    const qreal ratio = device->devicePixelRatio();
    if (ratio < 1 || ratio > 8 || ratio != std::floor(ratio)) {
        return 0;
    }
    return static_cast<int>(ratio);
}

const QPixmap* TileCache::find(const QPainter& p, const QRect& rect, const QByteArray& key) const {
    const int ratio = copyRatio(p, rect);
    if (ratio == 0) {
        return nullptr;
    }
    const auto it = m_tiles.constFind(Key{key, rect.size(), ratio});
    return it == m_tiles.constEnd() ? nullptr : &it.value();
}

QPixmap* TileCache::add(const QPainter& p, const QRect& rect, const QByteArray& key) {
    const int ratio = copyRatio(p, rect);
    if (ratio == 0) {
        return nullptr;
    }
    const qint64 bytes = qint64(rect.width()) * rect.height() * ratio * ratio * 4;
    if (m_bytes + bytes > kMaxBytes) {
        clear();
    }
    QPixmap tile(rect.size() * ratio);
    tile.setDevicePixelRatio(ratio);
    // Opaque like the areas it is copied onto, so that text is smoothed the
    // same way; the drawing covers it all.
    tile.fill(Qt::white);
    m_bytes += bytes;
    return &m_tiles.insert(Key{key, rect.size(), ratio}, std::move(tile)).value();
}

} // namespace kalmur
