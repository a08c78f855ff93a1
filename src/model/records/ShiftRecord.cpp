#include "ShiftRecord.h"

#include "RecordImage.h"
#include "model/codec/ByteReader.h"
#include "model/codec/ByteWriter.h"

namespace kalmur {

static_assert(ShiftRecord::Offset::kPaidLength + 4 == ShiftRecord::fileSize);

ShiftRecord ShiftRecord::fromBytes(std::span<const std::uint8_t> bytes) {
    const auto image = recordImage<fileSize>(bytes);
    const ByteReader in(image);
    ShiftRecord s;
    s.description = in.text(Offset::kDescription, 15);
    s.startTime = in.f64(Offset::kStartTime);
    s.endTime = in.f64(Offset::kEndTime);
    s.colour = in.i16(Offset::kColour);
    s.quickKey = in.u8(Offset::kQuickKey);
    s.abbreviation = in.text(Offset::kAbbreviation, 5);
    s.breakLength = in.f32(Offset::kBreakLength);
    s.paidLength = in.f32(Offset::kPaidLength);
    return s;
}

void ShiftRecord::encode(std::span<std::uint8_t, fileSize> out) const {
    ByteWriter w(out);
    w.setText(Offset::kDescription, 15, description);
    w.setF64(Offset::kStartTime, startTime);
    w.setF64(Offset::kEndTime, endTime);
    w.setI16(Offset::kColour, colour);
    w.setU8(Offset::kQuickKey, quickKey);
    w.setText(Offset::kAbbreviation, 5, abbreviation);
    w.setF32(Offset::kBreakLength, breakLength);
    w.setF32(Offset::kPaidLength, paidLength);
}

std::array<std::uint8_t, ShiftRecord::fileSize> ShiftRecord::toBytes() const {
    std::array<std::uint8_t, fileSize> out{};
    encode(out);
    return out;
}

float ShiftRecord::paidLengthOf(QTime start, QTime end, double breakHours) {
    const double s = start.isValid() ? start.hour() + start.minute() / 60.0 : 0.0;
    double e = end.isValid() ? end.hour() + end.minute() / 60.0 : 0.0;
    if (e <= s && s != 0.0 && e != 0.0) {
        e += 24.0; // overnight
    }
    const double length = e - s - breakHours;
    return length > 0.0 ? static_cast<float>(length) : 0.0f;
}

bool ShiftRecord::isUndefined() const {
    return description.trimmed() == QLatin1String("undefined");
}

ShiftRecord ShiftRecord::undefined() {
    ShiftRecord s;
    s.description = QStringLiteral("undefined");
    return s;
}

} // namespace kalmur
