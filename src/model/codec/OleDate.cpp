#include "OleDate.h"

#include <cmath>

namespace kalmur::OleDate {

QDate epoch() {
    return QDate(1899, 12, 30);
}

double fromDate(QDate date) {
    return static_cast<double>(epoch().daysTo(date));
}

double fromTime(QTime time) {
    return time.msecsSinceStartOfDay() / 86'400'000.0;
}

std::optional<int> dayNumber(double value) {
    if (!std::isfinite(value) || value < kMinDay || value >= kMaxDay + 1.0) {
        return std::nullopt;
    }
    return static_cast<int>(std::floor(value));
}

std::optional<QDate> toDate(double value) {
    const auto day = dayNumber(value);
    if (!day) {
        return std::nullopt;
    }
    return epoch().addDays(*day);
}

QTime toTime(double value) {
    if (!std::isfinite(value) || std::fabs(value) > kMaxDay + 1.0) {
        return QTime(0, 0);
    }
    // OLE dates before the epoch count the fraction away from zero: -1.25 is
    // 29 December 1899, 06:00. The time of day is therefore |fraction|.
    const double fraction = std::fabs(value - std::trunc(value));
    auto minutes = static_cast<int>(std::lround(fraction * 1440.0));
    if (minutes >= 1440) {
        minutes = 0;
    }
    return QTime(minutes / 60, minutes % 60);
}

} // namespace kalmur::OleDate
