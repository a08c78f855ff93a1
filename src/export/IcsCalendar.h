#pragma once

#include "CellEvent.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <vector>

namespace kalmur {

class IcsZone;

// One employee's calendar: the events of the cells of one employee slot.
struct IcsEmployee {
    int slot = 0;
    QString name;     // trimmed
    QString position; // trimmed; the events' location
    std::vector<CellEvent> events;
};

namespace IcsCalendar {

// A UID that stays the same for a cell from export to export: made from the
// archive's file name, the employee slot and the date.
QString uid(const QString& archiveFileName, int slot, QDate date);

// The VCALENDAR text of one employee, with the VTIMEZONE of `zone` from
// `firstDate` on. `stamp` is the time of the export.
QByteArray text(const IcsEmployee& employee, const QString& archiveFileName, const IcsZone& zone,
                QDate firstDate, const QDateTime& stamp);

} // namespace IcsCalendar

} // namespace kalmur
