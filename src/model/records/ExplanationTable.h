#pragma once

#include <QString>

#include <array>
#include <cstdint>
#include <span>

namespace kalmur {

// The 99 explanations (reasons for absence or remarks); one record. Arrays are
// indexed by explanation number - 1.
struct ExplanationTable {
    static constexpr std::size_t fileSize = 2574;
    static constexpr int kCount = 99;
    // Where each field starts in the record image.
    struct Offset {
        static constexpr std::size_t kDescriptions = 0;
        static constexpr std::size_t kAbbreviations = 1980;
        static constexpr std::size_t kQuickKeys = 2475;
    };

    std::array<QString, kCount> descriptions;  // Text 20
    std::array<QString, kCount> abbreviations; // Text 5
    std::array<std::uint8_t, kCount> quickKeys{};

    static ExplanationTable fromBytes(std::span<const std::uint8_t> bytes);
    void encode(std::span<std::uint8_t, fileSize> out) const;
    std::array<std::uint8_t, fileSize> toBytes() const;

    bool isUndefined(int number) const;
    // Description and abbreviation of explanation n; empty for a number outside
    // 1..99 (a damaged cell), so callers never index past the table.
    QString description(int number) const;
    QString abbreviation(int number) const;
    // The table of a new schedule: eleven common reasons, the rest "undefined".
    static ExplanationTable defaults();
    bool operator==(const ExplanationTable&) const = default;
};

} // namespace kalmur
