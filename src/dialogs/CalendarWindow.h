#pragma once

#include "editor/ReportSetupEdit.h"
#include "reports/CalendarReport.h"
#include "reports/ScheduleReportPrinter.h"

#include <QDialog>

#include <array>
#include <functional>
#include <optional>
#include <vector>

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;
class QVBoxLayout;

namespace kalmur {

class Platform;
class ProgramState;
class ReportOutput;
class ReportProgress;

// What the monthly calendar and the personal schedule windows share: the
// names, the contents switches (stored in the report's setup as soon as they
// change), "Blank Schedule", "Pages to print", "Report Setup...", "Print",
// "Preview..." and the "Printing Report" panel. Each window adds the choice
// of the days it prints.
class CalendarWindow : public QDialog {
    Q_OBJECT
public:
    // "Report Setup..." edits the report's setup through this hook; the
    // button is disabled until one is given.
    void setReportSetup(std::function<void(QWidget* over)> edit);

    // The display rows of the selected names, in list order.
    std::vector<int> selectedRows() const;

    // "Print": prints now; how the run ended (nothing when it never started).
    std::optional<RunOutcome> print();
    // "Preview...": shows the same pages in the print preview.
    void preview();

protected:
    CalendarWindow(ProgramState& state, Platform& platform, ReportKind kind, QWidget* parent);

    // A switch of the report's own beyond the item options.
    struct ExtraOption {
        int option; // 1-based entry of the setup's options
        const char* name;
        QString caption;
    };
    // Builds the window around `days` (the window's own choice of days), with
    // the switches of the report's item options and `extras` beside.
    void build(QWidget* days, const std::vector<ExtraOption>& extras = {});
    // The column of buttons, for a window's own buttons.
    QVBoxLayout* buttons() const { return m_buttons; }
    // Puts the button of another command on the chosen names and days under
    // "Preview...", enabled like Print.
    void addNamesButton(QPushButton* button);
    ReportSetup& setup();

    // The days of the run as chosen, checked; nothing when refused (the user
    // has been told why).
    virtual std::optional<CalendarReport::Run> chosenRun() = 0;
    // The PDF file name ending a run on the PDF-file printer offers.
    virtual QString pdfEnding() const = 0;

    ProgramState& m_state;
    Platform& m_platform;

private:
    QCheckBox* optionBox(int option, const QString& caption);
    void fillNames();
    void updateSelection();
    void setRunning(bool running);
    std::optional<CalendarReport::Data> collect();

    ReportKind m_kind;
    std::function<void(QWidget*)> m_editSetup;
    QWidget* m_form = nullptr;
    QListWidget* m_names = nullptr;
    QLabel* m_pages = nullptr;
    QCheckBox* m_blank = nullptr;
    QVBoxLayout* m_buttons = nullptr;
    QPushButton* m_setup = nullptr;
    QPushButton* m_print = nullptr;
    QPushButton* m_preview = nullptr;
    std::vector<QPushButton*> m_namesButtons;
    ReportProgress* m_panel = nullptr;
};

} // namespace kalmur
