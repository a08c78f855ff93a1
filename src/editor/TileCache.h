#pragma once

#include <QByteArray>
#include <QHash>
#include <QPainter>
#include <QPixmap>
#include <QRect>

namespace kalmur {

// Copies of drawn tiles of a drawing area (cells, ruler days, totals, row
// labels): a tile drawn once is copied whenever the same tile is drawn again,
// which is many times cheaper than laying out its text and marks anew.
//
// A tile is named by a key that holds everything its look depends on, apart
// from its size and the style given to useStyle(). Its drawing must stay
// inside its rectangle, cover all of it opaquely and look the same at any
// position; the copy then has exactly the pixels the drawing would have.
class TileCache {
public:
    // Forgets every tile when `style` (what every tile's look depends on:
    // fonts, paddings) differs from the one given last.
    void useStyle(const QByteArray& style);
    void clear();

    // Draws tile `key` into `rect`: copied when known, otherwise drawn by
    // paint(QPainter&, const QRect&) onto a new tile and copied. Drawn
    // directly where a copy might differ (a scaled or fractional-ratio device,
    // a transformed painter, a very large tile).
    template <typename Paint>
    void draw(QPainter& p, const QRect& rect, const QByteArray& key, Paint&& paint) {
        if (const QPixmap* tile = find(p, rect, key)) {
            p.drawPixmap(rect.topLeft(), *tile);
            return;
        }
        if (QPixmap* tile = add(p, rect, key)) {
            {
                QPainter onTile(tile);
                paint(onTile, QRect(QPoint(0, 0), rect.size()));
            }
            p.drawPixmap(rect.topLeft(), *tile);
            return;
        }
        paint(p, rect);
    }

    int count() const { return static_cast<int>(m_tiles.size()); }

    // Bounds: tiles larger than this many pixels are drawn directly; when the
    // copies hold more than this many bytes, all are forgotten.
    static constexpr int kMaxTilePixels = 64 * 1024;
    static constexpr qint64 kMaxBytes = 16 * 1024 * 1024;

private:
    struct Key {
        QByteArray name;
        QSize size;
        int ratio = 1;
        bool operator==(const Key&) const = default;
    };
    friend size_t qHash(const Key& key, size_t seed) {
        return qHashMulti(seed, key.name, key.size.width(), key.size.height(), key.ratio);
    }

    // The device's pixel ratio when tiles can be copied onto it, else 0.
    static int copyRatio(const QPainter& p, const QRect& rect);
    const QPixmap* find(const QPainter& p, const QRect& rect, const QByteArray& key) const;
    QPixmap* add(const QPainter& p, const QRect& rect, const QByteArray& key);

    QByteArray m_style;
    QHash<Key, QPixmap> m_tiles;
    qint64 m_bytes = 0;
};

} // namespace kalmur
