#include "OldShiftRecord.h"

#include "model/codec/ByteReader.h"
#include "model/records/RecordImage.h"

namespace kalmur {

OldShiftRecord OldShiftRecord::fromBytes(std::span<const std::uint8_t> bytes) {
    const auto image = recordImage<fileSize>(bytes);
    const ByteReader in(image);
    OldShiftRecord s;
    s.description = in.text(0, 15);
    s.startTime = in.f64(15);
    s.endTime = in.f64(23);
    s.colour = in.i16(31);
    return s;
}

} // namespace kalmur
