#pragma once

#include <QString>

#include <array>
#include <cstdint>
#include <span>

namespace kalmur {

// The employee table of a schedule of the previous format (the ".SEM" file):
// one record of 2016 bytes for 50 rows. The two overtime thresholds are whole
// hours there.
struct OldEmployeeTable {
    static constexpr std::size_t fileSize = 2016;
    static constexpr int kRows = 50;

    std::array<QString, kRows> names;     // Text 20
    std::array<QString, kRows> positions; // Text 10
    std::int16_t layoutMarker = 0;
    std::int16_t thresDay = 0;
    float dayOtFactor = 0;
    std::int16_t periodDays = 0;
    std::int16_t thresPeriod = 0;
    float periodOtFactor = 0;
    std::array<std::int64_t, kRows> payRate{}; // Currency: amount x 10,000
    std::array<std::int16_t, kRows> payType{};

    // A short image reads as if padded with zero bytes.
    static OldEmployeeTable fromBytes(std::span<const std::uint8_t> bytes);
};

} // namespace kalmur
