#pragma once

#include "editor/ScheduleDialogs.h"

#include <QDialog>

#include <array>
#include <optional>

class QButtonGroup;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kalmur {

class LeaveFieldCheck;
class Platform;
class ProgramState;

// "Set File Properties": the first and last day of the schedule, its access
// password and the day a week begins. OK checks the range and asks before days
// would be dropped; the caller rebuilds the day file for the dates chosen.
class Props : public QDialog {
    Q_OBJECT
public:
    // `newSchedule`: the schedule is being created, so no day can be dropped.
    Props(ProgramState& state, Platform& platform, bool newSchedule, QWidget* parent = nullptr);

    // The dates chosen, once OK has closed the dialog.
    const std::optional<DateRange>& chosenRange() const { return m_range; }
    // 1 = Sunday .. 7 = Saturday.
    int chosenWeekDay() const { return m_weekDay; }

    void reject() override;

private:
    void build();
    void load();
    void onOk();

    ProgramState& m_state;
    Platform& m_platform;
    bool m_newSchedule = false;
    int m_weekDay = 1;
    std::optional<DateRange> m_range;

    QLineEdit* m_startDate = nullptr;
    QLineEdit* m_endDate = nullptr;
    QLineEdit* m_password = nullptr;
    LeaveFieldCheck* m_startCheck = nullptr;
    LeaveFieldCheck* m_endCheck = nullptr;
    LeaveFieldCheck* m_passwordCheck = nullptr;
    QButtonGroup* m_days = nullptr;
    std::array<QRadioButton*, 7> m_options{};
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
};

} // namespace kalmur
