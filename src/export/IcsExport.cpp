#include "IcsExport.h"

#include "CellEvent.h"
#include "IcsCalendar.h"
#include "IcsZone.h"
#include "model/schedule/DayRange.h"
#include "model/schedule/Schedule.h"

#include <QDir>
#include <QSaveFile>

#include <algorithm>

namespace kalmur {

QString icsFileName(int row, const QString& name) {
    QString safe = name.trimmed();
    for (QChar& c : safe) {
        if (c.unicode() < 0x20 || c == QChar(0x7f) || QStringLiteral("/\\:*?\"<>|").contains(c)) {
            c = QLatin1Char('_');
        }
    }
    return QStringLiteral("%1-%2.ics").arg(row, 3, 10, QLatin1Char('0')).arg(safe);
}

IcsExportResult writeIcsFiles(const Schedule& schedule, const IcsExportRequest& request) {
    IcsExportResult result;
    std::vector<int> rows;
    std::vector<IcsEmployee> employees;
    for (int row : request.rows) {
        const int slot = schedule.slotOfRow(row);
        if (slot == 0 || !schedule.employees().isNamed(row) ||
            std::find(rows.begin(), rows.end(), row) != rows.end()) {
            continue;
        }
        const auto index = static_cast<std::size_t>(row - 1);
        rows.push_back(row);
        employees.push_back({slot,
                             schedule.employees().names[index].trimmed(),
                             schedule.employees().positions[index].trimmed(),
                             {}});
    }
    if (!request.start.isValid()) {
        result.error = QStringLiteral("The start date is not a valid date.");
        return result;
    }
    if (rows.empty()) {
        result.error = QStringLiteral("No employee with a name was chosen.");
        return result;
    }
    if (!QDir().mkpath(request.folder)) {
        result.error = QStringLiteral("Cannot create the folder ") + request.folder;
        return result;
    }

    // The run's days inside the schedule, each read once for every employee.
    const int first = schedule.dayOfDate(request.start);
    const auto last = std::clamp<qint64>(qint64(first) + request.days - 1, qint64(first) - 1,
                                         schedule.dayCount());
    const DayRange range(schedule, first, static_cast<int>(last));
    const bool read = range.forEach([&](int dayNumber, const DayRecord& day) {
        const QDate date = schedule.dateOfDay(dayNumber);
        for (IcsEmployee& employee : employees) {
            if (auto e = CellEvent::of(schedule, day.cell(employee.slot), date)) {
                employee.events.push_back(*e);
            }
        }
    });
    if (!read) {
        result.error = QStringLiteral("Cannot read the days of the schedule.");
        return result;
    }

    const IcsZone zone(request.zoneId);
    const QDate firstDate = range.size() > 0 ? schedule.dateOfDay(range.first()) : request.start;
    const QDir folder(request.folder);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const QString path = folder.filePath(icsFileName(rows[i], employees[i].name));
        QSaveFile file(path);
        const QByteArray text = IcsCalendar::text(employees[i], request.archiveFileName, zone,
                                                  firstDate, request.stamp);
        if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit()) {
            result.error =
                QStringLiteral("Cannot write ") + path + QStringLiteral(": ") + file.errorString();
            return result;
        }
        result.files << path;
    }
    return result;
}

} // namespace kalmur
