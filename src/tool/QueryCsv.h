#pragma once

#include <QDate>
#include <QString>
#include <QTextStream>

namespace kalmur {

class Schedule;

// A query run as CSV: the header "entry,name,days" and one line per
// employee-table entry whose count of matching days is above 0, in entry
// order. The run is the Query window's (QueryRun).
namespace QueryCsv {

// The days a run covers for the dates given, by the Query window's rules: a
// start before the schedule's first day is its first day and an end after its
// last day its last; a start after the last day, an end before the first and
// an end before the start are refused with the window's messages.
struct Days {
    int first = 0;
    int last = 0;
    QString refusal; // empty when accepted
};
Days days(const Schedule& schedule, QDate start, QDate end);

// Runs query `number` (0 for "[Notes]") over days first..last. False when the
// query or a day could not be read; nothing is written then.
bool write(const Schedule& schedule, int number, int first, int last, QTextStream& out);

} // namespace QueryCsv

} // namespace kalmur
