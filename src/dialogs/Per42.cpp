#include "Per42.h"

#include "ICalendarExport.h"
#include "ProjCostRules.h"
#include "ReportWindowParts.h"
#include "files/ProgramState.h"
#include "model/patterns/DateText.h"
#include "platform/LeaveFieldCheck.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace kalmur {

Per42::Per42(ProgramState& state, Platform& platform, QDate currentDay, int taggedDays,
             QWidget* parent)
    : CalendarWindow(state, platform, ReportKind::Personal, parent) {
    setObjectName(QStringLiteral("Per42"));
    setWindowTitle(tr("Personal 1 to 42 Day Schedule"));
    auto* days = new QWidget(this);
    auto* grid = new QGridLayout(days);
    grid->setContentsMargins(0, 0, 0, 0);
    m_startDate = windowField("StartDate", 20, days);
    m_numDays = windowField("NumDays", 2, days);
    auto* startLabel = new QLabel(tr("Start Date:"), days);
    startLabel->setBuddy(m_startDate);
    auto* daysLabel = new QLabel(tr("Number of Days :"), days);
    daysLabel->setBuddy(m_numDays);
    grid->addWidget(startLabel, 0, 0);
    grid->addWidget(m_startDate, 0, 1);
    grid->addWidget(daysLabel, 1, 0);
    grid->addWidget(m_numDays, 1, 1);

    m_lastGoodStart = ProjCostRules::initialStart(currentDay, m_state.schedule().endDate());
    m_startDate->setText(formatShortDate(m_lastGoodStart));
    m_numDays->setText(QString::number(std::clamp(taggedDays, 1, CalendarReport::kMaxDays)));
    m_startCheck = new LeaveFieldCheck(m_startDate, m_platform, [this](const QString& text) {
        FieldVerdict verdict = ProjCostRules::checkStartDate(text);
        if (verdict.accepted) {
            m_lastGoodStart = *readDate(verdict.text);
        }
        return verdict;
    });
    m_daysCheck = new LeaveFieldCheck(m_numDays, m_platform, ProjCostRules::checkDays);
    build(days);
    auto* ics = new QPushButton(tr("Export iCalendar..."), this);
    ics->setObjectName(QStringLiteral("ExportICalendar"));
    addNamesButton(ics);
    connect(ics, &QPushButton::clicked, this, &Per42::exportCalendars);
}

void Per42::exportCalendars() {
    const std::vector<int> rows = selectedRows();
    const auto days = rows.empty() ? std::nullopt : chosenRun();
    if (!days) {
        return;
    }
    const auto folder = m_platform.folderName(this, tr("Export iCalendar"),
                                              m_state.archive().currentLocation().directory());
    if (folder) {
        exportICalendar(m_platform, this, m_state, rows, days->first, days->dayCount(), *folder);
    }
}

std::optional<CalendarReport::Run> Per42::chosenRun() {
    if (!m_startCheck->run() || !m_daysCheck->run()) {
        return std::nullopt;
    }
    return CalendarReport::Run::days(m_lastGoodStart, ProjCostRules::days(m_numDays->text()));
}

} // namespace kalmur
