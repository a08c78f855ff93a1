#include "MatchCounts.h"

#include "model/schedule/DayRange.h"

#include <algorithm>
#include <bit>
#include <cstdint>

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

namespace {

// Up to 32 lines counted in one pass over each day: a bit per line in tables
// indexed by the stored codes, so a cell costs a few lookups whatever the
// number of lines. A coverage watch has at most 20.
class LineSet {
public:
    static constexpr std::size_t kMaxLines = 32;

    LineSet(std::span<const Criteria> criteria, const std::vector<std::vector<PickedRow>>& picked) {
        for (std::size_t c = 0; c < criteria.size(); ++c) {
            const CellMatcher matcher(criteria[c]);
            const std::uint32_t bit = 1U << c;
            for (int code = 0; code < 256; ++code) {
                const auto at = static_cast<std::size_t>(code);
                m_shift[at] |= matcher.shiftPasses(static_cast<std::uint8_t>(code)) ? bit : 0;
                m_explanation[at] |=
                    matcher.explanationPasses(static_cast<std::uint8_t>(code)) ? bit : 0;
            }
            m_onCall |= matcher.onCallPasses() ? bit : 0;
            // Picked rows in display order; a row picked by several lines once.
            for (const PickedRow& p : picked[c]) {
                m_rows[static_cast<std::size_t>(p.row - 1)] |= bit;
                m_slot[static_cast<std::size_t>(p.row - 1)] = p.slot - 1;
            }
        }
        for (std::size_t r = 0; r < m_rows.size(); ++r) {
            if (m_rows[r] != 0) {
                m_entries.push_back({m_slot[r], m_rows[r]});
            }
        }
    }

    // Adds the day's matches of line c to totals[c][d].
    void count(const DayRecord& day, std::vector<std::vector<int>>& totals, std::size_t d) const {
        std::array<int, kMaxLines> counts{};
        for (const Entry& e : m_entries) {
            const auto s = static_cast<std::size_t>(e.slot);
            const std::uint32_t onCall = day.onCall[s] != 0 ? m_onCall : 0;
            std::uint32_t bits =
                e.lines & m_explanation[day.explanation[s]] & (m_shift[day.shift[s]] | onCall);
            while (bits != 0) {
                ++counts[static_cast<std::size_t>(std::countr_zero(bits))];
                bits &= bits - 1;
            }
        }
        for (std::size_t c = 0; c < totals.size(); ++c) {
            totals[c][d] = counts[c];
        }
    }

private:
    struct Entry {
        int slot = 0; // slot - 1
        std::uint32_t lines = 0;
    };
    std::array<std::uint32_t, 256> m_shift{};
    std::array<std::uint32_t, 256> m_explanation{};
    std::uint32_t m_onCall = 0;
    std::array<std::uint32_t, ScheduleSettings::kRows> m_rows{};
    std::array<int, ScheduleSettings::kRows> m_slot{};
    std::vector<Entry> m_entries;
};

} // namespace

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
    const bool oneSet = criteria.size() <= LineSet::kMaxLines &&
                        std::none_of(criteria.begin(), criteria.end(),
                                     [](const Criteria& c) { return CellMatcher(c).needsNote(); });
    std::optional<LineSet> lines;
    std::vector<CellMatcher> matchers;
    if (oneSet) {
        lines.emplace(criteria, picked);
    } else {
        for (const Criteria& c : criteria) {
            matchers.emplace_back(c);
        }
    }
    const bool read = range.forEach([&](int dayNumber, const DayRecord& day) {
        const auto d = static_cast<std::size_t>(dayNumber - range.first());
        if (lines) {
            lines->count(day, totals, d);
            return;
        }
        for (std::size_t c = 0; c < criteria.size(); ++c) {
            int total = 0;
            for (const PickedRow& p : picked[c]) {
                total += matchers[c].matches(day, static_cast<std::size_t>(p.slot - 1)) ? 1 : 0;
            }
            totals[c][d] = total;
        }
    });
    return read ? std::optional(std::move(totals)) : std::nullopt;
}

std::optional<std::array<int, ScheduleSettings::kRows>> perRow(const Criteria& criteria,
                                                               const EmployeeTable& employees,
                                                               RowOrder rowOrder,
                                                               const DayRange& range) {
    const std::vector<PickedRow> picked = pickedRows(criteria, employees, rowOrder);
    const CellMatcher matcher(criteria);
    std::array<int, ScheduleSettings::kRows> days{};
    const bool read = range.forEach([&](int, const DayRecord& day) {
        for (const PickedRow& p : picked) {
            days[static_cast<std::size_t>(p.row - 1)] +=
                matcher.matches(day, static_cast<std::size_t>(p.slot - 1)) ? 1 : 0;
        }
    });
    return read ? std::optional(days) : std::nullopt;
}

} // namespace kalmur::MatchCounts
