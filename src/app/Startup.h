#pragma once

#include "app/StartupFailure.h"
#include "app/WorkingDirectoryLock.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <variant>

namespace kalmur {

// What a successful start-up hands to the rest of the program.
struct StartupState {
    // The schedule archive named on the command line; empty when none was named
    // or it cannot be opened.
    QString commandLineSchedule;
    // The directory named by the working-directory file.
    QString baseDirectory;
    // The claimed private working directory; keep it for the life of the process.
    WorkingDirectoryLock workingDirectory;
};

// The steps the program runs before its main window: the command-line schedule,
// the working-directory file beside the program, the write test of the base
// directory it names and the claim of a private working directory beneath it.
// Nothing here shows a window; failures come back as values for the caller to show.
class Startup {
public:
    // The schedule named by the program's arguments (without the program name),
    // joined by single spaces and trimmed: taken when its upper-case form contains
    // ".KMR" and it is an existing regular file that can be opened for reading
    // and writing, or a missing file whose directory is writable. Creates nothing.
    static QString commandLineSchedule(const QStringList& arguments);

    // The base directory: the first line of programDir + "/TRELIN.WDR", without
    // its line end and trimmed.
    static std::variant<QString, StartupFailure> readBaseDirectory(const QString& programDir);

    // Proves the base directory writable by creating, writing and deleting a
    // small test file in it.
    static std::optional<StartupFailure> writeTest(const QString& baseDir,
                                                   const QString& programDir);

    // Claims the lowest-numbered free TEMP.001 to TEMP.020 under baseDir.
    static std::variant<WorkingDirectoryLock, StartupFailure>
    claimWorkingDirectory(const QString& baseDir);

    // All of the steps, in order; stops at the first failure.
    static std::variant<StartupState, StartupFailure> run(const QString& programDir,
                                                          const QStringList& arguments);
};

} // namespace kalmur
