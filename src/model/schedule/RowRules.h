#pragma once

#include "model/records/EmployeeTable.h"
#include "model/records/ScheduleSettings.h"

#include <array>
#include <cstdint>

namespace kalmur {

// The rules that reorder the display rows. A display row is five fields kept
// in two records: the row order entry (the slot whose cells the row shows) and
// the name, position, pay rate and pay type of the employee table. They always
// move together, so the cells follow their employee and the day file is never
// touched.
class RowRules {
public:
    using RowOrder = std::array<std::int16_t, ScheduleSettings::kRows>;
    enum class SortKey { Name, Position };

    RowRules(RowOrder& order, EmployeeTable& employees);

    // Takes row `from` out of the order and puts it at row `to`; the rows in
    // between move by one towards `from`. Rows 1..200; false when outside.
    bool move(int from, int to);
    // Row 200 comes in at `row`, every row from there on moves down by one.
    bool insertBlank(int row) { return move(EmployeeTable::kRows, row); }
    // The inverse: the row at `row` goes to row 200, the rows below move up.
    bool removeBlank(int row) { return move(row, EmployeeTable::kRows); }

    // The highest row whose name or position starts with a character above the
    // space; 0 when there is none.
    int lastUsedRow() const;
    // Sorts rows 1..lastUsedRow() block by block: divider rows stay where they
    // are and no row crosses one. Rows whose key is blank go to the end of
    // their block; equal keys keep their order. Case is ignored.
    void sortBlocks(SortKey key);

private:
    struct Row {
        std::int16_t slot = 0;
        QString name;
        QString position;
        std::int64_t payRate = 0;
        std::int16_t payType = 0;
    };
    Row take(int row) const;
    void put(int row, const Row& fields);

    RowOrder& m_order;
    EmployeeTable& m_employees;
};

} // namespace kalmur
