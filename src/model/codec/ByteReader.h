#pragma once

#include <QString>

#include <cstdint>
#include <span>

namespace kalmur {

// Reads little-endian fields at explicit offsets of a byte image. Every read is
// checked against the end of the image: a field that does not fit reads as zero
// (or an empty text) and clears ok(), so a short or damaged record can never
// make a read go past its bytes.
class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> bytes)
        : m_bytes(bytes) {}

    std::uint8_t u8(std::size_t offset) const;
    std::int16_t i16(std::size_t offset) const;
    std::int32_t i32(std::size_t offset) const;
    std::int64_t i64(std::size_t offset) const;
    float f32(std::size_t offset) const;
    double f64(std::size_t offset) const;
    // An Integer boolean: any value other than 0 is true.
    bool boolean(std::size_t offset) const { return i16(offset) != 0; }
    // A fixed-width Windows-1252 text with trailing spaces (and the zero bytes of a
    // never-written field) removed.
    QString text(std::size_t offset, std::size_t width) const;
    // A sub-image; empty (and ok() cleared) when it does not fit.
    std::span<const std::uint8_t> bytes(std::size_t offset, std::size_t count) const;

    bool ok() const { return m_ok; }
    std::size_t size() const { return m_bytes.size(); }

private:
    bool fits(std::size_t offset, std::size_t count) const;

    std::span<const std::uint8_t> m_bytes;
    mutable bool m_ok = true;
};

} // namespace kalmur
