#include "ReportCommands.h"

#include "platform/WriteFailure.h"

#include <algorithm>

namespace kalmur {

ReportCommands::ReportCommands(ProgramState& state, Platform& platform, ScheduleDialogs& dialogs,
                               QWidget* parent, Hooks hooks)
    : m_state(state)
    , m_platform(platform)
    , m_dialogs(dialogs)
    , m_parent(parent)
    , m_hooks(std::move(hooks)) {
}

bool ReportCommands::run(const std::function<void()>& report) {
    Schedule& schedule = m_state.schedule();
    if (!schedule.isOpen()) {
        return false;
    }
    if (m_hooks.endEditing) {
        m_hooks.endEditing();
    }
    if (!schedule.flush()) {
        warnNotWritten(m_platform, m_parent, QStringLiteral("The schedule"),
                       schedule.errorString());
        return false;
    }
    report();
    schedule.loadWindow();
    if (m_hooks.reloaded) {
        m_hooks.reloaded();
    }
    return true;
}

bool ReportCommands::query(int firstDay, int lastDay) {
    return run([&] {
        const Schedule& schedule = m_state.schedule();
        const int days = std::max(schedule.dayCount(), 1);
        const int first = std::clamp(firstDay, 1, days);
        const DateRange tagged{schedule.dateOfDay(first),
                               schedule.dateOfDay(std::clamp(lastDay, first, days))};
        m_dialogs.query(m_parent, m_state, tagged);
    });
}

} // namespace kalmur
