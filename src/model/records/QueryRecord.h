#pragma once

#include "CoverageLine.h"

#include <QString>

#include <array>
#include <cstdint>
#include <span>

namespace kalmur {

// One of the ten stored queries: the criteria of a coverage line plus a note
// search text.
struct QueryRecord {
    static constexpr std::size_t fileSize = 502;
    static constexpr int kCount = 10;
    // Where each field starts in the record image.
    struct Offset {
        static constexpr std::size_t kCriteria = 0;
        static constexpr std::size_t kNoteText = 440;
        static constexpr std::size_t kValue500 = 500;
    };

    CoverageLine criteria; // bytes 0..439
    QString noteText;      // Text 60
    std::int16_t value500 = 0;

    static QueryRecord fromBytes(std::span<const std::uint8_t> bytes);
    void encode(std::span<std::uint8_t, fileSize> out) const;
    std::array<std::uint8_t, fileSize> toBytes() const;

    // A query never set up: "undefined", ignoring names, explanations and shifts.
    static QueryRecord undefined();
    bool operator==(const QueryRecord&) const = default;
};

} // namespace kalmur
