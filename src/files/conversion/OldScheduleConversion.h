#pragma once

#include "OldScheduleGroup.h"
#include "files/ScheduleLocation.h"

#include <QDate>
#include <QLocale>
#include <QString>

#include <functional>

namespace kalmur {

// Converts a schedule of the previous format (see OldScheduleGroup) into a
// schedule archive of the same name beside it.
//
// The new working set is built in a private folder inside the working
// directory and packed the way a save packs (a complete archive beside the
// old one, flushed, renamed over it, the folder flushed). The working
// directory's own members, the open schedule's files, are never touched, and
// a conversion that fails leaves the archive as it was and nothing behind.
class OldScheduleConversion {
public:
    enum class Verdict {
        Ready,
        CannotCreate,   // the archive cannot be opened, or nothing can be created beside it
        InUse,          // another running copy of the program holds the archive
        AlreadyExists,  // the archive already holds a schedule (it is longer than 10 bytes)
        NotOldSchedule, // the old settings file is not exactly 526 bytes long
    };

    // Step names shown while the conversion runs.
    static constexpr const char* kClearing = "Clearing Working Files";
    static constexpr const char* kReserving = "Reserving Archive";
    static constexpr const char* kProps = "Converting Props";
    static constexpr const char* kNames = "Converting Names";
    static constexpr const char* kShifts = "Converting Shifts";
    static constexpr const char* kExplanations = "Converting Explanations";
    static constexpr const char* kMain = "Converting Main";

    // Told the step name and its percentage 0..100, each time either changes.
    using Progress = std::function<void(const QString& step, int percent)>;

    // `oldSchedulePath` names the old ".SCH" file; `workingDirectory` is the
    // program's working directory (only a private folder inside it is used).
    OldScheduleConversion(QString workingDirectory, const QString& oldSchedulePath);

    const OldScheduleGroup& group() const { return m_group; }
    // Where the archive goes: directory + name + ".KMR", in the letter case
    // an existing archive has.
    const ScheduleLocation& archiveLocation() const { return m_archive; }

    // The checks made before anything is written, in order: can the archive
    // be written, does it already hold a schedule (not asked when
    // `overwrite`), is the old group a schedule of the previous format.
    Verdict check(bool overwrite) const;

    // The message for a verdict (empty for Ready) and the title it is shown
    // under; a failed run() is reported as CannotCreate.
    QString message(Verdict verdict) const;
    static QString title(Verdict verdict);

    // Runs the seven steps and packs the archive. False when anything
    // failed; nothing is then left written.
    bool run(const Progress& progress = {}, QDate today = QDate::currentDate(),
             const QLocale& locale = QLocale());

private:
    class Run;

    QString m_workingDirectory;
    OldScheduleGroup m_group;
    ScheduleLocation m_archive;
};

} // namespace kalmur
