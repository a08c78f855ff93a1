#pragma once

#include <QMap>
#include <QString>
#include <QStringList>
#include <QTextStream>

namespace kalmur {

// kalmur-tool print --report calendar | personal: the monthly calendar of a
// month, or the personal schedule of a run of days, one page per named row,
// with the report's stored setup and options. The archive is only read.
namespace CalendarCommand {

// Whether `report` is one of the two.
bool prints(const QString& report);

int run(const QString& archive, const QMap<QString, QString>& values, const QStringList& flags,
        QTextStream& err);

} // namespace CalendarCommand

} // namespace kalmur
