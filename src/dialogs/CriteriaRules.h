#pragma once

#include "model/records/CoverageLine.h"
#include "model/records/ScheduleSettings.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <set>
#include <span>

namespace kalmur {

struct EmployeeTable;
struct ExplanationTable;
struct ShiftRecord;

// The rules of the criteria tabs ("Names", "Explanations", "Shifts") shared by
// the coverage watch dialog and the query editor, without a window: what the
// lists offer, which controls are enabled, and what a selection stores.
namespace CriteriaRules {

using RowOrder = std::span<const std::int16_t, ScheduleSettings::kRows>;

// One entry of a list: its text and the number it carries (the employee-table
// entry, the explanation or the shift).
struct Entry {
    QString text;
    int number = 0;
    bool operator==(const Entry&) const = default;
};

// What the three tabs offer for one schedule.
struct Lists {
    QList<Entry> employees; // named rows: "name, position"
    QStringList positions;  // "None", then each position once
    QList<Entry> explanations;
    QList<Entry> shifts; // "Not Scheduled" (0), time off (100), on call (101), then 1..99
};

// The text of the first position entry; chosen when the line has no position.
inline const QString kNoPosition = QStringLiteral("None");

Lists lists(const EmployeeTable& employees, const ExplanationTable& explanations,
            std::span<const ShiftRecord> shifts);

// What the controls of the three tabs hold.
struct State {
    bool ignoreNames = true;
    bool ignoreExplanations = true;
    bool ignoreShifts = true;
    bool byPosition = false;
    int position = 0; // index into Lists::positions
    // The numbers carried by the selected entries of each list.
    std::set<int> employees;
    std::set<int> explanations;
    std::set<int> shifts;
    bool operator==(const State&) const = default;
};

// Which controls take input.
struct Enabled {
    bool byPosition = false;
    bool position = false;
    bool employees = false;
    bool explanations = false;
    bool shifts = false;
    bool operator==(const Enabled&) const = default;
};

// The controls for a stored line: the four boxes, its position (or "None"),
// and the entries whose marks are set. An employee entry e is selected by the
// mark at its row order, where its day cells are.
State fromLine(const CoverageLine& line, const Lists& lists, RowOrder rowOrder);
// The line the controls describe, on top of `line` (its title is kept): the
// four flags, the chosen position ("None" itself when none is chosen) and
// marks set for the selected entries only.
CoverageLine toLine(const State& state, const Lists& lists, RowOrder rowOrder, CoverageLine line);

// Brings the boxes into line after any click: ignoring names clears "Check by
// Position:"; without it the position goes back to "None".
void settle(State& state);
Enabled enabled(const State& state);

enum class Tab { Names, Explanations, Shifts };
// An ignore box was clicked: that tab's selection is dropped.
void ignoreClicked(State& state, Tab tab);
// "Check by Position:" was clicked: no employee stays selected.
void byPositionClicked(State& state);
// "Remove": every filter off.
void remove(State& state);

// The title after an ignore box or "Remove": a line still "undefined" takes
// its default title, such as "C3".
QString titleAfterIgnore(const QString& title, const QString& defaultTitle);

} // namespace CriteriaRules

} // namespace kalmur
