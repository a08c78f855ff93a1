#include "ProjCostRules.h"

#include "model/cost/Currency.h"
#include "model/patterns/DateText.h"
#include "model/patterns/NumberPattern.h"
#include "model/records/EmployeeTable.h"
#include "reports/CostReport.h"

#include <algorithm>
#include <cmath>

namespace kalmur::ProjCostRules {

namespace {

struct RuleInfo {
    const char* name;
    int maxLength;
    const char16_t* format;
    double low;  // values below are refused
    double high; // and values above
    const char* message;
    double reset;
};

// Negative thresholds and period lengths are refused too: a negative
// threshold would turn every hour into overtime and the regular hours below
// zero.
const RuleInfo& info(Rule rule) {
    static const RuleInfo table[] = {
        {"ThresDay", 5, u"#0.00", 0, 24, "Hourly threshold cannot exceed 24 hours", 8},
        {"DayOtFactor", 4, u"0.00", 1, 9.99, "Only values from 1.00 to 9.99 are valid.", 1},
        {"PeriodDays", 2, u"00", 0, 99, "Period days cannot exceed 99 ", 7},
        {"ThresPeriod", 5, u"#0.00", 0, 99, "Period threshold cannot exceed 99 Hours", 40},
        {"PeriodOTFactor", 4, u"0.00", 1, 9.99, "Only values from 1.00 to 9.99 are valid.", 1.5},
    };
    return table[static_cast<int>(rule)];
}

QString format(Rule rule, double value) {
    return formatNumber(value, info(rule).format);
}

} // namespace

MessageRequest error(const QString& text) {
    return {text, QStringLiteral("Error"), MessageIcon::Exclamation, MessageButtons::Ok,
            std::nullopt};
}

const char* fieldName(Rule rule) {
    return info(rule).name;
}

int maxLength(Rule rule) {
    return info(rule).maxLength;
}

QString shown(Rule rule, const EmployeeTable& e) {
    switch (rule) {
    case Rule::ThresDay:
        return format(rule, e.thresDay);
    case Rule::DayOtFactor:
        return format(rule, e.dayOtFactor);
    case Rule::PeriodDays:
        return format(rule, e.periodDays);
    case Rule::ThresPeriod:
        return format(rule, e.thresPeriod);
    case Rule::PeriodOTFactor:
        return format(rule, e.periodOtFactor);
    }
    return {};
}

QString resetText(Rule rule) {
    return format(rule, info(rule).reset);
}

FieldVerdict check(Rule rule, const QString& text) {
    const RuleInfo& r = info(rule);
    const double value = leadingNumber(text);
    if (value < r.low || value > r.high) {
        return FieldVerdict::refuse(error(QString::fromLatin1(r.message)));
    }
    return FieldVerdict::accept(format(rule, value));
}

bool store(Rule rule, const QString& text, EmployeeTable& e) {
    const double value = leadingNumber(text);
    auto set = [](auto& field, auto stored) {
        const bool changed = field != stored;
        field = stored;
        return changed;
    };
    switch (rule) {
    case Rule::ThresDay:
        return set(e.thresDay, static_cast<float>(value));
    case Rule::DayOtFactor:
        return set(e.dayOtFactor, static_cast<float>(value));
    case Rule::PeriodDays:
        return set(e.periodDays,
                   static_cast<std::int16_t>(std::lround(std::clamp(value, 0.0, 99.0))));
    case Rule::ThresPeriod:
        return set(e.thresPeriod, static_cast<float>(value));
    case Rule::PeriodOTFactor:
        return set(e.periodOtFactor, static_cast<float>(value));
    }
    return false;
}

FieldVerdict checkDays(const QString& text) {
    const double value = leadingNumber(text);
    if (value < 1) {
        return FieldVerdict::refuse(
            error(QStringLiteral("Number of days must be greater than zero.")));
    }
    if (value > kMaxDays) {
        return FieldVerdict::refuse(
            error(QStringLiteral("Number of days cannot be greater than 42.")));
    }
    return FieldVerdict::accept(text);
}

int days(const QString& text) {
    return static_cast<int>(std::lround(std::clamp(leadingNumber(text), 1.0, double(kMaxDays))));
}

FieldVerdict checkStartDate(const QString& text, const QLocale& locale) {
    const std::optional<QDate> date = readDate(text.trimmed(), locale);
    if (!date) {
        return FieldVerdict::refuse(error(QStringLiteral("The date entered ") + text +
                                          QStringLiteral(" is not a valid date.")));
    }
    return FieldVerdict::accept(formatShortDate(*date, locale));
}

QDate initialStart(QDate currentDay, QDate scheduleEnd) {
    const QDate latest = scheduleEnd.addDays(-6);
    return currentDay > latest ? latest : currentDay;
}

std::optional<MessageRequest> rangeRefusal(QDate start, int days, QDate scheduleStart,
                                           QDate scheduleEnd) {
    if (!CostReport::rangeAvailable(start, days, scheduleStart, scheduleEnd)) {
        return error(CostReport::kRangeRefusal);
    }
    return std::nullopt;
}

bool listed(const EmployeeTable& e, int entry) {
    return e.isNamed(entry);
}

QString listText(const EmployeeTable& e, int entry) {
    const auto at = static_cast<std::size_t>(entry - 1);
    return e.names[at].trimmed() + QStringLiteral(", ") + e.positions[at].trimmed() +
           QStringLiteral(", ") +
           formatNumber(Currency::fromUnits(e.payRate[at]).toDouble(), u"###0.00") +
           (e.payType[at] == 1 ? QStringLiteral("/D") : QStringLiteral("/H"));
}

} // namespace kalmur::ProjCostRules
