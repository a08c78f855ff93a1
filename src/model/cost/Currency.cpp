#include "Currency.h"

#include <cmath>
#include <limits>

namespace kalmur {

namespace {

// Products of two amounts need 128 bits before they are scaled back.
__extension__ using Wide = __int128;

constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();

// n / kScale rounded half to even, held at the range of the type.
std::int64_t scaledDown(Wide n) {
    Wide quotient = n / Currency::kScale;
    const Wide remainder = n % Currency::kScale;
    const Wide twice = remainder < 0 ? -2 * remainder : 2 * remainder;
    if (twice > Currency::kScale || (twice == Currency::kScale && quotient % 2 != 0)) {
        quotient += n < 0 ? -1 : 1;
    }
    if (quotient > kMax) {
        return kMax;
    }
    if (quotient < -kMax) {
        return -kMax;
    }
    return static_cast<std::int64_t>(quotient);
}

} // namespace

Currency Currency::fromDouble(double value) {
    const double scaled = value * kScale;
    if (std::isnan(scaled)) {
        return {};
    }
    if (scaled >= 9.2e18 || scaled <= -9.2e18) {
        return Currency(scaled > 0 ? kMax : -kMax);
    }
    return Currency(static_cast<std::int64_t>(std::nearbyint(scaled)));
}

Currency operator*(Currency a, Currency b) {
    return Currency(scaledDown(static_cast<Wide>(a.m_units) * b.m_units));
}

} // namespace kalmur
