#include "QuickKey.h"

namespace kalmur::QuickKey {

namespace {
bool isKeyCharacter(int c) {
    return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}
const QString kShiftPrefix = QStringLiteral("SHIFT-");
} // namespace

std::uint8_t encode(QChar key, bool withShift) {
    const int c = key.toUpper().unicode();
    if (!isKeyCharacter(c)) {
        return 0;
    }
    return static_cast<std::uint8_t>(c + (withShift ? kShiftOffset : 0));
}

bool isValid(std::uint8_t code) {
    return isKeyCharacter(code) || (code > kShiftOffset && isKeyCharacter(code - kShiftOffset));
}

QString toText(std::uint8_t code) {
    if (!isValid(code)) {
        return {};
    }
    if (code > kShiftOffset) {
        return kShiftPrefix + QChar(char16_t(code - kShiftOffset));
    }
    return QString(QChar(char16_t(code)));
}

Assignments assignments(std::span<const std::uint8_t> shiftKeys,
                        std::span<const std::uint8_t> explanationKeys) {
    Assignments entries{};
    // Later entries overwrite earlier ones, explanations after shifts.
    for (std::size_t i = 0; i < shiftKeys.size(); ++i) {
        if (shiftKeys[i] >= 1 && shiftKeys[i] <= kHighest) {
            entries[shiftKeys[i]] = static_cast<std::int16_t>(i + 1);
        }
    }
    for (std::size_t i = 0; i < explanationKeys.size(); ++i) {
        if (explanationKeys[i] >= 1 && explanationKeys[i] <= kHighest) {
            entries[explanationKeys[i]] = static_cast<std::int16_t>(-static_cast<int>(i + 1));
        }
    }
    return entries;
}

std::uint8_t fromText(const QString& text) {
    const QString t = text.trimmed().toUpper();
    if (t.size() == 1) {
        return encode(t[0], false);
    }
    if (t.size() == kShiftPrefix.size() + 1 && t.startsWith(kShiftPrefix)) {
        return encode(t.back(), true);
    }
    return 0;
}

} // namespace kalmur::QuickKey
