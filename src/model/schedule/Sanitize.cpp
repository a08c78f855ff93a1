#include "Sanitize.h"

#include "CellItems.h"
#include "Members.h"
#include "model/codec/OleDate.h"

#include <algorithm>

namespace kalmur::Sanitize {

bool rowOrder(std::array<std::int16_t, ScheduleSettings::kRows>& order) {
    constexpr int kRows = ScheduleSettings::kRows;
    std::array<bool, kRows + 1> used{};
    std::array<bool, kRows> keep{};
    for (int r = 0; r < kRows; ++r) {
        const int slot = order[static_cast<std::size_t>(r)];
        if (slot >= 1 && slot <= kRows && !used[static_cast<std::size_t>(slot)]) {
            used[static_cast<std::size_t>(slot)] = true;
            keep[static_cast<std::size_t>(r)] = true;
        }
    }
    bool changed = false;
    int next = 1;
    for (int r = 0; r < kRows; ++r) {
        if (keep[static_cast<std::size_t>(r)]) {
            continue;
        }
        while (used[static_cast<std::size_t>(next)]) {
            ++next;
        }
        used[static_cast<std::size_t>(next)] = true;
        order[static_cast<std::size_t>(r)] = static_cast<std::int16_t>(next);
        changed = true;
    }
    return changed;
}

bool dateRange(ScheduleSettings& s, std::int64_t dayFileRecords, QDate today) {
    bool changed = false;
    auto start = OleDate::dayNumber(s.startDate);
    if (!start || s.startDate != static_cast<double>(*start)) {
        // Dates are whole days; a time part or an unusable value is repaired.
        const double repaired =
            start ? static_cast<double>(*start) : OleDate::fromDate(QDate(today.year(), 1, 1));
        s.startDate = repaired;
        start = static_cast<int>(repaired);
        changed = true;
    }
    const auto end = OleDate::dayNumber(s.endDate);
    const std::int64_t days = end ? std::int64_t(*end) - *start + 1 : 0;
    if (end && days >= 1 && days <= kMaxDays && s.endDate == static_cast<double>(*end)) {
        return changed;
    }
    if (end && days >= 1 && days <= kMaxDays) {
        s.endDate = static_cast<double>(*end);
        return true;
    }
    const std::int64_t wanted = std::clamp<std::int64_t>(dayFileRecords, 42, kMaxDays);
    s.endDate = static_cast<double>(*start + wanted - 1);
    if (!OleDate::dayNumber(s.endDate)) {
        // The start lies so close to the end of the calendar that the range
        // does not fit after it: move the start back.
        s.endDate = OleDate::kMaxDay;
        s.startDate = OleDate::kMaxDay - static_cast<double>(wanted - 1);
    }
    return true;
}

bool weekAndFormat(ScheduleSettings& s) {
    bool changed = false;
    if (s.weekStart < 1 || s.weekStart > 7) {
        s.weekStart = 1;
        changed = true;
    }
    if (s.viewFormatNumber < 1 || s.viewFormatNumber > ViewFormat::kCount) {
        s.viewFormatNumber = 1;
        changed = true;
    }
    return changed;
}

bool viewFormat(ViewFormat& v) {
    bool changed = false;
    auto clamp = [&changed](std::int16_t& value, int low, int high) {
        const auto clamped = static_cast<std::int16_t>(std::clamp<int>(value, low, high));
        changed = changed || clamped != value;
        value = clamped;
    };
    clamp(v.daysOnScreen, 1, ViewFormat::kMaxDaysOnScreen);
    clamp(v.coverageVisible, 0, ViewFormat::kCoverageLines);
    clamp(v.rulerDay, 0, 3);
    clamp(v.rulerDate, 0, 3);
    for (auto& row : v.cellRows) {
        if (!isCellItemCode(row.item)) {
            row.item = kItemNone;
            changed = true;
        }
    }
    const bool knownTime =
        std::any_of(kTimeFormats.begin(), kTimeFormats.end(), [&](const auto& t) {
            return v.timeFormat == QLatin1String(t.stored.data(), qsizetype(t.stored.size()));
        });
    if (!knownTime) {
        v.timeFormat = QStringLiteral("h:nna/p");
        changed = true;
    }
    return changed;
}

} // namespace kalmur::Sanitize
