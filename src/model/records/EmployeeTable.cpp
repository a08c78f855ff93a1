#include "EmployeeTable.h"

#include "RecordImage.h"
#include "model/codec/ByteReader.h"
#include "model/codec/ByteWriter.h"

#include <algorithm>

namespace kalmur {

namespace {
constexpr std::size_t kNames = 0;
constexpr std::size_t kPositions = 4000;
constexpr std::size_t kMarker = 6000;
constexpr std::size_t kThresDay = 6002;
constexpr std::size_t kDayFactor = 6006;
constexpr std::size_t kPeriodDays = 6010;
constexpr std::size_t kThresPeriod = 6012;
constexpr std::size_t kPeriodFactor = 6016;
constexpr std::size_t kPayRate = 6020;
constexpr std::size_t kPayType = 7620;
} // namespace

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
        t.names[r] = in.text(kNames + 20 * r, 20);
        t.positions[r] = in.text(kPositions + 10 * r, 10);
        t.payRate[r] = in.i64(kPayRate + 8 * r);
        t.payType[r] = in.i16(kPayType + 2 * r);
    }
    t.layoutMarker = in.i16(kMarker);
    t.thresDay = in.f32(kThresDay);
    t.dayOtFactor = in.f32(kDayFactor);
    t.periodDays = in.i16(kPeriodDays);
    t.thresPeriod = in.f32(kThresPeriod);
    t.periodOtFactor = in.f32(kPeriodFactor);
    return t;
}

void EmployeeTable::encode(std::span<std::uint8_t, fileSize> out) const {
    ByteWriter w(out);
    for (std::size_t r = 0; r < kRows; ++r) {
        w.setText(kNames + 20 * r, 20, names[r]);
        w.setText(kPositions + 10 * r, 10, positions[r]);
        w.setI64(kPayRate + 8 * r, payRate[r]);
        w.setI16(kPayType + 2 * r, payType[r]);
    }
    w.setI16(kMarker, layoutMarker);
    w.setF32(kThresDay, thresDay);
    w.setF32(kDayFactor, dayOtFactor);
    w.setI16(kPeriodDays, periodDays);
    w.setF32(kThresPeriod, thresPeriod);
    w.setF32(kPeriodFactor, periodOtFactor);
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
