#include "OldExplanationTable.h"

#include "model/codec/ByteReader.h"
#include "model/records/RecordImage.h"

namespace kalmur {

OldExplanationTable OldExplanationTable::fromBytes(std::span<const std::uint8_t> bytes) {
    const auto image = recordImage<fileSize>(bytes);
    const ByteReader in(image);
    OldExplanationTable t;
    for (std::size_t e = 0; e < kCount; ++e) {
        t.descriptions[e] = in.text(20 * e, 20);
    }
    return t;
}

} // namespace kalmur
