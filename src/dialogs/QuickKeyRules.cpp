#include "QuickKeyRules.h"

#include "model/records/QuickKey.h"

#include <cstdlib>
#include <vector>

namespace kalmur::QuickKeyRules {

std::uint8_t captured(int keyCode, bool withShift) {
    const bool letter = keyCode >= 'A' && keyCode <= 'Z';
    const bool digit = keyCode >= '0' && keyCode <= '9';
    if (!letter && !digit) {
        return 0;
    }
    return static_cast<std::uint8_t>(keyCode + (withShift ? QuickKey::kShiftOffset : 0));
}

QString ownerName(const KeyOwner& owner) {
    return (owner.explanation ? QStringLiteral("Explanation ") : QStringLiteral("Shift ")) +
           QString::number(owner.number);
}

Clash clash(std::uint8_t key, const KeyOwner& self, std::span<const std::uint8_t> shiftKeys,
            std::span<const std::uint8_t> explanationKeys) {
    Clash result;
    if (!QuickKey::isValid(key)) {
        return result;
    }
    // `self` holds the key being shown, whatever the tables still say.
    std::vector<std::uint8_t> shifts(shiftKeys.begin(), shiftKeys.end());
    std::vector<std::uint8_t> explanations(explanationKeys.begin(), explanationKeys.end());
    const auto collect = [&](std::vector<std::uint8_t>& keys, bool explanation) {
        for (std::size_t i = 0; i < keys.size(); ++i) {
            const KeyOwner owner{explanation, static_cast<int>(i) + 1};
            if (owner == self) {
                keys[i] = key;
            } else if (keys[i] == key) {
                result.others.append(owner);
            }
        }
    };
    collect(shifts, false);
    collect(explanations, true);
    const int entry = QuickKey::assignments(shifts, explanations)[key];
    result.used = entry == 0 ? self : KeyOwner{entry < 0, std::abs(entry)};
    return result;
}

QString clashLine(const Clash& clash) {
    if (clash.isEmpty()) {
        return {};
    }
    QStringList names;
    for (const KeyOwner& owner : clash.others) {
        names << ownerName(owner);
    }
    return QStringLiteral("Also used by ") + names.join(QStringLiteral(", "));
}

QString clashDetail(std::uint8_t key, const Clash& clash) {
    if (clash.isEmpty()) {
        return {};
    }
    QStringList names;
    for (const KeyOwner& owner : clash.others) {
        names << ownerName(owner);
    }
    return QuickKey::toText(key) + QStringLiteral(" is also the quick key of ") +
           names.join(QStringLiteral(", ")) + QStringLiteral(". In the schedule it enters ") +
           ownerName(clash.used) + QLatin1Char('.');
}

} // namespace kalmur::QuickKeyRules
