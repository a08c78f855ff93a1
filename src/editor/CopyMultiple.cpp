#include "CopyMultiple.h"

#include "model/patterns/DateText.h"
#include "model/records/EmployeeTable.h"
#include "model/schedule/Schedule.h"

#include <algorithm>
#include <span>
#include <vector>

namespace kalmur::CopyMultiple {

namespace {

// Destinations that follow each other without a gap are read and written
// together, up to this many days (about 600 KB) at a time.
constexpr int kBlockDays = 512;
// The pattern length the window accepts has two digits.
constexpr int kMaxPatternDays = 99;

using Bytes = std::vector<std::uint8_t>;

Bytes readBlock(const Schedule& schedule, int firstDay, int days, bool& ok) {
    Bytes bytes(static_cast<std::size_t>(days) * DayRecord::fileSize);
    ok = schedule.dayFile().readRecords(firstDay, days, bytes);
    return bytes;
}

DayRecord dayAt(const Bytes& block, int index) {
    return DayRecord::fromBytes(std::span(block).subspan(
        static_cast<std::size_t>(index) * DayRecord::fileSize, DayRecord::fileSize));
}

// The pattern as read once: its days and the texts of its cells' notes.
struct Pattern {
    std::vector<DayRecord> days;
    std::vector<std::vector<QString>> notes; // [day][slot - 1], for notes > 0
};

} // namespace

QList<CopyMultipleName> names(const EmployeeTable& employees) {
    QList<CopyMultipleName> out;
    for (int row = 1; row <= EmployeeTable::kRows; ++row) {
        if (employees.isNamed(row)) {
            const auto i = static_cast<std::size_t>(row - 1);
            out.append({employees.names[i].trimmed() + QStringLiteral(", ") +
                            employees.positions[i].trimmed(),
                        row});
        }
    }
    return out;
}

QDate openingStart(QDate firstSelected, QDate fileStart, QDate fileEnd) {
    QDate start = firstSelected;
    if (start.addDays(6) > fileEnd) {
        start = fileEnd.addDays(-6);
    }
    return std::max(start, fileStart);
}

QList<QDate> destinations(QDate start, int days, QDate fileEnd) {
    QList<QDate> out;
    if (days < 1 || !start.isValid()) {
        return out;
    }
    for (QDate d = start.addDays(days); d <= fileEnd && out.size() < kMaxDestinations;
         d = d.addDays(days)) {
        out.append(d);
    }
    return out;
}

QString startDateRefusal(const QString& text, QDate fileStart) {
    const auto date = readDate(text);
    if (!date) {
        return QStringLiteral("The date entered ") + text + QStringLiteral(" is not a valid date.");
    }
    if (*date < fileStart) {
        return QStringLiteral("The date entered ") + text + QStringLiteral(" is out of range.");
    }
    return {};
}

CopyMultipleResult run(Schedule& schedule, const CopyMultipleJob& job) {
    CopyMultipleResult result;
    if (!schedule.flush()) {
        result.ok = false;
        return result;
    }
    const int stored = schedule.storedDays();
    const int source = schedule.dayOfDate(job.start);
    // Only the pattern days the file holds can be copied.
    const int patternDays = std::clamp(std::min(job.days, stored - source + 1), 0, kMaxPatternDays);
    std::vector<int> chosen;
    for (int row : job.rows) {
        if (schedule.employees().isNamed(row) && schedule.slotOfRow(row) != 0) {
            chosen.push_back(schedule.slotOfRow(row));
        }
    }
    std::vector<int> targets;
    for (const QDate& d : job.destinations) {
        const int day = schedule.dayOfDate(d);
        // A destination lies after the pattern, so that no copy reads a copy.
        if (d.isValid() && day >= source + job.days && day <= stored) {
            targets.push_back(day);
        }
    }
    std::sort(targets.begin(), targets.end());
    targets.erase(std::unique(targets.begin(), targets.end()), targets.end());
    if (source < 1 || patternDays < 1 || chosen.empty() || targets.empty()) {
        result.ok = schedule.loadWindow();
        return result;
    }

    Pattern pattern;
    bool ok = true;
    const Bytes sourceBytes = readBlock(schedule, source, patternDays, ok);
    for (int k = 0; ok && k < patternDays; ++k) {
        pattern.days.push_back(dayAt(sourceBytes, k));
        auto& texts = pattern.notes.emplace_back(DayRecord::kSlots);
        for (int slot : chosen) {
            const auto i = static_cast<std::size_t>(slot - 1);
            if (pattern.days.back().note[i] > 0) {
                texts[i] = schedule.readNote(pattern.days.back().note[i]);
            }
        }
    }

    // Copies to consecutive destinations form one run of days: [first, end).
    std::size_t next = 0;
    while (ok && next < targets.size()) {
        const int first = targets[next];
        int end = first;
        while (next < targets.size() && targets[next] == end && end - first < kBlockDays) {
            end = std::min(targets[next] + job.days, stored + 1);
            ++next;
        }
        Bytes block = readBlock(schedule, first, end - first, ok);
        for (int day = first; ok && day < end; ++day) {
            // Which copy this day belongs to: the latest destination at or before it.
            const int k = (day - first) % job.days;
            if (k >= patternDays) {
                continue; // the pattern itself ran past the end
            }
            const DayRecord& from = pattern.days[static_cast<std::size_t>(k)];
            DayRecord to = dayAt(block, day - first);
            for (int slot : chosen) {
                const auto i = static_cast<std::size_t>(slot - 1);
                const PastedCell pasted =
                    pasteSelective(job.options, from.cell(slot), from.note[i] > 0, to.cell(slot));
                Cell cell = pasted.cell;
                if (pasted.note == NoteStep::Write) {
                    ok = schedule.writeNoteField(cell.note,
                                                 pattern.notes[static_cast<std::size_t>(k)][i]) &&
                         ok;
                } else if (pasted.note == NoteStep::Hide && cell.note > 0) {
                    cell.note = static_cast<std::int16_t>(-cell.note);
                }
                to.setCell(slot, cell);
            }
            to.encode(std::span(block)
                          .subspan(static_cast<std::size_t>(day - first) * DayRecord::fileSize)
                          .first<DayRecord::fileSize>());
            ++result.daysWritten;
        }
        ok = ok && schedule.writeDays(first, block);
    }
    for (int day : targets) {
        result.daysBeyondEnd += std::max(0, day + job.days - 1 - stored);
    }
    // The window shows the copies, also after a failure part way.
    result.ok = schedule.loadWindow() && ok;
    return result;
}

} // namespace kalmur::CopyMultiple
