#pragma once

#include "files/ScheduleArchive.h"
#include "model/schedule/Schedule.h"

#include <QString>

namespace kalmur {

// Everything the program keeps for as long as it runs: the open schedule and
// its archive, the settings-changed and dialog-cancelled flags shared by the
// dialogs, and the schedule named on the command line. One object, handed by
// reference to the windows that need it.
class ProgramState {
public:
    explicit ProgramState(QString workingDirectory)
        : m_schedule(workingDirectory)
        , m_archive(workingDirectory) {}

    Schedule& schedule() { return m_schedule; }
    const Schedule& schedule() const { return m_schedule; }
    ScheduleArchive& archive() { return m_archive; }
    const ScheduleArchive& archive() const { return m_archive; }
    const QString& workingDirectory() const { return m_archive.workingDirectory(); }

    bool isOpen() const { return m_schedule.isOpen(); }
    // The file name shown in captions and questions: the location's name.
    QString displayName() const { return m_archive.currentLocation().name().trimmed(); }
    // Directory + name, as the save questions show it.
    QString locationText() const {
        return m_archive.currentLocation().directory() + m_archive.currentLocation().name();
    }

    bool settingsChanged = false;
    bool dialogCancelled = false;
    QString commandLineSchedule;

private:
    Schedule m_schedule;
    ScheduleArchive m_archive;
};

} // namespace kalmur
