#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace kalmur {

// The cells of the 50 slots of one day in a schedule of the previous format
// (a record of the old ".SCH" file). The arrays fill the first 300 bytes of the
// 350-byte record; the last 50 bytes carry nothing the conversion reads.
struct OldDayRecord {
    static constexpr std::size_t fileSize = 350;
    static constexpr int kSlots = 50;

    std::array<std::uint8_t, kSlots> shift{};
    std::array<std::uint8_t, kSlots> onCall{};
    std::array<std::uint8_t, kSlots> explanation{};
    std::array<std::uint8_t, kSlots> reserved{};
    std::array<std::int16_t, kSlots> note{}; // record number in the old note file

    // A short image reads as if padded with zero bytes.
    static OldDayRecord fromBytes(std::span<const std::uint8_t> bytes);
};

} // namespace kalmur
