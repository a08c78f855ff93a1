// Reordering display rows: the five fields of a row always move together.
#include "model/schedule/RowRules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace kalmur;

namespace {

// Rows built from names; each row's slot, position, pay rate and pay type are
// derived from its starting row so that any field left behind shows up.
struct Rows {
    RowRules::RowOrder order{};
    EmployeeTable table = EmployeeTable::defaults();
    RowRules rules{order, table};

    explicit Rows(const std::vector<std::string>& names,
                  const std::vector<std::string>& positions = {}) {
        for (std::size_t i = 0; i < order.size(); ++i) {
            order[i] = static_cast<std::int16_t>(i + 1);
            table.payRate[i] = static_cast<std::int64_t>(i + 1) * 10000;
            table.payType[i] = static_cast<std::int16_t>(i % 2);
        }
        for (std::size_t i = 0; i < names.size(); ++i) {
            table.names[i] = QString::fromStdString(names[i]);
            table.positions[i] = i < positions.size() ? QString::fromStdString(positions[i])
                                                      : QStringLiteral("P%1").arg(i + 1);
        }
    }
    // The names of rows 1..count, and a check that every row still holds the
    // fields it started with.
    std::vector<std::string> names(std::size_t count) const {
        std::vector<std::string> out;
        for (std::size_t i = 0; i < count; ++i) {
            out.push_back(table.names[i].toStdString());
        }
        return out;
    }
    void expectFieldsTogether() const {
        for (std::size_t i = 0; i < order.size(); ++i) {
            const auto start = static_cast<std::size_t>(order[i] - 1);
            EXPECT_EQ(table.payRate[i], static_cast<std::int64_t>(start + 1) * 10000) << i;
            EXPECT_EQ(table.payType[i], static_cast<std::int16_t>(start % 2)) << i;
        }
    }
};

using Names = std::vector<std::string>;

} // namespace

TEST(RowRules, SortingKeepsEveryRowInsideItsDividerBlock) {
    struct Case {
        const char* what;
        RowRules::SortKey key;
        Names names;
        Names positions;
        Names expected;
    };
    using K = RowRules::SortKey;
    const Case cases[] = {
        {"blocks",
         K::Name,
         {"d", "B", "/ Nights", "z", "a", "/", "c"},
         {},
         {"B", "d", "/ Nights", "a", "z", "/", "c"}},
        {"case ignored, ties keep order",
         K::Name,
         {"beta", "Alpha", "alpha", "Beta"},
         {},
         {"Alpha", "alpha", "beta", "Beta"}},
        {"blank names last in their block",
         K::Name,
         {"", "Cole", "/", "", "Ames"},
         {},
         {"Cole", "", "/", "Ames", ""}},
        {"by position",
         K::Position,
         {"Ames", "Baker", "Cole"},
         {"RN", "LPN", "Aide"},
         {"Cole", "Baker", "Ames"}},
        {"blank positions last",
         K::Position,
         {"Ames", "Baker", "Cole"},
         {"", "RN", "Aide"},
         {"Cole", "Baker", "Ames"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Rows rows(c.names, c.positions);
        rows.rules.sortBlocks(c.key);
        EXPECT_EQ(rows.names(c.names.size()), c.expected);
        rows.expectFieldsTogether();
        for (std::size_t i = 0; i < c.names.size(); ++i) {
            EXPECT_EQ(rows.table.isDivider(int(i) + 1), c.names[i].starts_with('/'));
        }
    }
}

TEST(RowRules, TheLastUsedRowCountsPositionsAndStopsTheSort) {
    Rows rows({"Zed"});
    EXPECT_EQ(rows.rules.lastUsedRow(), 1);
    rows.table.positions.fill(QString());
    rows.table.positions[9] = QStringLiteral("RN");
    rows.table.names[19] = QStringLiteral(" leading blank");
    EXPECT_EQ(rows.rules.lastUsedRow(), 10);
    // Rows past the last used one stay put, blank keys and all.
    rows.rules.sortBlocks(RowRules::SortKey::Name);
    EXPECT_EQ(rows.table.names[9], QString());
    EXPECT_EQ(rows.table.positions[9], QStringLiteral("RN"));
    EXPECT_EQ(rows.table.names[19], QStringLiteral(" leading blank"));
    EXPECT_EQ(rows.order[19], 20);
}
