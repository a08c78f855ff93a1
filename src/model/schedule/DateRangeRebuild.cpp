#include "DateRangeRebuild.h"

#include "FixedRecordFile.h"
#include "Members.h"
#include "NoteFile.h"
#include "model/records/DayRecord.h"
#include "model/records/NoteRecord.h"

#include <QFile>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <stdio.h>
#include <vector>

namespace kalmur {

namespace {

// Days are copied in blocks of this many records (about 77 KB): few reads and
// writes, and a buffer small enough to be reused by the allocator.
constexpr std::int64_t kBlockDays = 64;

constexpr std::size_t kNoteField = DayRecord::Offset::kNote;
constexpr std::size_t kNoteBytes = 2 * DayRecord::kSlots;

std::int16_t noteAt(const std::uint8_t* day, std::size_t slot) {
    const std::uint8_t* p = day + kNoteField + 2 * slot;
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(p[0] | (p[1] << 8)));
}

void setNoteAt(std::uint8_t* day, std::size_t slot, std::int16_t note) {
    std::uint8_t* p = day + kNoteField + 2 * slot;
    const auto value = static_cast<std::uint16_t>(note);
    p[0] = static_cast<std::uint8_t>(value & 0xFF);
    p[1] = static_cast<std::uint8_t>(value >> 8);
}

// A note record as the note store writes it: the text, its trailing blanks
// (spaces or the zero bytes of a never-written record) padded with spaces.
void appendNote(std::vector<std::uint8_t>& out, std::span<const std::uint8_t> record) {
    std::size_t end = record.size();
    while (end > 0 && (record[end - 1] == ' ' || record[end - 1] == 0)) {
        --end;
    }
    out.insert(out.end(), record.begin(), record.begin() + static_cast<std::ptrdiff_t>(end));
    out.insert(out.end(), NoteRecord::fileSize - end, std::uint8_t(' '));
}

bool renameOver(const QString& from, const QString& to) {
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

// Swaps two files in one step, so that a swap can be undone by swapping again.
// False when the file system cannot swap (the caller then renames).
bool exchange(const QString& a, const QString& b) {
    return ::renameat2(AT_FDCWD, QFile::encodeName(a).constData(), AT_FDCWD,
                       QFile::encodeName(b).constData(), RENAME_EXCHANGE) == 0;
}

} // namespace

bool rebuildDayFiles(const QString& dir, const RebuildRange& range,
                     const std::function<void(int)>& progress) {
    auto report = [&](int percent) {
        if (progress) {
            progress(percent);
        }
    };
    report(0);
    const QString newDaysPath = memberPath(dir, kRebuildDaysName);
    const QString newNotesPath = memberPath(dir, kRebuildNotesName);
    QFile::remove(newDaysPath);
    QFile::remove(newNotesPath);

    FixedRecordFile oldDays;
    FixedRecordFile oldNotes;
    FixedRecordFile newDays;
    FixedRecordFile newNotes;
    auto fail = [&] {
        newDays.close();
        newNotes.close();
        QFile::remove(newDaysPath);
        QFile::remove(newNotesPath);
        return false;
    };
    if (!oldDays.open(memberPath(dir, Member::Days), DayRecord::fileSize) ||
        !oldNotes.open(memberPath(dir, Member::Notes), NoteRecord::fileSize) ||
        !newDays.open(newDaysPath, DayRecord::fileSize) ||
        !newNotes.open(newNotesPath, NoteRecord::fileSize) || !newDays.truncate(0) ||
        !newNotes.truncate(0)) {
        return fail();
    }

    const std::int64_t total = range.newEnd - range.newStart + 1;
    if (total < 1) {
        return fail();
    }
    // Note numbers are 16-bit: records past the largest number can never be
    // referenced, so at most that many are read.
    const std::int64_t oldNoteCount =
        std::min<std::int64_t>(NoteFile::count(oldNotes), NoteFile::kMaxNumber);
    std::vector<std::uint8_t> notesIn(static_cast<std::size_t>(oldNoteCount) *
                                      NoteRecord::fileSize);
    if (oldNoteCount > 0 && !oldNotes.readRecords(1, oldNoteCount, notesIn)) {
        return fail();
    }
    std::vector<std::uint8_t> notesOut;
    std::int64_t noteCount = 0;

    // The old days the new range keeps are one run of dates; every other day
    // is new and blank, and so is an old day past the end of a short day file.
    // Blank days are never written: the file is extended over them at the
    // end, and they read as zero bytes.
    const std::int64_t storedDays =
        (oldDays.length() + std::int64_t(DayRecord::fileSize) - 1) / DayRecord::fileSize;
    const std::int64_t keepFrom = std::max(range.newStart, range.oldStart);
    const std::int64_t keepTo =
        std::min({range.newEnd, range.oldEnd, range.oldStart + storedDays - 1});
    std::int64_t reported = 0; // the new days counted in the progress so far
    int lastPercent = 0;
    // Reports each percentage reached while counting the new days up to `day`,
    // once. The days between two percentages are passed over in one step, so
    // a range of years costs a hundred steps, not one per day.
    const auto progressTo = [&](std::int64_t day) {
        while (reported < day) {
            const auto percent = static_cast<int>((reported + 1) * 100 / total);
            if (percent != lastPercent) {
                lastPercent = percent;
                report(percent);
            }
            // The first day counted at a higher percentage.
            const std::int64_t next = ((std::int64_t(percent) + 1) * total + 99) / 100 - 1;
            reported = std::min(day, std::max(reported + 1, next));
        }
    };
    std::vector<std::uint8_t> block;
    for (std::int64_t date = keepFrom; date <= keepTo; date += kBlockDays) {
        const std::int64_t count = std::min(kBlockDays, keepTo - date + 1);
        const std::int64_t first = date - range.newStart + 1; // its new record number
        block.resize(static_cast<std::size_t>(count) * DayRecord::fileSize);
        if (!oldDays.readRecords(date - range.oldStart + 1, count, block)) {
            return fail();
        }
        for (std::int64_t k = 0; k < count; ++k) {
            std::uint8_t* day = block.data() + static_cast<std::size_t>(k) * DayRecord::fileSize;
            // Most days carry no note at all.
            const std::uint8_t* notes = day + kNoteField;
            const bool noNotes =
                notes[0] == 0 && std::memcmp(notes, notes + 1, kNoteBytes - 1) == 0;
            for (std::size_t slot = 0; slot < DayRecord::kSlots && !noNotes; ++slot) {
                const std::int16_t note = noteAt(day, slot);
                if (note <= 0) {
                    continue;
                }
                if (note > oldNoteCount || noteCount >= NoteFile::kMaxNumber) {
                    setNoteAt(day, slot, 0); // nothing to carry over, or no number left
                    continue;
                }
                appendNote(notesOut, std::span<const std::uint8_t>(notesIn).subspan(
                                         static_cast<std::size_t>(note - 1) * NoteRecord::fileSize,
                                         NoteRecord::fileSize));
                ++noteCount;
                setNoteAt(day, slot, static_cast<std::int16_t>(noteCount));
            }
            progressTo(first + k);
        }
        if (!newDays.writeRecords(first, block)) {
            return fail();
        }
    }
    progressTo(total);
    if (newDays.recordCount() < total && !newDays.truncate(total)) {
        return fail();
    }
    if (!notesOut.empty() && !newNotes.writeRecords(1, notesOut)) {
        return fail();
    }
    oldDays.close();
    oldNotes.close();
    newDays.close();
    newNotes.close();
    report(100);
    // The day and note files must change together: notes are renumbered. The
    // new files are swapped in one after the other; when the second swap
    // fails the first is swapped back, so the working set never pairs new
    // days with old notes. Either way no member is ever missing.
    const QString daysPath = memberPath(dir, Member::Days);
    const QString notesPath = memberPath(dir, Member::Notes);
    if (exchange(newDaysPath, daysPath)) {
        if (!exchange(newNotesPath, notesPath)) {
            exchange(newDaysPath, daysPath);
            return fail();
        }
        // The temporary names now hold the old files.
        QFile::remove(newDaysPath);
        QFile::remove(newNotesPath);
        return true;
    }
    // A file system that cannot swap: replace each member in one step.
    if (!renameOver(newDaysPath, daysPath)) {
        return fail();
    }
    if (!renameOver(newNotesPath, notesPath)) {
        QFile::remove(newNotesPath);
        return false;
    }
    return true;
}

} // namespace kalmur
