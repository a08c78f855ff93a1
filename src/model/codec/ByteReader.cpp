#include "ByteReader.h"

#include "Cp1252.h"

#include <bit>
#include <cstring>

namespace kalmur {

namespace {

template <typename U>
U loadLittleEndian(const std::uint8_t* p) {
    U value = 0;
    for (std::size_t i = 0; i < sizeof(U); ++i) {
        value = static_cast<U>(value | (static_cast<U>(p[i]) << (8 * i)));
    }
    return value;
}

} // namespace

bool ByteReader::fits(std::size_t offset, std::size_t count) const {
    if (offset > m_bytes.size() || count > m_bytes.size() - offset) {
        m_ok = false;
        return false;
    }
    return true;
}

std::uint8_t ByteReader::u8(std::size_t offset) const {
    return fits(offset, 1) ? m_bytes[offset] : 0;
}

std::int16_t ByteReader::i16(std::size_t offset) const {
    return fits(offset, 2)
               ? static_cast<std::int16_t>(loadLittleEndian<std::uint16_t>(m_bytes.data() + offset))
               : 0;
}

std::int32_t ByteReader::i32(std::size_t offset) const {
    return fits(offset, 4)
               ? static_cast<std::int32_t>(loadLittleEndian<std::uint32_t>(m_bytes.data() + offset))
               : 0;
}

std::int64_t ByteReader::i64(std::size_t offset) const {
    return fits(offset, 8)
               ? static_cast<std::int64_t>(loadLittleEndian<std::uint64_t>(m_bytes.data() + offset))
               : 0;
}

float ByteReader::f32(std::size_t offset) const {
    return fits(offset, 4)
               ? std::bit_cast<float>(loadLittleEndian<std::uint32_t>(m_bytes.data() + offset))
               : 0.0f;
}

double ByteReader::f64(std::size_t offset) const {
    return fits(offset, 8)
               ? std::bit_cast<double>(loadLittleEndian<std::uint64_t>(m_bytes.data() + offset))
               : 0.0;
}

QString ByteReader::text(std::size_t offset, std::size_t width) const {
    if (!fits(offset, width)) {
        return {};
    }
    std::size_t end = width;
    while (end > 0 && (m_bytes[offset + end - 1] == ' ' || m_bytes[offset + end - 1] == 0)) {
        --end;
    }
    return decodeCp1252(m_bytes.subspan(offset, end));
}

std::span<const std::uint8_t> ByteReader::bytes(std::size_t offset, std::size_t count) const {
    return fits(offset, count) ? m_bytes.subspan(offset, count) : std::span<const std::uint8_t>{};
}

} // namespace kalmur
