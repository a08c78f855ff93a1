#include "NoteRecord.h"

#include "RecordImage.h"
#include "model/codec/ByteReader.h"
#include "model/codec/ByteWriter.h"

namespace kalmur {

NoteRecord NoteRecord::fromBytes(std::span<const std::uint8_t> bytes) {
    const auto image = recordImage<fileSize>(bytes);
    return NoteRecord{ByteReader(image).text(0, fileSize)};
}

void NoteRecord::encode(std::span<std::uint8_t, fileSize> out) const {
    ByteWriter(out).setText(0, fileSize, text);
}

std::array<std::uint8_t, NoteRecord::fileSize> NoteRecord::toBytes() const {
    std::array<std::uint8_t, fileSize> out{};
    encode(out);
    return out;
}

} // namespace kalmur
