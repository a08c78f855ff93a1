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
#include "model/schedule/Schedule.h"
#include "tool/ScheduleJson.h"

#include <QLocale>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>

using namespace kalmur;

namespace {

fuzz::FuzzScratch* scratch = nullptr;

// A fixed "today", so that a new settings record is the same on every run.
const QDate kToday(2024, 3, 15);

// Schedules with more filled cells than this are read record by record only:
// under the sanitizers the JSON of a few months of busy days takes seconds,
// and it is the same code for every cell.
constexpr int kMaxJsonCells = 2000;

void append(QByteArray& out, std::span<const std::uint8_t> bytes) {
    out.append(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
}

// Everything a dump reads, as the records' own bytes; counts the filled cells.
QByteArray readEverything(const Schedule& s, int& filledCells) {
    QByteArray out;
    append(out, s.settings().toBytes());
    out.append(QByteArray::number(s.firstShownDay()) + ' ' +
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
        out.append(s.readNote(n).toUtf8() + '\n');
    }
    filledCells = 0;
    for (int d = 1; d <= s.dayCount(); ++d) {
        const auto day = s.readDay(d);
        if (!day) {
            fuzz::broken("cannot read a day of an open schedule", QString::number(d));
        }
        const auto bytes = day->toBytes();
        append(out, bytes);
        for (int slot = 0; slot < DayRecord::kSlots; ++slot) {
            const auto i = static_cast<std::size_t>(slot);
            filledCells += day->shift[i] != 0 || day->onCall[i] != 0 || day->explanation[i] != 0 ||
                                   day->reserved[i] != 0 || day->note[i] != 0
                               ? 1
                               : 0;
        }
    }
    return out;
}

// Opens the archive into the working directory and reads all of it (and, for
// schedules of moderate size, its JSON dump too); empty when it does not open.
QByteArray openAndRead(ScheduleArchive& archive, const QString& path) {
    const ArchiveResult opened = archive.open(ScheduleLocation::fromPath(path));
    if (!opened.succeeded()) {
        return {};
    }
    Schedule s(archive.workingDirectory());
    if (!s.loadSettings(kToday).ok || !s.openAll()) {
        return {};
    }
    fuzz::checkOpenSchedule(s);
    int filledCells = 0;
    QByteArray everything = readEverything(s, filledCells);
    if (filledCells <= kMaxJsonCells) {
        ScheduleJson::writeCompact(s, [&](const QByteArray& piece) { everything += piece; });
    }
    if (!s.closeAll()) {
        fuzz::broken("closing a schedule in a writable folder failed", s.errorString());
    }
    return everything;
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
    scratch->clear();
    const QString work = scratch->makeFolder(QStringLiteral("work"));
    const QString path = scratch->file(QStringLiteral("WARD.KMR"));
    fuzz::FuzzScratch::writeFile(path, {data, size});
    {
        ScheduleArchive archive(work);
        const QByteArray first = openAndRead(archive, path);
        if (!first.isEmpty()) {
            if (!archive.save().succeeded()) {
                fuzz::broken("saving an opened schedule failed");
            }
            const QByteArray second = openAndRead(archive, path);
            if (second != first) {
                qsizetype at = 0;
                while (at < first.size() && at < second.size() && first[at] == second[at]) {
                    ++at;
                }
                fuzz::broken("a saved schedule reads back differently",
                             QStringLiteral("from byte %1: %2 | %3")
                                 .arg(at)
                                 .arg(QString::fromLatin1(first.mid(at, 80).toHex()),
                                      QString::fromLatin1(second.mid(at, 80).toHex())));
            }
        }
    }
    scratch->clear();
    return 0;
}
