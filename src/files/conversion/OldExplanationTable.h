#pragma once

#include <QString>

#include <array>
#include <cstdint>
#include <span>

namespace kalmur {

// The explanations of a schedule of the previous format (the ".SEP" file):
// one record of 400 bytes holding 20 descriptions and nothing else.
struct OldExplanationTable {
    static constexpr std::size_t fileSize = 400;
    static constexpr int kCount = 20;

    std::array<QString, kCount> descriptions; // Text 20

    // A short image reads as if padded with zero bytes.
    static OldExplanationTable fromBytes(std::span<const std::uint8_t> bytes);
};

} // namespace kalmur
