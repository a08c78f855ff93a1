#pragma once

#include <QColor>

#include <array>

namespace kalmur {

// The standard 16-colour palette that shift colours index (0 black, 12 light red).
inline QColor paletteColour(int index) {
    static const std::array<QColor, 16> colours = {
        QColor(0, 0, 0),       QColor(0, 0, 128),   QColor(0, 128, 0),   QColor(0, 128, 128),
        QColor(128, 0, 0),     QColor(128, 0, 128), QColor(128, 128, 0), QColor(192, 192, 192),
        QColor(128, 128, 128), QColor(0, 0, 255),   QColor(0, 255, 0),   QColor(0, 255, 255),
        QColor(255, 0, 0),     QColor(255, 0, 255), QColor(255, 255, 0), QColor(255, 255, 255)};
    return index >= 0 && index < 16 ? colours[static_cast<std::size_t>(index)] : colours[0];
}

} // namespace kalmur
