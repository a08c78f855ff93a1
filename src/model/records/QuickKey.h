#pragma once

#include <QString>

#include <array>
#include <cstdint>
#include <span>

namespace kalmur {

// A quick key is one byte: 0 for none, otherwise the character code of a letter
// A to Z or a digit 0 to 9, plus 100 when the key is used together with Shift.
namespace QuickKey {

inline constexpr std::uint8_t kShiftOffset = 100;

// The key byte for a letter or digit, or 0 for any other character.
std::uint8_t encode(QChar key, bool withShift);
// "A", "SHIFT-A", or an empty text for none or a byte that is no quick key.
QString toText(std::uint8_t code);
// The byte from its shown text ("A", "shift-a"); 0 when it is none of them.
std::uint8_t fromText(const QString& text);
bool isValid(std::uint8_t code);

// The highest key byte: a digit or letter with Shift.
inline constexpr int kHighest = 90 + kShiftOffset;

// What each key byte 1..190 enters in the grid: a shift number, minus an
// explanation number, or 0 for nothing. `shiftKeys` and `explanationKeys` hold
// the keys of shifts and explanations 1, 2, ... A key may be given to several of
// them: the highest-numbered explanation with the key wins, or else the
// highest-numbered shift.
using Assignments = std::array<std::int16_t, kHighest + 1>;
Assignments assignments(std::span<const std::uint8_t> shiftKeys,
                        std::span<const std::uint8_t> explanationKeys);

} // namespace QuickKey

} // namespace kalmur
