#include "OldEmployeeTable.h"

#include "model/codec/ByteReader.h"
#include "model/records/RecordImage.h"

namespace kalmur {

namespace {
constexpr std::size_t kNames = 0;
constexpr std::size_t kPositions = 1000;
constexpr std::size_t kMarker = 1500;
constexpr std::size_t kThresDay = 1502;
constexpr std::size_t kDayFactor = 1504;
constexpr std::size_t kPeriodDays = 1508;
constexpr std::size_t kThresPeriod = 1510;
constexpr std::size_t kPeriodFactor = 1512;
constexpr std::size_t kPayRate = 1516;
constexpr std::size_t kPayType = 1916;
static_assert(kPositions == kNames + 20 * OldEmployeeTable::kRows);
static_assert(kMarker == kPositions + 10 * OldEmployeeTable::kRows);
static_assert(kPayType == kPayRate + 8 * OldEmployeeTable::kRows);
static_assert(kPayType + 2 * OldEmployeeTable::kRows == OldEmployeeTable::fileSize);
} // namespace

OldEmployeeTable OldEmployeeTable::fromBytes(std::span<const std::uint8_t> bytes) {
    const auto image = recordImage<fileSize>(bytes);
    const ByteReader in(image);
    OldEmployeeTable t;
    for (std::size_t r = 0; r < kRows; ++r) {
        t.names[r] = in.text(kNames + 20 * r, 20);
        t.positions[r] = in.text(kPositions + 10 * r, 10);
        t.payRate[r] = in.i64(kPayRate + 8 * r);
        t.payType[r] = in.i16(kPayType + 2 * r);
    }
    t.layoutMarker = in.i16(kMarker);
    t.thresDay = in.i16(kThresDay);
    t.dayOtFactor = in.f32(kDayFactor);
    t.periodDays = in.i16(kPeriodDays);
    t.thresPeriod = in.i16(kThresPeriod);
    t.periodOtFactor = in.f32(kPeriodFactor);
    return t;
}

} // namespace kalmur
