#include "QuickKeyRules.h"

#include "model/records/QuickKey.h"

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
    // The grid takes the last of shifts 1..99 and then explanations 1..99.
    result.used = self;
    const auto collect = [&](std::span<const std::uint8_t> keys, bool explanation) {
        for (std::size_t i = 0; i < keys.size(); ++i) {
            const KeyOwner owner{explanation, static_cast<int>(i) + 1};
            const bool isSelf = owner == self;
            if (isSelf || keys[i] == key) {
                if (!isSelf) {
                    result.others.append(owner);
                }
                result.used = owner;
            }
        }
    };
    collect(shiftKeys, false);
    collect(explanationKeys, true);
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
