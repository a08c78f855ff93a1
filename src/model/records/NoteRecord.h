#pragma once

#include <QString>

#include <array>
#include <cstdint>
#include <span>

namespace kalmur {

// One note of the note file: record n is note number n.
struct NoteRecord {
    static constexpr std::size_t fileSize = 60;

    QString text; // Text 60

    static NoteRecord fromBytes(std::span<const std::uint8_t> bytes);
    void encode(std::span<std::uint8_t, fileSize> out) const;
    std::array<std::uint8_t, fileSize> toBytes() const;
};

} // namespace kalmur
