#include "ToolSession.h"

#include "model/codec/OleDate.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kalmur {

namespace {

const QString kSessionPrefix = QStringLiteral("kalmur-tool-");
const QString kLockName = QStringLiteral("/SESSION.LOK");

// A locked session lock file, or -1.
int lockSession(const QString& dir, bool wait) {
    const int fd = ::open(QFile::encodeName(dir + kLockName).constData(),
                          O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
        return -1;
    }
    if (::flock(fd, LOCK_EX | (wait ? 0 : LOCK_NB)) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

} // namespace

ToolSession::ToolSession()
    : m_dir(QDir::tempPath() + QLatin1Char('/') + kSessionPrefix + QStringLiteral("XXXXXX")) {
    if (m_dir.isValid()) {
        m_lock = lockSession(m_dir.path(), true);
        removeStaleSessions();
        m_archive.emplace(m_dir.path());
        m_schedule.emplace(m_dir.path());
    }
}

ToolSession::~ToolSession() {
    m_schedule.reset();
    m_archive.reset();
    if (m_lock >= 0) {
        ::close(m_lock);
    }
}

void ToolSession::removeStaleSessions() {
    const QDir temp(QDir::tempPath());
    const auto entries = temp.entryInfoList({kSessionPrefix + QLatin1Char('*')},
                                            QDir::Dirs | QDir::NoSymLinks | QDir::Hidden);
    for (const QFileInfo& entry : entries) {
        struct stat st {};
        if (::lstat(QFile::encodeName(entry.absoluteFilePath()).constData(), &st) != 0 ||
            !S_ISDIR(st.st_mode) || st.st_uid != ::geteuid()) {
            continue; // only our own folders
        }
        // A session holds its lock while it runs; a folder without a lock file
        // may belong to a session that is just starting, unless it is old.
        const bool hasLock = QFileInfo::exists(entry.absoluteFilePath() + kLockName);
        if (!hasLock && entry.lastModified().secsTo(QDateTime::currentDateTime()) < 600) {
            continue;
        }
        const int fd = hasLock ? lockSession(entry.absoluteFilePath(), false) : -2;
        if (fd == -1) {
            continue; // still running
        }
        QDir(entry.absoluteFilePath()).removeRecursively();
        if (fd >= 0) {
            ::close(fd);
        }
    }
}

QString ToolSession::cannotSave() const {
    return QStringLiteral("Kalmur cannot save ") + m_path;
}

QString ToolSession::open(const QString& archivePath) {
    m_path = QFileInfo(archivePath).absoluteFilePath();
    if (!m_archive) {
        return QStringLiteral("cannot create a working directory in ") + QDir::tempPath();
    }
    const ArchiveResult result = m_archive->open(ScheduleLocation::fromPath(m_path));
    if (!result.succeeded()) {
        switch (result.outcome) {
        case ArchiveOutcome::InUse:
            return m_path + QStringLiteral(" is open in another copy of Kalmur Pro");
        case ArchiveOutcome::Unavailable:
            return QStringLiteral("Could not open ") + m_path;
        default:
            return result.message;
        }
    }
    if (!m_schedule->loadSettings().ok || !m_schedule->openAll()) {
        return QStringLiteral("Could not open ") + m_path + QStringLiteral(": ") +
               m_schedule->errorString();
    }
    return {};
}

QString ToolSession::create(const QString& archivePath, QDate start, QDate end) {
    m_path = QFileInfo(archivePath).absoluteFilePath();
    if (!m_archive) {
        return QStringLiteral("cannot create a working directory in ") + QDir::tempPath();
    }
    m_saveAs = true;
    if (!m_schedule->loadSettings().ok) {
        return cannotSave();
    }
    if (start.isValid() && end.isValid()) {
        m_schedule->settings().startDate = OleDate::fromDate(start);
        m_schedule->settings().endDate = OleDate::fromDate(end);
    }
    if (!m_schedule->openAll()) {
        return cannotSave();
    }
    return {};
}

QString ToolSession::save() {
    if (!m_schedule->closeAll()) {
        m_schedule->openAll();
        return cannotSave();
    }
    const ScheduleLocation location = ScheduleLocation::fromPath(m_path);
    const ArchiveResult result = m_saveAs ? m_archive->saveAs(location) : m_archive->save();
    if (!result.succeeded()) {
        return cannotSave();
    }
    m_saveAs = false;
    if (!m_schedule->openAll()) {
        return m_path + QStringLiteral(" was saved but could not be opened again: ") +
               m_schedule->errorString();
    }
    m_schedule->setModified(false);
    return {};
}

} // namespace kalmur
