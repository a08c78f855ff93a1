#pragma once

#include "ScheduleDialogs.h"
#include "files/ProgramState.h"
#include "platform/Platform.h"

#include <functional>

class QWidget;

namespace kalmur {

// The Reports menu's commands. Every report reads the working files, so the
// model is written out before it runs, and the grid's day window is read
// again when it has finished. The main window owns the menus and repainting
// and is told through the hooks.
class ReportCommands {
public:
    struct Hooks {
        std::function<void()> endEditing; // finish in-place editing in the grid
        std::function<void()> reloaded;   // the day window was read again: repaint
    };

    ReportCommands(ProgramState& state, Platform& platform, ScheduleDialogs& dialogs,
                   QWidget* parent, Hooks hooks);

    // Runs `report` between the flush and the reload. When the model cannot
    // be written the failure is reported and the report does not run; false
    // then.
    bool run(const std::function<void()>& report);

    // Reports > Query: "Query" opens on days firstDay..lastDay (day numbers,
    // kept inside the schedule), the days tagged in the grid.
    bool query(int firstDay, int lastDay);

    ScheduleDialogs& dialogs() { return m_dialogs; }

private:
    ProgramState& m_state;
    Platform& m_platform;
    ScheduleDialogs& m_dialogs;
    QWidget* m_parent;
    Hooks m_hooks;
};

} // namespace kalmur
