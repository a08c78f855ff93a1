#include "CostTable.h"

#include "model/codec/Cp1252.h"
#include "model/patterns/NumberPattern.h"
#include "model/records/EmployeeTable.h"
#include "model/schedule/DayRange.h"
#include "model/schedule/Schedule.h"

#include <algorithm>

namespace kalmur::CostTable {

namespace {

const Currency kOne = Currency::whole(1);
// The largest amount a cell shows; above it a cost reads "error".
const Currency kCellLimit = Currency::fromUnits(999999900);
const Currency kTotalCostLimit = Currency::fromUnits(9999999900);

QString shown(Currency value, const char* pattern) {
    return formatNumber(value.toDouble(), QString::fromLatin1(pattern));
}

} // namespace

Rules Rules::of(const EmployeeTable& employees) {
    Rules r;
    r.thresDay = Currency::fromDouble(employees.thresDay);
    r.dayFactor = Currency::fromDouble(employees.dayOtFactor);
    r.periodDays = employees.periodDays;
    r.thresPeriod = Currency::fromDouble(employees.thresPeriod);
    r.periodFactor = Currency::fromDouble(employees.periodOtFactor);
    return r;
}

Result compute(const Rules& rules, const Employee& employee, const PaidHours& paid) {
    const bool hourly = !employee.daily;
    Result r;
    Currency periodRegular;
    Currency periodDailyOvertime;
    int k = 0;
    const auto closePeriod = [&] {
        if (hourly) {
            if (periodRegular > rules.thresPeriod && rules.periodFactor > kOne) {
                r.periodOvertime += periodRegular - rules.thresPeriod;
                r.regular += rules.thresPeriod;
            } else {
                r.regular += periodRegular;
            }
            r.dailyOvertime += periodDailyOvertime;
        } else {
            r.regular += periodRegular;
        }
        periodRegular = {};
        periodDailyOvertime = {};
        k = 0;
    };
    for (const std::uint8_t s : employee.shifts) {
        if (s >= 1 && s <= 99) {
            Currency hours = paid[s];
            if (hourly && rules.dayFactor > kOne && hours > rules.thresDay) {
                periodDailyOvertime += hours - rules.thresDay;
                hours = rules.thresDay;
            }
            periodRegular += hours;
            ++r.daysWorked;
        }
        if (++k == rules.periodDays) {
            closePeriod();
        }
    }
    if (k > 0) {
        closePeriod();
    }
    r.cost = hourly
                 ? r.regular * employee.rate + r.dailyOvertime * (rules.dayFactor * employee.rate) +
                       r.periodOvertime * (rules.periodFactor * employee.rate)
                 : employee.rate * Currency::whole(r.daysWorked);
    return r;
}

std::vector<QStringList> lines(const Rules& rules, const std::vector<Employee>& employees,
                               const PaidHours& paid) {
    std::vector<QStringList> table;
    table.push_back({QStringLiteral("Name"), QStringLiteral("Position"), QStringLiteral("Type"),
                     QStringLiteral("Cost"), QStringLiteral("Regular Hrs"),
                     QStringLiteral("Daily OT Hrs"), QStringLiteral("Period OT Hrs"),
                     QStringLiteral("Days Worked"), QStringLiteral("Total Cost")});
    const QString notApplicable = QStringLiteral("N/A");
    const bool dailyOvertime = rules.dayFactor > kOne;
    const bool periodOvertime = rules.periodFactor > kOne;
    Currency regular;
    Currency daily;
    Currency period;
    Currency cost;
    for (const Employee& e : employees) {
        Result r = compute(rules, e, paid);
        QString costText;
        if (r.cost > kCellLimit) {
            costText = QStringLiteral("error");
            r.cost = {};
        } else {
            costText = shown(r.cost, "##,##0.00;;\\-");
        }
        table.push_back(
            {e.name.trimmed(), e.position.trimmed(),
             e.daily ? QStringLiteral("Daily") : QStringLiteral("Hourly"),
             shown(e.rate, "##0.00;;\\-"), shown(r.regular, "##0.00;;\\-"),
             dailyOvertime && !e.daily ? shown(r.dailyOvertime, "##0.00;;\\-") : notApplicable,
             periodOvertime && !e.daily ? shown(r.periodOvertime, "##0.00;;\\-") : notApplicable,
             formatNumber(r.daysWorked, u"##;;\\-"), costText});
        regular += r.regular;
        daily += r.dailyOvertime;
        period += r.periodOvertime;
        cost += r.cost;
    }
    const auto capped = [](Currency value, Currency limit) {
        return value > limit ? Currency() : value;
    };
    const QString blank = QStringLiteral(" ");
    table.push_back(
        {QStringLiteral("TOTALS"), blank, blank, blank,
         shown(capped(regular, kCellLimit), "####0.00;;\\-"),
         dailyOvertime ? shown(capped(daily, kCellLimit), "####0.00;;\\-") : notApplicable,
         periodOvertime ? shown(capped(period, kCellLimit), "####0.00;;\\-") : notApplicable, blank,
         shown(capped(cost, kTotalCostLimit), "###,##0.00;;\\-")});
    return table;
}

QByteArray scratchText(const std::vector<QStringList>& table) {
    QByteArray text;
    for (const QStringList& line : table) {
        for (const QString& cell : line) {
            text += '"';
            text += encodeCp1252(cell);
            text += '"';
            text += static_cast<char>(255);
        }
        text += "\r\n";
    }
    return text;
}

std::optional<std::vector<Employee>>
employees(const Schedule& schedule, const std::vector<int>& entries, int firstDay, int days) {
    const EmployeeTable& table = schedule.employees();
    std::vector<Employee> chosen;
    std::vector<int> slotOfEntry;
    for (const int entry : entries) {
        if (entry < 1 || entry > EmployeeTable::kRows) {
            continue;
        }
        const auto at = static_cast<std::size_t>(entry - 1);
        Employee e;
        e.name = table.names[at];
        e.position = table.positions[at];
        e.rate = Currency::fromUnits(table.payRate[at]);
        e.daily = table.payType[at] == 1;
        e.shifts.assign(static_cast<std::size_t>(std::max(days, 0)), 0);
        chosen.push_back(std::move(e));
        slotOfEntry.push_back(schedule.settings().rowOrder[at]);
    }
    const DayRange range(schedule, firstDay, firstDay + days - 1);
    const bool read = range.forEach([&](int day, const DayRecord& record) {
        const auto j = static_cast<std::size_t>(day - firstDay);
        for (std::size_t i = 0; i < chosen.size(); ++i) {
            if (slotOfEntry[i] >= 1 && slotOfEntry[i] <= DayRecord::kSlots) {
                chosen[i].shifts[j] = record.shift[static_cast<std::size_t>(slotOfEntry[i] - 1)];
            }
        }
    });
    return read ? std::optional(std::move(chosen)) : std::nullopt;
}

PaidHours paidHours(const Schedule& schedule) {
    PaidHours paid{};
    for (int s = 1; s <= 99; ++s) {
        paid[static_cast<std::size_t>(s)] = Currency::fromDouble(schedule.shift(s).paidLength);
    }
    return paid;
}

} // namespace kalmur::CostTable
