#pragma once

#include "model/schedule/Schedule.h"

#include <QString>

namespace kalmur {

// The texts of the panels that describe the current cell or selection.
struct CurrentCellText {
    QString shiftDescription; // TopInfoShiftDesc
    QString shiftHours;       // TopInfoShiftHours
};

// For the cells of `slot` at window positions first..last (one day when equal);
// `timeFormat` is the program-wide time format.
CurrentCellText currentCellText(const Schedule& schedule, int slot, int first, int last,
                                const QString& timeFormat);

// "DDD", two spaces and the short date, e.g. "Tue  12/8/2026".
QString dateOnText(QDate date);
// The first and last visible dates joined by " - ".
QString visibleDatesText(QDate first, QDate last);

} // namespace kalmur
