#pragma once

#include "ScheduleReportPrinter.h"

#include <functional>

class QPagedPaintDevice;
class QPainter;

namespace kalmur {

// Prints `pages` pages onto `device` in one document: each page is drawn by
// `paint(painter, page)` (pages numbered from 1), with a new sheet between
// them. `paint` returns false when the user stopped the run inside its page;
// between pages `hooks.goOn` is asked, and after each page the share done is
// reported: `percent(page)`, or the share of pages when not given. A device that fails at any step
// ends the run as a printer error.
RunOutcome printPages(QPagedPaintDevice& device, int pages, const RunHooks& hooks,
                      const std::function<bool(QPainter&, int)>& paint,
                      const std::function<int(int page)>& percent = {});

} // namespace kalmur
