#include "QueryRecord.h"

#include "RecordImage.h"
#include "model/codec/ByteReader.h"
#include "model/codec/ByteWriter.h"

namespace kalmur {

static_assert(QueryRecord::Offset::kNoteText == CoverageLine::fileSize);
static_assert(QueryRecord::Offset::kValue500 + 2 == QueryRecord::fileSize);

QueryRecord QueryRecord::fromBytes(std::span<const std::uint8_t> bytes) {
    const auto image = recordImage<fileSize>(bytes);
    const ByteReader in(image);
    QueryRecord q;
    q.criteria = CoverageLine::fromBytes(in.bytes(Offset::kCriteria, CoverageLine::fileSize));
    q.noteText = in.text(Offset::kNoteText, 60);
    q.value500 = in.i16(Offset::kValue500);
    return q;
}

void QueryRecord::encode(std::span<std::uint8_t, fileSize> out) const {
    criteria.encode(out.subspan<Offset::kCriteria, CoverageLine::fileSize>());
    ByteWriter w(out);
    w.setText(Offset::kNoteText, 60, noteText);
    w.setI16(Offset::kValue500, value500);
}

std::array<std::uint8_t, QueryRecord::fileSize> QueryRecord::toBytes() const {
    std::array<std::uint8_t, fileSize> out{};
    encode(out);
    return out;
}

QueryRecord QueryRecord::undefined() {
    QueryRecord q;
    q.criteria = CoverageLine::undefined();
    return q;
}

} // namespace kalmur
