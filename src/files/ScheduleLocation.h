#pragma once

#include <QString>
#include <QStringView>

namespace kalmur {

// Where a schedule archive lives: a directory text, a base name and the
// extension. The directory text keeps its trailing separator (or is a bare
// drive such as "A:"), so the archive path is the three parts joined with
// nothing between them. The extension is kept in the letter case it was found
// in, so "ward.kmr" and "WARD.KMR" both name the file that is really there on a
// case-sensitive file system.
class ScheduleLocation {
public:
    static constexpr QStringView kArchiveExtension = u".KMR";

    ScheduleLocation() = default;
    ScheduleLocation(QString directory, QString name,
                     QString extension = kArchiveExtension.toString());

    // Splits a full path: the directory is everything up to and including the
    // last "/", "\" or ":"; the name is the rest up to the extension marker,
    // found in any letter case (at the end of the path when it is there, else
    // its first occurrence). Without the marker the whole rest is the name and
    // the extension is the marker itself.
    static ScheduleLocation fromPath(const QString& path, QStringView marker = kArchiveExtension);

    // A directory is a floppy location when it is longer than two characters
    // and starts with "A:" or "B:". Archives there are not held open.
    static bool isFloppyDirectory(const QString& directory);

    const QString& directory() const { return m_directory; }
    const QString& name() const { return m_name; }
    const QString& extension() const { return m_extension; }

    bool isEmpty() const { return m_name.isEmpty(); }
    bool isFloppy() const { return isFloppyDirectory(m_directory); }
    QString archivePath() const { return m_directory + m_name + m_extension; }

    ScheduleLocation withExtension(const QString& extension) const;

    // When the archive path does not exist but the directory holds exactly one
    // file whose name matches name + extension in another letter case, returns
    // the location of that file; otherwise returns this location unchanged.
    ScheduleLocation withCaseFromListing() const;

    friend bool operator==(const ScheduleLocation&, const ScheduleLocation&) = default;

private:
    QString m_directory;
    QString m_name;
    QString m_extension = kArchiveExtension.toString();
};

} // namespace kalmur
