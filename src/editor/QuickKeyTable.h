#pragma once

#include "model/records/ExplanationTable.h"
#include "model/records/QuickKey.h"
#include "model/records/ShiftRecord.h"

#include <array>

namespace kalmur {

// Which shift or explanation each quick key of the grid stands for: entries
// 1..90 for a key alone and 101..190 with Shift. A positive entry is a shift
// number, a negative one minus an explanation number, 0 no assignment; which
// of several holders of one key wins is QuickKey::assignments' rule.
class QuickKeyTable {
public:
    static constexpr int kEntries = QuickKey::kHighest;

    void rebuild(const std::array<ShiftRecord, ShiftRecord::kCount>& shifts,
                 const ExplanationTable& explanations);
    // The entry of a key code (1..90), with or without Shift; 0 for others.
    int entry(int keyCode, bool withShift) const;

private:
    QuickKey::Assignments m_entries{};
};

} // namespace kalmur
