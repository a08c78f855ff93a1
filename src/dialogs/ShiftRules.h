#pragma once

#include "model/records/ShiftRecord.h"
#include "platform/LeaveFieldCheck.h"
#include "platform/Platform.h"

#include <QString>
#include <QStringView>
#include <QTime>

#include <array>

namespace kalmur {

// What the shift definition dialog shows, accepts and works out, apart from
// the window.
namespace ShiftRules {

inline constexpr int kDescriptionLength = 15;
inline constexpr int kAbbreviationLength = 5;
inline constexpr int kTimeLength = 8;
inline constexpr int kBreakLength = 5;

// The shift numbers in list order: the off, on-call and note marks first,
// then the user shifts 1 to 99.
std::array<int, ShiftRecord::kCount> listOrder();

// "Timeoff", "On Call", "Note", or "Shift " and the number ("Shift 7").
QString label(int number);
// The list entry of a shift: its label, a tab and the trimmed description.
QString entryText(int number, const QString& description);
// Whether a shift has times, a break, a quick key and a colour to edit (the
// three marks have only a description and an abbreviation).
bool isUserShift(int number);

// Paid hours of a shift: end minus start minus the break, seconds ignored.
// The end lies on the next day when it is not later than the start and
// neither of them is midnight (a shift that starts or ends at 0:00 never runs
// overnight). Never below 0.
float paidLength(QTime start, QTime end, double breakLength);

// The message for a time that cannot be read.
MessageRequest invalidTime();
// A time field being left: the text normalised, read and shown again in the
// edit time format ("h:nna/p" or "hh:nn"); unreadable text is refused.
FieldVerdict timeField(const QString& text, const QString& editFormat);
// The time a field's text stands for, when it can be read.
std::optional<QTime> timeOfText(const QString& text);

// Whether a text is a plain decimal number (blanks around it allowed).
bool isNumber(QStringView text);
// A break length being left: a number is shown "#0.00"; any other text stays
// as typed (it counts as its leading number, or 0).
QString breakLengthText(const QString& text);

} // namespace ShiftRules

} // namespace kalmur
