#pragma once

#include <QLocale>
#include <QString>

#include <cstdint>

namespace kalmur {

// Completes a working directory into a full member set: every member that is
// missing or empty is created with the contents of a new schedule. Existing
// members are only completed (a shift file without the three reserved shifts
// gets them; a short view-format or query file gets its free slots; an employee
// table of another layout is reset, keeping names and positions).
struct MemberDefaultsResult {
    bool ok = true;
    // The set was changed in a way the schedule must be saved for: a new day
    // file or a reset employee table.
    bool modified = false;
};

MemberDefaultsResult createMissingMembers(const QString& workingDirectory, std::int64_t dayCount,
                                          const QLocale& locale = QLocale());

} // namespace kalmur
