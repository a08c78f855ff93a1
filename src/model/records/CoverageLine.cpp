#include "CoverageLine.h"

#include "RecordImage.h"
#include "model/codec/ByteReader.h"
#include "model/codec/ByteWriter.h"

namespace kalmur {

static_assert(CoverageLine::Offset::kShifts + 102 == CoverageLine::fileSize);

CoverageLine CoverageLine::fromBytes(std::span<const std::uint8_t> bytes) {
    const auto image = recordImage<fileSize>(bytes);
    const ByteReader in(image);
    CoverageLine c;
    c.title = in.text(Offset::kTitle, 20);
    c.ignoreNames = in.boolean(Offset::kIgnoreNames);
    c.ignoreExplanations = in.boolean(Offset::kIgnoreExplanations);
    c.ignoreShifts = in.boolean(Offset::kIgnoreShifts);
    c.checkByPosition = in.boolean(Offset::kByPosition);
    c.position = in.text(Offset::kPosition, 10);
    copyBytes(c.employeeMarks, in.bytes(Offset::kEmployees, 200));
    copyBytes(c.explanationMarks, in.bytes(Offset::kExplanations, 100));
    copyBytes(c.shiftMarks, in.bytes(Offset::kShifts, 102));
    return c;
}

void CoverageLine::encode(std::span<std::uint8_t, fileSize> out) const {
    ByteWriter w(out);
    w.setText(Offset::kTitle, 20, title);
    w.setBoolean(Offset::kIgnoreNames, ignoreNames);
    w.setBoolean(Offset::kIgnoreExplanations, ignoreExplanations);
    w.setBoolean(Offset::kIgnoreShifts, ignoreShifts);
    w.setBoolean(Offset::kByPosition, checkByPosition);
    w.setText(Offset::kPosition, 10, position);
    w.setBytes(Offset::kEmployees, employeeMarks);
    w.setBytes(Offset::kExplanations, explanationMarks);
    w.setBytes(Offset::kShifts, shiftMarks);
}

std::array<std::uint8_t, CoverageLine::fileSize> CoverageLine::toBytes() const {
    std::array<std::uint8_t, fileSize> out{};
    encode(out);
    return out;
}

CoverageLine CoverageLine::undefined() {
    CoverageLine c;
    c.title = QStringLiteral("undefined");
    return c;
}

} // namespace kalmur
