#pragma once

#include "CalendarWindow.h"

#include <QDate>

class QLineEdit;

namespace kalmur {

class LeaveFieldCheck;

// "Personal 1 to 42 Day Schedule": one page per chosen employee with the
// days of a run of 1 to 42 days from a start date, laid out as the monthly
// calendar with the rows starting on the first day's weekday.
class Per42 : public CalendarWindow {
    Q_OBJECT
public:
    // Opens on the grid's current day (no later than a week before the
    // schedule's end) and the number of days tagged there.
    Per42(ProgramState& state, Platform& platform, QDate currentDay, int taggedDays,
          QWidget* parent = nullptr);

    // "Export iCalendar...": one calendar file per chosen employee for the
    // chosen days, into a folder the user picks.
    void exportCalendars();
    // The checked run of days; nothing when a box is refused (the user has
    // been told why).
    std::optional<CalendarReport::Run> run() { return chosenRun(); }

protected:
    std::optional<CalendarReport::Run> chosenRun() override;
    QString pdfEnding() const override { return QStringLiteral(" personal.pdf"); }

private:
    QLineEdit* m_startDate = nullptr;
    QLineEdit* m_numDays = nullptr;
    LeaveFieldCheck* m_startCheck = nullptr;
    LeaveFieldCheck* m_daysCheck = nullptr;
    QDate m_lastGoodStart;
};

} // namespace kalmur
