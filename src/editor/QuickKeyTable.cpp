#include "QuickKeyTable.h"

namespace kalmur {

void QuickKeyTable::rebuild(const std::array<ShiftRecord, ShiftRecord::kCount>& shifts,
                            const ExplanationTable& explanations) {
    // The reserved shifts 100..102 have no quick keys.
    std::array<std::uint8_t, ShiftRecord::kUserShifts> shiftKeys{};
    for (std::size_t i = 0; i < shiftKeys.size(); ++i) {
        shiftKeys[i] = shifts[i].quickKey;
    }
    m_entries = QuickKey::assignments(shiftKeys, explanations.quickKeys);
}

int QuickKeyTable::entry(int keyCode, bool withShift) const {
    if (keyCode < 1 || keyCode > 90) {
        return 0;
    }
    return m_entries[static_cast<std::size_t>(keyCode + (withShift ? QuickKey::kShiftOffset : 0))];
}

} // namespace kalmur
