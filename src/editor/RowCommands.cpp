#include "RowCommands.h"

#include "platform/WriteFailure.h"

namespace kalmur {

RowCommands::RowCommands(ProgramState& state, Platform& platform, UndoStep& undo, QWidget* parent,
                         Hooks hooks)
    : m_state(state)
    , m_platform(platform)
    , m_undo(undo)
    , m_parent(parent)
    , m_hooks(std::move(hooks)) {
}

bool RowCommands::run(const QString& undoCaption, const std::function<void(Schedule&)>& change) {
    Schedule& schedule = m_state.schedule();
    if (!schedule.isOpen()) {
        return false;
    }
    m_undo.saveRows(schedule, undoCaption);
    change(schedule);
    schedule.setModified();
    const bool written = schedule.writeEmployees();
    if (!written) {
        const QString why = schedule.errorString();
        m_undo.undo(schedule);
        warnNotWritten(m_platform, m_parent, QStringLiteral("The employee list"), why);
    }
    if (m_hooks.repaintRows) {
        m_hooks.repaintRows();
    }
    if (m_hooks.recountCoverage) {
        m_hooks.recountCoverage();
    }
    if (m_hooks.undoChanged) {
        m_hooks.undoChanged();
    }
    return written;
}

} // namespace kalmur
