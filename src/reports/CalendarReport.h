#pragma once

#include "PageFrame.h"
#include "model/records/ReportSetup.h"
#include "model/records/ViewFormat.h"

#include <QDate>
#include <QRect>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <vector>

class QFontMetrics;

namespace kalmur {

class Schedule;

// The monthly calendar and the personal schedule share one page: a heading,
// a band of weekday names and six rows of seven day boxes, each box holding
// the day number and the employee's items of that day. The two reports differ
// only in the days they choose and in the text naming them.
namespace CalendarReport {

inline constexpr int kColumns = 7;
inline constexpr int kRows = 6;
inline constexpr int kBoxes = kColumns * kRows;
inline constexpr int kMaxDays = kBoxes;

// The option entries (1-based) of the calendar's and the personal schedule's
// setups.
enum Option {
    kShiftDescription = 1,
    kExplanations = 2,
    kStartEndTime = 3,
    kShiftLength = 4,
    kOnCall = 5,
    kNotes = 6,
    kStartOnSunday = 10
};
inline constexpr std::array<Option, 6> kItemOptions = {
    kShiftDescription, kExplanations, kStartEndTime, kShiftLength, kOnCall, kNotes};

// A month offered by the calendar window: "January, 1997" and its first day.
struct Month {
    QString text;
    QDate first;
    bool operator==(const Month&) const = default;
};
// One entry per calendar month from the month of `start` to that of `end`.
std::vector<Month> months(QDate start, QDate end);
// The entry holding `day`, or 0 when none does.
int monthIndex(const std::vector<Month>& months, QDate day);

// The days one report prints and the weekday its rows start on (1 = Monday
// .. 7 = Sunday, as QDate counts).
struct Run {
    QDate first;
    QDate last;
    int firstWeekday = 7;
    QString text; // names the days in the heading

    // A calendar month. The rows start on the schedule's first day of the
    // week (`weekStart`, 1 = Sunday .. 7 = Saturday), or on Sunday.
    static Run month(const Month& month, int weekStart, bool sundayStart);
    // `days` days (1..42) from `start`, the rows starting on its weekday.
    static Run days(QDate start, int days);

    int dayCount() const { return int(first.daysTo(last)) + 1; }
    // Empty boxes before the first day.
    int leading() const { return (first.dayOfWeek() - firstWeekday + kColumns) % kColumns; }
    // The date in box 0..41 (left to right, top to bottom); invalid for a box
    // before the first or after the last day.
    QDate dateInBox(int box) const;
    // The weekday names from the first weekday on: "Sunday", "Monday", ...
    QStringList weekdayNames() const;
};

// One day box of a page: its date (invalid: the box stays empty), the item
// lines chosen by the options and the note, which may take several lines.
struct Box {
    QDate date;
    QStringList items;
    QString note;
};

// One employee's page.
struct Page {
    QString subject; // the run's text, " - ", the name and the position
    std::array<Box, kBoxes> boxes;
};

// What a run prints, read from the schedule before the first page: days
// outside the schedule print their number only, and "Blank Schedule" gives
// day numbers only.
struct Data {
    Run run;
    bool blank = false;
    std::vector<Page> pages;

    // One page per display row of `rows` that holds an employee (blank and
    // divider rows are skipped). Times are in the view format's time format;
    // nothing when a day could not be read.
    static std::optional<Data> collect(const Schedule& schedule, const ViewFormat& format,
                                       const Run& run, const std::vector<int>& rows,
                                       const ReportSetup& setup, bool blank);
};

// Where the parts of a page lie, in device pixels.
struct Layout {
    QRect title;   // the title line, with the run date and time at its sides
    QRect subject; // the line naming the days and the employee
    QRect band;    // the weekday names
    std::array<QRect, kColumns> weekdays;
    std::array<QRect, kBoxes> boxes;

    // The band and the boxes fill `frame` below the heading's lines; the
    // columns and rows differ by at most one pixel.
    static Layout of(const PageFrame& frame, int titleHeight, int headingHeight, int textHeight);
};

// The lines of a box as drawn inside `width` pixels and `lines` lines: the
// day number, each item on one line and the note wrapped at words over what
// is left. A line too wide is cut short with an ellipsis; lines beyond the
// box are dropped.
QStringList boxLines(const QString& dayNumber, const Box& box, const QFontMetrics& metrics,
                     int width, int lines);

} // namespace CalendarReport

} // namespace kalmur
