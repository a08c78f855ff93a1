#pragma once

#include "model/records/DayRecord.h"

#include <functional>

namespace kalmur {

class Schedule;

// Days first..last of an open schedule, read in date order and each once: a day
// of the window comes from memory (it may hold edits not yet written), any other
// from the day file, a block of records at a time. Counting over years of days
// reads this way instead of asking for one cell at a time.
class DayRange {
public:
    using Visit = std::function<void(int dayNumber, const DayRecord& day)>;

    // The range is clamped to the schedule's days 1..dayCount(); it may be empty.
    DayRange(const Schedule& schedule, int firstDay, int lastDay);

    int first() const { return m_first; }
    int last() const { return m_last; }
    int size() const { return m_last >= m_first ? m_last - m_first + 1 : 0; }

    // Calls `visit` for each day in order. False when a day could not be read;
    // the days before it have been visited.
    bool forEach(const Visit& visit) const;

private:
    const Schedule& m_schedule;
    int m_first = 1;
    int m_last = 0;
};

} // namespace kalmur
