// Arbitrary bytes as a schedule archive, through the whole open flow of the
// program: unpack into a private working directory, read the settings record,
// open the working set (completing it with defaults), load the day window and
// read everything a dump reads. An archive that opens is then saved, opened
// again and dumped again: what was read must survive the round trip unchanged.
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

#include <QJsonDocument>
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

// Opens the archive into the working directory and dumps it; empty when it does not open.
QByteArray openAndDump(ScheduleArchive& archive, const QString& path) {
    const ArchiveResult opened = archive.open(ScheduleLocation::fromPath(path));
    if (!opened.succeeded()) {
        return {};
    }
    Schedule s(archive.workingDirectory());
    if (!s.loadSettings(kToday).ok || !s.openAll()) {
        return {};
    }
    fuzz::checkOpenSchedule(s);
    const QByteArray dump = QJsonDocument(ScheduleJson::dump(s)).toJson(QJsonDocument::Compact);
    if (!s.closeAll()) {
        fuzz::broken("closing a schedule in a writable folder failed", s.errorString());
    }
    return dump;
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
        const QByteArray first = openAndDump(archive, path);
        if (!first.isEmpty()) {
            if (!archive.save().succeeded()) {
                fuzz::broken("saving an opened schedule failed");
            }
            const QByteArray second = openAndDump(archive, path);
            if (second != first) {
                std::fprintf(stderr, "first:  %s\nsecond: %s\n", first.constData(),
                             second.constData());
                fuzz::broken("a saved schedule reads back differently");
            }
        }
    }
    scratch->clear();
    return 0;
}
