#include "QueryPrintCommand.h"

#include "CommandInput.h"
#include "PrintCommand.h"
#include "QueryCsv.h"
#include "RowList.h"
#include "ToolSession.h"
#include "model/criteria/QueryRun.h"
#include "model/schedule/Schedule.h"
#include "reports/CostReport.h"
#include "reports/PdfDevice.h"
#include "reports/QueryReport.h"

#include <algorithm>

namespace kalmur::QueryPrintCommand {

namespace {

constexpr int kOk = 0;
constexpr int kRefused = 1;
constexpr int kUsageError = 2;

std::optional<QDate> isoDate(const QString& text) {
    const QDate date = QDate::fromString(text, Qt::ISODate);
    if (!date.isValid() || text.size() != 10) {
        return std::nullopt;
    }
    return date;
}

} // namespace

int run(const QString& archive, const QMap<QString, QString>& values, const QStringList& flags,
        QTextStream& err) {
    auto usage = [&](const QString& message) {
        err << "kalmur-tool: " << message << "\nusage: kalmur-tool " << PrintCommand::kUsage
            << Qt::endl;
        return kUsageError;
    };
    auto refuse = [&](const QString& message) {
        err << "kalmur-tool: " << message << Qt::endl;
        return kRefused;
    };
    const bool notes = flags.contains(QStringLiteral("--notes"));
    if (notes == values.contains(QStringLiteral("--query")) ||
        !values.contains(QStringLiteral("--start")) || !values.contains(QStringLiteral("--end"))) {
        return usage(
            QStringLiteral("the query report needs --notes or --query, --start and --end"));
    }
    for (const char* other : {"--days", "--month", "--format", "--screen", "--blank"}) {
        if (values.contains(QLatin1String(other)) || flags.contains(QLatin1String(other))) {
            return usage(QLatin1String(other) + QStringLiteral(" is not for the query report"));
        }
    }
    const QString pdf = values.value(QStringLiteral("--pdf"));
    if (pdf.isEmpty()) {
        return usage(QStringLiteral("print needs --pdf OUT.pdf"));
    }
    std::optional<std::vector<int>> rows;
    if (values.contains(QStringLiteral("--rows"))) {
        rows = readRowList(values.value(QStringLiteral("--rows")));
        if (!rows) {
            return usage(QStringLiteral("--rows takes employee entries 1 to 200 such as 1,3-7"));
        }
    }
    std::optional<bool> letter;
    const PrintCommand::Paper paper = PrintCommand::readPaper(values);
    if (!paper.ok) {
        return usage(QStringLiteral("--paper takes letter or a4"));
    }
    letter = paper.letter;
    int number = QueryRun::kNotes;
    if (!notes) {
        bool isNumber = false;
        number = values.value(QStringLiteral("--query")).toInt(&isNumber);
        if (!isNumber || number < 1 || number > QueryRecord::kCount) {
            return refuse(QStringLiteral("--query must be a saved query number 1 to 10"));
        }
    }
    std::optional<QDate> dates[2];
    for (int i = 0; i < 2; ++i) {
        const QString text =
            values.value(i == 0 ? QStringLiteral("--start") : QStringLiteral("--end"));
        dates[i] = isoDate(text);
        if (!dates[i]) {
            return refuse(QStringLiteral("The date entered ") + text +
                          QStringLiteral(" is not a valid date."));
        }
    }

    ToolSession session;
    if (const QString e = CommandInput::openPrintable(session, archive); !e.isEmpty()) {
        return refuse(e);
    }
    const Schedule& schedule = session.schedule();
    const QueryCsv::Days days = QueryCsv::days(schedule, *dates[0], *dates[1]);
    if (!days.refusal.isEmpty()) {
        return refuse(days.refusal);
    }
    const auto result = QueryRun::run(schedule, number, days.first, days.last);
    if (!result) {
        return refuse(QStringLiteral("cannot read the query or the days of ") + archive);
    }
    // The window's list starts with every name found selected; --rows keeps
    // some of them.
    std::vector<int> entries;
    for (const QueryRun::Found& f : result->found) {
        if (!rows || std::find(rows->begin(), rows->end(), f.entry) != rows->end()) {
            entries.push_back(f.entry);
        }
    }
    const auto employees =
        QueryReport::collect(schedule, *result, entries,
                             !result->notesMode && flags.contains(QStringLiteral("--names-only")));
    if (!employees) {
        return refuse(QStringLiteral("cannot read the days of ") + archive);
    }
    const PrintSetup setup = QueryReport::printSetup(schedule.settings().querySetup, result->title);
    PdfDevice device(pdf, letter);
    const AppliedSetup applied = applySetup(setup, device, [&](const QString& warning) {
        err << "kalmur-tool: " << warning << Qt::endl;
        return true;
    });
    if (!applied.ok()) {
        return refuse(applied.error);
    }
    QueryReportPrinter printer(
        *employees, result->notesMode, setup, *applied.fonts,
        CostReport::subtitle(schedule.dateOfDay(days.first), days.last - days.first + 1),
        QDateTime::currentDateTime());
    if (printer.print(device.writer()) != RunOutcome::Done) {
        return refuse(pdf + QStringLiteral(": the PDF file could not be written"));
    }
    return kOk;
}

} // namespace kalmur::QueryPrintCommand
