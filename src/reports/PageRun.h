#pragma once

#include "ScheduleReportPrinter.h"

#include <functional>

class QPagedPaintDevice;
class QPainter;

namespace kalmur {

// The run of a report whose pages are drawn whole, one after another: begins
// the document on `device`, paints pages 1..`pages` with `paint`, moves the
// bar to `percent(page)` after each (the share of pages when not given), and
// ends the document. Stops after the page being drawn when `hooks.goOn` says
// so, and at a failure of the device.
RunOutcome printPages(QPagedPaintDevice& device, int pages, const RunHooks& hooks,
                      const std::function<void(QPainter&, int page)>& paint,
                      const std::function<int(int page)>& percent = {});

} // namespace kalmur
