#include "MemberDefaults.h"

#include "FixedRecordFile.h"
#include "Members.h"
#include "Presets.h"
#include "model/records/DayRecord.h"
#include "model/records/EmployeeTable.h"
#include "model/records/ExplanationTable.h"
#include "model/records/NoteRecord.h"

#include <vector>

namespace kalmur {

namespace {

bool openMember(FixedRecordFile& file, const QString& dir, Member m) {
    return file.open(memberPath(dir, m), memberInfo(m).recordLength);
}

bool createDays(FixedRecordFile& file, std::int64_t dayCount, bool& modified) {
    if (file.recordCount() != 0) {
        return true;
    }
    modified = true;
    // Blank days are all zero bytes: a file extended to its length reads as
    // exactly that, without writing megabytes of zeros for a long schedule. A
    // partial record left at the start is dropped first.
    return file.truncate(0) && file.truncate(dayCount);
}

// Writes the presets of shifts first..last with one call.
bool writeShiftPresets(FixedRecordFile& file, int first, int last) {
    if (first > last) {
        return true;
    }
    std::vector<std::uint8_t> records;
    records.reserve(std::size_t(last - first + 1) * ShiftRecord::fileSize);
    for (int n = first; n <= last; ++n) {
        const auto bytes = Presets::shift(n).toBytes();
        records.insert(records.end(), bytes.begin(), bytes.end());
    }
    return file.writeRecords(first, records);
}

bool createShifts(FixedRecordFile& file) {
    const std::int64_t count = file.recordCount();
    if (count < ShiftRecord::kUserShifts &&
        !writeShiftPresets(file, int(count) + 1, ShiftRecord::kUserShifts)) {
        return false;
    }
    return file.recordCount() >= ShiftRecord::kCount ||
           writeShiftPresets(file, ShiftRecord::kOff, ShiftRecord::kNoteMark);
}

bool createEmployees(FixedRecordFile& file, bool& modified) {
    if (file.length() == 0 && !file.write(1, EmployeeTable::defaults().toBytes())) {
        return false;
    }
    std::array<std::uint8_t, EmployeeTable::fileSize> image{};
    if (!file.read(1, image)) {
        return false;
    }
    EmployeeTable table = EmployeeTable::fromBytes(image);
    if (table.layoutMarker == EmployeeTable::kLayoutMarker) {
        return true;
    }
    modified = true;
    table.resetLayout();
    return file.write(1, table.toBytes());
}

bool createNotes(FixedRecordFile& file) {
    return file.recordCount() != 0 || file.write(1, NoteRecord{}.toBytes());
}

bool createExplanations(FixedRecordFile& file) {
    return file.recordCount() != 0 || file.write(1, ExplanationTable::defaults().toBytes());
}

bool createViewFormats(FixedRecordFile& file, const QLocale& locale) {
    const std::int64_t count = file.recordCount();
    if (count >= ViewFormat::kCount) {
        return true;
    }
    bool ok = true;
    if (count == 0) {
        const auto presets = Presets::viewFormats(locale);
        // The weekly and daily formats are written first, as records 2 and 3.
        ok = ok && file.write(2, presets[1].toBytes());
        ok = ok && file.write(3, presets[2].toBytes());
        ok = ok && file.write(1, presets[0].toBytes());
        ok = ok && file.write(4, presets[3].toBytes());
        ok = ok && file.write(5, presets[4].toBytes());
        return ok;
    }
    const auto unused = Presets::unusedViewFormat(locale).toBytes();
    for (std::int64_t n = count + 1; n <= ViewFormat::kCount; ++n) {
        ok = ok && file.write(n, unused);
    }
    return ok;
}

bool createQueries(FixedRecordFile& file) {
    bool ok = true;
    const auto free = Presets::query().toBytes();
    for (std::int64_t n = file.recordCount() + 1; n <= QueryRecord::kCount; ++n) {
        ok = ok && file.write(n, free);
    }
    return ok;
}

} // namespace

MemberDefaultsResult createMissingMembers(const QString& dir, std::int64_t dayCount,
                                          const QLocale& locale) {
    MemberDefaultsResult result;
    FixedRecordFile file;
    auto step = [&](Member m, auto&& fill) {
        if (!result.ok) {
            return;
        }
        result.ok = openMember(file, dir, m) && fill();
        file.close();
    };
    step(Member::Days, [&] { return createDays(file, dayCount, result.modified); });
    step(Member::Shifts, [&] { return createShifts(file); });
    step(Member::Employees, [&] { return createEmployees(file, result.modified); });
    step(Member::Notes, [&] { return createNotes(file); });
    step(Member::Explanations, [&] { return createExplanations(file); });
    step(Member::ViewFormats, [&] { return createViewFormats(file, locale); });
    step(Member::Queries, [&] { return createQueries(file); });
    return result;
}

} // namespace kalmur
