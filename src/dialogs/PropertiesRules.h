#pragma once

#include "editor/ScheduleDialogs.h"
#include "platform/LeaveFieldCheck.h"
#include "platform/Platform.h"

#include <QDate>
#include <QLocale>
#include <QString>

#include <optional>

namespace kalmur {

// What the schedule properties and password dialogs accept and what they say,
// apart from the windows.
namespace PropertiesRules {

inline constexpr int kMinimumDays = 42;
// Day numbers and the first shown day are 16-bit in the files.
inline constexpr int kMaximumDays = 32767;
inline constexpr int kPasswordLength = 10;

// A date field being left: a readable date is shown again in the short date
// form (a time part dropped); anything else is refused with the message.
FieldVerdict dateField(const QString& text, const QLocale& locale = QLocale());

// The refusal of OK for a range that is too short or too long.
std::optional<MessageRequest> rangeRefusal(QDate start, QDate end);

// The stretches of recorded days a new range would drop ("a to b", two of them
// joined by " and "), empty when it drops none.
QString droppedDays(const DateRange& recorded, const DateRange& chosen,
                    const QLocale& locale = QLocale());

// The question asked before days are dropped; Cancel is its default.
MessageRequest removalQuestion(const QString& dropped);

// A password as it is stored: letters in upper case (where the upper-case
// letter can be stored), cut to ten characters.
QString storedPassword(const QString& typed);

// Whether a typed password opens a schedule with the recorded one, letter
// case and blanks around it aside.
bool passwordMatches(const QString& typed, const QString& recorded);

// Whether every character can be stored in the schedule's text fields.
bool isStorableText(const QString& text);

} // namespace PropertiesRules

} // namespace kalmur
