#include "CriteriaRules.h"

#include "model/records/EmployeeTable.h"
#include "model/records/ExplanationTable.h"
#include "model/records/ShiftRecord.h"

#include <algorithm>

namespace kalmur::CriteriaRules {

namespace {

constexpr int kSlots = ScheduleSettings::kRows;

// The slot (1..200) of employee-table entry e, or 0 when its row order does
// not name one.
int slotOf(RowOrder rowOrder, int entry) {
    if (entry < 1 || entry > kSlots) {
        return 0;
    }
    const int slot = rowOrder[static_cast<std::size_t>(entry - 1)];
    return slot >= 1 && slot <= kSlots ? slot : 0;
}

template <std::size_t N>
std::set<int> marked(const QList<Entry>& entries, const std::array<std::uint8_t, N>& marks) {
    std::set<int> chosen;
    for (const Entry& e : entries) {
        if (e.number >= 0 && static_cast<std::size_t>(e.number) < N &&
            marks[static_cast<std::size_t>(e.number)] == 1) {
            chosen.insert(e.number);
        }
    }
    return chosen;
}

template <std::size_t N>
void mark(std::array<std::uint8_t, N>& marks, const std::set<int>& chosen) {
    marks.fill(0);
    for (const int n : chosen) {
        if (n >= 0 && static_cast<std::size_t>(n) < N) {
            marks[static_cast<std::size_t>(n)] = 1;
        }
    }
}

} // namespace

Lists lists(const EmployeeTable& employees, const ExplanationTable& explanations,
            std::span<const ShiftRecord> shifts) {
    Lists l;
    l.positions.append(kNoPosition);
    QStringList seen;
    for (int e = 1; e <= EmployeeTable::kRows; ++e) {
        const auto i = static_cast<std::size_t>(e - 1);
        const QString position = employees.positions[i].trimmed();
        if (employees.isNamed(e)) {
            l.employees.append({employees.names[i].trimmed() + QStringLiteral(", ") + position, e});
        }
        // Positions are offered once each, whatever their case and blanks.
        if (!position.isEmpty() && !seen.contains(position.toUpper())) {
            seen.append(position.toUpper());
            l.positions.append(position);
        }
    }
    for (int n = 1; n <= ExplanationTable::kCount; ++n) {
        if (!explanations.isUndefined(n)) {
            l.explanations.append({explanations.description(n).trimmed(), n});
        }
    }
    const auto described = [&](int n) -> QString {
        return n >= 1 && static_cast<std::size_t>(n) <= shifts.size()
                   ? shifts[static_cast<std::size_t>(n - 1)].description.trimmed()
                   : QString();
    };
    l.shifts.append({QStringLiteral("Not Scheduled"), 0});
    l.shifts.append({described(ShiftRecord::kOff), ShiftRecord::kOff});
    l.shifts.append({described(ShiftRecord::kOnCall), ShiftRecord::kOnCall});
    for (int n = 1; n <= ShiftRecord::kUserShifts; ++n) {
        if (static_cast<std::size_t>(n) <= shifts.size() &&
            !shifts[static_cast<std::size_t>(n - 1)].isUndefined()) {
            l.shifts.append({described(n), n});
        }
    }
    return l;
}

State fromLine(const CoverageLine& line, const Lists& lists, RowOrder rowOrder) {
    State s;
    s.ignoreNames = line.ignoreNames;
    s.ignoreExplanations = line.ignoreExplanations;
    s.ignoreShifts = line.ignoreShifts;
    s.byPosition = line.checkByPosition;
    const QString position = line.position.trimmed();
    // The list holds each position once, whatever its case.
    s.position = 0;
    for (qsizetype i = 1; i < lists.positions.size() && !position.isEmpty(); ++i) {
        if (lists.positions[i].compare(position, Qt::CaseInsensitive) == 0) {
            s.position = static_cast<int>(i);
            break;
        }
    }
    for (const Entry& e : lists.employees) {
        const int slot = slotOf(rowOrder, e.number);
        if (slot > 0 && line.employeeMarks[static_cast<std::size_t>(slot - 1)] == 1) {
            s.employees.insert(e.number);
        }
    }
    s.explanations = marked(lists.explanations, line.explanationMarks);
    s.shifts = marked(lists.shifts, line.shiftMarks);
    return s;
}

CoverageLine toLine(const State& state, const Lists& lists, RowOrder rowOrder, CoverageLine line) {
    line.ignoreNames = state.ignoreNames;
    line.ignoreExplanations = state.ignoreExplanations;
    line.ignoreShifts = state.ignoreShifts;
    line.checkByPosition = state.byPosition;
    line.position = state.position >= 0 && state.position < lists.positions.size()
                        ? lists.positions[state.position].trimmed()
                        : kNoPosition;
    line.employeeMarks.fill(0);
    for (const int e : state.employees) {
        if (const int slot = slotOf(rowOrder, e); slot > 0) {
            line.employeeMarks[static_cast<std::size_t>(slot - 1)] = 1;
        }
    }
    mark(line.explanationMarks, state.explanations);
    mark(line.shiftMarks, state.shifts);
    return line;
}

void settle(State& state) {
    if (state.ignoreNames) {
        state.byPosition = false;
    } else if (!state.byPosition) {
        state.position = 0;
    }
}

Enabled enabled(const State& state) {
    Enabled e;
    e.byPosition = !state.ignoreNames;
    e.position = !state.ignoreNames && state.byPosition;
    e.employees = !state.ignoreNames && !state.byPosition;
    e.explanations = !state.ignoreExplanations;
    e.shifts = !state.ignoreShifts;
    return e;
}

void ignoreClicked(State& state, Tab tab) {
    switch (tab) {
    case Tab::Names:
        state.employees.clear();
        break;
    case Tab::Explanations:
        state.explanations.clear();
        break;
    case Tab::Shifts:
        state.shifts.clear();
        break;
    }
    settle(state);
}

void byPositionClicked(State& state) {
    state.employees.clear();
    settle(state);
}

void remove(State& state) {
    state.ignoreNames = true;
    state.ignoreExplanations = true;
    state.ignoreShifts = true;
    for (const Tab tab : {Tab::Names, Tab::Explanations, Tab::Shifts}) {
        ignoreClicked(state, tab);
    }
}

QString titleAfterIgnore(const QString& title, const QString& defaultTitle) {
    return title.trimmed() == QLatin1String("undefined") ? defaultTitle : title;
}

} // namespace kalmur::CriteriaRules
