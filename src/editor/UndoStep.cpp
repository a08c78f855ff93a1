#include "UndoStep.h"

#include "model/schedule/Schedule.h"

#include <cstdlib>

namespace kalmur {

void UndoStep::saveDays(const Schedule& schedule, int slot, int firstDay, int lastDay,
                        const QString& caption) {
    Days saved;
    saved.slot = slot;
    saved.firstDay = firstDay;
    for (int day = firstDay; day <= lastDay; ++day) {
        const Cell cell = schedule.cellOfDay(slot, day);
        const int note = std::abs(cell.note);
        saved.days.push_back({cell, note != 0 ? schedule.readNote(note) : QString()});
    }
    m_step = std::move(saved);
    m_caption = caption;
}

void UndoStep::saveRows(const Schedule& schedule, const QString& caption) {
    Rows saved;
    saved.rowOrder = schedule.settings().rowOrder;
    saved.employees = std::make_shared<const EmployeeTable>(schedule.employees());
    m_step = std::move(saved);
    m_caption = caption;
}

void UndoStep::forget() {
    m_step = std::monostate{};
    m_caption.clear();
}

QString UndoStep::caption() const {
    return canUndo() ? m_caption : QStringLiteral("Can't Undo");
}

UndoStep::Restored UndoStep::undo(Schedule& schedule) {
    Restored restored;
    if (const auto* days = std::get_if<Days>(&m_step)) {
        restored = undoDays(schedule, *days);
    } else if (const auto* rows = std::get_if<Rows>(&m_step)) {
        restored = undoRows(schedule, *rows);
    }
    forget();
    return restored;
}

UndoStep::Restored UndoStep::undoDays(Schedule& schedule, const Days& saved) {
    if (saved.days.empty()) {
        return {};
    }
    for (std::size_t i = 0; i < saved.days.size(); ++i) {
        const int day = saved.firstDay + static_cast<int>(i);
        const SavedDay& was = saved.days[i];
        const int note = std::abs(was.cell.note);
        if (note != 0 && schedule.readNote(note) != was.noteText) {
            // Put the old text back into its record without touching the cell.
            schedule.setCellOfDay(saved.slot, day, was.cell);
            schedule.writeNoteOfDay(saved.slot, day, was.noteText);
        }
        schedule.setCellOfDay(saved.slot, day, was.cell);
    }
    Restored restored;
    restored.kind = Restored::Kind::Days;
    restored.firstDay = saved.firstDay;
    restored.lastDay = saved.firstDay + static_cast<int>(saved.days.size()) - 1;
    return restored;
}

UndoStep::Restored UndoStep::undoRows(Schedule& schedule, const Rows& saved) {
    schedule.settings().rowOrder = saved.rowOrder;
    schedule.employees() = *saved.employees;
    schedule.setModified();
    Restored restored;
    restored.kind = Restored::Kind::Rows;
    restored.written = schedule.writeEmployees();
    return restored;
}

} // namespace kalmur
