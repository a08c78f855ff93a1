#pragma once

#include "Criteria.h"
#include "model/records/ScheduleSettings.h"

#include <array>
#include <optional>
#include <span>
#include <vector>

namespace kalmur {

class DayRange;

// Counting by criteria over a range of days. Each day of the range is read
// once, whatever the number of rows and criteria.
namespace MatchCounts {

using RowOrder = std::span<const std::int16_t, ScheduleSettings::kRows>;

// A display row and the slot whose cells it shows.
struct PickedRow {
    int row = 0;
    int slot = 0;
};

// The rows the criteria pick, in display order; none when they count nothing.
std::vector<PickedRow> pickedRows(const Criteria& criteria, const EmployeeTable& employees,
                                  RowOrder rowOrder);

// For each criteria and each day of the range, the number of picked rows whose
// cell matches: result[c][day - range.first()]. Nothing when a day could not
// be read.
std::optional<std::vector<std::vector<int>>> perDay(std::span<const Criteria> criteria,
                                                    const EmployeeTable& employees,
                                                    RowOrder rowOrder, const DayRange& range);

// For each display row 1..200 (result[row - 1]), the number of days of the
// range on which its cell matches. Nothing when a day could not be read.
std::optional<std::array<int, ScheduleSettings::kRows>> perRow(const Criteria& criteria,
                                                               const EmployeeTable& employees,
                                                               RowOrder rowOrder,
                                                               const DayRange& range);

} // namespace MatchCounts

} // namespace kalmur
