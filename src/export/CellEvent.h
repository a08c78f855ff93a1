#pragma once

#include "model/records/Cell.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QTime>

#include <optional>

namespace kalmur {

class Schedule;

// What one cell of one day puts into an employee's calendar: a timed event for
// a shift 1..99 with times, otherwise an all-day event named by the shift, the
// time-off or on-call mark, the explanation or the note mark.
struct CellEvent {
    QDate date;
    bool allDay = true;
    QTime start;              // timed events only
    QTime end;                // timed events only
    bool endsNextDay = false; // an end at or before the start
    QString summary;
    QStringList details; // the description's lines

    // The event of `cell` on `date`; nothing for an empty cell.
    static std::optional<CellEvent> of(const Schedule& schedule, const Cell& cell, QDate date);
    bool operator==(const CellEvent&) const = default;
};

} // namespace kalmur
