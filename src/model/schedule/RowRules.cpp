#include "RowRules.h"

#include <algorithm>
#include <vector>

namespace kalmur {

namespace {

std::size_t at(int row) {
    return static_cast<std::size_t>(row - 1);
}

bool inside(int row) {
    return row >= 1 && row <= EmployeeTable::kRows;
}

bool startsAboveSpace(const QString& text) {
    return !text.isEmpty() && text.front() > QLatin1Char(' ');
}

} // namespace

RowRules::RowRules(RowOrder& order, EmployeeTable& employees)
    : m_order(order)
    , m_employees(employees) {
}

RowRules::Row RowRules::take(int row) const {
    const std::size_t i = at(row);
    return {m_order[i], m_employees.names[i], m_employees.positions[i], m_employees.payRate[i],
            m_employees.payType[i]};
}

void RowRules::put(int row, const Row& fields) {
    const std::size_t i = at(row);
    m_order[i] = fields.slot;
    m_employees.names[i] = fields.name;
    m_employees.positions[i] = fields.position;
    m_employees.payRate[i] = fields.payRate;
    m_employees.payType[i] = fields.payType;
}

bool RowRules::move(int from, int to) {
    if (!inside(from) || !inside(to)) {
        return false;
    }
    const Row moving = take(from);
    const int step = from < to ? 1 : -1;
    for (int row = from; row != to; row += step) {
        put(row, take(row + step));
    }
    put(to, moving);
    return true;
}

int RowRules::lastUsedRow() const {
    for (int row = EmployeeTable::kRows; row >= 1; --row) {
        if (startsAboveSpace(m_employees.names[at(row)]) ||
            startsAboveSpace(m_employees.positions[at(row)])) {
            return row;
        }
    }
    return 0;
}

void RowRules::sortBlocks(SortKey key) {
    const int last = lastUsedRow();
    auto keyOf = [&](const Row& r) {
        return (key == SortKey::Name ? r.name : r.position).trimmed();
    };
    auto before = [&](const Row& a, const Row& b) {
        const QString ka = keyOf(a);
        const QString kb = keyOf(b);
        if (ka.isEmpty() || kb.isEmpty()) {
            return !ka.isEmpty() && kb.isEmpty(); // blank keys last
        }
        return QString::compare(ka, kb, Qt::CaseInsensitive) < 0;
    };
    int first = 1;
    while (first <= last) {
        int end = first; // one past the block
        while (end <= last && !m_employees.isDivider(end)) {
            ++end;
        }
        if (end - first > 1) {
            std::vector<Row> block;
            for (int row = first; row < end; ++row) {
                block.push_back(take(row));
            }
            std::stable_sort(block.begin(), block.end(), before);
            for (int row = first; row < end; ++row) {
                put(row, block[at(row - first + 1)]);
            }
        }
        first = end + 1; // past the divider
    }
}

} // namespace kalmur
