#pragma once

#include "CopyMultiple.h"
#include "PagerRules.h"
#include "ReportSetupEdit.h"
#include "files/ScheduleLocation.h"
#include "model/criteria/QueryRun.h"
#include "reports/PrintDays.h"

#include <QDate>
#include <QList>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class QWidget;

namespace kalmur {

class ProgramState;

struct DateRange {
    QDate start;
    QDate end;
};

// A row offered by "Find Name": its trimmed name and its display row.
struct FindNameEntry {
    QString name;
    int row = 0;
};

// Shows the progress of a long operation (the date-range rebuild) for as long
// as it lives.
class ProgressDisplay {
public:
    virtual ~ProgressDisplay() = default;
    virtual void setPercent(int percent) = 0;
};

// The dialogs the file commands and the editor open around a schedule. The
// main window uses the real windows; tests script the answers.
class ScheduleDialogs {
public:
    virtual ~ScheduleDialogs() = default;

    // "Set File Properties" for a schedule being created: returns the chosen
    // dates, or nothing when cancelled. The chosen week day and password are
    // stored into the settings record on OK.
    virtual std::optional<DateRange> newScheduleProperties(QWidget* parent,
                                                           ProgramState& state) = 0;
    // "Set File Properties" for the open schedule: the dates, when OK was
    // chosen (they may equal the current ones), or nothing when cancelled.
    virtual std::optional<DateRange> editProperties(QWidget* parent, ProgramState& state) = 0;
    // "Password?": true once the right password was typed, false on Cancel.
    virtual bool askPassword(QWidget* parent, ProgramState& state) = 0;
    // "Adjusting Schedule File" while the day file is rebuilt.
    virtual std::unique_ptr<ProgressDisplay> rebuildProgress(QWidget* parent) = 0;
    // "Convert": turns the old-format schedule at `oldSchedulePath` (its
    // ".SCH" file) into an archive beside it; the archive's location, or
    // nothing when the user cancelled or the conversion failed.
    virtual std::optional<ScheduleLocation> convertOldSchedule(QWidget* parent, ProgramState& state,
                                                               const QString& oldSchedulePath) = 0;
    // "Define Shifts" and "Define Explanations": true when the definitions were
    // accepted (the caller refreshes its lists, quick keys and cells).
    virtual bool editShifts(QWidget* parent, ProgramState& state,
                            const QString& editTimeFormat) = 0;
    virtual bool editExplanations(QWidget* parent, ProgramState& state) = 0;
    // "Change Page", opened on the first visible date: the date the grid is
    // to start on, or nothing when cancelled or the same date was chosen.
    virtual std::optional<QDate> changePage(QWidget* parent, const PagerRules& rules,
                                            QDate firstShown) = 0;
    // "Find Name" over `rows` (in display order): the display row chosen with
    // "Go To", or nothing when cancelled.
    virtual std::optional<int> findName(QWidget* parent, const QList<FindNameEntry>& rows) = 0;
    // "Edit Schedule Format" for the current view format. `relayout` lays the
    // grid out again; the dialog calls it each time it applies the format
    // (Apply, OK, Print... and Cancel); its "Print..." opens `print` over
    // itself. True when closed with OK.
    virtual bool editViewFormat(QWidget* parent, ProgramState& state,
                                const std::function<void()>& relayout,
                                const std::function<void(QWidget*)>& print) = 0;
    // "Print": the schedule report for the days and current day of `grid`.
    virtual void printSchedule(QWidget* parent, ProgramState& state,
                               const PrintDays::Grid& grid) = 0;
    // "Estimated Cost Report", starting on the grid's current day for the
    // days tagged there.
    virtual void estimateCost(QWidget* parent, ProgramState& state,
                              const PrintDays::Grid& grid) = 0;
    // "Legend": the shifts, marks and explanations, whose definitions it may change.
    virtual void legend(QWidget* parent, ProgramState& state) = 0;
    // "Monthly Calendar" (kind Calendar) or "Personal 1 to 42 Day Schedule"
    // (kind Personal), opened on the grid's current day and tagged days.
    virtual void personalReport(QWidget* parent, ProgramState& state, ReportKind kind,
                                const PrintDays::Grid& grid) = 0;
    // "CoverageWatch" for coverage line `line` (1..20) of the current view
    // format: true when OK stored it (the caller redraws the captions and
    // recounts the totals).
    virtual bool editCoverageLine(QWidget* parent, ProgramState& state, int line) = 0;
    // "Report Setup" for report `kind`, editing `working` (a copy of that
    // report's setup): true when closed with OK, `working` then holding the
    // user's choices.
    virtual bool reportSetup(QWidget* parent, ProgramState& state, ReportKind kind,
                             ReportSetup& working) = 0;
    // "Printer Setup": the printer chosen with OK becomes the current one.
    virtual void choosePrinter(QWidget* parent) = 0;
    // "Selective Paste" showing `current`: the choices made with OK, or
    // nothing when cancelled.
    virtual std::optional<PasteOptions> selectivePaste(QWidget* parent,
                                                       const PasteOptions& current) = 0;
    // "Copy Multiple": what to copy when "&Execute" was chosen, or nothing
    // when cancelled. The caller does the copying.
    virtual std::optional<CopyMultipleJob> copyMultiple(QWidget* parent,
                                                        const CopyMultipleSetup& setup) = 0;
    // "About Kalmur Pro".
    virtual void about(QWidget* parent) = 0;
    // "Query", opened on `days` (the grid's tagged days): picks "[Notes]" or a
    // saved query and the days to run it over, and runs it.
    virtual void query(QWidget* parent, ProgramState& state, const DateRange& days) = 0;
    // "Edit Query" for saved query `number` (1..10): true when OK stored it.
    virtual bool editQuery(QWidget* parent, ProgramState& state, int number) = 0;
    // What a run found (the query run, its days and the employees with their
    // counts), shown to be printed.
    virtual void queryFound(QWidget* parent, ProgramState& state,
                            const QueryRun::Result& result) = 0;
};

} // namespace kalmur
