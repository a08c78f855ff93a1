#pragma once

#include "Currency.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace kalmur {

struct EmployeeTable;
class Schedule;

// The estimated cost of a run of days: one line per chosen employee with
// regular hours, daily and period overtime, days worked and cost, and a totals
// line, as texts ready to print.
namespace CostTable {

// The overtime rules of the employee table, in Currency.
struct Rules {
    Currency thresDay;
    Currency dayFactor;
    int periodDays = 0; // 0: the whole run is one period
    Currency thresPeriod;
    Currency periodFactor;
    static Rules of(const EmployeeTable& employees);
};

// One chosen employee and the shift byte of each day of the run.
struct Employee {
    QString name;
    QString position;
    Currency rate;
    bool daily = false;
    std::vector<std::uint8_t> shifts;
};

// The paid hours of shifts 1..99 (index 0 unused).
using PaidHours = std::array<Currency, 100>;

struct Result {
    Currency regular;
    Currency dailyOvertime;
    Currency periodOvertime;
    int daysWorked = 0;
    Currency cost;
};

// One employee's hours, days and cost under the rules.
Result compute(const Rules& rules, const Employee& employee, const PaidHours& paid);

// The table: the column titles, a line per employee, the totals line; each
// line nine cells.
std::vector<QStringList> lines(const Rules& rules, const std::vector<Employee>& employees,
                               const PaidHours& paid);

// The table as the scratch file holds it: each cell a double quote, its text,
// a double quote and the character 255; each line ended by CR LF; Windows
// ANSI characters.
QByteArray scratchText(const std::vector<QStringList>& table);

// The employees of employee-table entries `entries` (1..200) over `days` days
// from day `firstDay` of the schedule (1 is its first day), their cells read
// through the slot each entry's row shows. Days outside the schedule hold no
// shift. Nothing when a day could not be read.
std::optional<std::vector<Employee>>
employees(const Schedule& schedule, const std::vector<int>& entries, int firstDay, int days);

// The paid hours of the schedule's shifts.
PaidHours paidHours(const Schedule& schedule);

} // namespace CostTable

} // namespace kalmur
