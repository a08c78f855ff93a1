#include "WidgetScheduleDialogs.h"

#include "ChgView.h"
#include "Convert.h"
#include "Cover2.h"
#include "DefExp.h"
#include "DefShft2.h"
#include "EdQuery.h"
#include "Legend.h"
#include "Mcopy.h"
#include "PGSetup.h"
#include "SelPaste.h"
#include "SetPrt.h"

#include "About.h"
#include "Adjust.h"
#include "CalRpt2.h"
#include "PassWRD.h"
#include "Per42.h"
#include "ProjCost.h"
#include "Props.h"
#include "PrtMain.h"
#include "Query.h"
#include "QueryPrt.h"
#include "editor/FindName.h"
#include "editor/Pager.h"
#include "editor/ReportSetupEdit.h"
#include "files/ProgramState.h"
#include "model/patterns/TimePattern.h"
#include "platform/Placement.h"
#include "platform/Platform.h"

#include <QApplication>
#include <QPointer>

namespace kalmur {

namespace {

// The progress window for as long as the rebuild runs; it lets window events
// run whenever the shown share changes, so the window is drawn.
class AdjustProgress : public ProgressDisplay {
public:
    AdjustProgress(QWidget* parent, Platform& platform)
        : m_platform(platform)
        , m_window(new Adjust(parent ? parent->window() : nullptr)) {
        Placement::centreOver(m_window, parent);
        m_window->show();
        m_window->setPercent(0);
        m_platform.processEvents();
    }
    ~AdjustProgress() override {
        if (m_window) {
            m_window->setPercent(100);
            m_window->finish();
            delete m_window.data();
        }
    }
    AdjustProgress(const AdjustProgress&) = delete;
    AdjustProgress& operator=(const AdjustProgress&) = delete;

