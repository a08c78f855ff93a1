#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

namespace kalmur::fuzz {

// Takes fields off the front of a fuzz input. Past the end every field reads
// as zero and every span as empty, so a short input is still a valid input.
class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size)
        : m_bytes(data, size) {}

    std::size_t remaining() const { return m_bytes.size() - m_at; }

    std::uint8_t u8() { return m_at < m_bytes.size() ? m_bytes[m_at++] : std::uint8_t(0); }
    std::uint16_t u16() {
        const auto low = u8();
        return static_cast<std::uint16_t>(low | (u8() << 8));
    }
    std::int16_t i16() { return static_cast<std::int16_t>(u16()); }
    std::int8_t i8() { return static_cast<std::int8_t>(u8()); }
    double f64() {
        std::uint8_t raw[8] = {};
        for (auto& b : raw) {
            b = u8();
        }
        double value = 0;
        std::memcpy(&value, raw, sizeof value);
        return value;
    }
    // Up to `count` bytes.
    std::span<const std::uint8_t> bytes(std::size_t count) {
        const std::size_t n = count < remaining() ? count : remaining();
        const auto out = m_bytes.subspan(m_at, n);
        m_at += n;
        return out;
    }
    std::span<const std::uint8_t> rest() { return bytes(remaining()); }

private:
    std::span<const std::uint8_t> m_bytes;
    std::size_t m_at = 0;
};

} // namespace kalmur::fuzz
