#include "EmployeeTable.h"

#include "RecordImage.h"
#include "model/codec/ByteReader.h"
#include "model/codec/ByteWriter.h"

#include <algorithm>

namespace kalmur {

static_assert(EmployeeTable::Offset::kPayType + 2 * EmployeeTable::kRows ==
              EmployeeTable::fileSize);

namespace {
bool isBlank(const QString& text) {
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.isSpace(); });
}
} // namespace

bool EmployeeTable::isDividerName(const QString& name) {
    return name.startsWith(QLatin1Char('/'));
}

bool EmployeeTable::isNamedName(const QString& name) {
    return !isDividerName(name) && !isBlank(name);
}

bool EmployeeTable::isDivider(int row) const {
    return row >= 1 && row <= kRows && isDividerName(names[static_cast<std::size_t>(row - 1)]);
}

bool EmployeeTable::isNamed(int row) const {
    return row >= 1 && row <= kRows && isNamedName(names[static_cast<std::size_t>(row - 1)]);
}

bool EmployeeTable::hasBlankName(int row) const {
    return row >= 1 && row <= kRows && isBlank(names[static_cast<std::size_t>(row - 1)]);
}

EmployeeTable EmployeeTable::fromBytes(std::span<const std::uint8_t> bytes) {
    const auto image = recordImage<fileSize>(bytes);
    const ByteReader in(image);
    EmployeeTable t;
    for (std::size_t r = 0; r < kRows; ++r) {
        t.names[r] = in.text(Offset::kNames + 20 * r, 20);
        t.positions[r] = in.text(Offset::kPositions + 10 * r, 10);
        t.payRate[r] = in.i64(Offset::kPayRate + 8 * r);
        t.payType[r] = in.i16(Offset::kPayType + 2 * r);
    }
    t.layoutMarker = in.i16(Offset::kMarker);
    t.thresDay = in.f32(Offset::kThresDay);
    t.dayOtFactor = in.f32(Offset::kDayFactor);
    t.periodDays = in.i16(Offset::kPeriodDays);
    t.thresPeriod = in.f32(Offset::kThresPeriod);
    t.periodOtFactor = in.f32(Offset::kPeriodFactor);
    return t;
}

void EmployeeTable::encode(std::span<std::uint8_t, fileSize> out) const {
    ByteWriter w(out);
    for (std::size_t r = 0; r < kRows; ++r) {
        w.setText(Offset::kNames + 20 * r, 20, names[r]);
        w.setText(Offset::kPositions + 10 * r, 10, positions[r]);
        w.setI64(Offset::kPayRate + 8 * r, payRate[r]);
        w.setI16(Offset::kPayType + 2 * r, payType[r]);
    }
    w.setI16(Offset::kMarker, layoutMarker);
    w.setF32(Offset::kThresDay, thresDay);
    w.setF32(Offset::kDayFactor, dayOtFactor);
    w.setI16(Offset::kPeriodDays, periodDays);
    w.setF32(Offset::kThresPeriod, thresPeriod);
    w.setF32(Offset::kPeriodFactor, periodOtFactor);
}

std::array<std::uint8_t, EmployeeTable::fileSize> EmployeeTable::toBytes() const {
    std::array<std::uint8_t, fileSize> out{};
    encode(out);
    return out;
}

EmployeeTable EmployeeTable::defaults() {
    return EmployeeTable{};
}

void EmployeeTable::resetLayout() {
    const EmployeeTable fresh;
    layoutMarker = fresh.layoutMarker;
    thresDay = fresh.thresDay;
    dayOtFactor = fresh.dayOtFactor;
    periodDays = fresh.periodDays;
    thresPeriod = fresh.thresPeriod;
    periodOtFactor = fresh.periodOtFactor;
    payRate.fill(0);
    payType.fill(0);
}

} // namespace kalmur
