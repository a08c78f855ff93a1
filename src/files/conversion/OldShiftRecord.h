#pragma once

#include <QString>

#include <cstdint>
#include <span>

namespace kalmur {

// One shift of a schedule of the previous format (a record of the ".SSH"
// file, 33 bytes; shifts 1 to 35). It has no abbreviation, quick key or break.
struct OldShiftRecord {
    static constexpr std::size_t fileSize = 33;
    static constexpr int kCount = 35;

    QString description;  // Text 15
    double startTime = 0; // a date on day 0
    double endTime = 0;   // a date on day 0
    std::int16_t colour = 0;

    // A short image reads as if padded with zero bytes.
    static OldShiftRecord fromBytes(std::span<const std::uint8_t> bytes);
};

} // namespace kalmur
