#pragma once

#include "ViewLayout.h"

#include <QFont>

namespace kalmur {

// Sizes of the grid for a view format on a given drawing area: the cell font,
// the text line height and the cell size.
struct GridMetrics {
    QFont font;
    int lineHeight = 13;
    int charWidth = 6;
    int cellWidth = 40;
    int cellHeight = 17;
    int markSize = 9;
    int padding = 2;
    int nameWidth = 150;
    int positionWidth = 60;
    int rulerHeight = 30;

    // `gridWidth` is the width available for the day columns, `days` the
    // number of columns to show.
    static GridMetrics compute(const ViewFormat& format, const ViewLayout& layout, int gridWidth,
                               int days);
};

// The screen font of a view format. A face the system does not have is
// replaced by a sans-serif face of the same size (the faces stored in older
// schedules, "MS Sans Serif" and "Small Fonts", exist on few systems).
QFont cellFont(const ViewFormat& format);

} // namespace kalmur
