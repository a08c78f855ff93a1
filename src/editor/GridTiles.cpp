#include "GridTiles.h"

namespace kalmur::GridTiles {

namespace {

void appendNumber(QByteArray& key, int value) {
    key.append(reinterpret_cast<const char*>(&value), sizeof value);
}

void appendText(QByteArray& key, const QString& text) {
    appendNumber(key, static_cast<int>(text.size()));
    key.append(reinterpret_cast<const char*>(text.constData()),
               static_cast<qsizetype>(text.size() * qsizetype(sizeof(QChar))));
}

} // namespace

QByteArray style(const GridMetrics& m) {
    QByteArray key = m.font.key().toUtf8();
    appendNumber(key, m.lineHeight);
    appendNumber(key, m.markSize);
    appendNumber(key, m.padding);
    return key;
}

QByteArray cell(const CellContent& c) {
    QByteArray key;
    key.reserve(48);
    appendNumber(key, int(c.divider) | int(c.empty) << 1 | int(c.bell) << 2 | int(c.x) << 3 |
                          int(c.o) << 4 | int(c.marksInline) << 5 | int(c.box) << 8);
    appendNumber(key, static_cast<int>(c.lines.size()));
    for (const CellContent::Line& line : c.lines) {
        appendNumber(key, line.first);
        appendNumber(key, line.lines);
        appendNumber(key, static_cast<int>(line.runs.size()));
        for (const TextRun& run : line.runs) {
            appendNumber(key, run.colour);
            appendText(key, run.text);
        }
    }
    return key;
}

QByteArray text(int flags, const QString& first, const QString& second) {
    QByteArray key;
    key.reserve(16 + 2 * (first.size() + second.size()));
    appendNumber(key, flags);
    appendText(key, first);
    appendText(key, second);
    return key;
}

} // namespace kalmur::GridTiles
