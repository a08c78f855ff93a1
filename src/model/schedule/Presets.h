#pragma once

#include "model/records/QueryRecord.h"
#include "model/records/ShiftRecord.h"
#include "model/records/ViewFormat.h"

#include <QLocale>

namespace kalmur {

// The contents a new schedule starts with.
namespace Presets {

// Shift n of a new shift table: 1..99 "undefined"; 100 "OFF" (X, light red);
// 101 "On Call" (+); 102 "See Note" (*).
ShiftRecord shift(int number);

enum class ViewPreset { TwentyEightDay, Weekly, Daily };
// The preset formats. The weekly ruler shows "mm-dd" unless the locale's short
// date puts the day or the year first, when it shows "dd-mm".
ViewFormat viewFormat(ViewPreset preset, const QLocale& locale = QLocale());
// A free view-format slot, named "Not Used".
ViewFormat unusedViewFormat(const QLocale& locale = QLocale());
// The five records of a new view-format file, in record order.
std::array<ViewFormat, ViewFormat::kCount> viewFormats(const QLocale& locale = QLocale());

QueryRecord query();

} // namespace Presets

} // namespace kalmur
