#include "LegendCommand.h"

#include "model/schedule/Schedule.h"
#include "reports/LegendReport.h"
#include "reports/PdfDevice.h"

namespace kalmur {

int printLegend(const Schedule& schedule, const QString& pdf, std::optional<bool> letter,
                QTextStream& err) {
    const ReportSetup& stored = schedule.settings().legendSetup;
    const PrintSetup setup = PrintSetup::prepare(stored);
    PdfDevice device(pdf, letter);
    const AppliedSetup applied = applySetup(setup, device, [&](const QString& warning) {
        err << "kalmur-tool: " << warning << Qt::endl;
        return true;
    });
    QString failure = applied.error;
    if (applied.ok()) {
        LegendPrinter printer(
            LegendReport::lines(schedule,
                                LegendReport::timeFormat(schedule.viewFormat().timeFormat)),
            LegendReport::Options::of(stored), setup, *applied.fonts, QDateTime::currentDateTime());
        if (printer.print(device.writer()) == RunOutcome::Done) {
            return 0;
        }
        failure = pdf + QStringLiteral(": the PDF file could not be written");
    }
    err << "kalmur-tool: " << failure << Qt::endl;
    return 1;
}

} // namespace kalmur
