#pragma once

#include "model/records/Cell.h"
#include "model/records/EmployeeTable.h"
#include "model/records/QueryRecord.h"

#include <QString>

#include <optional>
#include <vector>

namespace kalmur {

class Schedule;

// Running a query over a range of days: for each named employee, the number of
// days on which its cell matches. Query 0 is the built-in "[Notes]", which
// finds the cells carrying a note; 1 to 10 are the saved queries. A saved
// query with a note text counts a day only when the cell's note contains that
// text, ignoring case; the notes are read for the cells that pass the other
// criteria only, each note at most once.
namespace QueryRun {

inline constexpr int kNotes = 0;

// An employee the run found: its employee-table entry (1..200), trimmed name
// and number of matching days (above 0).
struct Found {
    int entry = 0;
    QString name;
    int days = 0;
    bool operator==(const Found&) const = default;
};

struct Result {
    int number = 0;    // 0 for "[Notes]"
    QueryRecord query; // what was run, for describing its matching days
    QString title;     // the query's trimmed title; "Notes" for "[Notes]"
    bool notesMode = false;
    int firstDay = 0; // the days run, clamped to the schedule
    int lastDay = 0;
    std::vector<Found> found; // in entry order
};

// "[Notes]": titled "Notes", ignoring names, explanations and shifts, with no
// position, no marks and no note text.
QueryRecord notesQuery();

// The query `number` stands for: "[Notes]" for 0, the saved query for 1..10;
// nothing for another number or a query file that cannot be read.
std::optional<QueryRecord> load(const Schedule& schedule, int number);

// Runs `query` over days firstDay..lastDay (clamped to the schedule), each day
// read once. Nothing when a day could not be read.
std::optional<Result> run(const Schedule& schedule, const QueryRecord& query, bool notesMode,
                          int firstDay, int lastDay);
// Loads and runs query `number`; nothing when it cannot be read.
std::optional<Result> run(const Schedule& schedule, int number, int firstDay, int lastDay);

// A day on which an employee's cell matched, and the cell.
struct MatchedDay {
    int day = 0; // day number
    Cell cell;
};

// The days of `result` on which the cells of employee-table entries `entries`
// match its query, by the same rules as the run: per entry (in the order
// given), its matching days in date order. Each day is read once. Nothing when
// a day could not be read.
std::optional<std::vector<std::vector<MatchedDay>>>
matchingDays(const Schedule& schedule, const Result& result, const std::vector<int>& entries);

} // namespace QueryRun

} // namespace kalmur
