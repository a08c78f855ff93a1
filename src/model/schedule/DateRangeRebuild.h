#pragma once

#include <QString>

#include <cstdint>
#include <functional>

namespace kalmur {

// Rebuilds the day and note files of a closed working set for a new date
// range. Days inside both ranges keep their cells, new days are blank, days
// outside the new range are dropped; the note file is compacted so that only
// notes still referenced by a positive number survive, renumbered 1, 2, 3 ...
// in day and slot order. Detached notes (negative numbers) are dropped while
// their cells keep the negative value; a reference to a note the file does not
// hold is cleared.
//
// The new files are written as temporary members and renamed over the old ones,
// so the working set always holds a complete day file and note file.
struct RebuildRange {
    std::int64_t oldStart = 0; // day numbers (OLE dates without fraction)
    std::int64_t oldEnd = 0;
    std::int64_t newStart = 0;
    std::int64_t newEnd = 0;
};

// `progress` receives 0..100. Returns false (leaving the old files in place)
// when any step fails.
bool rebuildDayFiles(const QString& workingDirectory, const RebuildRange& range,
                     const std::function<void(int)>& progress = {});

} // namespace kalmur
