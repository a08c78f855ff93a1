#pragma once

#include "ExplanationTable.h"
#include "ShiftRecord.h"

#include <cstdint>

namespace kalmur {

// The five fields of one cell: one employee slot on one day.
struct Cell {
    std::uint8_t shift = 0;
    std::uint8_t onCall = 0;
    std::uint8_t explanation = 0;
    std::uint8_t reserved = 0;
    std::int16_t note = 0;
    bool operator==(const Cell&) const = default;

    // What a stored code stands for wherever a cell is shown, counted or
    // printed. Day files are untrusted: a shift code above 100 is no shift, an
    // explanation above 99 is none.
    int shownShift() const { return shift <= ShiftRecord::kOff ? shift : 0; }
    int shownExplanation() const {
        return explanation <= ExplanationTable::kCount ? explanation : 0;
    }
    // The note a cell shows: a record of a note file holding `noteCount`
    // notes, else 0 (a detached note is below 0).
    int shownNote(int noteCount) const { return note > 0 && note <= noteCount ? note : 0; }
};

} // namespace kalmur
