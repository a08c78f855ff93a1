#pragma once

#include "platform/LeaveFieldCheck.h"
#include "platform/Platform.h"

#include <QDate>
#include <QLocale>
#include <QString>

#include <optional>

namespace kalmur {

struct EmployeeTable;

// What the estimated cost window accepts, shows and stores, apart from the
// window.
namespace ProjCostRules {

inline constexpr int kMaxDays = 42;

// The overtime rules, each a field of the window and of the employee table.
enum class Rule { ThresDay, DayOtFactor, PeriodDays, ThresPeriod, PeriodOTFactor };
inline constexpr Rule kRules[] = {Rule::ThresDay, Rule::DayOtFactor, Rule::PeriodDays,
                                  Rule::ThresPeriod, Rule::PeriodOTFactor};

// The field's name (its objectName) and the most characters it takes.
const char* fieldName(Rule rule);
int maxLength(Rule rule);

// The rule's value in the employee table, in the field's format.
QString shown(Rule rule, const EmployeeTable& employees);
// The text a refused value is replaced by.
QString resetText(Rule rule);
// A field being left: accepted in the field's format, or refused with its
// message. The value is the text's leading number.
FieldVerdict check(Rule rule, const QString& text);
// Stores an accepted field's value into the employee table; true when that
// changed the stored value.
bool store(Rule rule, const QString& text, EmployeeTable& employees);

// "Number of Days" and "Starting Date" being left.
FieldVerdict checkDays(const QString& text);
FieldVerdict checkStartDate(const QString& text, const QLocale& locale = QLocale());
// The number of days of an accepted "Number of Days" text.
int days(const QString& text);

// The start date the window opens with: the grid's current day, but no
// later than a week before the schedule's end.
QDate initialStart(QDate currentDay, QDate scheduleEnd);

// The refusal of a run of `days` days from `start` that leaves the schedule.
std::optional<MessageRequest> rangeRefusal(QDate start, int days, QDate scheduleStart,
                                           QDate scheduleEnd);

// Whether employee-table entry `entry` (1..200) is offered in the names list,
// and its text there: "Smith, Nurse, 12.50/H".
bool listed(const EmployeeTable& employees, int entry);
QString listText(const EmployeeTable& employees, int entry);

MessageRequest error(const QString& text);

} // namespace ProjCostRules

} // namespace kalmur
