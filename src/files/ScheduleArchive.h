#pragma once

#include "files/ArchiveHandle.h"
#include "files/ArchiveResult.h"
#include "files/ScheduleLocation.h"

#include <QString>

namespace kalmur {

// The schedule archive over one working directory: unpacks an archive into
// the working members, packs them back, and keeps the current location.
//
// While a schedule from a location that is not a floppy location is open its
// archive stays open and exclusively locked, so that another running copy of
// the program finds it in use. Every operation either succeeds completely or
// leaves the working members, the current location, the held archive and the
// archive on disk as they were. (The one exception: when only the flush of the
// folder after the new archive was renamed into place fails, the save reports
// failure although the new archive is already there.)
class ScheduleArchive {
public:
    // Archives with fewer of the members than this are not schedule archives.
    static constexpr int kMinimumMembers = 7;
    // Archive files shorter than this hold no schedule yet.
    static constexpr int kMinimumArchiveBytes = 10;

    explicit ScheduleArchive(QString workingDirectory);

    // Unpacks the archive at location into the working directory and makes
    // it the current location. A file that does not exist is created empty;
    // an archive shorter than ten bytes opens as a new schedule (outcome
    // OpenedAsNew, the working members cleared); otherwise the archive must
    // pass the test and unpack completely (outcome Extracted).
    ArchiveResult open(const ScheduleLocation& location);

    // Packs the working members into the current location's archive.
    ArchiveResult save();

    // Packs the working members into target's archive and, on success, makes
    // target the current location. Whether the target can be written is
    // checked before anything is written.
    ArchiveResult saveAs(const ScheduleLocation& target);

    // Sets the current location without touching any file, for a schedule
    // that is built in the working directory and then saved.
    void setCurrentLocation(const ScheduleLocation& location);
    // Holds the current location's archive open again after release().
    ArchiveResult holdCurrent();
    // Lets go of the held archive.
    void release();

    bool hasLocation() const { return m_hasLocation; }
    const ScheduleLocation& currentLocation() const { return m_location; }
    bool isHeld() const { return m_held.isOpen(); }
    const QString& workingDirectory() const { return m_workingDirectory; }

private:
    enum class Taken { Opened, AlreadyHeld, Missing, Failed, InUse };

    // Opens (and unless floppy, locks) the archive at path.
    Taken take(const QString& path, bool create, bool lock, ArchiveHandle& handle) const;
    ArchiveResult pack(const ScheduleLocation& target);
    ArchiveResult notValid(const QString& path) const;
    ArchiveResult notExtracted(const QString& path) const;

    QString m_workingDirectory;
    ScheduleLocation m_location;
    bool m_hasLocation = false;
    ArchiveHandle m_held;
};

} // namespace kalmur
