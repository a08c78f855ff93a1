#pragma once

#include <QDialog>

#include <cstdint>

class QLineEdit;
class QRadioButton;

namespace kalmur {

class LeaveFieldCheck;
class Platform;
class ProgramState;

// "Edit Employee Cost Information": the cost of one employee and whether it
// is entered per hour or per day.
class EditPay : public QDialog {
    Q_OBJECT
public:
    // The largest cost the field accepts.
    static constexpr double kMaxCost = 999.99;

    EditPay(ProgramState& state, Platform& platform, QWidget* parent = nullptr);

    // Runs the window for employee-table entry `entry` (1..200): shows its name,
    // position, cost and pay type, and stores the two back on OK. True on OK.
    static bool edit(ProgramState& state, Platform& platform, QWidget* parent, int entry);

    void reject() override;

    // The cost as stored: the field's leading number, in Currency units.
    std::int64_t cost() const;
    bool daily() const;

private:
    void load(int entry);
    void onOk();

    ProgramState& m_state;
    Platform& m_platform;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_position = nullptr;
    QLineEdit* m_cost = nullptr;
    QRadioButton* m_hour = nullptr;
    QRadioButton* m_day = nullptr;
    LeaveFieldCheck* m_costCheck = nullptr;
};

} // namespace kalmur
