#include "CalendarCommand.h"

#include "CommandInput.h"
#include "PrintCommand.h"
#include "RowList.h"
#include "ToolSession.h"
#include "model/schedule/Schedule.h"
#include "reports/CalendarReportPrinter.h"
#include "reports/PrintDays.h"

namespace kalmur::CalendarCommand {

namespace {

constexpr int kRefused = 1;
constexpr int kUsageError = 2;

const QString kCalendar = QStringLiteral("calendar");
const QString kPersonal = QStringLiteral("personal");

} // namespace

bool prints(const QString& report) {
    return report == kCalendar || report == kPersonal;
}

int run(const QString& archive, const QMap<QString, QString>& values, const QStringList& flags,
        QTextStream& err) {
    const bool calendar = values.value(QStringLiteral("--report")) == kCalendar;
    auto usage = [&](const QString& message) {
        err << "kalmur-tool: " << message << "\nusage: kalmur-tool print FILE.kmr --pdf OUT.pdf "
            << (calendar ? "--report calendar --month YYYY-MM"
                         : "--report personal --start YYYY-MM-DD --days N")
            << " [--rows LIST] [--blank] [--paper letter|a4]" << Qt::endl;
        return kUsageError;
    };
    auto refuse = [&](const QString& message) {
        err << "kalmur-tool: " << message << Qt::endl;
        return kRefused;
    };
    const QString pdf = values.value(QStringLiteral("--pdf"));
    if (pdf.isEmpty()) {
        return usage(QStringLiteral("print needs --pdf OUT.pdf"));
    }
    for (const char* other : {"--format", "--screen"}) {
        if (values.contains(QLatin1String(other)) || flags.contains(QLatin1String(other))) {
            return usage(QStringLiteral("this report takes no ") + QLatin1String(other));
        }
    }
    const bool byMonth = values.contains(QStringLiteral("--month"));
    const bool byDays =
        values.contains(QStringLiteral("--start")) || values.contains(QStringLiteral("--days"));
    if (calendar ? (!byMonth || byDays) : (byMonth || !byDays)) {
        return usage(calendar ? QStringLiteral("the calendar needs --month and nothing else")
                              : QStringLiteral("the personal schedule needs --start and --days"));
    }
    QDate first;
    int days = 0;
    if (calendar) {
        const QString monthText = values.value(QStringLiteral("--month"));
        first = QDate::fromString(monthText + QStringLiteral("-01"), Qt::ISODate);
        if (!first.isValid()) {
            return usage(QStringLiteral("--month takes YYYY-MM, not ") + monthText);
        }
    } else {
        const QString startText = values.value(QStringLiteral("--start"));
        first = QDate::fromString(startText, Qt::ISODate);
        if (!first.isValid()) {
            return refuse(PrintDays::dateError(startText));
        }
        days = values.value(QStringLiteral("--days")).toInt();
        if (const QString e = PrintDays::daysError(days); !e.isEmpty()) {
            return refuse(e);
        }
    }
    std::optional<std::vector<int>> rows;
    if (values.contains(QStringLiteral("--rows"))) {
        rows = readRowList(values.value(QStringLiteral("--rows")));
        if (!rows) {
            return usage(QStringLiteral("--rows takes display rows 1 to 200 such as 1,3-7"));
        }
    }
    std::optional<bool> letter;
    const PrintCommand::Paper paper = PrintCommand::readPaper(values);
    if (!paper.ok) {
        return usage(QStringLiteral("--paper takes letter or a4"));
    }
    letter = paper.letter;
    ToolSession session;
    if (const QString e = CommandInput::openPrintable(session, archive); !e.isEmpty()) {
        return refuse(e);
    }
    const Schedule& schedule = session.schedule();
    const ScheduleSettings& settings = schedule.settings();
    const ReportSetup& stored = calendar ? settings.calendarSetup : settings.personalSetup;
    const CalendarReport::Run run =
        calendar
            ? CalendarReport::Run::month({CalendarReport::months(first, first).front().text, first},
                                         settings.weekStart,
                                         stored.options[CalendarReport::kStartOnSunday - 1])
            : CalendarReport::Run::days(first, days);
    if (!rows) {
        // Every named row, as the windows list them.
        rows.emplace();
        for (int r = 1; r <= EmployeeTable::kRows; ++r) {
            rows->push_back(r);
        }
    }
    const auto data =
        CalendarReport::Data::collect(schedule, schedule.viewFormat(), run, *rows, stored,
                                      flags.contains(QStringLiteral("--blank")));
    if (!data) {
        return refuse(schedule.errorString());
    }
    const PrintSetup setup = PrintSetup::prepare(stored);
    return PrintCommand::printToPdf(
        pdf, letter, setup, err, [&](QPagedPaintDevice& device, const PrintFonts& fonts) {
            CalendarReportPrinter printer(*data, setup, fonts, schedule.viewFormat().timeFormat,
                                          QDateTime::currentDateTime());
            return printer.print(device);
        });
}

} // namespace kalmur::CalendarCommand
