#include "StorableTextValidator.h"

#include "PropertiesRules.h"

namespace kalmur {

QValidator::State StorableTextValidator::validate(QString& input, int&) const {
    return PropertiesRules::isStorableText(input) ? Acceptable : Invalid;
}

} // namespace kalmur
