#include "PrintCommand.h"

#include "CalendarCommand.h"
#include "CommandInput.h"
#include "LegendCommand.h"
#include "QueryPrintCommand.h"
#include "RowList.h"
#include "ToolSession.h"
#include "model/patterns/DateText.h"
#include "model/schedule/Schedule.h"
#include "reports/CostReport.h"
#include "reports/PdfDevice.h"
#include "reports/PrintDays.h"
#include "reports/ScheduleReportPrinter.h"

#include <algorithm>
#include <optional>

namespace kalmur::PrintCommand {

int printToPdf(const QString& pdf, std::optional<bool> letter, const PrintSetup& setup,
               QTextStream& err,
               const std::function<RunOutcome(QPagedPaintDevice&, const PrintFonts&)>& draw) {
    PdfDevice device(pdf, letter);
    const AppliedSetup applied = applySetup(setup, device, [&](const QString& warning) {
        err << "kalmur-tool: " << warning << Qt::endl;
        return true;
    });
    if (!applied.ok()) {
        err << "kalmur-tool: " << applied.error << Qt::endl;
        return 1;
    }
    if (draw(device.writer(), *applied.fonts) != RunOutcome::Done) {
        err << "kalmur-tool: " << pdf << ": the PDF file could not be written" << Qt::endl;
        return 1;
    }
    return 0;
}

namespace {

constexpr int kOk = 0;
constexpr int kRefused = 1;
constexpr int kUsageError = 2;

struct Request {
    std::optional<PrintDays::Range> range; // nothing: the days on screen
    std::optional<std::vector<int>> rows;  // nothing: every row with a name
    std::optional<bool> letter;
    int format = 0; // 0: the current one
};

// The estimated cost report of the request's run for its named rows.
int printCost(const Schedule& schedule, const Request& request, const QString& pdf,
              QTextStream& err) {
    const PrintDays::Range range = *request.range;
    if (!CostReport::rangeAvailable(range.start, range.days, schedule.startDate(),
                                    schedule.endDate())) {
        err << "kalmur-tool: " << CostReport::kRangeRefusal << Qt::endl;
        return kRefused;
    }
    std::vector<int> entries;
    for (int r = 1; r <= EmployeeTable::kRows; ++r) {
        const bool asked = !request.rows || std::find(request.rows->begin(), request.rows->end(),
                                                      r) != request.rows->end();
        if (asked && schedule.employees().isNamed(r)) {
            entries.push_back(r);
        }
    }
    const auto table = CostReport::table(schedule, entries, range.start, range.days);
    if (!table) {
        err << "kalmur-tool: " << schedule.errorString() << Qt::endl;
        return kRefused;
    }
    const PrintSetup setup = PrintSetup::prepare(schedule.settings().costSetup);
    PdfDevice device(pdf, request.letter);
    const AppliedSetup applied = applySetup(setup, device, [&](const QString& warning) {
        err << "kalmur-tool: " << warning << Qt::endl;
        return true;
    });
    if (!applied.ok()) {
        err << "kalmur-tool: " << applied.error << Qt::endl;
        return kRefused;
    }
    CostReportPrinter printer(*table, setup, *applied.fonts,
                              CostReport::subtitle(range.start, range.days),
                              QDateTime::currentDateTime());
    if (printer.print(device.writer()) != RunOutcome::Done) {
        err << "kalmur-tool: " << pdf << ": the PDF file could not be written" << Qt::endl;
        return kRefused;
    }
    return kOk;
}

} // namespace

Paper readPaper(const QMap<QString, QString>& values) {
    Paper paper;
    if (values.contains(QStringLiteral("--paper"))) {
        const QString name = values.value(QStringLiteral("--paper")).toLower();
        paper.ok = name == QLatin1String("letter") || name == QLatin1String("a4");
        paper.letter = name == QLatin1String("letter");
    }
    return paper;
}

int run(const QString& archive, const QMap<QString, QString>& values, const QStringList& flags,
        QTextStream&, QTextStream& err) {
    auto usage = [&](const QString& message) {
        err << "kalmur-tool: " << message << "\nusage: kalmur-tool " << kUsage << Qt::endl;
        return kUsageError;
    };
    auto refuse = [&](const QString& message) {
        err << "kalmur-tool: " << message << Qt::endl;
        return kRefused;
    };
    const QString report = values.value(QStringLiteral("--report"));
    if (CalendarCommand::prints(report)) {
        return CalendarCommand::run(archive, values, flags, err);
    }
    if (report == QLatin1String("query")) {
        return QueryPrintCommand::run(archive, values, flags, err);
    }
    const bool cost = report == QLatin1String("cost");
    const bool legend = report == QLatin1String("legend");
    if (report != QLatin1String("schedule") && !cost && !legend) {
        return usage(
            report.isEmpty()
                ? QStringLiteral(
                      "print needs --report schedule, cost, query, calendar, personal or legend")
                : QStringLiteral("unknown report ") + report);
    }
    const QString pdf = values.value(QStringLiteral("--pdf"));
    if (pdf.isEmpty()) {
        return usage(QStringLiteral("print needs --pdf OUT.pdf"));
    }
    const bool byDays =
        values.contains(QStringLiteral("--start")) || values.contains(QStringLiteral("--days"));
    const bool byMonth = values.contains(QStringLiteral("--month"));
    const bool screen = flags.contains(QStringLiteral("--screen"));
    if (int(byDays) + int(byMonth) + int(screen) > 1) {
        return usage(QStringLiteral("choose one of --start/--days, --month and --screen"));
    }
    Request request;
    if (byDays) {
        if (!values.contains(QStringLiteral("--start")) ||
            !values.contains(QStringLiteral("--days"))) {
            return usage(QStringLiteral("--start and --days go together"));
        }
        const QString startText = values.value(QStringLiteral("--start"));
        const QDate start = QDate::fromString(startText, Qt::ISODate);
        if (!start.isValid()) {
            return refuse(PrintDays::dateError(startText));
        }
        const int days = values.value(QStringLiteral("--days")).toInt();
        if (const QString e = PrintDays::daysError(days); !e.isEmpty()) {
            return refuse(e);
        }
        request.range = PrintDays::Range{start, days};
    } else if (byMonth) {
        const QString monthText = values.value(QStringLiteral("--month"));
        const QDate first = QDate::fromString(monthText + QStringLiteral("-01"), Qt::ISODate);
        if (!first.isValid()) {
            return usage(QStringLiteral("--month takes YYYY-MM, not ") + monthText);
        }
        request.range = PrintDays::Range{first, first.daysInMonth()};
    }
    if (cost && !request.range) {
        return usage(QStringLiteral("the cost report needs --start and --days, or --month"));
    }
    if (values.contains(QStringLiteral("--rows"))) {
        request.rows = readRowList(values.value(QStringLiteral("--rows")));
        if (!request.rows) {
            return usage(QStringLiteral("--rows takes display rows 1 to 200 such as 1,3-7"));
        }
    }
    const Paper paper = readPaper(values);
    if (!paper.ok) {
        return usage(QStringLiteral("--paper takes letter or a4"));
    }
    request.letter = paper.letter;
    if (values.contains(QStringLiteral("--format"))) {
        bool isNumber = false;
        request.format = values.value(QStringLiteral("--format")).toInt(&isNumber);
        if (!isNumber || request.format < 1 || request.format > ViewFormat::kCount) {
            return refuse(QStringLiteral("--format must be a view format number 1 to 5"));
        }
    }

    ToolSession session;
    if (const QString e = CommandInput::openPrintable(session, archive); !e.isEmpty()) {
        return refuse(e);
    }
    const Schedule& schedule = session.schedule();
    if (cost) {
        return printCost(schedule, request, pdf, err);
    }
    if (legend) {
        return printLegend(schedule, pdf, request.letter, err);
    }
    std::optional<ViewFormat> format = schedule.viewFormat();
    if (request.format != 0 && request.format != schedule.viewFormatNumber()) {
        format = schedule.readViewFormat(request.format);
    }
    if (!format || !format->isUsed()) {
        return refuse(QStringLiteral("view format %1 is not in use").arg(request.format));
    }
    const PrintDays::Range range = request.range.value_or(
        PrintDays::Range{schedule.dateOfDay(schedule.window().dayNumber(1)),
                         std::clamp<int>(format->daysOnScreen, 1, ViewFormat::kMaxDaysOnScreen)});
    std::vector<int> rows;
    if (request.rows) {
        rows = *request.rows;
    } else {
        for (int r = 1; r <= EmployeeTable::kRows; ++r) {
            rows.push_back(r);
        }
    }
    const std::optional<ScheduleReportData> data =
        ScheduleReportData::collect(schedule, *format, range.start, range.days, rows,
                                    flags.contains(QStringLiteral("--blank")));
    if (!data) {
        return refuse(schedule.errorString());
    }

    const PrintSetup setup = PrintSetup::prepare(format->reportSetup, &*format);
    PdfDevice device(pdf, request.letter);
    const AppliedSetup applied = applySetup(setup, device, [&](const QString& warning) {
        err << "kalmur-tool: " << warning << Qt::endl;
        return true;
    });
    if (!applied.ok()) {
        return refuse(applied.error);
    }
    ScheduleReportPrinter printer(schedule, *format, *data, setup, *applied.fonts,
                                  QDateTime::currentDateTime());
    if (printer.print(device.writer()) != RunOutcome::Done) {
        return refuse(pdf + QStringLiteral(": the PDF file could not be written"));
    }
    return kOk;
}

} // namespace kalmur::PrintCommand
