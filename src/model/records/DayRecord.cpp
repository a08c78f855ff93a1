#include "DayRecord.h"

#include "RecordImage.h"
#include "model/codec/ByteReader.h"
#include "model/codec/ByteWriter.h"

namespace kalmur {

static_assert(DayRecord::Offset::kNote + 2 * DayRecord::kSlots == DayRecord::fileSize);

DayRecord DayRecord::fromBytes(std::span<const std::uint8_t> bytes) {
    const auto image = recordImage<fileSize>(bytes);
    const ByteReader in(image);
    DayRecord day;
    copyBytes(day.shift, in.bytes(Offset::kShift, kSlots));
    copyBytes(day.onCall, in.bytes(Offset::kOnCall, kSlots));
    copyBytes(day.explanation, in.bytes(Offset::kExplanation, kSlots));
    copyBytes(day.reserved, in.bytes(Offset::kReserved, kSlots));
    const std::uint8_t* notes = image.data() + Offset::kNote;
    for (std::size_t s = 0; s < kSlots; ++s) {
        day.note[s] = static_cast<std::int16_t>(notes[2 * s] | notes[2 * s + 1] << 8);
    }
    return day;
}

void DayRecord::encode(std::span<std::uint8_t, fileSize> out) const {
    ByteWriter w(out);
    w.setBytes(Offset::kShift, shift);
    w.setBytes(Offset::kOnCall, onCall);
    w.setBytes(Offset::kExplanation, explanation);
    w.setBytes(Offset::kReserved, reserved);
    for (std::size_t s = 0; s < kSlots; ++s) {
        w.setI16(Offset::kNote + 2 * s, note[s]);
    }
}

std::array<std::uint8_t, DayRecord::fileSize> DayRecord::toBytes() const {
    std::array<std::uint8_t, fileSize> out{};
    encode(out);
    return out;
}

bool DayRecord::isEmpty(int slot) const {
    if (slot < 1 || slot > kSlots) {
        return true;
    }
    const auto i = static_cast<std::size_t>(slot - 1);
    return shift[i] == 0 && onCall[i] == 0 && explanation[i] == 0 && note[i] <= 0;
}

Cell DayRecord::cell(int slot) const {
    if (slot < 1 || slot > kSlots) {
        return {};
    }
    const auto i = static_cast<std::size_t>(slot - 1);
    return {shift[i], onCall[i], explanation[i], reserved[i], note[i]};
}

bool DayRecord::setCell(int slot, const Cell& cell) {
    if (slot < 1 || slot > kSlots) {
        return false;
    }
    const auto i = static_cast<std::size_t>(slot - 1);
    shift[i] = cell.shift;
    onCall[i] = cell.onCall;
    explanation[i] = cell.explanation;
    reserved[i] = cell.reserved;
    note[i] = cell.note;
    return true;
}

} // namespace kalmur
