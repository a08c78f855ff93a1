#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <span>

namespace kalmur {

// Single-byte Windows-1252 text, the character set of every text field in the
// schedule files. The five bytes that Windows-1252 leaves undefined (0x81, 0x8D,
// 0x8F, 0x90, 0x9D) map to the C1 control characters of the same value, so that
// decoding and encoding any byte sequence gives back the same bytes.
QString decodeCp1252(std::span<const std::uint8_t> bytes);

// Characters with no Windows-1252 byte become '?'.
QByteArray encodeCp1252(const QString& text);
std::uint8_t encodeCp1252Char(QChar c);

} // namespace kalmur
