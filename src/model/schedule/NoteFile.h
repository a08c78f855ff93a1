#pragma once

#include <QString>

#include <cstdint>

namespace kalmur {

class FixedRecordFile;

// The note store: note n is record n of the note file. A cell keeps one note
// record for good: editing rewrites it, emptying detaches it (the cell stores
// the negated number) and typing again re-attaches it.
namespace NoteFile {

inline constexpr std::int16_t kMaxNumber = 32767;

std::int64_t count(const FixedRecordFile& notes);
// Note n, trailing spaces removed; empty for a number outside 1..count.
QString read(const FixedRecordFile& notes, std::int64_t number);
// Writes `text` as the note of a cell whose note field is `field`, and updates
// the field: a cell without a note (or with a number past the end of the note
// file) gets the next free number; the stored number is negative when the text
// is blank. False when the file cannot be written or no note number is left.
bool write(FixedRecordFile& notes, std::int16_t& field, const QString& text);
// Appends a note and returns its number, or 0 when it cannot be written.
std::int16_t append(FixedRecordFile& notes, const QString& text);

} // namespace NoteFile

} // namespace kalmur
