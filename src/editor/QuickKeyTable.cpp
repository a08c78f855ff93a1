#include "QuickKeyTable.h"

namespace kalmur {

void QuickKeyTable::rebuild(const std::array<ShiftRecord, ShiftRecord::kCount>& shifts,
                            const ExplanationTable& explanations) {
    m_entries.fill(0);
    for (int n = 1; n <= ShiftRecord::kUserShifts; ++n) {
        const int key = shifts[static_cast<std::size_t>(n - 1)].quickKey;
        if (key >= 1 && key <= kEntries) {
            m_entries[static_cast<std::size_t>(key)] = static_cast<std::int16_t>(n);
        }
    }
    for (int n = 1; n <= ExplanationTable::kCount; ++n) {
        const int key = explanations.quickKeys[static_cast<std::size_t>(n - 1)];
        if (key >= 1 && key <= kEntries) {
            m_entries[static_cast<std::size_t>(key)] = static_cast<std::int16_t>(-n);
        }
    }
}

int QuickKeyTable::entry(int keyCode, bool withShift) const {
    if (keyCode < 1 || keyCode > 90) {
        return 0;
    }
    return m_entries[static_cast<std::size_t>(keyCode + (withShift ? 100 : 0))];
}

} // namespace kalmur
