#include "ReportSetupEdit.h"

#include "ScheduleDialogs.h"
#include "files/ProgramState.h"
#include "platform/Platform.h"

#include <QWidget>

namespace kalmur {

ReportSetup& reportSetupOf(ProgramState& state, ReportKind kind) {
    ScheduleSettings& settings = state.schedule().settings();
    switch (kind) {
    case ReportKind::Schedule:
        return state.schedule().viewFormat().reportSetup;
    case ReportKind::Cost:
        return settings.costSetup;
    case ReportKind::Calendar:
        return settings.calendarSetup;
    case ReportKind::Personal:
        return settings.personalSetup;
    case ReportKind::Legend:
        return settings.legendSetup;
    case ReportKind::Query:
        return settings.querySetup;
    }
    return settings.querySetup;
}

QString printWindowCaption(const ReportSetup& setup) {
    return QStringLiteral("Print - ") + setup.title.trimmed();
}

bool editReportSetup(ScheduleDialogs& dialogs, Platform& platform, ProgramState& state,
                     ReportKind kind, QWidget* reportWindow) {
    state.dialogCancelled = false;
    ReportSetup working = reportSetupOf(state, kind);
    const bool accepted = dialogs.reportSetup(reportWindow, state, kind, working);
    const bool changed = accepted && !state.dialogCancelled;
    state.dialogCancelled = false;
    if (!changed) {
        return false;
    }
    reportSetupOf(state, kind) = working;
    if (kind != ReportKind::Schedule) {
        state.settingsChanged = true;
        return true;
    }
    if (!state.schedule().writeCurrentViewFormat()) {
        // The setup is kept in memory; the user learns that the file did not
        // take it rather than finding the old setup after the next start.
        MessageRequest failure;
        failure.text = QStringLiteral("Kalmur cannot write the schedule format.\n") +
                       state.schedule().errorString();
        failure.title = QStringLiteral("Error");
        failure.icon = MessageIcon::Stop;
        platform.warn(reportWindow, failure);
    }
    if (reportWindow) {
        reportWindow->setWindowTitle(printWindowCaption(working));
    }
    return true;
}

} // namespace kalmur
