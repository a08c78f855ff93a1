#include "files/ScheduleLocation.h"

#include <QDir>
#include <QFileInfo>

#include <utility>

namespace kalmur {

ScheduleLocation::ScheduleLocation(QString directory, QString name, QString extension)
    : m_directory(std::move(directory))
    , m_name(std::move(name))
    , m_extension(std::move(extension)) {
}

ScheduleLocation ScheduleLocation::fromPath(const QString& path, QStringView marker) {
    qsizetype cut = -1;
    for (qsizetype i = path.size() - 1; i >= 0; --i) {
        const QChar c = path.at(i);
        if (c == u'/' || c == u'\\' || c == u':') {
            cut = i;
            break;
        }
    }
    const QString directory = path.left(cut + 1);
    const QString rest = path.mid(cut + 1);

    qsizetype at = -1;
    if (!marker.isEmpty()) {
        if (rest.endsWith(marker, Qt::CaseInsensitive)) {
            at = rest.size() - marker.size();
        } else {
            at = rest.indexOf(marker, 0, Qt::CaseInsensitive);
        }
    }
    if (at < 0) {
        return ScheduleLocation(directory, rest, marker.toString());
    }
    return ScheduleLocation(directory, rest.left(at), rest.mid(at, marker.size()));
}

bool ScheduleLocation::isFloppyDirectory(const QString& directory) {
    return directory.size() > 2 && (directory.startsWith(u"A:") || directory.startsWith(u"B:"));
}

ScheduleLocation ScheduleLocation::withExtension(const QString& extension) const {
    return ScheduleLocation(m_directory, m_name, extension);
}

ScheduleLocation ScheduleLocation::withCaseFromListing() const {
    const QString path = archivePath();
    const QFileInfo info(path);
    if (info.exists() || m_name.isEmpty()) {
        return *this;
    }
    const QString wanted = m_name + m_extension;
    const QStringList entries = info.dir().entryList(QDir::Files | QDir::Hidden | QDir::System);
    QString match;
    for (const QString& entry : entries) {
        if (entry.compare(wanted, Qt::CaseInsensitive) == 0) {
            if (!match.isEmpty()) {
                return *this; // ambiguous: several spellings exist
            }
            match = entry;
        }
    }
    if (match.isEmpty() || match.size() != wanted.size()) {
        return *this;
    }
    return ScheduleLocation(m_directory, match.left(m_name.size()), match.mid(m_name.size()));
}

} // namespace kalmur
