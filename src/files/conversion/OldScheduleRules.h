#pragma once

#include "OldDayRecord.h"
#include "OldEmployeeTable.h"
#include "OldExplanationTable.h"
#include "OldSettingsRecord.h"
#include "OldShiftRecord.h"
#include "model/records/DayRecord.h"
#include "model/records/EmployeeTable.h"
#include "model/records/ExplanationTable.h"
#include "model/records/ScheduleSettings.h"
#include "model/records/ShiftRecord.h"
#include "model/records/ViewFormat.h"

#include <QDate>
#include <QLocale>

#include <array>
#include <cstdint>

namespace kalmur {

// How the records of a schedule of the previous format become the records of
// the current one. Every old value is untrusted: what cannot be used is
// repaired or dropped here, so the new records are safe to write.
namespace OldScheduleRules {

inline constexpr int kOldRows = OldSettingsRecord::kRows;
// Per old slot (index slot - 1): the slot is shown on a row without a name, so
// its cells belong to nobody and are not carried over.
using DroppedSlots = std::array<bool, kOldRows>;

// The old row order made a permutation of the slots 1..50: the first row that
// names a slot keeps it; a row with a number outside 1..50 or a slot named
// before gets the unused slots in ascending order.
std::array<std::int16_t, kOldRows> rowOrder(const std::array<std::int16_t, kOldRows>& old);

// The settings record: the defaults of a new file (for `today`) with the old
// dates (whole days; an unusable range is repaired as opening a schedule
// would, for a day file of `oldDays` records), password, week start, first
// shown day, row order of rows 1..50, paste options with their text, the
// two values at 130 and 524 and the titles of the cost and calendar reports.
ScheduleSettings settings(const OldSettingsRecord& old, std::int64_t oldDays, QDate today);

// The five view formats of a new file, with the old titles of the weekly,
// daily and 28-day schedules in their report setups. In "28 Day" the value at
// 231 is 1 when the old Text at 282 was never written, and seven coverage
// totals are visible when the old value at 524 is not 0.
std::array<ViewFormat, ViewFormat::kCount> viewFormats(const OldSettingsRecord& old,
                                                       const QLocale& locale = QLocale());

struct Employees {
    EmployeeTable table;
    DroppedSlots dropped{};
};
// Rows 1..50 take name, position, cost and pay type from the old rows; a row
// without a name loses its position, and the slot it shows (by the repaired
// row order of `settings`) is dropped. Rows 51..200 are empty. The overtime
// rules and the layout marker are the old ones.
Employees employees(const OldEmployeeTable& old, const ScheduleSettings& settings);

// Paid hours of a shift as the shift dialog works them out: start and end to
// the minute, overnight only when the end is not after the start and neither
// is midnight, less the break, never below 0.
float paidLength(double startTime, double endTime, float breakLength);

// A description that stands for a free entry: blank, or "undefined" in any
// letter case.
bool isFreeDescription(const QString& description);

// Shift 1..35 from its old record: a free one becomes "undefined"; any other
// keeps description, times and colour and gets the abbreviation "A".."Z"
// (shifts 1..26) or "1".."9" (27..35) and its paid length.
ShiftRecord shift(int number, const OldShiftRecord& old);

// Explanations 1..20 from the old descriptions, abbreviated "a".."t" when
// defined; 21..99 free; no quick keys.
ExplanationTable explanations(const OldExplanationTable& old);

// The cells of one day for slots 1..50 without their notes (the note fields
// are 0): dropped slots stay blank, and a shift number that is neither 0..35
// nor 100 becomes 0. Slots 51..200 are blank.
DayRecord cells(const OldDayRecord& old, const DroppedSlots& dropped);

} // namespace OldScheduleRules

} // namespace kalmur
