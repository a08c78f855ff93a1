#pragma once

#include <QFont>
#include <QRect>

namespace kalmur {

// Window layouts are given in twips (1440 per inch). Qt lays windows out in
// device-independent pixels of 1/96 inch, so 15 twips make one pixel; high
// resolution screens scale on top of that.
inline constexpr int kTwipsPerPixel = 15;

inline constexpr int twips(int value) {
    return (value + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

inline QRect twipRect(int left, int top, int width, int height) {
    return {twips(left), twips(top), twips(width), twips(height)};
}

// The font of the small fixed-layout dialogs: their twip layouts were made for
// an 8 point sans serif, so a larger desktop font would not fit them. Arial's
// metric twin stands in where the classic dialog fonts are missing.
inline QFont dialogFont(bool bold) {
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                      QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    font.setPointSize(8);
    font.setBold(bold);
    return font;
}

} // namespace kalmur
