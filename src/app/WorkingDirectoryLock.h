#pragma once

#include "app/UniqueFd.h"

#include <QString>

#include <optional>

namespace kalmur {

// A claimed private working directory. It owns the open lock file inside the
// directory, which carries an exclusive advisory lock: no other running copy can
// claim the directory while this object lives. The kernel drops the lock when the
// descriptor closes, so the directory is free again as soon as this object is
// destroyed or the process ends in any way, including being killed.
class WorkingDirectoryLock {
public:
    // Holds no directory.
    WorkingDirectoryLock() = default;

    // A moved-from lock holds no directory.
    WorkingDirectoryLock(WorkingDirectoryLock&& other) noexcept;
    WorkingDirectoryLock& operator=(WorkingDirectoryLock&& other) noexcept;
    WorkingDirectoryLock(const WorkingDirectoryLock&) = delete;
    WorkingDirectoryLock& operator=(const WorkingDirectoryLock&) = delete;

    // Tries to claim baseDir + "/TEMP." + number as three digits: creates the
    // directory (mode 0700) when missing and locks its lock file. Refuses a
    // directory that is a symbolic link, is not a directory or belongs to another
    // user, and one whose lock another process holds.
    static std::optional<WorkingDirectoryLock> tryClaim(const QString& baseDir, int number);

    // "TEMP.007" for number 7.
    static QString directoryName(int number);

    bool isHeld() const { return m_fd.isValid(); }
    // The working directory, without a trailing separator; empty when not held.
    const QString& path() const { return m_path; }
    // 1 to 20; 0 when not held.
    int number() const { return m_number; }

    // Closes the lock file, which frees the directory for other copies.
    void release();

private:
    WorkingDirectoryLock(UniqueFd fd, QString path, int number);

    UniqueFd m_fd;
    QString m_path;
    int m_number = 0;
};

} // namespace kalmur
