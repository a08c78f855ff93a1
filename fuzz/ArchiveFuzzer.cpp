// Arbitrary bytes as a schedule archive, through the whole open flow of the
// program: unpack into a private working directory, read the settings record,
// open the working set (completing it with defaults), load the day window and
// read everything a dump reads. An archive that opens is then saved, opened
// again and read again: what was read must survive the round trip unchanged.
//
// Random changes to a compressed archive almost never get past its checksums,
// so the mutator below mostly unpacks the input, changes one entry (its bytes,
// its length, its name, or whether it is there at all) and packs it again; the
// rest of the time it changes the archive's own bytes.

#include "FuzzScratch.h"
#include "ScheduleChecks.h"
#include "ZipImage.h"

#include "files/ScheduleArchive.h"
#include "files/ScheduleLocation.h"
#include "model/schedule/DayRange.h"
#include "model/schedule/Schedule.h"
#include "tool/ScheduleJson.h"

#include <QLocale>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>
#include <span>
#include <vector>

using namespace kalmur;

namespace {

fuzz::FuzzScratch* scratch = nullptr;

// A fixed "today", so that a new settings record is the same on every run.
const QDate kToday(2024, 3, 15);

// The JSON dump is not what this target is after, and under the sanitizers it
// costs many times the rest of a run: it is written for one input in
// kJsonEvery (chosen by the input's bytes, so that a finding replays the same
// way), and only for schedules of at most kMaxJsonDays days and kMaxJsonCells
// filled cells.
constexpr std::uint32_t kJsonEvery = 64;
constexpr int kMaxJsonDays = 62;
constexpr int kMaxJsonCells = 2000;

std::uint32_t inputHash(std::span<const std::uint8_t> bytes) {
    std::uint32_t hash = 2166136261u; // FNV-1a
    for (const std::uint8_t b : bytes) {
        hash = (hash ^ b) * 16777619u;
    }
    return hash;
}

void append(std::vector<std::uint8_t>& out, std::span<const std::uint8_t> bytes) {
    out.insert(out.end(), bytes.begin(), bytes.end());
}

void append(std::vector<std::uint8_t>& out, const QByteArray& bytes) {
    append(out, std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                          static_cast<std::size_t>(bytes.size())));
}

// Everything a dump reads, as the records' own bytes, into `out` (emptied
// first; its capacity is kept from run to run, so that a long schedule does
// not cost a fresh large buffer every time); counts the filled cells.
void readEverything(const Schedule& s, std::vector<std::uint8_t>& out, int& filledCells) {
    out.clear();
    append(out, s.settings().toBytes());
    append(out, QByteArray::number(s.firstShownDay()) + ' ' +
                    QByteArray::number(s.viewFormatNumber()) + ' ');
    append(out, s.employees().toBytes());
    for (int n = 1; n <= ShiftRecord::kCount; ++n) {
        append(out, s.shift(n).toBytes());
    }
    append(out, s.explanations().toBytes());
    for (int n = 1; n <= ViewFormat::kCount; ++n) {
        append(out, s.readViewFormat(n).value_or(ViewFormat{}).toBytes());
    }
    for (int n = 1; n <= QueryRecord::kCount; ++n) {
        append(out, s.readQuery(n).value_or(QueryRecord{}).toBytes());
    }
    for (int n = 1; n <= s.noteCount(); ++n) {
        append(out, s.readNote(n).toUtf8() + '\n');
    }
    filledCells = 0;
    // Days in date order, a block at a time, as the reports read them; the
    // single-day read must agree at both ends.
    const std::size_t daysAt = out.size();
    const bool read = DayRange(s, 1, s.dayCount()).forEach([&](int, const DayRecord& day) {
        append(out, day.toBytes());
        for (int slot = 0; slot < DayRecord::kSlots; ++slot) {
            const auto i = static_cast<std::size_t>(slot);
            filledCells += day.shift[i] != 0 || day.onCall[i] != 0 || day.explanation[i] != 0 ||
                                   day.reserved[i] != 0 || day.note[i] != 0
                               ? 1
                               : 0;
        }
    });
    if (!read || out.size() - daysAt != std::size_t(s.dayCount()) * DayRecord::fileSize) {
        fuzz::broken("cannot read the days of an open schedule");
    }
    for (const int d : {1, s.dayCount()}) {
        const auto day = s.readDay(d);
        const auto at = daysAt + std::size_t(d - 1) * DayRecord::fileSize;
        const auto bytes = day.value_or(DayRecord{}).toBytes();
        if (!day || !std::equal(bytes.begin(), bytes.end(),
                                out.begin() + static_cast<std::ptrdiff_t>(at))) {
            fuzz::broken("a day reads differently alone and in a range", QString::number(d));
        }
    }
}

// Opens the archive into the working directory and reads all of it into `out`
// (and, when `json`, the JSON dump of a schedule of moderate size too); false
// when it does not open.
bool openAndRead(ScheduleArchive& archive, const QString& path, bool json,
                 std::vector<std::uint8_t>& out) {
    const ArchiveResult opened = archive.open(ScheduleLocation::fromPath(path));
    if (!opened.succeeded()) {
        return false;
    }
    Schedule s(archive.workingDirectory());
    if (!s.loadSettings(kToday).ok || !s.openAll()) {
        return false;
    }
    fuzz::checkOpenSchedule(s);
    int filledCells = 0;
    readEverything(s, out, filledCells);
    if (json && s.dayCount() <= kMaxJsonDays && filledCells <= kMaxJsonCells) {
        ScheduleJson::writeCompact(s, [&](const QByteArray& piece) { append(out, piece); });
    }
    if (!s.closeAll()) {
        fuzz::broken("closing a schedule in a writable folder failed", s.errorString());
    }
    return true;
}

