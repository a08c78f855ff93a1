#include "PagedRun.h"

#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>

namespace kalmur {

RunOutcome printPages(QPagedPaintDevice& device, int pages, const RunHooks& hooks,
                      const std::function<bool(QPainter&, int)>& paint,
                      const std::function<int(int page)>& percent) {
    auto failed = [&] {
        return hooks.failed && hooks.failed();
    };
    QPainter p;
    if (!p.begin(&device) || failed()) {
        return RunOutcome::PrinterError;
    }
    p.setBackgroundMode(Qt::TransparentMode);
    RunOutcome outcome = RunOutcome::Done;
    for (int page = 1; page <= pages; ++page) {
        if (page > 1 && (!device.newPage() || failed())) {
            outcome = RunOutcome::PrinterError;
            break;
        }
        const bool finished = paint(p, page);
        if (failed()) {
            outcome = RunOutcome::PrinterError;
            break;
        }
        if (!finished) {
            outcome = RunOutcome::Aborted;
            break;
        }
        if (hooks.progress) {
            hooks.progress(percent ? std::clamp(percent(page), 0, 100) : page * 100 / pages);
        }
        if (page < pages && hooks.goOn && !hooks.goOn()) {
            outcome = RunOutcome::Aborted;
            break;
        }
    }
    if (!p.end() && outcome == RunOutcome::Done) {
        outcome = RunOutcome::PrinterError;
    }
    if (outcome == RunOutcome::Done && failed()) {
        outcome = RunOutcome::PrinterError;
    }
    return outcome;
}

} // namespace kalmur
