#pragma once

#include "platform/LeaveFieldCheck.h"
#include "platform/Platform.h"

#include <QDate>
#include <QLocale>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace kalmur {

struct QueryRecord;

// What the "Query" and "Edit Query" dialogs offer and accept, apart from the
// windows.
namespace QueryRules {

// The query list: "[Notes]", then "01 - " and the trimmed title of each saved
// query.
inline const QString kNotesEntry = QStringLiteral("[Notes]");
QString entry(int number, const QString& title);
QStringList entries(const std::array<QString, 10>& titles);

enum class DateField { Start, End };
// A date field being left. An unreadable date is refused. A start before the
// schedule's first day silently becomes the first day, and an end after its
// last day the last day; a start after the last day or an end before the
// first is refused as out of range. An accepted date is shown again in the
// short date form.
FieldVerdict dateField(DateField field, const QString& text, QDate scheduleStart, QDate scheduleEnd,
                       const QLocale& locale = QLocale());

// "Run..." with an end before the start is refused with this message.
std::optional<MessageRequest> runRefusal(QDate start, QDate end);

// The title "Edit Query" gives a saved query whose filters it switches off
// while it is still "undefined": "Q" and its number.
QString defaultTitle(int number);

// The query "Edit Query" stores on OK: one still default-titled that ignores
// names, explanations and shifts and has no note text is "undefined" again.
QueryRecord finished(QueryRecord query, int number);

} // namespace QueryRules

} // namespace kalmur
