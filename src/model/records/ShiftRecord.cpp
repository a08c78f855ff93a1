#include "ShiftRecord.h"

#include "RecordImage.h"
#include "model/codec/ByteReader.h"
#include "model/codec/ByteWriter.h"

namespace kalmur {

ShiftRecord ShiftRecord::fromBytes(std::span<const std::uint8_t> bytes) {
    const auto image = recordImage<fileSize>(bytes);
    const ByteReader in(image);
    ShiftRecord s;
    s.description = in.text(0, 15);
    s.startTime = in.f64(15);
    s.endTime = in.f64(23);
    s.colour = in.i16(31);
    s.quickKey = in.u8(33);
    s.abbreviation = in.text(34, 5);
    s.breakLength = in.f32(39);
    s.paidLength = in.f32(43);
    return s;
}

void ShiftRecord::encode(std::span<std::uint8_t, fileSize> out) const {
    ByteWriter w(out);
    w.setText(0, 15, description);
    w.setF64(15, startTime);
    w.setF64(23, endTime);
    w.setI16(31, colour);
    w.setU8(33, quickKey);
    w.setText(34, 5, abbreviation);
    w.setF32(39, breakLength);
    w.setF32(43, paidLength);
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
