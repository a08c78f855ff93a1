// Arbitrary bytes as a schedule archive, through the whole open flow of the
// program: unpack into a private working directory, read the settings record,
// open the working set (completing it with defaults), load the day window and
// read every record. An archive that opens is then saved and opened again: the
// save must carry every member over byte for byte, the saved schedule must
// open, and opening it must change none of its members.
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
#include "model/schedule/Members.h"
#include "model/schedule/Schedule.h"
#include "tool/ScheduleJson.h"

#include <QFile>
#include <QLocale>

#include <zlib.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <random>
#include <span>
#include <unistd.h>
#include <vector>

using namespace kalmur;

namespace {

fuzz::FuzzScratch* scratch = nullptr;

// A fixed "today", so that a new settings record is the same on every run.
const QDate kToday(2024, 3, 15);

// The JSON dump of the schedule as first opened and as opened after the save
// must agree. Under the sanitizers a dump costs many times the rest of a run,
// so it is written for one input in kJsonEvery (chosen by the input's bytes,
// so that a finding replays the same way), and only for schedules of at most
// kMaxJsonDays days and kMaxJsonCells filled cells.
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

// Reads every record of an open schedule, as a dump would; returns the number
// of filled cells when asked to count them. The days are read in date order, a
// block at a time, as the reports read them; the single-day read must agree at
// both ends.
int readEverything(const Schedule& s, bool countCells) {
    for (int n = 1; n <= ViewFormat::kCount; ++n) {
        if (!s.readViewFormat(n)) {
            fuzz::broken("cannot read a view format of an open schedule", QString::number(n));
        }
    }
    for (int n = 1; n <= QueryRecord::kCount; ++n) {
        if (!s.readQuery(n)) {
            fuzz::broken("cannot read a query of an open schedule", QString::number(n));
        }
    }
    for (int n = 1; n <= s.noteCount(); ++n) {
        static_cast<void>(s.readNote(n));
    }
    int filledCells = 0;
    const int last = s.dayCount();
    std::array<DayRecord, 2> ends;
    const bool read = DayRange(s, 1, last).forEach([&](int d, const DayRecord& day) {
        if (d == 1 || d == last) {
            ends[d == 1 ? 0 : 1] = day;
        }
        if (!countCells) {
            return;
        }
        for (std::size_t i = 0; i < std::size_t(DayRecord::kSlots); ++i) {
            filledCells += day.shift[i] != 0 || day.onCall[i] != 0 || day.explanation[i] != 0 ||
                                   day.reserved[i] != 0 || day.note[i] != 0
                               ? 1
                               : 0;
        }
    });
    if (!read) {
        fuzz::broken("cannot read the days of an open schedule");
    }
    for (const int d : {1, last}) {
        const auto day = s.readDay(d);
        if (!day || *day != ends[d == 1 ? 0 : 1]) {
            fuzz::broken("a day reads differently alone and in a range", QString::number(d));
        }
    }
    return filledCells;
}

// Size and checksums of each member file in the working directory (nothing
// for a member that is not there).
struct MemberPrint {
    std::int64_t size = 0;
    std::uint32_t crc = 0;
    std::uint32_t adler = 0;
    bool operator==(const MemberPrint&) const = default;
};
using MemberPrints = std::array<std::optional<MemberPrint>, kMembers.size()>;

MemberPrints printMembers(const QString& work) {
    static std::vector<std::uint8_t> buffer(64 * 1024);
    MemberPrints prints;
    for (std::size_t m = 0; m < kMembers.size(); ++m) {
        const QByteArray path = QFile::encodeName(memberPath(work, kMembers[m].fileName));
        const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            if (errno != ENOENT) {
                fuzz::broken("cannot open a member", QFile::decodeName(path));
            }
            continue;
        }
        MemberPrint print{0, std::uint32_t(crc32(0, nullptr, 0)),
                          std::uint32_t(adler32(0, nullptr, 0))};
        for (;;) {
            const ssize_t n = ::read(fd, buffer.data(), buffer.size());
            if (n < 0) {
                fuzz::broken("cannot read a member", QFile::decodeName(path));
            }
            if (n == 0) {
                break;
            }
            print.size += n;
            print.crc = std::uint32_t(crc32(print.crc, buffer.data(), uInt(n)));
            print.adler = std::uint32_t(adler32(print.adler, buffer.data(), uInt(n)));
        }
        ::close(fd);
        prints[m] = print;
    }
    return prints;
}

void compareMembers(const MemberPrints& expected, const MemberPrints& found, const char* what) {
    for (std::size_t m = 0; m < kMembers.size(); ++m) {
        if (expected[m] != found[m]) {
            fuzz::broken(what, QString::fromLatin1(kMembers[m].fileName.data(),
                                                   qsizetype(kMembers[m].fileName.size())));
        }
    }
}

// Opens the unpacked working set and reads all of it (writing its JSON dump
// into `json` when given and the schedule is of moderate size); false when it
// does not open.
bool openAndRead(const QString& work, QByteArray* json) {
    Schedule s(work);
    if (!s.loadSettings(kToday).ok || !s.openAll()) {
        return false;
    }
    fuzz::checkOpenSchedule(s);
    const int filledCells = readEverything(s, json != nullptr);
    if (json != nullptr && s.dayCount() <= kMaxJsonDays && filledCells <= kMaxJsonCells) {
        ScheduleJson::writeCompact(s, [&](const QByteArray& piece) { json->append(piece); });
    }
    if (!s.closeAll()) {
        fuzz::broken("closing a schedule in a writable folder failed", s.errorString());
    }
    return true;
}

// Opens the input as an archive whose working directory is `work`; one that
// opens goes through the save and is opened again.
void run(std::span<const std::uint8_t> input, const QString& work) {
    const QString path = scratch->file(QStringLiteral("WARD.KMR"));
    fuzz::FuzzScratch::writeFile(path, input);
    const bool json = inputHash(input) % kJsonEvery == 0;
    QByteArray firstJson;
    QByteArray secondJson;
    ScheduleArchive archive(work);
    if (!archive.open(ScheduleLocation::fromPath(path)).succeeded() ||
        !openAndRead(work, json ? &firstJson : nullptr)) {
        return;
    }
    const MemberPrints saved = printMembers(work);
    if (!archive.save().succeeded()) {
        fuzz::broken("saving an opened schedule failed");
    }
    if (!archive.open(ScheduleLocation::fromPath(path)).succeeded()) {
        fuzz::broken("a saved schedule does not unpack again");
    }
    compareMembers(saved, printMembers(work), "a member changed on its way through the archive");
    if (!openAndRead(work, json ? &secondJson : nullptr)) {
        fuzz::broken("a saved schedule does not open again");
    }
    compareMembers(saved, printMembers(work), "opening a saved schedule changed a member");
    if (firstJson != secondJson) {
        const auto at =
            std::mismatch(firstJson.begin(), firstJson.end(), secondJson.begin(), secondJson.end())
                .first -
            firstJson.begin();
        fuzz::broken("a saved schedule dumps differently",
                     QStringLiteral("from byte %1: %2 | %3")
                         .arg(at)
                         .arg(QString::fromUtf8(firstJson.mid(at, 80)),
                              QString::fromUtf8(secondJson.mid(at, 80))));
    }
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
    // The zip library turns every entry's time into local time; with TZ set,
    // the C library does not look at /etc/localtime again for each one.
    setenv("TZ", "UTC", 1);
    static fuzz::FuzzScratch folder("archive");
    scratch = &folder;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    scratch->runInWorkFolder([&](const QString& work) { run({data, size}, work); });
    return 0;
}
