#pragma once

#include "model/criteria/QueryRun.h"
#include "reports/QueryReport.h"

#include <QDialog>

#include <functional>
#include <optional>
#include <vector>

class QCheckBox;
class QListWidget;
class QPushButton;

namespace kalmur {

class Platform;
class ProgramState;
class ReportProgress;

// "Print " and the query's title: the employees a query run found, each with
// its number of matching days, to be printed with those days or by name only.
class QueryPrt : public QDialog {
    Q_OBJECT
public:
    QueryPrt(ProgramState& state, Platform& platform, QueryRun::Result result,
             QWidget* parent = nullptr);

    // "Report Setup..." edits the query report's setup through this hook; the
    // button is disabled until one is given.
    void setReportSetup(std::function<void(QWidget* over)> edit);

    // The employee-table entries of the selected names, in list order.
    std::vector<int> selectedEntries() const;

    // "Print": prints now; how the run ended (nothing when it never started).
    std::optional<RunOutcome> print();
    // "Preview...": shows the same pages in the print preview.
    void preview();

private:
    void build();
    void setRunning(bool running);
    // The employees to print; nothing when the days could not be read (the
    // user has been told).
    std::optional<std::vector<QueryReport::Employee>> employees();
    PrintSetup setup() const;
    // The days run, in the long date format.
    QString subtitle() const;

    ProgramState& m_state;
    Platform& m_platform;
    QueryRun::Result m_result;
    std::function<void(QWidget*)> m_editSetup;

    QWidget* m_form = nullptr;
    QListWidget* m_names = nullptr;
    QCheckBox* m_namesOnly = nullptr;
    QPushButton* m_setup = nullptr;
    ReportProgress* m_panel = nullptr;
};

// Shows "Print " and the query's title over `parent` until it is closed.
void showQueryPrt(ProgramState& state, Platform& platform, const QueryRun::Result& result,
                  const std::function<void(QWidget*)>& editSetup, QWidget* parent);

} // namespace kalmur
