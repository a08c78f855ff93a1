#pragma once

#include <QDate>
#include <QString>

#include <vector>

class QWidget;

namespace kalmur {

class Platform;
class ProgramState;

// "Export iCalendar...": writes one .ics file per chosen display row for the
// run of days into `folder`, under the busy pointer. A failure is shown as an
// "Error" message after a beep, a success by the count of files written.
// True when every file was written.
bool exportICalendar(Platform& platform, QWidget* parent, const ProgramState& state,
                     const std::vector<int>& rows, QDate start, int days, const QString& folder);

} // namespace kalmur
