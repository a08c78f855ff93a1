#include "OldDayRecord.h"

#include "model/codec/ByteReader.h"
#include "model/records/RecordImage.h"

namespace kalmur {

namespace {
constexpr std::size_t kShift = 0;
constexpr std::size_t kOnCall = 50;
constexpr std::size_t kExplanation = 100;
constexpr std::size_t kReserved = 150;
constexpr std::size_t kNote = 200;
static_assert(kNote + 2 * OldDayRecord::kSlots <= OldDayRecord::fileSize);
} // namespace

OldDayRecord OldDayRecord::fromBytes(std::span<const std::uint8_t> bytes) {
    const auto image = recordImage<fileSize>(bytes);
    const ByteReader in(image);
    OldDayRecord d;
    for (std::size_t e = 0; e < kSlots; ++e) {
        d.shift[e] = in.u8(kShift + e);
        d.onCall[e] = in.u8(kOnCall + e);
        d.explanation[e] = in.u8(kExplanation + e);
        d.reserved[e] = in.u8(kReserved + e);
        d.note[e] = in.i16(kNote + 2 * e);
    }
    return d;
}

} // namespace kalmur
