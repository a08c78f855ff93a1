#pragma once

#include "PasteRules.h"

#include <QDate>
#include <QList>
#include <QString>

namespace kalmur {

struct EmployeeTable;
class Schedule;

// A pattern of consecutive days repeated onto later dates for chosen
// employees: what "Copy Multiple" was asked to do.
struct CopyMultipleJob {
    QDate start;               // the pattern's first day
    int days = 1;              // the pattern's length
    QList<int> rows;           // display rows whose cells are copied
    QList<QDate> destinations; // the first day of each copy
    PasteOptions options;
};

// What a run did: the day records rewritten, and the pattern days left out
// because they would fall after the last day of the schedule.
struct CopyMultipleResult {
    bool ok = true;
    int daysWritten = 0;
    int daysBeyondEnd = 0;
};

// A row offered for copying: "name, position" and its display row.
struct CopyMultipleName {
    QString text;
    int row = 0;
};

// What the "Copy Multiple" window opens with.
struct CopyMultipleSetup {
    QList<CopyMultipleName> names;
    QDate fileStart;
    QDate fileEnd;
    QDate start;  // openingStart()
    int days = 1; // the days selected in the grid
    PasteOptions options;
};

// The date rules of the "Copy Multiple" window and the copy itself, which works
// on the day file in blocks of records rather than cell by cell.
namespace CopyMultiple {

inline constexpr int kMaxDestinations = 100;

// Every named row in display order.
QList<CopyMultipleName> names(const EmployeeTable& employees);
// The start offered on opening: the first selected day, moved back so that a
// week from it fits into the schedule (never before its start).
QDate openingStart(QDate firstSelected, QDate fileStart, QDate fileEnd);
// start + n, start + 2n, ... up to the end date, at most kMaxDestinations;
// none for a pattern shorter than one day.
QList<QDate> destinations(QDate start, int days, QDate fileEnd);

// A typed start date: the message of a refused one ("Error" box), empty when
// the text names a date on or after the schedule's start.
QString startDateRefusal(const QString& text, QDate fileStart);

// Flushes the schedule, lays the pattern onto each destination by the rules of
// selective paste (notes included), then reloads the day window. Pattern days
// past the end of the day file are not copied: the file is never lengthened.
CopyMultipleResult run(Schedule& schedule, const CopyMultipleJob& job);

} // namespace CopyMultiple

} // namespace kalmur
