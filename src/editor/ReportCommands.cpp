#include "ReportCommands.h"

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
        m_platform.warn(m_parent, {QStringLiteral("The schedule could not be written (") +
                                       schedule.errorString() + QStringLiteral(")."),
                                   QStringLiteral("Error"), MessageIcon::Stop, MessageButtons::Ok,
                                   std::nullopt});
        return false;
    }
    report();
    schedule.loadWindow();
    if (m_hooks.reloaded) {
        m_hooks.reloaded();
    }
    return true;
}

} // namespace kalmur