    void setPercent(int percent) override {
        if (m_window && m_window->percent() != percent) {
            m_window->setPercent(percent);
            m_platform.processEvents();
        }
    }

private:
    Platform& m_platform;
    QPointer<Adjust> m_window;
};

// A dialog that waits for the user shows the normal pointer, even when it is
// opened while the hourglass is up.
class NormalPointer {
public:
    NormalPointer()
        : m_pushed(QApplication::overrideCursor() != nullptr) {
        if (m_pushed) {
            QApplication::setOverrideCursor(Qt::ArrowCursor);
        }
    }
    ~NormalPointer() {
        if (m_pushed) {
            QApplication::restoreOverrideCursor();
        }
    }
    NormalPointer(const NormalPointer&) = delete;
    NormalPointer& operator=(const NormalPointer&) = delete;

private:
    bool m_pushed;
};

} // namespace

WidgetScheduleDialogs::WidgetScheduleDialogs(Platform& platform)
    : m_platform(platform) {
}

std::optional<DateRange> WidgetScheduleDialogs::properties(QWidget* parent, ProgramState& state,
                                                           bool newSchedule) {
    Props dialog(state, m_platform, newSchedule, parent);
    NormalPointer pointer;
    if (dialog.exec() != QDialog::Accepted || state.dialogCancelled) {
        return std::nullopt;
    }
    return dialog.chosenRange();
}

std::optional<DateRange> WidgetScheduleDialogs::newScheduleProperties(QWidget* parent,
                                                                      ProgramState& state) {
    return properties(parent, state, true);
}

std::optional<DateRange> WidgetScheduleDialogs::editProperties(QWidget* parent,
                                                               ProgramState& state) {
    return properties(parent, state, false);
}

bool WidgetScheduleDialogs::askPassword(QWidget* parent, ProgramState& state) {
    if (state.schedule().settings().password.trimmed().isEmpty()) {
        return true;
    }
    PassWRD dialog(state, m_platform, parent);
    NormalPointer pointer;
    return dialog.exec() == QDialog::Accepted && !state.dialogCancelled;
}

std::unique_ptr<ProgressDisplay> WidgetScheduleDialogs::rebuildProgress(QWidget* parent) {
    return std::make_unique<AdjustProgress>(parent, m_platform);
}

std::optional<ScheduleLocation> WidgetScheduleDialogs::convertOldSchedule(QWidget* parent,
                                                                          ProgramState& state,
                                                                          const QString& path) {
    return Convert::convert(state, m_platform, path, parent);
}

bool WidgetScheduleDialogs::editShifts(QWidget* parent, ProgramState& state,
                                       const QString& editTimeFormat) {
    return kalmur::editShifts(state, m_platform, editTimeFormat, parent);
}

bool WidgetScheduleDialogs::editExplanations(QWidget* parent, ProgramState& state) {
    return kalmur::editExplanations(state, m_platform, parent);
}

std::optional<QDate> WidgetScheduleDialogs::changePage(QWidget* parent, const PagerRules& rules,
                                                       QDate firstShown) {
    Pager pager(rules, firstShown, m_platform, parent);
    if (pager.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return pager.chosen();
}

std::optional<int> WidgetScheduleDialogs::findName(QWidget* parent,
                                                   const QList<FindNameEntry>& rows) {
    FindName dialog(rows, parent);
    if (dialog.exec() != QDialog::Accepted || dialog.chosenRow() < 1) {
        return std::nullopt;
    }
    return dialog.chosenRow();
}

bool WidgetScheduleDialogs::editViewFormat(QWidget* parent, ProgramState& state,
                                           const std::function<void()>& relayout,
                                           const std::function<void(QWidget*)>& print) {
    return kalmur::editViewFormat(state, m_platform, relayout, parent, print);
}

void WidgetScheduleDialogs::printSchedule(QWidget* parent, ProgramState& state,
                                          const PrintDays::Grid& grid) {
    PrtMain window(state, m_platform, grid, parent);
    window.setReportSetup([this, &state](QWidget* over) {
        editReportSetup(*this, m_platform, state, ReportKind::Schedule, over);
    });
    window.exec();
}

void WidgetScheduleDialogs::estimateCost(QWidget* parent, ProgramState& state,
                                         const PrintDays::Grid& grid) {
    ProjCost window(state, m_platform, grid.currentDay, grid.taggedDays, parent);
    window.setReportSetup([this, &state](QWidget* over) {
        editReportSetup(*this, m_platform, state, ReportKind::Cost, over);
    });
    window.exec();
}

void WidgetScheduleDialogs::legend(QWidget* parent, ProgramState& state) {
    Legend window(state, m_platform, parent);
    const QString times = editTimeFormat(state.schedule().viewFormat().timeFormat);
    window.setEditors(
        {[&](int n) { return kalmur::editShifts(state, m_platform, times, &window, n); },
         [&](int n) {
             return kalmur::editExplanations(state, m_platform, &window, n);
         }});
    window.setReportSetup([this, &state](QWidget* over) {
        editReportSetup(*this, m_platform, state, ReportKind::Legend, over);
    });
    window.exec();
}

void WidgetScheduleDialogs::personalReport(QWidget* parent, ProgramState& state, ReportKind kind,
                                           const PrintDays::Grid& grid) {
    std::unique_ptr<CalendarWindow> window;
    if (kind == ReportKind::Calendar) {
        window = std::make_unique<CalRpt2>(state, m_platform, grid.currentDay, parent);
    } else {
        window =
            std::make_unique<Per42>(state, m_platform, grid.currentDay, grid.taggedDays, parent);
    }
    window->setReportSetup([this, &state, kind](QWidget* over) {
        editReportSetup(*this, m_platform, state, kind, over);
    });
    window->exec();
}

bool WidgetScheduleDialogs::editCoverageLine(QWidget* parent, ProgramState& state, int line) {
    return kalmur::editCoverageLine(state, m_platform, line, parent);
}

bool WidgetScheduleDialogs::reportSetup(QWidget* parent, ProgramState& state, ReportKind kind,
                                        ReportSetup& working) {
    PGSetup dialog(working, kind, state, m_platform, parent);
    NormalPointer pointer;
    return dialog.exec() == QDialog::Accepted && !state.dialogCancelled;
}

void WidgetScheduleDialogs::choosePrinter(QWidget* parent) {
    SetPrt dialog(m_platform, parent);
    NormalPointer pointer;
    dialog.exec();
}

std::optional<PasteOptions> WidgetScheduleDialogs::selectivePaste(QWidget* parent,
                                                                  const PasteOptions& current) {
    SelPaste dialog(current, parent);
    Placement::centreOver(&dialog, parent);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.chosen();
}

std::optional<CopyMultipleJob> WidgetScheduleDialogs::copyMultiple(QWidget* parent,
                                                                   const CopyMultipleSetup& setup) {
    Mcopy dialog(setup, m_platform, parent);
    Placement::centreOver(&dialog, parent);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.job();
}

void WidgetScheduleDialogs::about(QWidget* parent) {
    About box(parent);
    box.exec();
}

void WidgetScheduleDialogs::query(QWidget* parent, ProgramState& state, const DateRange& days) {
    openQuery(state, m_platform, *this, days, parent);
}

bool WidgetScheduleDialogs::editQuery(QWidget* parent, ProgramState& state, int number) {
    return kalmur::editQuery(state, m_platform, number, parent);
}

void WidgetScheduleDialogs::queryFound(QWidget* parent, ProgramState& state,
                                       const QueryRun::Result& result) {
    showQueryPrt(
        state, m_platform, result,
        [this, &state](QWidget* over) {
            editReportSetup(*this, m_platform, state, ReportKind::Query, over);
        },
        parent);
}

} // namespace kalmur
