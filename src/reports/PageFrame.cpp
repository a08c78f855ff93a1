#include "PageFrame.h"

#include <QPageLayout>
#include <QPagedPaintDevice>

#include <algorithm>
#include <cmath>

namespace kalmur {

namespace {

constexpr int kTwipsPerInch = 1440;
constexpr int kLeastFrame = 2 * kTwipsPerInch;

int twipsOf(double points) {
    return static_cast<int>(std::lround(points * 20.0));
}

// One direction of the frame: the pixels of the low and the high edge.
struct Span {
    int low = 0;
    int high = 0;
};

Span frameSpan(int printable, int lowMargin, int highMargin, double twipsPerPixel) {
    const int edge = pixelsIn(printable, twipsPerPixel);
    Span s{pixelsIn(lowMargin, twipsPerPixel), pixelsIn(printable - highMargin, twipsPerPixel)};
    if ((printable - highMargin) - lowMargin < kLeastFrame) {
        s = {0, edge};
    }
    // Lines drawn on the frame's edges stay inside the printable area.
    if (s.low != 0) {
        ++s.low;
    }
    if (s.high >= edge) {
        s.high = edge - 1;
    }
    s.low = std::clamp(s.low, 0, std::max(0, edge - 1));
    s.high = std::clamp(s.high, s.low, std::max(s.low, edge - 1));
    return s;
}

} // namespace

PageGeometry PageGeometry::of(const QPagedPaintDevice& device) {
    const QPageLayout layout = device.pageLayout();
    const QRectF full = layout.fullRect(QPageLayout::Point);
    const QRectF paint = layout.paintRect(QPageLayout::Point);
    PageGeometry g;
    g.pageWidth = twipsOf(full.width());
    g.pageHeight = twipsOf(full.height());
    g.printableWidth = twipsOf(paint.width());
    g.printableHeight = twipsOf(paint.height());
    g.offsetX = twipsOf(paint.left());
    g.offsetY = twipsOf(paint.top());
    g.twipsPerPixelX = double(kTwipsPerInch) / std::max(1, device.logicalDpiX());
    g.twipsPerPixelY = double(kTwipsPerInch) / std::max(1, device.logicalDpiY());
    return g;
}

int pixelsIn(double twips, double twipsPerPixel) {
    if (!(twipsPerPixel > 0) || !std::isfinite(twips)) {
        return 0;
    }
    return static_cast<int>(std::floor(twips / twipsPerPixel + 1e-9));
}

PageFrame pageFrame(const PageGeometry& page, const std::array<std::int16_t, 4>& margins) {
    const int rightStrip = std::max(0, page.pageWidth - page.printableWidth - page.offsetX);
    const int bottomStrip = std::max(0, page.pageHeight - page.printableHeight - page.offsetY);
    const int top = std::max(0, margins[0] - page.offsetY);
    const int bottom = std::max(0, margins[1] - bottomStrip);
    const int left = std::max(0, margins[2] - page.offsetX);
    const int right = std::max(0, margins[3] - rightStrip);
    const Span across = frameSpan(page.printableWidth, left, right, page.twipsPerPixelX);
    const Span down = frameSpan(page.printableHeight, top, bottom, page.twipsPerPixelY);
    return {across.low, across.high, down.low, down.high};
}

} // namespace kalmur
