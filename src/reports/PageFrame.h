#pragma once

#include <array>
#include <cstdint>

class QPagedPaintDevice;

namespace kalmur {

// A page as a report sees it, in twips (1440 per inch): the paper, the part
// the device can print on and where that part begins, and the size of one
// device pixel.
struct PageGeometry {
    int pageWidth = 0;
    int pageHeight = 0;
    int printableWidth = 0;
    int printableHeight = 0;
    int offsetX = 0; // printable area from the paper's left edge
    int offsetY = 0; // and from its top edge
    double twipsPerPixelX = 1;
    double twipsPerPixelY = 1;

    // The geometry of a printer, a PDF writer or a preview: its page layout
    // gives the paper and the printable area, its resolution the pixel size.
    static PageGeometry of(const QPagedPaintDevice& device);
};

// Where a report draws on a page, in device pixels from the corner of the
// printable area (where a painter on the device has its origin).
struct PageFrame {
    int left = 0;
    int right = 0;
    int top = 0;
    int bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool operator==(const PageFrame&) const = default;
};

// Device pixels in a length of twips: whole pixels only, so that a position
// never lies between two of them.
int pixelsIn(double twips, double twipsPerPixel);

// The frame for margins (top, bottom, left, right in twips, as stored in a
// report setup). A margin is measured from the paper's edge: the part of it
// inside the unprintable strip is dropped, and a margin smaller than the strip
// prints at the edge of the printable area. Margins that leave less than two
// inches across (or down) are ignored in that direction. The frame always lies
// inside the printable area, whatever the margins hold.
PageFrame pageFrame(const PageGeometry& page, const std::array<std::int16_t, 4>& margins);

} // namespace kalmur
