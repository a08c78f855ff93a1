// The estimated cost: daily and period overtime, daily pay, the cells' texts
// and the scratch file's bytes.
#include "model/cost/CostTable.h"

#include <gtest/gtest.h>

using namespace kalmur;
using namespace kalmur::CostTable;

namespace {

Currency money(double value) {
    return Currency::fromDouble(value);
}

struct CostCase {
    const char* what;
    double dayFactor;
    int periodDays;
    double periodFactor;
    bool daily;
    double rate;
    std::vector<std::uint8_t> shifts; // shift 1 is 10 hours, 2 is 8 hours
    QStringList cells;                // Regular, Daily OT, Period OT, Days, Total Cost
};

} // namespace

TEST(CostTable, OvertimeRulesAndTexts) {
    PaidHours paid{};
    paid[1] = money(10);
    paid[2] = money(8);
    const CostCase cases[] = {
        {"daily overtime split off",
         1.5,
         7,
         1.5,
         false,
         10,
         {1, 1, 1},
         {"24.00", "6.00", "-", "3", "330.00"}},
        {"factor 1.00: no daily overtime",
         1.0,
         7,
         1.5,
         false,
         10,
         {1, 1, 1},
         {"30.00", "N/A", "-", "3", "300.00"}},
        {"a full period over the threshold, then a short one",
         1.0,
         7,
         1.5,
         false,
         10,
         {2, 2, 2, 2, 2, 2, 2, 2, 2, 2},
         {"64.00", "N/A", "16.00", "10", "880.00"}},
        {"period 0: the whole run is one period",
         1.0,
         0,
         1.5,
         false,
         10,
         {2, 2, 2, 2, 2, 2, 2, 2, 2, 2},
         {"40.00", "N/A", "40.00", "10", "1,000.00"}},
        {"period factor 1.00: no period overtime",
         1.0,
         7,
         1.0,
         false,
         10,
         {2, 2, 2, 2, 2, 2, 2, 2, 2, 2},
         {"80.00", "N/A", "N/A", "10", "800.00"}},
        {"daily pay per day worked",
         1.5,
         7,
         1.5,
         true,
         100,
         {1, 2, 0},
         {"18.00", "N/A", "N/A", "2", "200.00"}},
        {"off, nothing and reserved codes count nothing",
         1.5,
         7,
         1.5,
         false,
         10,
         {100, 0, 101, 102, 250},
         {"-", "-", "-", "-", "-"}},
        {"a cost above 99999.99 reads error",
         1.0,
         7,
         1.0,
         false,
         999.99,
         std::vector<std::uint8_t>(42, 1),
         {"420.00", "N/A", "N/A", "42", "error"}},
    };
    for (const CostCase& c : cases) {
        Rules rules;
        rules.thresDay = money(8);
        rules.dayFactor = money(c.dayFactor);
        rules.periodDays = c.periodDays;
        rules.thresPeriod = money(40);
        rules.periodFactor = money(c.periodFactor);
        const Employee e{"Smith ", "Nurse", money(c.rate), c.daily, c.shifts};
        const auto table = lines(rules, {e}, paid);
        ASSERT_EQ(table.size(), 3U) << c.what;
        const QStringList& row = table[1];
        EXPECT_EQ(row.mid(0, 3), (QStringList{"Smith", "Nurse", c.daily ? "Daily" : "Hourly"}))
            << c.what;
        EXPECT_EQ(row.mid(4), c.cells) << c.what;
        // One employee: the totals repeat the hours; an "error" cost adds 0.
        const QStringList& totals = table[2];
        EXPECT_EQ(totals[0], "TOTALS");
        EXPECT_EQ(totals[8], c.cells[4] == "error" ? "-" : c.cells[4]) << c.what;
    }
}

TEST(CostTable, CurrencyIsExactAndRoundsHalfToEven) {
    // A tenth is not a binary fraction; ten thousand of them are exactly 1000.
    Currency sum;
    for (int i = 0; i < 10000; ++i) {
        sum += money(0.1);
    }
    EXPECT_EQ(sum, Currency::whole(1000));
    EXPECT_EQ(money(1.23456).units(), 12346);
    EXPECT_EQ((money(0.0001) * money(0.5)).units(), 0);    // 0.00005 -> even 0
    EXPECT_EQ((money(0.0003) * money(0.5)).units(), 2);    // 0.00015 -> even 0.0002
    EXPECT_EQ((money(12.5) * money(1.5)).units(), 187500); // 18.75
}

TEST(CostTable, ScratchFileCells) {
    const std::vector<QStringList> table = {{"Name", "Zoë"}, {"A \"b\"", " "}};
    const QByteArray expected =
        QByteArray("\"Name\"\xff\"Zo\xeb\"\xff\r\n\"A \"b\"\"\xff\" \"\xff\r\n");
    EXPECT_EQ(scratchText(table), expected);
}
