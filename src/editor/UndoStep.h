#pragma once

#include "model/records/Cell.h"
#include "model/records/EmployeeTable.h"
#include "model/records/ScheduleSettings.h"

#include <QString>

#include <array>
#include <cstdint>
#include <memory>
#include <variant>
#include <vector>

namespace kalmur {

class Schedule;

// The one level of undo. A changing command saves what it is about to change
// before it changes it: either a run of days of one employee slot (cells and
// note texts), or the rows (the row order and the employee table). Saving a
// step replaces the last one; a change of the selection forgets it; undoing
// it uses it up.
class UndoStep {
public:
    // What undoing restored, for redrawing.
    struct Restored {
        enum class Kind { Nothing, Days, Rows };
        Kind kind = Kind::Nothing;
        int firstDay = 0;
        int lastDay = 0;
        bool written = true; // the employee file took the restored table
    };

    // Saves days firstDay..lastDay of `slot`.
    void saveDays(const Schedule& schedule, int slot, int firstDay, int lastDay,
                  const QString& caption);
    // Saves the row order and the employee table.
    void saveRows(const Schedule& schedule, const QString& caption);
    // The command after the save was not carried out: nothing to undo.
    void forget();

    bool canUndo() const { return !std::holds_alternative<std::monostate>(m_step); }
    // The Undo menu item's caption: the last command's, or "Can't Undo".
    QString caption() const;

    // Puts back what was saved and forgets it. Rows are written to the
    // employee file at once (the row order goes with the settings record).
    Restored undo(Schedule& schedule);

private:
    struct SavedDay {
        Cell cell;
        QString noteText;
    };
    struct Days {
        int slot = 0;
        int firstDay = 0;
        std::vector<SavedDay> days;
    };
    struct Rows {
        std::array<std::int16_t, ScheduleSettings::kRows> rowOrder{};
        // Held on the heap: the table is large and most steps are days.
        std::shared_ptr<const EmployeeTable> employees;
    };

    Restored undoDays(Schedule& schedule, const Days& days);
    Restored undoRows(Schedule& schedule, const Rows& rows);

    std::variant<std::monostate, Days, Rows> m_step;
    QString m_caption;
};

} // namespace kalmur
