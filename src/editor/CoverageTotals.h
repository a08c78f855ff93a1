#pragma once

#include "model/schedule/Schedule.h"

#include <vector>

namespace kalmur {

// Counts, per coverage line and window day, the named rows whose cell
// matches the line's name, explanation and shift filters.
class CoverageTotals {
public:
    // Totals of the first `lines` coverage lines of the current view format for
    // window positions first..last; result[line][position - first].
    static std::vector<std::vector<int>> count(const Schedule& schedule, int lines, int first,
                                               int last);
    // Whether a line counts anything at all (a line ignoring all three filters
    // counts nothing).
    static bool counts(const CoverageLine& line);
    // Whether a named row is matched by a line's name filter.
    static bool rowMatches(const Schedule& schedule, const CoverageLine& line, int displayRow);
    // Whether a cell passes a line's explanation and shift filters.
    static bool cellMatches(const CoverageLine& line, const Cell& cell);
};

} // namespace kalmur
