#include "CoverageLine.h"

#include "RecordImage.h"
#include "model/codec/ByteReader.h"
#include "model/codec/ByteWriter.h"

namespace kalmur {

namespace {
constexpr std::size_t kTitle = 0;
constexpr std::size_t kIgnoreNames = 20;
constexpr std::size_t kIgnoreExplanations = 22;
constexpr std::size_t kIgnoreShifts = 24;
constexpr std::size_t kByPosition = 26;
constexpr std::size_t kPosition = 28;
constexpr std::size_t kEmployees = 38;
constexpr std::size_t kExplanations = 238;
constexpr std::size_t kShifts = 338;
static_assert(kShifts + 102 == CoverageLine::fileSize);
} // namespace

CoverageLine CoverageLine::fromBytes(std::span<const std::uint8_t> bytes) {
    const auto image = recordImage<fileSize>(bytes);
    const ByteReader in(image);
    CoverageLine c;
    c.title = in.text(kTitle, 20);
    c.ignoreNames = in.boolean(kIgnoreNames);
    c.ignoreExplanations = in.boolean(kIgnoreExplanations);
    c.ignoreShifts = in.boolean(kIgnoreShifts);
    c.checkByPosition = in.boolean(kByPosition);
    c.position = in.text(kPosition, 10);
    copyBytes(c.employeeMarks, in.bytes(kEmployees, 200));
    copyBytes(c.explanationMarks, in.bytes(kExplanations, 100));
    copyBytes(c.shiftMarks, in.bytes(kShifts, 102));
    return c;
}

void CoverageLine::encode(std::span<std::uint8_t, fileSize> out) const {
    ByteWriter w(out);
    w.setText(kTitle, 20, title);
    w.setBoolean(kIgnoreNames, ignoreNames);
    w.setBoolean(kIgnoreExplanations, ignoreExplanations);
    w.setBoolean(kIgnoreShifts, ignoreShifts);
    w.setBoolean(kByPosition, checkByPosition);
    w.setText(kPosition, 10, position);
    w.setBytes(kEmployees, employeeMarks);
    w.setBytes(kExplanations, explanationMarks);
    w.setBytes(kShifts, shiftMarks);
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
