#include "Cp1252.h"

#include <array>

namespace kalmur {

namespace {

// Unicode code points of bytes 0x80..0x9F; the undefined bytes keep their own value.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

} // namespace

QString decodeCp1252(std::span<const std::uint8_t> bytes) {
    QString out;
    out.resize(static_cast<qsizetype>(bytes.size()));
    QChar* p = out.data();
    for (std::uint8_t b : bytes) {
        *p++ = (b >= 0x80 && b <= 0x9F) ? QChar(kHigh[b - 0x80]) : QChar(char16_t(b));
    }
    return out;
}

std::uint8_t encodeCp1252Char(QChar c) {
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
        return static_cast<std::uint8_t>(u);
    }
    for (std::size_t i = 0; i < kHigh.size(); ++i) {
        if (kHigh[i] == u) {
            return static_cast<std::uint8_t>(0x80 + i);
        }
    }
    return '?';
}

QByteArray encodeCp1252(const QString& text) {
    QByteArray out;
    out.reserve(text.size());
    for (QChar c : text) {
        out.append(static_cast<char>(encodeCp1252Char(c)));
    }
    return out;
}

} // namespace kalmur
