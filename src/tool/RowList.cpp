#include "RowList.h"

#include "model/records/EmployeeTable.h"

#include <QStringList>

namespace kalmur {

std::optional<std::vector<int>> readRowList(const QString& text) {
    std::vector<int> rows;
    for (const QString& part : text.split(QLatin1Char(','))) {
        const QStringList ends = part.trimmed().split(QLatin1Char('-'));
        bool firstOk = false;
        bool lastOk = false;
        const int first = ends.value(0).toInt(&firstOk);
        const int last = ends.size() == 2 ? ends[1].toInt(&lastOk) : first;
        if (!firstOk || ends.size() > 2 || (ends.size() == 2 && !lastOk) || first < 1 ||
            last > EmployeeTable::kRows || last < first) {
            return std::nullopt;
        }
        for (int r = first; r <= last; ++r) {
            rows.push_back(r);
        }
    }
    return rows;
}

} // namespace kalmur
