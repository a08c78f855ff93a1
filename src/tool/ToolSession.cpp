#include "ToolSession.h"

#include "model/codec/OleDate.h"

#include <QDir>
#include <QFileInfo>

namespace kalmur {

ToolSession::ToolSession()
    : m_dir(QDir::tempPath() + QStringLiteral("/kalmur-tool-XXXXXX")) {
    if (m_dir.isValid()) {
        m_archive.emplace(m_dir.path());
        m_schedule.emplace(m_dir.path());
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
