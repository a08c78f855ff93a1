#pragma once

#include "model/records/ExplanationTable.h"
#include "model/records/ShiftRecord.h"

#include <array>
#include <cstdint>

namespace kalmur {

// Which shift or explanation each quick key stands for: entries 1..90 for a key
// alone and 101..190 with Shift. A positive entry is a shift number, a negative
// one minus an explanation number, 0 no assignment. Later definitions win, and
// explanations win over shifts.
class QuickKeyTable {
public:
    static constexpr int kEntries = 190;

    void rebuild(const std::array<ShiftRecord, ShiftRecord::kCount>& shifts,
                 const ExplanationTable& explanations);
    // The entry of a key code (1..90), with or without Shift; 0 for others.
    int entry(int keyCode, bool withShift) const;

private:
    std::array<std::int16_t, kEntries + 1> m_entries{};
};

} // namespace kalmur
