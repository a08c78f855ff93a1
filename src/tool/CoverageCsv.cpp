#include "CoverageCsv.h"

#include "model/criteria/MatchCounts.h"
#include "model/schedule/DayRange.h"
#include "model/schedule/Schedule.h"

#include <algorithm>

namespace kalmur::CoverageCsv {

QString field(const QString& text) {
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) &&
        !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r'))) {
        return text;
    }
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

bool write(const Schedule& schedule, const ViewFormat& format, int firstDay, int lastDay,
           QTextStream& out) {
    const int lines = std::clamp<int>(format.coverageVisible, 0, ViewFormat::kCoverageLines);
    const auto criteria = Criteria::coverage(format, lines);
    const DayRange range(schedule, firstDay, lastDay);
    const auto counted =
        MatchCounts::perDay(criteria, schedule.employees(), schedule.settings().rowOrder, range);
    if (!counted) {
        return false;
    }
    QString text = QStringLiteral("line,title");
    for (int d = range.first(); d <= range.last(); ++d) {
        text += QLatin1Char(',') + schedule.dateOfDay(d).toString(Qt::ISODate);
    }
    text += QLatin1Char('\n');
    for (int l = 0; l < lines; ++l) {
        text += QString::number(l + 1) + QLatin1Char(',') +
                field(format.coverageLines[static_cast<std::size_t>(l)].title.trimmed());
        for (const int total : (*counted)[static_cast<std::size_t>(l)]) {
            text += QLatin1Char(',') + QString::number(total);
        }
        text += QLatin1Char('\n');
    }
    out << text;
    return true;
}

} // namespace kalmur::CoverageCsv