// The most bytes an entry may grow to by mutation: enough for a few months of
// days, small enough to keep every run fast.
constexpr std::size_t kMaxGrownEntry = 256 * 1024;

void mutateEntry(std::vector<fuzz::ZipEntryBytes>& entries, std::minstd_rand& random);

} // namespace

extern "C" std::size_t LLVMFuzzerMutate(std::uint8_t* data, std::size_t size, std::size_t maxSize);

extern "C" std::size_t LLVMFuzzerCustomMutator(std::uint8_t* data, std::size_t size,
                                               std::size_t maxSize, unsigned int seed) {
    std::minstd_rand random(seed);
    std::vector<fuzz::ZipEntryBytes> entries;
    if (random() % 5 == 0 || !fuzz::readZipImage({data, size}, entries) || entries.empty()) {
        return LLVMFuzzerMutate(data, size, maxSize);
    }
    mutateEntry(entries, random);
    const std::vector<std::uint8_t> image = fuzz::writeZipImage(entries, random() % 4 != 0);
    if (image.empty() || image.size() > maxSize) {
        return LLVMFuzzerMutate(data, size, maxSize);
    }
    std::memcpy(data, image.data(), image.size());
    return image.size();
}

namespace {

void mutateEntry(std::vector<fuzz::ZipEntryBytes>& entries, std::minstd_rand& random) {
    auto pick = [&](std::size_t n) {
        return static_cast<std::size_t>(random() % n);
    };
    fuzz::ZipEntryBytes& entry = entries[pick(entries.size())];
    switch (random() % 12) {
    case 0: // leave a member out
        if (entries.size() > 1) {
            entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(&entry - entries.data()));
        }
        return;
    case 1: { // cut or extend by whole records or by single bytes
        const std::size_t unit = random() % 2 == 0 ? 1 : 1200;
        const std::size_t length =
            std::min(kMaxGrownEntry, pick(entry.data.size() / unit + 8) * unit);
        entry.data.resize(length, std::uint8_t(random() % 2 == 0 ? 0 : 0xFF));
        return;
    }
    case 2: { // another name: a different letter case, another member, a folder
        static const char* const names[] = {"KALMUR2.SCH", "KALMUR2.SSH",     "KALMUR2.SEM",
                                            "KALMUR2.SSF", "KALMUR2.SNO",     "KALMUR2.SEP",
                                            "KALMUR2.SPR", "KALMUR2.SQ1",     "kalmur2.spr",
                                            "KALMUR2.NCH", "sub/KALMUR2.SPR", "../KALMUR2.SCH"};
        entry.name = names[pick(std::size(names))];
        return;
    }
    case 3: // a copy of the entry under another member's name
        entries.push_back(entry);
        entries.back().name = entries[pick(entries.size())].name;
        return;
    default: { // change the bytes
        if (entry.data.empty()) {
            entry.data.push_back(0);
        }
        const std::size_t size = entry.data.size();
        const std::size_t room = std::min(kMaxGrownEntry, std::max<std::size_t>(size, 64) + 256);
        entry.data.resize(std::max(room, size));
        entry.data.resize(LLVMFuzzerMutate(entry.data.data(), size, entry.data.size()));
        return;
    }
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    static fuzz::FuzzScratch folder("archive");
    scratch = &folder;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Kept from run to run: a long schedule reads to tens of megabytes.
    static std::vector<std::uint8_t> first;
    static std::vector<std::uint8_t> second;
    scratch->clear();
    const QString work = scratch->makeFolder(QStringLiteral("work"));
    const QString path = scratch->file(QStringLiteral("WARD.KMR"));
    fuzz::FuzzScratch::writeFile(path, {data, size});
    const bool json = inputHash({data, size}) % kJsonEvery == 0;
    {
        ScheduleArchive archive(work);
        if (openAndRead(archive, path, json, first)) {
            if (!archive.save().succeeded()) {
                fuzz::broken("saving an opened schedule failed");
            }
            if (!openAndRead(archive, path, json, second)) {
                fuzz::broken("a saved schedule does not open again");
            }
            if (second != first) {
                const auto at =
                    std::mismatch(first.begin(), first.end(), second.begin(), second.end()).first -
                    first.begin();
                const auto hex = [at](const std::vector<std::uint8_t>& bytes) {
                    const auto from = std::min<std::ptrdiff_t>(at, std::ssize(bytes));
                    const auto n = std::min<std::ptrdiff_t>(80, std::ssize(bytes) - from);
                    return QString::fromLatin1(
                        QByteArray(reinterpret_cast<const char*>(bytes.data()) + from, n).toHex());
                };
                fuzz::broken(
                    "a saved schedule reads back differently",
                    QStringLiteral("from byte %1: %2 | %3").arg(at).arg(hex(first), hex(second)));
            }
        }
    }
    scratch->clear();
    return 0;
}
