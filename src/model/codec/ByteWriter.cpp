#include "ByteWriter.h"

#include "Cp1252.h"

#include <algorithm>
#include <bit>

namespace kalmur {

namespace {

template <typename U>
void storeLittleEndian(std::uint8_t* p, U value) {
    for (std::size_t i = 0; i < sizeof(U); ++i) {
        p[i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

} // namespace

bool ByteWriter::fits(std::size_t offset, std::size_t count) {
    if (offset > m_bytes.size() || count > m_bytes.size() - offset) {
        m_ok = false;
        return false;
    }
    return true;
}

void ByteWriter::setU8(std::size_t offset, std::uint8_t value) {
    if (fits(offset, 1)) {
        m_bytes[offset] = value;
    }
}

void ByteWriter::setI16(std::size_t offset, std::int16_t value) {
    if (fits(offset, 2)) {
        storeLittleEndian(m_bytes.data() + offset, static_cast<std::uint16_t>(value));
    }
}

void ByteWriter::setI32(std::size_t offset, std::int32_t value) {
    if (fits(offset, 4)) {
        storeLittleEndian(m_bytes.data() + offset, static_cast<std::uint32_t>(value));
    }
}

void ByteWriter::setI64(std::size_t offset, std::int64_t value) {
    if (fits(offset, 8)) {
        storeLittleEndian(m_bytes.data() + offset, static_cast<std::uint64_t>(value));
    }
}

void ByteWriter::setF32(std::size_t offset, float value) {
    if (fits(offset, 4)) {
        storeLittleEndian(m_bytes.data() + offset, std::bit_cast<std::uint32_t>(value));
    }
}

void ByteWriter::setF64(std::size_t offset, double value) {
    if (fits(offset, 8)) {
        storeLittleEndian(m_bytes.data() + offset, std::bit_cast<std::uint64_t>(value));
    }
}

void ByteWriter::setText(std::size_t offset, std::size_t width, const QString& text) {
    if (!fits(offset, width)) {
        return;
    }
    const auto count = std::min<std::size_t>(width, static_cast<std::size_t>(text.size()));
    for (std::size_t i = 0; i < count; ++i) {
        m_bytes[offset + i] = encodeCp1252Char(text[static_cast<qsizetype>(i)]);
    }
    std::fill(m_bytes.begin() + static_cast<std::ptrdiff_t>(offset + count),
              m_bytes.begin() + static_cast<std::ptrdiff_t>(offset + width), std::uint8_t(' '));
}

void ByteWriter::setBytes(std::size_t offset, std::span<const std::uint8_t> bytes) {
    if (fits(offset, bytes.size())) {
        std::copy(bytes.begin(), bytes.end(),
                  m_bytes.begin() + static_cast<std::ptrdiff_t>(offset));
    }
}

} // namespace kalmur
