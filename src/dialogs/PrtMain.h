#pragma once

#include "reports/PrintDays.h"
#include "reports/ScheduleReportPrinter.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace kalmur {

class ReportProgress;

class LeaveFieldCheck;
class Platform;
class ProgramState;
class ReportOutput;

// "Print": the schedule report of the current view format. Chooses the names
// (dividers included), the days (the grid's, the current month or a run from
// the current day), a blank schedule, and prints to the current printer or
// shows the same pages in a preview. The run never changes the schedule's
// dates or day window: the days it prints are read into the report.
class PrtMain : public QDialog {
    Q_OBJECT
public:
    PrtMain(ProgramState& state, Platform& platform, const PrintDays::Grid& grid,
            QWidget* parent = nullptr);

    // "Report Setup..." edits the schedule report's setup through this hook;
    // the button is disabled until one is given.
    void setReportSetup(std::function<void(QWidget* over)> edit);
    // Sets the caption from the setup's title.
    void refreshCaption();

    // The display rows of the selected names, in list order.
    std::vector<int> selectedRows() const;
    PrintDays::Range range() const;

    // Prints now; how the run ended (nothing when it never started).
    std::optional<RunOutcome> print();
    // Shows the pages in the print preview.
    void preview();

private:
    void build();
    void fillNames();
    void choose(DaysToPrint choice, bool store);
    void showRange(const PrintDays::Range& range);
    void updatePrintButton();
    void setRunning(bool running);
    std::optional<ScheduleReportData> collect();
    std::optional<RunOutcome> run(ReportOutput& output, const ScheduleReportData& report,
                                  bool withPanel);

    ProgramState& m_state;
    Platform& m_platform;
    PrintDays::Grid m_grid;
    DaysToPrint m_choice = DaysToPrint::SameAsScreen;
    PrintDays::Range m_range;
    std::function<void(QWidget*)> m_editSetup;

    QWidget* m_form = nullptr;
    QListWidget* m_names = nullptr;
    QRadioButton* m_screen = nullptr;
    QRadioButton* m_month = nullptr;
    QRadioButton* m_selected = nullptr;
    QLineEdit* m_startDate = nullptr;
    QLineEdit* m_numDays = nullptr;
    LeaveFieldCheck* m_startCheck = nullptr;
    LeaveFieldCheck* m_daysCheck = nullptr;
    QCheckBox* m_blank = nullptr;
    QPushButton* m_setup = nullptr;
    QPushButton* m_print = nullptr;
    QPushButton* m_preview = nullptr;
    ReportProgress* m_panel = nullptr;
};

} // namespace kalmur
