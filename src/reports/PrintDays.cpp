#include "PrintDays.h"

namespace kalmur::PrintDays {

DaysToPrint stored(const ViewFormat& format) {
    switch (format.value231) {
    case 1:
        return DaysToPrint::CurrentMonth;
    case 2:
        return DaysToPrint::Selected;
    default:
        return DaysToPrint::SameAsScreen;
    }
}

void store(ViewFormat& format, DaysToPrint choice) {
    format.value231 = static_cast<std::int16_t>(choice);
}

Range rangeFor(DaysToPrint choice, const Grid& grid) {
    switch (choice) {
    case DaysToPrint::CurrentMonth: {
        const QDate first(grid.currentDay.year(), grid.currentDay.month(), 1);
        return {first, first.daysInMonth()};
    }
    case DaysToPrint::Selected:
        return {grid.currentDay, grid.taggedDays};
    case DaysToPrint::SameAsScreen:
        break;
    }
    return {grid.firstShown, grid.daysOnScreen};
}

QString daysError(int days) {
    if (days < 1) {
        return QStringLiteral("Number of days must be greater than zero.");
    }
    if (days > kMaxDays) {
        return QStringLiteral("Number of days cannot be greater than 42.");
    }
    return {};
}

QString dateError(const QString& text) {
    return QStringLiteral("The date entered ") + text + QStringLiteral(" is not a valid date.");
}

} // namespace kalmur::PrintDays
