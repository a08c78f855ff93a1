#pragma once

#include "model/records/ScheduleSettings.h"
#include "model/records/ViewFormat.h"

#include <QDate>

#include <cstdint>

namespace kalmur {

// Values read from member files are untrusted. These repairs make them safe to
// use as indexes and sizes; they change only values that are out of range.
namespace Sanitize {

// Makes the row order a permutation of the slots 1..200: the first row that
// names a slot keeps it; rows with a value outside 1..200 or a slot named
// before get the unused slots in ascending order. Returns true when it changed
// anything.
bool rowOrder(std::array<std::int16_t, ScheduleSettings::kRows>& order);

// Repairs the date range: an unusable start date becomes 1 January of the
// current year; an unusable end date, an end before the start or a range over
// the day limit is replaced so that the schedule has as many days as the day
// file holds (at least 42, at most the limit). Returns true when it changed
// anything.
bool dateRange(ScheduleSettings& settings, std::int64_t dayFileRecords, QDate today);

// Week start outside 1..7 becomes 1 (Sunday); a view-format number outside
// 1..5 becomes 1.
bool weekAndFormat(ScheduleSettings& settings);

// Clamps the values a view format uses as sizes and indexes: days on screen to
// 1..42, visible coverage totals to 0..20, ruler styles to 0..3; an unknown
// item code shows nothing; an unknown time format becomes "h:nna/p".
bool viewFormat(ViewFormat& format);

} // namespace Sanitize

} // namespace kalmur
