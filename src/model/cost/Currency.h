#pragma once

#include <compare>
#include <cstdint>

namespace kalmur {

// A fixed-point amount with four decimal places, as costs are stored and
// summed: no binary floating point enters a sum. Products are worked out
// exactly and rounded to four places, half to even.
class Currency {
public:
    static constexpr std::int64_t kScale = 10000;

    constexpr Currency() = default;
    static constexpr Currency fromUnits(std::int64_t units) { return Currency(units); }
    // `value` rounded to four places, half to even; held at the type's range.
    static Currency fromDouble(double value);
    static constexpr Currency whole(std::int64_t value) { return Currency(value * kScale); }

    constexpr std::int64_t units() const { return m_units; }
    double toDouble() const { return static_cast<double>(m_units) / kScale; }

    friend constexpr Currency operator+(Currency a, Currency b) {
        return Currency(a.m_units + b.m_units);
    }
    friend constexpr Currency operator-(Currency a, Currency b) {
        return Currency(a.m_units - b.m_units);
    }
    Currency& operator+=(Currency other) {
        m_units += other.m_units;
        return *this;
    }
    friend Currency operator*(Currency a, Currency b);
    friend constexpr auto operator<=>(Currency, Currency) = default;

private:
    constexpr explicit Currency(std::int64_t units)
        : m_units(units) {}
    std::int64_t m_units = 0;
};

} // namespace kalmur
