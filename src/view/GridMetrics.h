#pragma once

#include "ViewLayout.h"

#include <QFont>

class QPaintDevice;

namespace kalmur {

// Sizes of the grid for a layout, a font and a paint device (the screen, a
// printer or a PDF file): the text line height and the cell, column and ruler
// sizes, in the device's pixels.
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

    // `width` is the width available for the day columns, `days` the number of
    // columns to show; `device` null means the screen. The fixed gaps grow with
    // the device's resolution, so that a printed cell looks like the screen's.
    static GridMetrics compute(const QFont& font, const QPaintDevice* device,
                               const ViewLayout& layout, int width, int days);
    // The screen's grid: the view format's screen font on `gridWidth` pixels.
    static GridMetrics compute(const ViewFormat& format, const ViewLayout& layout, int gridWidth,
                               int days);
};

// The screen font of a view format. A face the system does not have is
// replaced by a sans-serif face of the same size (the faces stored in older
// schedules, "MS Sans Serif" and "Small Fonts", exist on few systems).
QFont cellFont(const ViewFormat& format);

} // namespace kalmur
