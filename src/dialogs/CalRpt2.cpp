#include "CalRpt2.h"

#include "files/ProgramState.h"

#include <QComboBox>

namespace kalmur {

CalRpt2::CalRpt2(ProgramState& state, Platform& platform, QDate currentDay, QWidget* parent)
    : CalendarWindow(state, platform, ReportKind::Calendar, parent) {
    setObjectName(QStringLiteral("CalRpt2"));
    setWindowTitle(tr("Monthly Calendar"));
    const Schedule& schedule = m_state.schedule();
    m_months = CalendarReport::months(schedule.startDate(), schedule.endDate());
    m_month = new QComboBox(this);
    m_month->setObjectName(QStringLiteral("Combo1"));
    for (const CalendarReport::Month& month : m_months) {
        m_month->addItem(month.text);
    }
    m_month->setCurrentIndex(CalendarReport::monthIndex(m_months, currentDay));
    build(m_month,
          {{CalendarReport::kStartOnSunday, "StartOnSunday", tr("Start Calendar on Sunday")}});
}

std::optional<CalendarReport::Run> CalRpt2::chosenRun() {
    const int index = m_month->currentIndex();
    if (index < 0 || index >= int(m_months.size())) {
        return std::nullopt;
    }
    const ReportSetup& stored = setup();
    return CalendarReport::Run::month(m_months[static_cast<std::size_t>(index)],
                                      m_state.schedule().settings().weekStart,
                                      stored.options[CalendarReport::kStartOnSunday - 1]);
}

} // namespace kalmur
