#pragma once

#include <QString>

#include <cstdint>
#include <span>

namespace kalmur {

// Writes little-endian fields at explicit offsets of a byte image. A field that
// does not fit is not written and clears ok(); nothing is ever written outside
// the image.
class ByteWriter {
public:
    explicit ByteWriter(std::span<std::uint8_t> bytes)
        : m_bytes(bytes) {}

    void setU8(std::size_t offset, std::uint8_t value);
    void setI16(std::size_t offset, std::int16_t value);
    void setI32(std::size_t offset, std::int32_t value);
    void setI64(std::size_t offset, std::int64_t value);
    void setF32(std::size_t offset, float value);
    void setF64(std::size_t offset, double value);
    // An Integer boolean: -1 for true, 0 for false.
    void setBoolean(std::size_t offset, bool value) { setI16(offset, value ? -1 : 0); }
    // A fixed-width Windows-1252 text: cut to the width, padded with spaces.
    void setText(std::size_t offset, std::size_t width, const QString& text);
    void setBytes(std::size_t offset, std::span<const std::uint8_t> bytes);

    bool ok() const { return m_ok; }

private:
    bool fits(std::size_t offset, std::size_t count);

    std::span<std::uint8_t> m_bytes;
    bool m_ok = true;
};

} // namespace kalmur
