#pragma once

#include "ProjCostRules.h"
#include "reports/ScheduleReportPrinter.h"

#include <QDate>
#include <QDialog>
#include <QStringList>

#include <array>
#include <functional>
#include <optional>
#include <vector>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace kalmur {

class ReportProgress;

class LeaveFieldCheck;
class Platform;
class ProgramState;

// "Estimated Cost Report": the chosen employees' hours, overtime and cost
// over a run of up to 42 days. The overtime rules are edited here and stored
// into the employee table as soon as each field is accepted; each employee's
// cost through "Edit Cost".
class ProjCost : public QDialog {
    Q_OBJECT
public:
    // Opens on the grid's current day and the number of days tagged there.
    ProjCost(ProgramState& state, Platform& platform, QDate currentDay, int taggedDays,
             QWidget* parent = nullptr);

    // "Report Setup..." edits the cost report's setup through this hook; the
    // button is disabled until one is given.
    void setReportSetup(std::function<void(QWidget* over)> edit);

    // The employee-table entries of the selected names, in list order.
    std::vector<int> selectedEntries() const;

    // "Edit Cost" for list position `index`.
    void editCost(int index);

    // "&Print": prints now; how the run ended (nothing when it never started).
    std::optional<RunOutcome> print();
    // "Preview...": shows the same pages in the print preview.
    void preview();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build();
    void fillNames();
    void updateSelection();
    // The checked start date and number of days of a run, or nothing (the
    // user has been told why).
    std::optional<std::pair<QDate, int>> runRange();
    // The table of a run, also written as the scratch file; nothing when the
    // days could not be read (the user has been told).
    std::optional<std::vector<QStringList>> compute(QDate start, int days);
    void setRunning(bool running);

    ProgramState& m_state;
    Platform& m_platform;
    QDate m_lastGoodStart;
    std::function<void(QWidget*)> m_editSetup;

    QWidget* m_form = nullptr;
    QListWidget* m_names = nullptr;
    QLabel* m_count = nullptr;
    QLineEdit* m_startDate = nullptr;
    QLineEdit* m_numDays = nullptr;
    LeaveFieldCheck* m_startCheck = nullptr;
    LeaveFieldCheck* m_daysCheck = nullptr;
    std::array<QLineEdit*, 5> m_rules{};
    QPushButton* m_editCost = nullptr;
    QPushButton* m_setup = nullptr;
    QPushButton* m_print = nullptr;
    QPushButton* m_preview = nullptr;
    ReportProgress* m_panel = nullptr;
};

} // namespace kalmur
