#pragma once

#include "Cell.h"

#include <array>
#include <cstdint>
#include <span>

namespace kalmur {

// The cells of all 200 employee slots for one day; one record of the day file.
// Arrays are indexed by slot - 1.
struct DayRecord {
    static constexpr std::size_t fileSize = 1200;
    static constexpr int kSlots = 200;
    // Where each field starts in the record image.
    struct Offset {
        static constexpr std::size_t kShift = 0;
        static constexpr std::size_t kOnCall = 200;
        static constexpr std::size_t kExplanation = 400;
        static constexpr std::size_t kReserved = 600;
        static constexpr std::size_t kNote = 800;
    };

    std::array<std::uint8_t, kSlots> shift{};       // 0 none, 1..99 user shift, 100 off
    std::array<std::uint8_t, kSlots> onCall{};      // non-zero = on call
    std::array<std::uint8_t, kSlots> explanation{}; // 0 none, 1..99
    std::array<std::uint8_t, kSlots> reserved{};    // travels with the cell, never interpreted
    std::array<std::int16_t, kSlots> note{};        // > 0 note record, < 0 detached, 0 none

    static DayRecord fromBytes(std::span<const std::uint8_t> bytes);
    void encode(std::span<std::uint8_t, fileSize> out) const;
    std::array<std::uint8_t, fileSize> toBytes() const;

    // A cell is empty when shift, on call, explanation and note (a detached note
    // counting as none) are all zero.
    bool isEmpty(int slot) const;
    // The cell of slot 1..200; an empty cell for any other slot.
    Cell cell(int slot) const;
    // Stores the cell of slot 1..200; false for any other slot.
    bool setCell(int slot, const Cell& cell);
    bool operator==(const DayRecord&) const = default;
};

} // namespace kalmur
