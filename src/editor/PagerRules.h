#pragma once

#include <QDate>

namespace kalmur {

// The date arithmetic of the page changer: each move gives the new date and
// whether it was clamped to the schedule's dates (the changer then beeps).
struct PagerMove {
    QDate date;
    bool clamped = false;
};

struct PagerRules {
    QDate fileStart;
    QDate fileEnd;
    int weekStart = 1;    // 1 = Sunday .. 7 = Saturday
    int daysOnScreen = 7; // the window length

    // The nearest earlier date, 1 to 7 days back, on the first day of the
    // week; before the start: the start.
    PagerMove weekBack(QDate date) const;
    // The nearest later date, 1 to 7 days ahead, on the first day of the
    // week; after the end: unchanged.
    PagerMove weekForward(QDate date) const;
    // The first day of the previous / next month, clamped to the start / end.
    PagerMove monthBack(QDate date) const;
    PagerMove monthForward(QDate date) const;
    // One screen of days back / ahead, clamped so that a page never ends after
    // the end.
    PagerMove pageBack(QDate date) const;
    PagerMove pageForward(QDate date) const;
    // The latest date a page can start on.
    QDate lastPageStart() const { return fileEnd.addDays(1 - daysOnScreen); }
    // A date brought into the range a page can start in, without notice.
    QDate clampStart(QDate date) const;
};

} // namespace kalmur
