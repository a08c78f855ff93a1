#include "DateRangeRebuild.h"

#include "FixedRecordFile.h"
#include "Members.h"
#include "NoteFile.h"
#include "model/records/DayRecord.h"
#include "model/records/NoteRecord.h"

#include <QFile>

#include <cstdio>
#include <vector>

namespace kalmur {

namespace {

// Collects whole records and writes them in large blocks.
class BlockWriter {
public:
    BlockWriter(FixedRecordFile& file, std::size_t recordLength)
        : m_file(file)
        , m_recordLength(recordLength) {
        m_buffer.reserve(kBlockBytes + recordLength);
    }
    bool append(std::span<const std::uint8_t> record) {
        m_buffer.insert(m_buffer.end(), record.begin(), record.end());
        return m_buffer.size() < kBlockBytes || flush();
    }
    bool flush() {
        if (m_buffer.empty()) {
            return m_ok;
        }
        m_ok = m_ok && m_file.writeRecords(m_next, m_buffer);
        m_next += static_cast<std::int64_t>(m_buffer.size() / m_recordLength);
        m_buffer.clear();
        return m_ok;
    }

private:
    static constexpr std::size_t kBlockBytes = 1 << 20;
    FixedRecordFile& m_file;
    std::size_t m_recordLength;
    std::vector<std::uint8_t> m_buffer;
    std::int64_t m_next = 1;
    bool m_ok = true;
};

// Reads consecutive records through a block cache.
class BlockReader {
public:
    BlockReader(const FixedRecordFile& file, std::size_t recordLength)
        : m_file(file)
        , m_recordLength(recordLength)
        , m_buffer(kBlockRecords * recordLength) {}
    // Record n (from 1), or an empty span on a read failure.
    std::span<const std::uint8_t> record(std::int64_t n) {
        if (!m_loaded || n < m_first || n >= m_first + kBlockRecords) {
            m_loaded = m_file.readRecords(n, kBlockRecords, m_buffer);
            if (!m_loaded) {
                return {};
            }
            m_first = n;
        }
        return std::span<const std::uint8_t>(m_buffer).subspan(
            static_cast<std::size_t>(n - m_first) * m_recordLength, m_recordLength);
    }

private:
    static constexpr std::int64_t kBlockRecords = 512;
    const FixedRecordFile& m_file;
    std::size_t m_recordLength;
    std::vector<std::uint8_t> m_buffer;
    std::int64_t m_first = 0;
    bool m_loaded = false;
};

bool renameOver(const QString& from, const QString& to) {
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
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
        !newNotes.open(newNotesPath, NoteRecord::fileSize)) {
        return fail();
    }

    const std::int64_t total = range.newEnd - range.newStart + 1;
    if (total < 1) {
        return fail();
    }
    BlockWriter dayOut(newDays, DayRecord::fileSize);
    BlockWriter noteOut(newNotes, NoteRecord::fileSize);
    const auto blank = DayRecord{}.toBytes();
    const std::int64_t oldNoteCount = NoteFile::count(oldNotes);
    std::int64_t noteCount = 0;
    BlockReader dayIn(oldDays, DayRecord::fileSize);
    int lastPercent = 0;

    for (std::int64_t k = 1; k <= total; ++k) {
        const std::int64_t date = range.newStart + k - 1;
        bool ok = true;
        if (date >= range.oldStart && date <= range.oldEnd) {
            const auto image = dayIn.record(date - range.oldStart + 1);
            if (image.empty()) {
                return fail();
            }
            DayRecord day = DayRecord::fromBytes(image);
            for (auto& note : day.note) {
                if (note <= 0) {
                    continue;
                }
                if (note > oldNoteCount || noteCount >= NoteFile::kMaxNumber) {
                    note = 0; // nothing to carry over, or no number left for it
                    continue;
                }
                const NoteRecord text{NoteFile::read(oldNotes, note)};
                ++noteCount;
                note = static_cast<std::int16_t>(noteCount);
                ok = ok && noteOut.append(text.toBytes());
            }
            ok = ok && dayOut.append(day.toBytes());
        } else {
            ok = dayOut.append(blank);
        }
        if (!ok) {
            return fail();
        }
        const int percent = static_cast<int>(k * 100 / total);
        if (percent != lastPercent) {
            lastPercent = percent;
            report(percent);
        }
    }
    if (!dayOut.flush() || !noteOut.flush()) {
        return fail();
    }
    oldDays.close();
    oldNotes.close();
    newDays.close();
    newNotes.close();
    report(100);
    // Each rename replaces its member in one step; there is no moment when a
    // member is missing.
    if (!renameOver(newDaysPath, memberPath(dir, Member::Days))) {
        return fail();
    }
    if (!renameOver(newNotesPath, memberPath(dir, Member::Notes))) {
        QFile::remove(newNotesPath);
        return false;
    }
    return true;
}

} // namespace kalmur
