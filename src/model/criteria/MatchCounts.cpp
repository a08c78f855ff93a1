#include "MatchCounts.h"

#include "model/schedule/DayRange.h"

namespace kalmur::MatchCounts {

std::vector<PickedRow> pickedRows(const Criteria& criteria, const EmployeeTable& employees,
                                  RowOrder rowOrder) {
    std::vector<PickedRow> rows;
    if (!criteria.countsAnything()) {
        return rows;
    }
    for (int row = 1; row <= ScheduleSettings::kRows; ++row) {
        const int slot = rowOrder[static_cast<std::size_t>(row - 1)];
        if (criteria.rowMatches(employees, row, slot)) {
            rows.push_back({row, slot});
        }
    }
    return rows;
}

std::optional<std::vector<std::vector<int>>> perDay(std::span<const Criteria> criteria,
                                                    const EmployeeTable& employees,
                                                    RowOrder rowOrder, const DayRange& range) {
    std::vector<std::vector<PickedRow>> picked;
    picked.reserve(criteria.size());
    for (const Criteria& c : criteria) {
        picked.push_back(pickedRows(c, employees, rowOrder));
    }
    std::vector<std::vector<int>> totals(criteria.size(),
                                         std::vector<int>(static_cast<std::size_t>(range.size())));
    const bool read = range.forEach([&](int dayNumber, const DayRecord& day) {
        const auto d = static_cast<std::size_t>(dayNumber - range.first());
        for (std::size_t c = 0; c < criteria.size(); ++c) {
            for (const PickedRow& p : picked[c]) {
                totals[c][d] += criteria[c].cellMatches(day.cell(p.slot)) ? 1 : 0;
            }
        }
    });
    return read ? std::optional(std::move(totals)) : std::nullopt;
}

std::optional<std::array<int, ScheduleSettings::kRows>> perRow(const Criteria& criteria,
                                                               const EmployeeTable& employees,
                                                               RowOrder rowOrder,
                                                               const DayRange& range) {
    const std::vector<PickedRow> picked = pickedRows(criteria, employees, rowOrder);
    std::array<int, ScheduleSettings::kRows> days{};
    const bool read = range.forEach([&](int, const DayRecord& day) {
        for (const PickedRow& p : picked) {
            days[static_cast<std::size_t>(p.row - 1)] +=
                criteria.cellMatches(day.cell(p.slot)) ? 1 : 0;
        }
    });
    return read ? std::optional(days) : std::nullopt;
}

} // namespace kalmur::MatchCounts
