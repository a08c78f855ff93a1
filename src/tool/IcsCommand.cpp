#include "IcsCommand.h"

#include "CommandInput.h"
#include "RowList.h"
#include "ToolSession.h"
#include "export/IcsExport.h"

#include <QFileInfo>

#include <algorithm>

namespace kalmur::IcsCommand {

namespace {

constexpr int kOk = 0;
constexpr int kRefused = 1;
constexpr int kUsageError = 2;

} // namespace

int run(const QString& archive, const QMap<QString, QString>& values, QTextStream& out,
        QTextStream& err) {
    auto usage = [&](const QString& message) {
        err << "kalmur-tool: " << message << "\nusage: kalmur-tool " << kUsage << Qt::endl;
        return kUsageError;
    };
    auto refuse = [&](const QString& message) {
        err << "kalmur-tool: " << message << Qt::endl;
        return kRefused;
    };
    for (const char* option : {"--start", "--days", "--out"}) {
        if (!values.contains(QLatin1String(option))) {
            return usage(QStringLiteral("export-ics needs --start, --days and --out"));
        }
    }
    IcsExportRequest request;
    const QString startText = values.value(QStringLiteral("--start"));
    request.start = QDate::fromString(startText, Qt::ISODate);
    if (!request.start.isValid() || startText.size() != 10) {
        return refuse(QStringLiteral("The date entered ") + startText +
                      QStringLiteral(" is not a valid date."));
    }
    bool isNumber = false;
    const QString daysText = values.value(QStringLiteral("--days"));
    request.days = daysText.toInt(&isNumber);
    if (!isNumber || request.days < 1) {
        return refuse(QStringLiteral("--days must be a whole number of at least 1, not ") +
                      daysText);
    }
    std::optional<std::vector<int>> rows;
    if (values.contains(QStringLiteral("--rows"))) {
        rows = readRowList(values.value(QStringLiteral("--rows")));
        if (!rows) {
            return usage(QStringLiteral("--rows takes display rows 1 to 200 such as 1,3-7"));
        }
    }
    request.folder = values.value(QStringLiteral("--out"));
    if (request.folder.isEmpty()) {
        return usage(QStringLiteral("--out needs a folder"));
    }

    ToolSession session;
    if (const QString e = CommandInput::openPrintable(session, archive); !e.isEmpty()) {
        return refuse(e);
    }
    const Schedule& schedule = session.schedule();
    const int first = schedule.dayOfDate(request.start);
    if (first < 1 || request.days > schedule.dayCount() - first + 1) {
        return refuse(
            QStringLiteral("Date out of schedule file range: the schedule runs from %1 to %2.")
                .arg(schedule.startDate().toString(Qt::ISODate),
                     schedule.endDate().toString(Qt::ISODate)));
    }
    request.archiveFileName = QFileInfo(archive).fileName();
    for (int row = 1; row <= EmployeeTable::kRows; ++row) {
        if (!rows || std::find(rows->begin(), rows->end(), row) != rows->end()) {
            request.rows.push_back(row);
        }
    }
    const IcsExportResult result = writeIcsFiles(schedule, request);
    if (!result.ok()) {
        return refuse(result.error);
    }
    for (const QString& path : result.files) {
        out << path << '\n';
    }
    out.flush();
    return kOk;
}

} // namespace kalmur::IcsCommand
