#pragma once

#include "files/ScheduleArchive.h"
#include "model/schedule/Schedule.h"

#include <QTemporaryDir>

#include <optional>

namespace kalmur {

// One schedule archive opened the way the program opens it, in a private
// working directory that is removed when the session ends. The directory holds
// a lock for the life of the session, so the folders of sessions that were
// killed are recognised and removed by the next session.
class ToolSession {
public:
    ToolSession();
    ~ToolSession();
    ToolSession(const ToolSession&) = delete;
    ToolSession& operator=(const ToolSession&) = delete;

    // Empty on success, otherwise the message to report.
    QString open(const QString& archivePath);
    // Starts a new schedule for `archivePath` with the given dates (or the
    // defaults of a new settings file when they are invalid dates), as "New"
    // does before the first save. Nothing is written to the archive yet.
    QString create(const QString& archivePath, QDate start, QDate end);
    // Saves as the program saves: close all, pack, reopen.
    QString save();

    Schedule& schedule() { return *m_schedule; }
    QString archivePath() const { return m_path; }

    // Removes the working folders of sessions that no longer run.
    static void removeStaleSessions();

private:
    QString cannotSave() const;

    QTemporaryDir m_dir;
    int m_lock = -1;
    std::optional<ScheduleArchive> m_archive;
    std::optional<Schedule> m_schedule;
    QString m_path;
    bool m_saveAs = false;
};

} // namespace kalmur
