#pragma once

#include "model/records/ReportSetup.h"

#include <QString>

class QWidget;

namespace kalmur {

class Platform;
class ProgramState;
class ScheduleDialogs;

// The printed reports, each with its own page setup.
enum class ReportKind { Schedule, Cost, Calendar, Personal, Legend, Query };

// Where the open schedule keeps the setup of a report: the schedule report's in
// the current view format (each format prints with its own), the others in the
// settings record.
ReportSetup& reportSetupOf(ProgramState& state, ReportKind kind);

// The caption of the schedule report's window for its setup.
QString printWindowCaption(const ReportSetup& setup);

// What every report window's "Report Setup..." does: opens "Report Setup" on a
// working copy of the report's setup; OK copies it back. The schedule report's
// setup is then written with the current view format and `reportWindow` takes
// the caption of the new title; the other reports' setups are saved with the
// settings record (the settings-changed flag is set). Returns true when the user
// pressed OK (the report's setup then changed).
bool editReportSetup(ScheduleDialogs& dialogs, Platform& platform, ProgramState& state,
                     ReportKind kind, QWidget* reportWindow);

} // namespace kalmur
