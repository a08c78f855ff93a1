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
    // -32768 has no positive counterpart; such a cell is treated as having no note.
    std::int16_t number = (field == 0 || field == INT16_MIN)
                              ? nextNumber(notes)
                              : static_cast<std::int16_t>(field < 0 ? -field : field);
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
