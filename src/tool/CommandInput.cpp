#include "CommandInput.h"

#include "RowList.h"
#include "ToolSession.h"
#include "reports/PrintDays.h"

#include <QFileInfo>

#include <algorithm>

namespace kalmur::CommandInput {

QString openExisting(ToolSession& session, const QString& path) {
    if (QFileInfo(path).suffix().compare(QLatin1String("kmr"), Qt::CaseInsensitive) != 0) {
        return QStringLiteral(
            "The file selected is not a valid schedule file.  Extension must be .kmr");
    }
    if (!QFileInfo(path).isFile()) {
        return path + QStringLiteral(": no such schedule file");
    }
    return session.open(path);
}

QString openPrintable(ToolSession& session, const QString& path) {
    const QFileInfo file(path);
    if (file.suffix().compare(QLatin1String("kmr"), Qt::CaseInsensitive) != 0 || !file.isFile()) {
        return path + QStringLiteral(": no such schedule file");
    }
    return session.open(path);
}

std::vector<int> namedRows(const EmployeeTable& employees,
                           const std::optional<std::vector<int>>& asked) {
    std::vector<int> rows;
    for (int r = 1; r <= EmployeeTable::kRows; ++r) {
        if (employees.isNamed(r) &&
            (!asked || std::find(asked->begin(), asked->end(), r) != asked->end())) {
            rows.push_back(r);
        }
    }
    return rows;
}

Run readRun(const QMap<QString, QString>& values) {
    Run run;
    if (!values.contains(QStringLiteral("--start")) || !values.contains(QStringLiteral("--days"))) {
        run.usage = QStringLiteral("give --start and --days");
        return run;
    }
    if (values.contains(QStringLiteral("--rows"))) {
        run.rows = readRowList(values.value(QStringLiteral("--rows")));
        if (!run.rows) {
            run.usage = QStringLiteral("--rows takes display rows 1 to 200 such as 1,3-7");
            return run;
        }
    }
    const QString startText = values.value(QStringLiteral("--start"));
    run.start = QDate::fromString(startText, Qt::ISODate);
    if (!run.start.isValid() || startText.size() != 10) {
        run.refusal = PrintDays::dateError(startText);
    }
    // As in the windows, a text that does not start with a number counts 0.
    run.days = values.value(QStringLiteral("--days")).toInt();
    return run;
}

} // namespace kalmur::CommandInput
