#pragma once

#include "model/schedule/Schedule.h"

#include <vector>

namespace kalmur {

// The totals under the grid: per coverage line and window day, the named rows
// whose cell matches the line (the rules are the model's Criteria).
class CoverageTotals {
public:
    // Totals of the first `lines` coverage lines of the current view format for
    // window positions first..last; result[line][position - first].
    static std::vector<std::vector<int>> count(const Schedule& schedule, int lines, int first,
                                               int last);
};

} // namespace kalmur
