#include "PagerRules.h"

#include <algorithm>

namespace kalmur {

namespace {
// Qt counts Monday 1 .. Sunday 7; schedules count Sunday 1 .. Saturday 7.
int scheduleWeekday(QDate date) {
    return date.dayOfWeek() % 7 + 1;
}
} // namespace

PagerMove PagerRules::weekBack(QDate date) const {
    QDate d = date.addDays(-1);
    while (scheduleWeekday(d) != weekStart) {
        d = d.addDays(-1);
    }
    if (d < fileStart) {
        return {fileStart, true};
    }
    return {d, false};
}

PagerMove PagerRules::weekForward(QDate date) const {
    QDate d = date.addDays(1);
    while (scheduleWeekday(d) != weekStart) {
        d = d.addDays(1);
    }
    if (d > fileEnd) {
        return {date, true};
    }
    return {d, false};
}

PagerMove PagerRules::monthBack(QDate date) const {
    const QDate d = QDate(date.year(), date.month(), 1).addMonths(-1);
    if (d < fileStart) {
        return {fileStart, true};
    }
    return {d, false};
}

PagerMove PagerRules::monthForward(QDate date) const {
    const QDate d = QDate(date.year(), date.month(), 1).addMonths(1);
    if (d > fileEnd) {
        return {fileEnd, true};
    }
    return {d, false};
}

PagerMove PagerRules::pageBack(QDate date) const {
    const QDate d = date.addDays(-daysOnScreen);
    if (d < fileStart) {
        return {fileStart, true};
    }
    return {d, false};
}

PagerMove PagerRules::pageForward(QDate date) const {
    const QDate d = date.addDays(daysOnScreen);
    if (d > lastPageStart()) {
        return {lastPageStart(), true};
    }
    return {d, false};
}

QDate PagerRules::clampStart(QDate date) const {
    const QDate last = std::max(fileStart, lastPageStart());
    return std::clamp(date, fileStart, last);
}

} // namespace kalmur
