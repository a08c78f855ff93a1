#include "NoteFile.h"

#include "FixedRecordFile.h"
#include "model/records/NoteRecord.h"

namespace kalmur::NoteFile {

std::int64_t count(const FixedRecordFile& notes) {
    return notes.recordCount();
}

QString read(const FixedRecordFile& notes, std::int64_t number) {
    if (number < 1 || number > count(notes)) {
        return {};
    }
    std::array<std::uint8_t, NoteRecord::fileSize> image{};
    if (!notes.read(number, image)) {
        return {};
    }
    return NoteRecord::fromBytes(image).text;
}

namespace {
bool isBlank(const QString& text) {
    for (QChar c : text) {
        if (c != QLatin1Char(' ')) {
            return false;
        }
    }
    return true;
}

std::int16_t nextNumber(const FixedRecordFile& notes) {
    const std::int64_t n = count(notes) + 1;
    return n > kMaxNumber ? std::int16_t(0) : static_cast<std::int16_t>(n);
}
} // namespace

bool write(FixedRecordFile& notes, std::int16_t& field, const QString& text) {
    // -32768 has no positive counterpart, and a number past the end of the note
    // file names no record: such a cell has no note and takes the next number.
    // (Writing at a stray number would pad the file with empty records up to it
    // and could use up every note number at once.)
    const int own = field < 0 ? -int(field) : int(field);
    std::int16_t number = (own == 0 || own > kMaxNumber || own > count(notes))
                              ? nextNumber(notes)
                              : static_cast<std::int16_t>(own);
    if (number == 0) {
        return false;
    }
    if (!notes.write(number, NoteRecord{text}.toBytes())) {
        return false;
    }
    field = isBlank(text) ? static_cast<std::int16_t>(-number) : number;
    return true;
}

std::int16_t append(FixedRecordFile& notes, const QString& text) {
    const std::int16_t number = nextNumber(notes);
    if (number == 0 || !notes.write(number, NoteRecord{text}.toBytes())) {
        return 0;
    }
    return number;
}

} // namespace kalmur::NoteFile
