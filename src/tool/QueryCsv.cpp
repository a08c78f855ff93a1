#include "QueryCsv.h"

#include "Csv.h"
#include "model/criteria/QueryRun.h"
#include "model/schedule/Schedule.h"

#include <algorithm>

namespace kalmur::QueryCsv {

Days days(const Schedule& schedule, QDate start, QDate end) {
    const QDate first = schedule.startDate();
    const QDate last = schedule.endDate();
    if (start > last || end < first) {
        return {0, 0, QStringLiteral("Date out of schedule file range.")};
    }
    start = std::max(start, first);
    end = std::min(end, last);
    if (end < start) {
        return {0, 0, QStringLiteral("EndDate must be greater or equal to StartDate")};
    }
    return {schedule.dayOfDate(start), schedule.dayOfDate(end), {}};
}

bool write(const Schedule& schedule, int number, int first, int last, QTextStream& out) {
    const auto result = QueryRun::run(schedule, number, first, last);
    if (!result) {
        return false;
    }
    QString text = QStringLiteral("entry,name,days\n");
    for (const QueryRun::Found& f : result->found) {
        text += QString::number(f.entry) + QLatin1Char(',') + Csv::field(f.name) +
                QLatin1Char(',') + QString::number(f.days) + QLatin1Char('\n');
    }
    out << text;
    return true;
}

} // namespace kalmur::QueryCsv
