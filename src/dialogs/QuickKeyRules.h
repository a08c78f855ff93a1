#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <span>

namespace kalmur {

// What a quick-key field stores for a key press and what it tells about keys
// used more than once.
namespace QuickKeyRules {

// The quick key stored for a key code: a letter (65..90) or digit (48..57)
// stores its code, plus 100 with Shift; any other key stores 0 (none).
std::uint8_t captured(int keyCode, bool withShift);

// Who holds a quick key: a shift (1..99) or an explanation (1..99).
struct KeyOwner {
    bool explanation = false;
    int number = 0;
    bool operator==(const KeyOwner&) const = default;
};

// "Shift 12" or "Explanation 3".
QString ownerName(const KeyOwner& owner);

// The other shifts and explanations that use the same key as `self`, and the
// one the grid uses for it (QuickKey::assignments decides). `shiftKeys` and `explanationKeys` hold
// the keys of shifts and explanations 1, 2, ...; a key may be used several
// times, which is allowed, so this only informs.
struct Clash {
    QList<KeyOwner> others;
    KeyOwner used;
    bool isEmpty() const { return others.isEmpty(); }
};
Clash clash(std::uint8_t key, const KeyOwner& self, std::span<const std::uint8_t> shiftKeys,
            std::span<const std::uint8_t> explanationKeys);

// A short line for the dialog ("Also used by Shift 12, Explanation 3") and a
// longer explanation for its tooltip; both empty when nothing clashes.
QString clashLine(const Clash& clash);
QString clashDetail(std::uint8_t key, const Clash& clash);

} // namespace QuickKeyRules

} // namespace kalmur
