#pragma once

#include "CalendarWindow.h"

#include <QDate>

class QComboBox;

namespace kalmur {

// "Monthly Calendar": one page per chosen employee with a calendar of the
// month chosen from the schedule's months.
class CalRpt2 : public CalendarWindow {
    Q_OBJECT
public:
    // Opens on the month of the grid's current day.
    CalRpt2(ProgramState& state, Platform& platform, QDate currentDay, QWidget* parent = nullptr);

protected:
    std::optional<CalendarReport::Run> chosenRun() override;
    QString pdfEnding() const override { return QStringLiteral(" calendar.pdf"); }

private:
    std::vector<CalendarReport::Month> m_months;
    QComboBox* m_month = nullptr;
};

} // namespace kalmur
