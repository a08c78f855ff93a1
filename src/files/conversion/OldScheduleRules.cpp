#include "OldScheduleRules.h"

#include "model/codec/OleDate.h"
#include "model/schedule/Presets.h"
#include "model/schedule/Sanitize.h"

#include <cmath>

namespace kalmur::OldScheduleRules {

namespace {

constexpr int kOldShiftLimit = OldShiftRecord::kCount;

// The whole-day part of an old date; an unusable value is left for the date
// range repair.
double wholeDay(double value) {
    return std::isfinite(value) ? std::trunc(value) : value;
}

// A time field as stored: unusable numbers become midnight.
double timeValue(double value) {
    return std::isfinite(value) && std::fabs(value) <= OleDate::kMaxDay ? value : 0.0;
}

} // namespace

std::array<std::int16_t, kOldRows> rowOrder(const std::array<std::int16_t, kOldRows>& old) {
    std::array<std::int16_t, kOldRows> order = old;
    std::array<bool, kOldRows + 1> used{};
    std::array<bool, kOldRows> keep{};
    for (std::size_t r = 0; r < order.size(); ++r) {
        const int slot = order[r];
        if (slot >= 1 && slot <= kOldRows && !used[static_cast<std::size_t>(slot)]) {
            used[static_cast<std::size_t>(slot)] = true;
            keep[r] = true;
        }
    }
    std::size_t next = 1;
    for (std::size_t r = 0; r < order.size(); ++r) {
        if (keep[r]) {
            continue;
        }
        while (used[next]) {
            ++next;
        }
        used[next] = true;
        order[r] = static_cast<std::int16_t>(next);
    }
    return order;
}

ScheduleSettings settings(const OldSettingsRecord& old, std::int64_t oldDays, QDate today) {
    ScheduleSettings s = ScheduleSettings::defaults(today);
    s.startDate = wholeDay(old.startDate);
    s.endDate = wholeDay(old.endDate);
    Sanitize::dateRange(s, oldDays, today);
    s.password = old.password;
    s.weekStart = old.weekStart;
    s.firstShownDay = old.firstShownDay;
    const auto order = rowOrder(old.rowOrder);
    std::copy(order.begin(), order.end(), s.rowOrder.begin());
    s.reserved430 = old.value130;
    for (std::size_t i = 0; i < s.pasteOptions.size(); ++i) {
        s.pasteOptions[i] = old.pasteOptions[i] != 0;
    }
    s.reserved2382 = old.pasteText;
    s.reserved2392 = old.value524;
    s.costSetup.title = old.costTitle;
    s.calendarSetup.title = old.calendarTitle;
    return s;
}

std::array<ViewFormat, ViewFormat::kCount> viewFormats(const OldSettingsRecord& old,
                                                       const QLocale& locale) {
    auto formats = Presets::viewFormats(locale);
    ViewFormat& twentyEightDay = formats[0];
    twentyEightDay.reportSetup.title = old.twentyEightDayTitle;
    if (old.firstByte282 == 0) {
        twentyEightDay.value231 = 1;
    }
    if (old.value524 != 0) {
        twentyEightDay.coverageVisible = 7;
    }
    formats[1].reportSetup.title = old.weeklyTitle;
    formats[2].reportSetup.title = old.dailyTitle;
    return formats;
}

Employees employees(const OldEmployeeTable& old, const ScheduleSettings& settings) {
    Employees result;
    EmployeeTable& t = result.table;
    t = EmployeeTable::defaults();
    for (std::size_t r = 0; r < static_cast<std::size_t>(kOldRows); ++r) {
        const bool blank = old.names[r].trimmed().isEmpty();
        t.names[r] = blank ? QString() : old.names[r];
        t.positions[r] = blank ? QString() : old.positions[r];
        t.payRate[r] = old.payRate[r];
        t.payType[r] = old.payType[r];
        // The row order of rows 1..50 is a permutation of the slots 1..50.
        const int slot = settings.rowOrder[r];
        if (slot >= 1 && slot <= kOldRows) {
            result.dropped[static_cast<std::size_t>(slot - 1)] = blank;
        }
    }
    t.layoutMarker = old.layoutMarker;
    t.thresDay = old.thresDay;
    t.dayOtFactor = old.dayOtFactor;
    t.periodDays = old.periodDays;
    t.thresPeriod = old.thresPeriod;
    t.periodOtFactor = old.periodOtFactor;
    return result;
}

float paidLength(double startTime, double endTime, float breakLength) {
    return ShiftRecord::paidLengthOf(OleDate::toTime(startTime), OleDate::toTime(endTime),
                                     breakLength);
}

bool isFreeDescription(const QString& description) {
    const QString text = description.trimmed();
    return text.isEmpty() || text.compare(QLatin1String("UNDEFINED"), Qt::CaseInsensitive) == 0;
}

ShiftRecord shift(int number, const OldShiftRecord& old) {
    if (number < 1 || number > kOldShiftLimit || isFreeDescription(old.description)) {
        return Presets::shift(number < 1 || number > ShiftRecord::kUserShifts ? 1 : number);
    }
    ShiftRecord s;
    s.description = old.description;
    s.startTime = timeValue(old.startTime);
    s.endTime = timeValue(old.endTime);
    s.colour = old.colour;
    s.quickKey = 0;
    s.breakLength = 0;
    s.abbreviation =
        number <= 26 ? QString(QChar(u'A' + (number - 1))) : QString(QChar(u'1' + (number - 27)));
    s.paidLength = paidLength(s.startTime, s.endTime, s.breakLength);
    return s;
}

ExplanationTable explanations(const OldExplanationTable& old) {
    ExplanationTable t;
    for (std::size_t e = 0; e < static_cast<std::size_t>(ExplanationTable::kCount); ++e) {
        const bool defined = e < static_cast<std::size_t>(OldExplanationTable::kCount) &&
                             !isFreeDescription(old.descriptions[e]);
        t.descriptions[e] = defined ? old.descriptions[e] : QStringLiteral("undefined");
        t.abbreviations[e] = defined ? QString(QChar(u'a' + static_cast<char16_t>(e))) : QString();
        t.quickKeys[e] = 0;
    }
    return t;
}

DayRecord cells(const OldDayRecord& old, const DroppedSlots& dropped) {
    DayRecord day;
    for (std::size_t e = 0; e < static_cast<std::size_t>(OldDayRecord::kSlots); ++e) {
        if (dropped[e]) {
            continue;
        }
        const int shift = old.shift[e];
        day.shift[e] =
            shift <= kOldShiftLimit || shift == ShiftRecord::kOff ? old.shift[e] : std::uint8_t{0};
        day.onCall[e] = old.onCall[e];
        day.explanation[e] = old.explanation[e];
        day.reserved[e] = old.reserved[e];
    }
    return day;
}

} // namespace kalmur::OldScheduleRules
