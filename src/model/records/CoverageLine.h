#pragma once

#include <QString>

#include <array>
#include <cstdint>
#include <span>

namespace kalmur {

// One coverage watch line of a view format; the same criteria begin every
// stored query.
struct CoverageLine {
    static constexpr std::size_t fileSize = 440;
    // Where each field starts in the record image.
    struct Offset {
        static constexpr std::size_t kTitle = 0;
        static constexpr std::size_t kIgnoreNames = 20;
        static constexpr std::size_t kIgnoreExplanations = 22;
        static constexpr std::size_t kIgnoreShifts = 24;
        static constexpr std::size_t kByPosition = 26;
        static constexpr std::size_t kPosition = 28;
        static constexpr std::size_t kEmployees = 38;
        static constexpr std::size_t kExplanations = 238;
        static constexpr std::size_t kShifts = 338;
    };

    QString title; // Text 20; "undefined" for a line never set up
    bool ignoreNames = true;
    bool ignoreExplanations = true;
    bool ignoreShifts = true;
    bool checkByPosition = false;
    QString position; // Text 10
    // 1 = chosen. Employee marks by slot - 1; explanation marks by number 0..99;
    // shift marks by number 0..101 (0 not scheduled, 100 off, 101 on call).
    std::array<std::uint8_t, 200> employeeMarks{};
    std::array<std::uint8_t, 100> explanationMarks{};
    std::array<std::uint8_t, 102> shiftMarks{};

    static CoverageLine fromBytes(std::span<const std::uint8_t> bytes);
    void encode(std::span<std::uint8_t, fileSize> out) const;
    std::array<std::uint8_t, fileSize> toBytes() const;

    // A line never set up: "undefined", every filter off, no marks.
    static CoverageLine undefined();
    bool operator==(const CoverageLine&) const = default;
};

} // namespace kalmur
