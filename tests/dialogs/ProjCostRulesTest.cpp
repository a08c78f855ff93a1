#include "dialogs/ProjCostRules.h"
#include "model/records/EmployeeTable.h"

#include <gtest/gtest.h>

using namespace kalmur;
namespace R = ProjCostRules;
using R::Rule;

namespace {

const QString kFactor = QStringLiteral("Only values from 1.00 to 9.99 are valid.");

struct FieldCase {
    Rule rule;
    const char* typed;
    const char* shown; // accepted: the text shown; nullptr when refused
    QString message;   // refused: the message
};

} // namespace

TEST(ProjCostRules, OvertimeFieldsAcceptShowStoreAndRefuseWithTheirMessages) {
    const QString day = QStringLiteral("Hourly threshold cannot exceed 24 hours");
    const QString days = QStringLiteral("Period days cannot exceed 99 ");
    const QString period = QStringLiteral("Period threshold cannot exceed 99 Hours");
    const FieldCase cases[] = {
        {Rule::ThresDay, "24", "24.00", {}},
        {Rule::ThresDay, "7.5h", "7.50", {}},
        {Rule::ThresDay, "abc", "0.00", {}},
        {Rule::ThresDay, "24.01", nullptr, day},
        {Rule::ThresDay, "-1", nullptr, day},
        {Rule::DayOtFactor, "1", "1.00", {}},
        {Rule::DayOtFactor, "9.99", "9.99", {}},
        {Rule::DayOtFactor, "0.99", nullptr, kFactor},
        {Rule::DayOtFactor, "10", nullptr, kFactor},
        {Rule::PeriodDays, "5", "05", {}},
        {Rule::PeriodDays, "0", "00", {}},
        {Rule::PeriodDays, "99", "99", {}},
        {Rule::PeriodDays, "100", nullptr, days},
        {Rule::ThresPeriod, "99", "99.00", {}},
        {Rule::ThresPeriod, "99.5", nullptr, period},
        {Rule::PeriodOTFactor, "1.5", "1.50", {}},
        {Rule::PeriodOTFactor, "0", nullptr, kFactor},
    };
    for (const FieldCase& c : cases) {
        const FieldVerdict v = R::check(c.rule, QString::fromLatin1(c.typed));
        EXPECT_EQ(v.accepted, c.shown != nullptr) << R::fieldName(c.rule) << " " << c.typed;
        if (c.shown) {
            EXPECT_EQ(v.text, QLatin1String(c.shown)) << R::fieldName(c.rule) << " " << c.typed;
        } else {
            EXPECT_EQ(v.refusal.text, c.message) << R::fieldName(c.rule) << " " << c.typed;
            EXPECT_EQ(v.refusal.title, QStringLiteral("Error"));
        }
    }
    QStringList resets;
    for (const Rule rule : R::kRules) {
        resets << R::resetText(rule);
    }
    EXPECT_EQ(resets, QStringList({"8.00", "1.00", "07", "40.00", "1.50"}));

    EmployeeTable e;
    EXPECT_TRUE(R::store(Rule::ThresDay, QStringLiteral("7.50"), e));
    EXPECT_FALSE(R::store(Rule::ThresDay, QStringLiteral("7.5"), e));
    EXPECT_TRUE(R::store(Rule::PeriodDays, QStringLiteral("14"), e));
    EXPECT_TRUE(R::store(Rule::PeriodOTFactor, QStringLiteral("2.25"), e));
    EXPECT_EQ(e.thresDay, 7.5f);
    EXPECT_EQ(e.periodDays, 14);
    EXPECT_EQ(e.periodOtFactor, 2.25f);
    EXPECT_EQ(R::shown(Rule::PeriodDays, e), QStringLiteral("14"));
    EXPECT_EQ(R::shown(Rule::ThresPeriod, e), QStringLiteral("40.00"));
}

TEST(ProjCostRules, DaysStartDateAndTheRunsRange) {
    EXPECT_EQ(R::checkDays(QStringLiteral("0")).refusal.text,
              QStringLiteral("Number of days must be greater than zero."));
    EXPECT_EQ(R::checkDays(QStringLiteral("x")).refusal.text,
              QStringLiteral("Number of days must be greater than zero."));
    EXPECT_EQ(R::checkDays(QStringLiteral("43")).refusal.text,
              QStringLiteral("Number of days cannot be greater than 42."));
    EXPECT_TRUE(R::checkDays(QStringLiteral("42")).accepted);
    EXPECT_EQ(R::days(QStringLiteral("7")), 7);

    EXPECT_EQ(R::checkStartDate(QStringLiteral("3/1/97")).text, QStringLiteral("3/1/1997"));
    EXPECT_EQ(R::checkStartDate(QStringLiteral("2/30/1997")).refusal.text,
              QStringLiteral("The date entered 2/30/1997 is not a valid date."));

    const QDate start(1997, 1, 1);
    const QDate end(1997, 3, 31);
    EXPECT_EQ(R::initialStart(QDate(1997, 3, 30), end), QDate(1997, 3, 25));
    EXPECT_EQ(R::initialStart(QDate(1997, 2, 1), end), QDate(1997, 2, 1));
    // Six days before the end with seven days fits; a day later does not.
    EXPECT_FALSE(R::rangeRefusal(QDate(1997, 3, 25), 7, start, end));
    EXPECT_FALSE(R::rangeRefusal(start, 42, start, end));
    for (const QDate refused : {QDate(1997, 3, 26), QDate(1996, 12, 31)}) {
        const auto message = R::rangeRefusal(refused, 7, start, end);
        ASSERT_TRUE(message);
        EXPECT_EQ(message->text, QStringLiteral("Data not available for date entered"));
    }
}

TEST(ProjCostRules, TheNamesListOffersNamedEntriesWithCostAndPayType) {
    EmployeeTable e;
    e.names[0] = QStringLiteral("Smith   ");
    e.positions[0] = QStringLiteral("Nurse ");
    e.payRate[0] = 125000;
    e.names[1] = QStringLiteral("/Nights");
    e.names[2] = QStringLiteral("Jones");
    e.positions[2] = QStringLiteral("Aide");
    e.payRate[2] = 1000000;
    e.payType[2] = 1;
    EXPECT_TRUE(R::listed(e, 1));
    EXPECT_FALSE(R::listed(e, 2)); // a divider
    EXPECT_FALSE(R::listed(e, 4)); // no name
    EXPECT_EQ(R::listText(e, 1), QStringLiteral("Smith, Nurse, 12.50/H"));
    EXPECT_EQ(R::listText(e, 3), QStringLiteral("Jones, Aide, 100.00/D"));
}
