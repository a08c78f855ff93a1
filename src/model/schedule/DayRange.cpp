#include "DayRange.h"

#include "Schedule.h"

#include <algorithm>
#include <vector>

namespace kalmur {

namespace {
// Days read from the file with one call: about 77 KB.
constexpr int kBlock = 64;
} // namespace

DayRange::DayRange(const Schedule& schedule, int firstDay, int lastDay)
    : m_schedule(schedule)
    , m_first(std::max(firstDay, 1))
    , m_last(std::min(lastDay, schedule.dayCount())) {
}

bool DayRange::forEach(const Visit& visit) const {
    const DayWindow& window = m_schedule.window();
    std::vector<std::uint8_t> block;
    int blockFirst = 0; // the day held in block[0..], 0 when none
    int blockDays = 0;
    for (int d = m_first; d <= m_last; ++d) {
        const int position = m_schedule.positionOfDay(d);
        if (const DayRecord* day = position != 0 ? window.day(position) : nullptr) {
            visit(d, *day);
            continue;
        }
        if (blockFirst == 0 || d >= blockFirst + blockDays) {
            blockFirst = d;
            blockDays = std::min(kBlock, m_last - d + 1);
            block.resize(static_cast<std::size_t>(blockDays) * DayRecord::fileSize);
            if (!m_schedule.dayFile().readRecords(d, blockDays, block)) {
                return false;
            }
        }
        const auto at = static_cast<std::size_t>(d - blockFirst) * DayRecord::fileSize;
        visit(d, DayRecord::fromBytes(std::span(block).subspan(at, DayRecord::fileSize)));
    }
    return true;
}

} // namespace kalmur
