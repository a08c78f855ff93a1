#include "CoverageTotals.h"

#include "model/criteria/MatchCounts.h"
#include "model/schedule/DayRange.h"

namespace kalmur {

std::vector<std::vector<int>> CoverageTotals::count(const Schedule& s, int lines, int first,
                                                    int last) {
    lines = std::clamp(lines, 0, ViewFormat::kCoverageLines);
    const int days = std::max(0, last - first + 1);
    std::vector<std::vector<int>> totals(static_cast<std::size_t>(lines),
                                         std::vector<int>(static_cast<std::size_t>(days), 0));
    // Positions outside the window show no day and keep a total of 0.
    const int from = std::max(first, 1);
    const int to = std::min(last, s.windowLength());
    if (lines == 0 || from > to) {
        return totals;
    }
    const auto criteria = Criteria::coverage(s.viewFormat(), lines);
    const DayRange range(s, s.window().dayNumber(from), s.window().dayNumber(to));
    const auto counted = MatchCounts::perDay(criteria, s.employees(), s.settings().rowOrder, range);
    if (!counted) {
        return totals;
    }
    // The window's days are consecutive: position from + d is day range.first() + d.
    for (std::size_t l = 0; l < totals.size(); ++l) {
        const auto& line = (*counted)[l];
        for (std::size_t d = 0; d < line.size(); ++d) {
            totals[l][static_cast<std::size_t>(from - first) + d] = line[d];
        }
    }
    return totals;
}

} // namespace kalmur
