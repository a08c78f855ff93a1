// Hostile archives and member sets, each opened the way the program opens a
// schedule (archive, settings, working set, day window, JSON dump, save and
// reopen) and through kalmur-tool in process. Every case must get its outcome
// quickly, with the program's own message, without writing anything outside
// the working directory.
#include "ArchiveTestSupport.h"
#include "files/ScheduleArchive.h"
#include "model/codec/OleDate.h"
#include "model/schedule/Schedule.h"
#include "tool/ScheduleJson.h"
#include "tool/Tool.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

namespace kalmur {
namespace {

using test::ZipEntry;

// Field offsets of the member records, as the file layouts document them.
namespace at {
constexpr qsizetype settingsStart = 0;
constexpr qsizetype settingsEnd = 8;
constexpr qsizetype weekStart = 26;
constexpr qsizetype firstShownDay = 28;
constexpr qsizetype rowOrder = 30;
constexpr qsizetype viewFormatNumber = 2394;
constexpr qsizetype timeFormat = 24;
constexpr qsizetype rulerDay = 47;
constexpr qsizetype daysOnScreen = 51;
constexpr qsizetype fontSize = 83;
constexpr qsizetype coverageVisible = 93;
constexpr qsizetype cellRows = 233; // 6 rows of 12 bytes, item code first
constexpr qsizetype dayShift = 0;
constexpr qsizetype dayExplanation = 400;
constexpr qsizetype dayNote = 800;
constexpr qsizetype shiftStart = 15;
constexpr qsizetype shiftBreak = 39;
constexpr qsizetype dailyFactor = 6006;
} // namespace at

void put8(QByteArray& b, qsizetype offset, int value) {
    b[offset] = static_cast<char>(value & 0xff);
}
void put16(QByteArray& b, qsizetype offset, int value) {
    const auto u = static_cast<std::uint16_t>(value);
    b[offset] = static_cast<char>(u & 0xffu);
    b[offset + 1] = static_cast<char>(u >> 8);
}
void putBits(QByteArray& b, qsizetype offset, const void* value, int size) {
    const auto* p = static_cast<const char*>(value);
    for (int i = 0; i < size; ++i) {
        b[offset + i] = p[i];
    }
}
void putDouble(QByteArray& b, qsizetype offset, double value) {
    putBits(b, offset, &value, 8);
}
void putFloat(QByteArray& b, qsizetype offset, float value) {
    putBits(b, offset, &value, 4);
}
double ole(int year, int month, int day) {
    return OleDate::fromDate(QDate(year, month, day));
}

// The member files of a schedule, by member.
using Members = std::map<Member, QByteArray>;

constexpr int kBaseDays = 90; // 1 January to 31 March 1997

// A schedule as the program writes it: 1997-01-01 to 1997-03-31, three note
// records, a few cells, a defined shift, explanation and employee.
const Members& baseMembers() {
    static const Members members = [] {
        QTemporaryDir dir;
        Schedule s(dir.path());
        EXPECT_TRUE(s.loadSettings().ok);
        s.settings().startDate = ole(1997, 1, 1);
        s.settings().endDate = ole(1997, 3, 31);
        EXPECT_TRUE(s.openAll()) << s.errorString().toStdString();
        EXPECT_TRUE(s.replaceNotes({"", "first", "second"}));
        s.setCell(1, 1, Cell{1, 0, 0, 0, 2});
        s.setExplanation(2, 1, 3);
        s.shifts()[0].description = "Day";
        s.shifts()[0].abbreviation = "D";
        s.shifts()[99].colour = 4;
        EXPECT_TRUE(s.writeShifts());
        s.explanations().descriptions[11] = "Jury duty";
        EXPECT_TRUE(s.writeExplanations());
        s.employees().names[0] = "Adams, Ann";
        s.employees().positions[0] = "RN";
        s.employees().payRate[0] = 312500;
        s.employees().names[1] = "Baker, Bo";
        EXPECT_TRUE(s.closeAll());
        Members m;
        for (const MemberInfo& info : kMembers) {
            m[info.member] = test::readFile(memberPath(dir.path(), info.member));
        }
        return m;
    }();
    return members;
}

std::vector<ZipEntry> entriesOf(const Members& members) {
    std::vector<ZipEntry> entries;
    for (const auto& [member, bytes] : members) {
        entries.push_back({std::string(memberInfo(member).fileName), bytes});
    }
    return entries;
}

// Where a case lays out its files: root/work/TEMP.001 is the working
// directory, root/sched holds the archive, root/outside is bait for names that
// try to escape.
struct Layout {
    QString root;
    QString workingDirectory() const { return root + "/work/TEMP.001"; }
    QString folder() const { return root + "/sched"; }
    QString archive() const { return folder() + "/case.kmr"; }
    QString outside() const { return root + "/outside"; }
};

using Make = std::function<void(const Layout&)>;

Make bytes(std::function<QByteArray(const Layout&)> image) {
    return [image](const Layout& l) {
        test::writeFile(l.archive(), image(l));
    };
}

// The base members after `patch`, without `skip`, plus `extra` entries.
Make members(std::function<void(Members&)> patch, std::vector<ZipEntry> extra = {},
             std::vector<Member> skip = {}) {
    return bytes([=](const Layout&) {
        Members m = baseMembers();
        if (patch) {
            patch(m);
        }
        for (Member s : skip) {
            m.erase(s);
        }
        auto entries = entriesOf(m);
        entries.insert(entries.end(), extra.begin(), extra.end());
        return test::zipBytes(entries);
    });
}

// As members(), with the extra entries computed from the layout.
Make membersAt(std::vector<Member> skip,
               std::function<std::vector<ZipEntry>(const Layout&)> extra) {
    return bytes([=](const Layout& l) {
        Members m = baseMembers();
        for (Member s : skip) {
            m.erase(s);
        }
        auto entries = entriesOf(m);
        const auto more = extra(l);
        entries.insert(entries.end(), more.begin(), more.end());
        return test::zipBytes(entries);
    });
}

// The base archive after an edit of its image.
Make edited(std::function<void(QByteArray&)> edit) {
    return bytes([edit](const Layout&) {
        QByteArray image = test::zipBytes(entriesOf(baseMembers()));
        edit(image);
        return image;
    });
}

// Settings and a blank day file for the given dates.
Make blankRange(QDate start, QDate end) {
    return members([start, end](Members& m) {
        putDouble(m[Member::Settings], at::settingsStart, OleDate::fromDate(start));
        putDouble(m[Member::Settings], at::settingsEnd, OleDate::fromDate(end));
        m[Member::Days] = QByteArray(static_cast<qsizetype>(start.daysTo(end) + 1) * 1200, '\0');
    });
}

enum class Outcome { Opens, OpensAsNew, NotValid, NotExtracted, Unavailable };

using Check = std::function<void(Schedule&, const QJsonObject&)>;

struct HostileCase {
    std::string label;
    Make make;
    Outcome outcome;
    Check check = {};
};

ArchiveOutcome archiveOutcome(Outcome o) {
    switch (o) {
    case Outcome::Opens:
        return ArchiveOutcome::Extracted;
    case Outcome::OpensAsNew:
        return ArchiveOutcome::OpenedAsNew;
    case Outcome::NotValid:
        return ArchiveOutcome::NotValid;
    case Outcome::NotExtracted:
        return ArchiveOutcome::NotExtracted;
    case Outcome::Unavailable:
        break;
    }
    return ArchiveOutcome::Unavailable;
}

struct ToolRun {
    int status = -1;
    QString out;
    QString err;
};

ToolRun tool(const QStringList& args) {
    ToolRun r;
    QTextStream out(&r.out);
    QTextStream err(&r.err);
    r.status = runTool(args, out, err);
    out.flush();
    err.flush();
    return r;
}

// Every file below root outside the working directory, with its bytes (or
// its kind, for what is not a regular file).
std::map<QString, QByteArray> outsideWorkingDirectory(const Layout& l) {
    std::map<QString, QByteArray> files;
    for (const QString& p : test::listTree(l.root)) {
        if (p.startsWith("work/TEMP.001/")) {
            continue;
        }
        const QString path = l.root + '/' + p;
        struct stat st {};
        if (::lstat(QFile::encodeName(path).constData(), &st) != 0) {
            files[p] = "vanished";
        } else if (S_ISREG(st.st_mode)) {
            files[p] = test::readFile(path);
        } else {
            files[p] = QByteArray::number(static_cast<unsigned>(st.st_mode & S_IFMT));
        }
    }
    return files;
}

// Reads every cell of the window the way the grid does, then walks the window
// day by day into the last day and back into the first, reading each day that
// enters it. Long schedules are walked near both ends only.
void readThroughWindow(Schedule& s) {
    qint64 characters = 0;
    const auto readPosition = [&](int position) {
        for (int slot = 1; slot <= DayRecord::kSlots; ++slot) {
            const Cell c = s.cell(slot, position);
            characters += s.shift(c.shift).description.size() +
                          s.shift(c.shift).abbreviation.size() +
                          s.explanations().description(c.explanation).size() +
                          s.readNote(c.note).size() + s.shiftColour(c.shift);
        }
    };
    for (int k = 1; k <= s.windowLength(); ++k) {
        readPosition(k);
    }
    constexpr int kSteps = 120;
    int steps = 0;
    for (; steps < kSteps && s.moveLater() == DayWindow::Move::Moved; ++steps) {
        readPosition(s.windowLength());
    }
    if (steps == kSteps) {
        ASSERT_TRUE(s.loadWindow(s.dayCount()));
        EXPECT_EQ(s.moveLater(), DayWindow::Move::AtEdge);
    }
    EXPECT_EQ(s.firstShownDay() + s.windowLength(), s.dayCount());
    for (steps = 0; steps < kSteps && s.moveEarlier() == DayWindow::Move::Moved; ++steps) {
        readPosition(1);
    }
    if (steps == kSteps) {
        ASSERT_TRUE(s.loadWindow(0));
        EXPECT_EQ(s.moveEarlier(), DayWindow::Move::AtEdge);
    }
    EXPECT_EQ(s.firstShownDay(), 0);
    EXPECT_GE(characters, 0);
}

QJsonObject cellOf(const QJsonObject& json, int day, int slot) {
    for (const QJsonValue& d : json["days"].toArray()) {
        if (d["day"].toInt() != day) {
            continue;
        }
        for (const QJsonValue& c : d["cells"].toArray()) {
            if (c["slot"].toInt() == slot) {
                return c.toObject();
            }
        }
    }
    return {};
}

QJsonArray identityRowOrder() {
    QJsonArray order;
    for (int r = 1; r <= 200; ++r) {
        order.append(r);
    }
    return order;
}

// How long a case took: opening and dumping it through kalmur-tool (the whole
// path the program takes), and the rest of the case (opening it again in the
// test, walking the window, saving and reopening).
struct Timing {
    std::string label;
    qint64 toolMs = 0;
    qint64 restMs = 0;
};

// The dump of the base schedule, opened from an archive of its members.
const QJsonObject& baseJson() {
    static const QJsonObject json = [] {
        QTemporaryDir dir;
        const QString wd = dir.path() + "/wd";
        QDir().mkpath(wd);
        test::writeZip(dir.path() + "/base.kmr", entriesOf(baseMembers()));
        ScheduleArchive archive(wd);
        EXPECT_EQ(archive.open(ScheduleLocation::fromPath(dir.path() + "/base.kmr")).outcome,
                  ArchiveOutcome::Extracted);
        Schedule s(wd);
        EXPECT_TRUE(s.loadSettings().ok);
        EXPECT_TRUE(s.openAll());
        return ScheduleJson::dump(s);
    }();
    return json;
}

void sameAsBase(Schedule&, const QJsonObject& json) {
    EXPECT_EQ(json, baseJson());
}

class HostileArchiveTest : public ::testing::Test {
protected:
    void run(const HostileCase& c, std::vector<Timing>& timings) {
        SCOPED_TRACE(c.label);
        QTemporaryDir root;
        const Layout l{root.path()};
        ASSERT_TRUE(QDir().mkpath(l.workingDirectory()));
        ASSERT_TRUE(QDir().mkpath(l.folder()));
        ASSERT_TRUE(QDir().mkpath(l.outside()));
        test::writeFile(l.outside() + "/bait.txt", "bait");
        c.make(l);
        // The members of a previous schedule, which a refused archive leaves alone.
        for (const auto& [member, image] : baseMembers()) {
            test::writeFile(memberPath(l.workingDirectory(), member), image);
        }
        const auto before = outsideWorkingDirectory(l);

        QElapsedTimer timer;
        timer.start();
        const QString path = l.archive();
        const ToolRun dumped = tool({"dump", path});
        const qint64 toolMs = timer.elapsed();

        ScheduleArchive archive(l.workingDirectory());
        const ArchiveResult result = archive.open(ScheduleLocation::fromPath(path));
        EXPECT_EQ(result.outcome, archiveOutcome(c.outcome)) << result.message.toStdString();

        if (!result.succeeded()) {
            EXPECT_EQ(dumped.status, 1);
            QString message;
            switch (c.outcome) {
            case Outcome::NotValid:
                message = path + " is not a valid schedule file";
                EXPECT_EQ(dumped.err, "kalmur-tool: " + message + "\n");
                break;
            case Outcome::NotExtracted:
                message = "Could not open " + path + " to " + l.workingDirectory();
                EXPECT_TRUE(dumped.err.startsWith("kalmur-tool: Could not open " + path + " to "))
                    << dumped.err.toStdString();
                break;
            default:
                EXPECT_EQ(dumped.err, "kalmur-tool: " + path + ": no such schedule file\n");
                break;
            }
            EXPECT_EQ(result.message, message);
            EXPECT_EQ(result.title, message.isEmpty() ? QString() : QString("Error"));
            std::map<Member, QByteArray> kept;
            for (const MemberInfo& info : kMembers) {
                kept[info.member] = test::readFile(memberPath(l.workingDirectory(), info.member));
            }
            EXPECT_TRUE(kept == baseMembers()) << "the previous members were touched";
            EXPECT_TRUE(outsideWorkingDirectory(l) == before) << "something was written outside";
            timings.push_back({c.label, toolMs, timer.elapsed() - toolMs});
            return;
        }

        EXPECT_EQ(dumped.status, 0) << dumped.err.toStdString();
        EXPECT_EQ(dumped.err, "");
        Schedule s(l.workingDirectory());
        const Schedule::LoadedSettings loaded = s.loadSettings();
        ASSERT_TRUE(loaded.ok) << s.errorString().toStdString();
        ASSERT_TRUE(s.openAll()) << s.errorString().toStdString();
        const QJsonObject json = ScheduleJson::dump(s);
        EXPECT_EQ(QJsonDocument::fromJson(dumped.out.toUtf8()).object(), json)
            << "kalmur-tool and the program disagree";
        if (c.check) {
            c.check(s, json);
        }
        readThroughWindow(s);
        EXPECT_TRUE(outsideWorkingDirectory(l) == before) << "something was written outside";

        // Whatever was repaired is saved, and the saved archive opens the same.
        const QJsonObject repaired = ScheduleJson::dump(s);
        ASSERT_TRUE(s.closeAll()) << s.errorString().toStdString();
        ASSERT_EQ(archive.save().outcome, ArchiveOutcome::Saved);
        EXPECT_EQ(test::listTree(l.folder()), QStringList{"case.kmr"});
        archive.release();
        const QString again = l.root + "/work/TEMP.002";
        ASSERT_TRUE(QDir().mkpath(again));
        ScheduleArchive second(again);
        ASSERT_EQ(second.open(ScheduleLocation::fromPath(path)).outcome, ArchiveOutcome::Extracted);
        Schedule reopened(again);
        ASSERT_TRUE(reopened.loadSettings().ok);
        ASSERT_TRUE(reopened.openAll()) << reopened.errorString().toStdString();
        EXPECT_EQ(ScheduleJson::dump(reopened), repaired);
        EXPECT_FALSE(reopened.isModified()) << "the repairs did not reach the archive";
        timings.push_back({c.label, toolMs, timer.elapsed() - toolMs});
    }
};

// --- the cases ---------------------------------------------------------------

const QByteArray kJunk("junk that must not be written anywhere");

ZipEntry link(const std::string& name, const QString& target) {
    return {name, target.toUtf8(), 0120777};
}

void expectNoCells(Schedule&, const QJsonObject& json) {
    EXPECT_EQ(json["days"].toArray(), QJsonArray());
}

// Entry names, folders, links, encryption, sizes and damage of the zip itself.
std::vector<HostileCase> archiveCases() {
    std::vector<HostileCase> cases = {
        {"an archive the program wrote", members({}), Outcome::Opens, sameAsBase},
        {"a folder entry under a member's name",
         members({}, {{"KALMUR2.SCH", {}, 040755, false, false, true}}, {Member::Days}),
         Outcome::Opens,
         [](Schedule& s, const QJsonObject& json) {
             expectNoCells(s, json);
             EXPECT_EQ(s.dayCount(), kBaseDays);
             EXPECT_EQ(json["notes"], baseJson()["notes"]);
         }},
        {"an entry of folder type under a member's name",
         members({}, {{"KALMUR2.SEM", baseMembers().at(Member::Employees), 040755}},
                 {Member::Employees}),
         Outcome::Opens,
         [](Schedule&, const QJsonObject& json) {
             EXPECT_EQ(json["rows"][0]["name"], "");
             EXPECT_EQ(json["rows"][0]["payRate"], 0);
         }},
        {"an entry with the DOS folder attribute",
         [] {
             ZipEntry e{"KALMUR2.SEP", baseMembers().at(Member::Explanations)};
             e.dosAttributes = 0x10;
             return members({}, {e}, {Member::Explanations});
         }(),
         Outcome::Opens,
         [](Schedule&, const QJsonObject& json) {
             EXPECT_EQ(json["explanations"][11]["description"], "undefined");
             EXPECT_EQ(json["explanations"][0]["description"], "Personal");
         }},
        {"copies of members inside folders",
         members({}, {{"data/KALMUR2.SCH", kJunk},
                      {"KALMUR2.SCH/x", kJunk},
                      {"./KALMUR2.SCH", kJunk},
                      {"work/TEMP.001/KALMUR2.SPR", kJunk}}),
         Outcome::Opens, sameAsBase},
        {"parent references instead of the note file",
         members({},
                 {{"../KALMUR2.SNO", kJunk},
                  {"../../KALMUR2.SNO", kJunk},
                  {"../../../outside/KALMUR2.SNO", kJunk},
                  {"..\\..\\..\\outside\\KALMUR2.SNO", kJunk},
                  {"KALMUR2.SNO/..", kJunk},
                  {"..", kJunk},
                  {"...KALMUR2.SNO", kJunk}},
                 {Member::Notes}),
         Outcome::Opens,
         [](Schedule& s, const QJsonObject& json) {
             EXPECT_EQ(json["notes"], QJsonArray({""})); // a new note file
             EXPECT_EQ(cellOf(json, 1, 1)["note"], 2);   // the cell keeps its number
             EXPECT_EQ(s.readNote(2), "");
         }},
        {"absolute names instead of the shift file",
         membersAt({Member::Shifts},
                   [](const Layout& l) {
                       return std::vector<ZipEntry>{
                           {(l.outside() + "/KALMUR2.SSH").toStdString(), kJunk},
                           {"/KALMUR2.SSH", kJunk},
                           {"//server/share/KALMUR2.SSH", kJunk},
                           {"\\KALMUR2.SSH", kJunk}};
                   }),
         Outcome::Opens,
         [](Schedule&, const QJsonObject& json) {
             EXPECT_EQ(json["shifts"][0]["description"], "undefined");
             EXPECT_EQ(json["shifts"][99]["colour"], 12);
         }},
        {"drive letters instead of the query file",
         members({},
                 {{"C:KALMUR2.SQ1", kJunk},
                  {"C:\\KALMUR2.SQ1", kJunk},
                  {"c:/KALMUR2.SQ1", kJunk},
                  {"A:..\\KALMUR2.SQ1", kJunk}},
                 {Member::Queries}),
         Outcome::Opens, sameAsBase}, // the base has free queries only
        {"the settings member twice", bytes([](const Layout&) {
             auto entries = entriesOf(baseMembers());
             entries.push_back({"KALMUR2.SPX", baseMembers().at(Member::Settings)});
             QByteArray image = test::zipBytes(entries);
             test::patchName(image, "KALMUR2.SPX", "KALMUR2.SPR");
             return image;
         }),
         Outcome::NotValid},
        {"a member twice in different letter case",
         members({}, {{"kalmur2.Sq1", baseMembers().at(Member::Queries)}}), Outcome::NotValid},
        {"an entry that is not a member, twice", bytes([](const Layout&) {
             auto entries = entriesOf(baseMembers());
             entries.push_back({"README.TXT", kJunk});
             entries.push_back({"README.TXX", kJunk});
             QByteArray image = test::zipBytes(entries);
             test::patchName(image, "README.TXX", "README.TXT");
             return image;
         }),
         Outcome::NotValid}, // libzip's consistency check refuses any repeated name
        {"the day file as a link out of the folder",
         membersAt({Member::Days},
                   [](const Layout& l) {
                       return std::vector<ZipEntry>{link("KALMUR2.SCH", l.outside() + "/bait.txt")};
                   }),
         Outcome::Opens,
         [](Schedule& s, const QJsonObject& json) {
             expectNoCells(s, json);
             EXPECT_EQ(s.dayCount(), kBaseDays);
         }},
        {"two members as links",
         members({},
                 {link("KALMUR2.SCH", "../../../outside/bait.txt"), link("KALMUR2.SNO", "/etc")},
                 {Member::Days, Member::Notes}),
         Outcome::NotValid},
        {"a link under another name", members({}, {link("evil", "../../../outside/bait.txt")}),
         Outcome::Opens, sameAsBase},
        {"a member under the old PKWARE cipher", bytes([](const Layout&) {
             auto entries = entriesOf(baseMembers());
             for (ZipEntry& e : entries) {
                 e.traditionalEncryption = e.name == "KALMUR2.SPR";
             }
             return test::zipBytes(entries);
         }),
         Outcome::NotValid},
        {"an encrypted entry that is not a member",
         members({}, {{"secret.txt", kJunk, 0100644, true}}), Outcome::Opens, sameAsBase},
        {"settings declared empty",
         edited([](QByteArray& z) { test::patchDeclaredSize(z, "KALMUR2.SPR", 0); }),
         Outcome::NotExtracted},
        {"employee table declared 1000 bytes short",
         edited([](QByteArray& z) { test::patchDeclaredSize(z, "KALMUR2.SEM", 8020 - 1000); }),
         Outcome::NotExtracted},
        {"note file declared 4 GiB",
         edited([](QByteArray& z) { test::patchDeclaredSize(z, "KALMUR2.SNO", 0xffffffffu); }),
         Outcome::NotValid},
        {"explanations declared 2 GiB",
         edited([](QByteArray& z) { test::patchDeclaredSize(z, "KALMUR2.SEP", 0x80000000u); }),
         Outcome::NotValid},
        {"day file declared as large as a day file may be",
         edited([](QByteArray& z) { test::patchDeclaredSize(z, "KALMUR2.SCH", 32767u * 1200u); }),
         Outcome::NotExtracted},
        {"compressed size past the end of the file",
         edited([](QByteArray& z) { test::patchCompressedSize(z, "KALMUR2.SQ1", 0x7fffffffu); }),
         Outcome::NotValid},
        {"unknown compression method",
         edited([](QByteArray& z) { test::patchMethod(z, "KALMUR2.SSF", 99); }), Outcome::NotValid},
        {"end record cut off", edited([](QByteArray& z) { z.chop(10); }), Outcome::NotValid},
        {"cut to its first 100 bytes", edited([](QByteArray& z) { z.truncate(100); }),
         Outcome::NotValid},
        {"central directory cut in half", edited([](QByteArray& z) {
             const qsizetype central = z.indexOf(QByteArray("PK\x01\x02", 4));
             ASSERT_GT(central, 0);
             z.truncate(central + (z.size() - central) / 2);
         }),
         Outcome::NotValid},
        {"random bytes", bytes([](const Layout&) {
             QByteArray noise(4096, '\0');
             std::uint32_t x = 12345;
             for (char& c : noise) {
                 x = x * 1103515245u + 12345u;
                 c = static_cast<char>(x >> 24);
             }
             return noise;
         }),
         Outcome::NotValid},
        {"an end record that claims 65535 entries", bytes([](const Layout&) {
             QByteArray eocd("PK\x05\x06", 4);
             eocd += QByteArray("\0\0\0\0\xff\xff\xff\xff", 8);
             eocd += QByteArray("\xff\xff\xff\x7f\0\0\0\0\0\0", 10);
             return QByteArray(64, 'x') + eocd;
         }),
         Outcome::NotValid},
        {"an empty file", bytes([](const Layout&) { return QByteArray(); }), Outcome::OpensAsNew,
         [](Schedule& s, const QJsonObject& json) {
             const int year = QDate::currentDate().year();
             EXPECT_EQ(s.startDate(), QDate(year, 1, 1));
             EXPECT_EQ(s.endDate(), QDate(year + 1, 12, 31));
             EXPECT_EQ(json["notes"], QJsonArray({""}));
         }},
        {"a file of nine bytes",
         bytes([](const Layout&) { return QByteArray("PK\x05\x06\0\0\0\0\0", 9); }),
         Outcome::OpensAsNew,
         [](Schedule& s, const QJsonObject& json) {
             EXPECT_EQ(s.startDate(), QDate(QDate::currentDate().year(), 1, 1));
             EXPECT_EQ(json["shifts"][100]["description"], "On Call");
         }},
        {"every member empty", members([](Members& m) {
             for (auto& entry : m) {
                 entry.second.clear();
             }
         }),
         Outcome::Opens,
         [](Schedule& s, const QJsonObject& json) {
             EXPECT_EQ(s.startDate(), QDate(QDate::currentDate().year(), 1, 1));
             EXPECT_EQ(json["shifts"][99]["description"], "OFF");
             EXPECT_EQ(json["viewFormats"][0]["name"], "28 Day");
             expectNoCells(s, json);
         }},
        {"a blank ten-year schedule", bytes([](const Layout& l) {
             blankRange(QDate(2000, 1, 1), QDate(2009, 12, 31))(l);
             const QByteArray image = test::readFile(l.archive());
             const double ratio = double(test::declaredSize(image, "KALMUR2.SCH")) /
                                  test::compressedSize(image, "KALMUR2.SCH");
             EXPECT_GT(ratio, 1000.0);
             return image;
         }),
         Outcome::Opens,
         [](Schedule& s, const QJsonObject& json) {
             EXPECT_EQ(s.dayCount(), 3653);
             expectNoCells(s, json);
         }},
        {"the largest day file", blankRange(QDate(1997, 1, 1), QDate(1997, 1, 1).addDays(32766)),
         Outcome::Opens,
         [](Schedule& s, const QJsonObject& json) {
             EXPECT_EQ(s.dayCount(), 32767);
             expectNoCells(s, json);
         }},
        {"ten thousand entries that are not members",
         [] {
             std::vector<ZipEntry> extra;
             for (int i = 0; i < 10000; ++i) {
                 extra.push_back({"x" + std::to_string(i), "x"});
                 extra.back().stored = true;
             }
             return members({}, extra);
         }(),
         Outcome::Opens, sameAsBase},
        {"an entry name of 60000 characters", members({}, {{std::string(60000, 'K'), kJunk}}),
         Outcome::Opens, sameAsBase},
        {"a FIFO under the archive's name",
         [](const Layout& l) {
             ASSERT_EQ(::mkfifo(QFile::encodeName(l.archive()).constData(), 0600), 0);
         },
         Outcome::Unavailable},
        {"a link to a device under the archive's name",
         [](const Layout& l) { ASSERT_TRUE(QFile::link("/dev/zero", l.archive())); },
         Outcome::Unavailable},
    };
    return cases;
}

// A member of the base with one edit.
Make patched(Member member, std::function<void(QByteArray&)> edit) {
    return members([member, edit](Members& m) { edit(m[member]); });
}

Make settings(std::function<void(QByteArray&)> edit) {
    return patched(Member::Settings, edit);
}

// An edit of view format 1, the current one.
Make firstFormat(std::function<void(QByteArray&)> edit) {
    return patched(Member::ViewFormats, edit);
}

QString isoDay(QDate date) {
    return date.toString(Qt::ISODate);
}

// Values out of range inside well-formed members, and members of odd lengths.
std::vector<HostileCase> memberCases() {
    const auto endIs = [](const char* end) {
        return [end](Schedule&, const QJsonObject& json) {
            EXPECT_EQ(json["start"], "1997-01-01");
            EXPECT_EQ(json["end"], end);
        };
    };
    const auto windowIs = [](int length) {
        return [length](Schedule& s, const QJsonObject&) {
            EXPECT_EQ(s.viewFormat().daysOnScreen, length);
            EXPECT_EQ(s.windowLength(), length);
        };
    };
    const auto coverageIs = [](int visible) {
        return [visible](Schedule& s, const QJsonObject&) {
            EXPECT_EQ(s.viewFormat().coverageVisible, visible);
        };
    };
    const auto firstShownIs = [](int first) {
        return [first](Schedule& s, const QJsonObject& json) {
            EXPECT_EQ(s.firstShownDay(), first);
            EXPECT_EQ(json["firstShownDay"], first);
        };
    };
    std::vector<HostileCase> cases = {
        {"row order outside 1..200 and repeated", settings([](QByteArray& b) {
             put16(b, at::rowOrder + 0, 0);
             put16(b, at::rowOrder + 2, 201);
             put16(b, at::rowOrder + 4, -4);
             put16(b, at::rowOrder + 6, 5); // row 5 names slot 5 as well
             put16(b, at::rowOrder + 2 * 199, 32767);
         }),
         Outcome::Opens,
         [](Schedule& s, const QJsonObject& json) {
             QJsonArray expected = identityRowOrder();
             expected[3] = 5; // the first row that names a slot keeps it
             expected[4] = 4; // the rows left over get the unused slots in order
             EXPECT_EQ(json["rowOrder"], expected);
             EXPECT_EQ(s.slotOfRow(4), 5);
         }},
        {"shift codes above 102",
         patched(Member::Days,
                 [](QByteArray& b) {
                     put8(b, at::dayShift + 9, 103);
                     put8(b, 1200 + at::dayShift + 10, 255);
                 }),
         Outcome::Opens,
         [](Schedule& s, const QJsonObject& json) {
             EXPECT_EQ(cellOf(json, 1, 10)["shift"], 103); // stored as it came
             EXPECT_EQ(cellOf(json, 2, 11)["shift"], 255);
             EXPECT_EQ(s.cell(10, 1).shift, 103);
             EXPECT_TRUE(s.shift(103).isUndefined());
             EXPECT_EQ(s.shiftColour(255), 0);
         }},
        {"explanation numbers above 99",
         patched(Member::Days,
                 [](QByteArray& b) {
                     put8(b, at::dayExplanation + 11, 100);
                     put8(b, at::dayExplanation + 12, 255);
                 }),
         Outcome::Opens,
         [](Schedule& s, const QJsonObject& json) {
             EXPECT_EQ(cellOf(json, 1, 13)["explanation"], 255);
             EXPECT_EQ(s.explanations().description(s.cell(12, 1).explanation), "");
             EXPECT_EQ(s.explanations().abbreviation(255), "");
         }},
        {"note numbers beyond the note file",
         patched(Member::Days,
                 [](QByteArray& b) {
                     put16(b, at::dayNote + 2 * 13, 4);
                     put16(b, at::dayNote + 2 * 14, 32767);
                     put16(b, at::dayNote + 2 * 15, -32768);
                     put16(b, at::dayNote + 2 * 16, -9);
                 }),
         Outcome::Opens,
         [](Schedule& s, const QJsonObject& json) {
             EXPECT_EQ(cellOf(json, 1, 15)["note"], 32767);
             EXPECT_EQ(s.readNote(4), "");
             EXPECT_EQ(s.readNote(s.cell(15, 1).note), "");
             EXPECT_EQ(s.readNote(s.cell(16, 1).note), "");
             // A cell whose number points past the note file has no note: a
             // note typed into it takes the next record, not record 32767.
             ASSERT_TRUE(s.writeNote(15, 1, "late"));
             EXPECT_EQ(s.cell(15, 1).note, 4);
             ASSERT_TRUE(s.writeNote(16, 1, "swap"));
             EXPECT_EQ(s.cell(16, 1).note, 5);
             ASSERT_TRUE(s.writeNote(17, 1, ""));
             EXPECT_EQ(s.cell(17, 1).note, -6);
             EXPECT_EQ(s.noteCount(), 6);
             EXPECT_EQ(s.readNote(4), "late");
         }},
        {"view-format number 6", settings([](QByteArray& b) { put16(b, at::viewFormatNumber, 6); }),
         Outcome::Opens,
         [](Schedule& s, const QJsonObject& json) {
             EXPECT_EQ(json["viewFormat"], 1);
             EXPECT_EQ(s.windowLength(), 28);
         }},
        {"view-format number -300 and week start 9", settings([](QByteArray& b) {
             put16(b, at::viewFormatNumber, -300);
             put16(b, at::weekStart, 9);
         }),
         Outcome::Opens,
         [](Schedule&, const QJsonObject& json) {
             EXPECT_EQ(json["viewFormat"], 1);
             EXPECT_EQ(json["weekStart"], 1);
         }},
        {"days on screen 0", firstFormat([](QByteArray& b) { put16(b, at::daysOnScreen, 0); }),
         Outcome::Opens, windowIs(1)},
        {"days on screen 43", firstFormat([](QByteArray& b) { put16(b, at::daysOnScreen, 43); }),
         Outcome::Opens, windowIs(42)},
        {"days on screen -5", firstFormat([](QByteArray& b) { put16(b, at::daysOnScreen, -5); }),
         Outcome::Opens, windowIs(1)},
        {"visible coverage totals 21",
         firstFormat([](QByteArray& b) { put16(b, at::coverageVisible, 21); }), Outcome::Opens,
         coverageIs(20)},
        {"visible coverage totals -1",
         firstFormat([](QByteArray& b) { put16(b, at::coverageVisible, -1); }), Outcome::Opens,
         coverageIs(0)},
        {"item codes not in the list", firstFormat([](QByteArray& b) {
             put16(b, at::cellRows, 998);
             put16(b, at::cellRows + 12, -1);
             put16(b, at::cellRows + 24, 32767);
         }),
         Outcome::Opens,
         [](Schedule& s, const QJsonObject&) {
             EXPECT_EQ(s.viewFormat().cellRows[0].item, 0);
             EXPECT_EQ(s.viewFormat().cellRows[1].item, 0);
             EXPECT_EQ(s.viewFormat().cellRows[2].item, 0);
             EXPECT_EQ(s.viewFormat().cellRows[3].item, 410); // "28 Day" row 4, untouched
         }},
        {"unknown time format and ruler style", firstFormat([](QByteArray& b) {
             b.replace(at::timeFormat, 15, "zz:zz          ");
             put16(b, at::rulerDay, 7);
         }),
         Outcome::Opens,
         [](Schedule& s, const QJsonObject&) {
             EXPECT_EQ(s.viewFormat().timeFormat, "h:nna/p");
             EXPECT_EQ(s.viewFormat().rulerDay, 3);
         }},
        {"first visible day -7", settings([](QByteArray& b) { put16(b, at::firstShownDay, -7); }),
         Outcome::Opens, firstShownIs(0)},
        {"first visible day 32000",
         settings([](QByteArray& b) { put16(b, at::firstShownDay, 32000); }), Outcome::Opens,
         firstShownIs(kBaseDays - 28)},
        {"end date before the start date",
         settings([](QByteArray& b) { putDouble(b, at::settingsEnd, ole(1996, 12, 1)); }),
         Outcome::Opens, endIs("1997-03-31")}, // as many days as the day file holds
        {"end date before the start date and a short day file", members([](Members& m) {
             putDouble(m[Member::Settings], at::settingsEnd, ole(1996, 12, 1));
             m[Member::Days].truncate(10 * 1200);
         }),
         Outcome::Opens, endIs("1997-02-11")}, // at least 42 days
        {"a start date that is not a number", settings([](QByteArray& b) {
             putDouble(b, at::settingsStart, std::numeric_limits<double>::quiet_NaN());
         }),
         Outcome::Opens,
         [](Schedule& s, const QJsonObject& json) {
             const QDate start(QDate::currentDate().year(), 1, 1);
             EXPECT_EQ(json["start"], isoDay(start));
             EXPECT_EQ(json["end"], isoDay(start.addDays(kBaseDays - 1)));
             EXPECT_EQ(s.dayCount(), kBaseDays);
         }},
        {"a range beyond the day limit",
         settings([](QByteArray& b) { putDouble(b, at::settingsEnd, ole(1997, 1, 1) + 40000); }),
         Outcome::Opens, endIs("1997-03-31")},
        {"a start date with a time of day",
         settings([](QByteArray& b) { putDouble(b, at::settingsStart, ole(1997, 1, 1) + 0.75); }),
         Outcome::Opens,
         [](Schedule& s, const QJsonObject& json) {
             EXPECT_EQ(json["start"], "1997-01-01");
             EXPECT_EQ(s.settings().startDate, ole(1997, 1, 1));
         }},
        {"numbers that are not finite", members([](Members& m) {
             const float nan = std::numeric_limits<float>::quiet_NaN();
             putFloat(m[Member::ViewFormats], at::fontSize, nan);
             putFloat(m[Member::Shifts], at::shiftBreak, std::numeric_limits<float>::infinity());
             putDouble(m[Member::Shifts], at::shiftStart, std::numeric_limits<double>::infinity());
             putFloat(m[Member::Employees], at::dailyFactor, nan);
         }),
         Outcome::Opens,
         [](Schedule&, const QJsonObject& json) {
             EXPECT_EQ(json["viewFormats"][0]["fontSize"], 0);
             EXPECT_EQ(json["shifts"][0]["breakLength"], 0);
         }},
        {"every member cut to an odd length", members([](Members& m) {
             m[Member::Days] += QByteArray(17, 'U');
             m[Member::Shifts].truncate(101 * 47 + 20);
             m[Member::Employees].truncate(5000);
             m[Member::Notes] += QByteArray(7, 'N');
             m[Member::Explanations].truncate(1000);
             m[Member::ViewFormats].truncate(2 * 9185 + 100);
             m[Member::Queries].truncate(3 * 502 + 1);
         }),
         Outcome::Opens,
         [](Schedule& s, const QJsonObject& json) {
             EXPECT_EQ(s.dayCount(), kBaseDays);
             EXPECT_EQ(cellOf(json, 1, 1)["shift"], 1);
             // Short of 102 records: the three reserved shifts are written anew.
             EXPECT_EQ(json["shifts"][0]["description"], "Day");
             EXPECT_EQ(json["shifts"][99]["colour"], 12);
             // Names survive; the overtime block and the costs are reset.
             EXPECT_EQ(json["rows"][0]["name"], "Adams, Ann");
             EXPECT_EQ(json["rows"][0]["payRate"], 0);
             EXPECT_EQ(json["overtime"]["layoutMarker"], 2);
             EXPECT_EQ(json["notes"], baseJson()["notes"]); // the partial record is not a note
             // Less than one record: the default explanations.
             EXPECT_EQ(json["explanations"][11]["description"], "undefined");
             EXPECT_EQ(json["viewFormats"][1]["name"], "Weekly");
             EXPECT_EQ(json["viewFormats"][2]["name"], "Not Used");
             EXPECT_EQ(json["queries"].toArray().size(), 10);
         }},
        {"a settings file of 100 bytes",
         patched(Member::Settings, [](QByteArray& b) { b.truncate(100); }), Outcome::Opens,
         [](Schedule&, const QJsonObject& json) {
             EXPECT_EQ(json["start"], "1997-01-01");
             EXPECT_EQ(json["end"], "1997-03-31");
             EXPECT_EQ(json["rowOrder"], identityRowOrder());
             EXPECT_EQ(json["viewFormat"], 1);
         }},
        {"a day file shorter than the range",
         patched(Member::Days, [](QByteArray& b) { b.truncate(10 * 1200); }), Outcome::Opens,
         [](Schedule& s, const QJsonObject& json) {
             EXPECT_EQ(s.dayCount(), kBaseDays);
             EXPECT_EQ(json["days"].toArray().size(), 1);
             EXPECT_EQ(cellOf(json, 1, 2)["explanation"], 3);
         }},
    };
    return cases;
}

TEST_F(HostileArchiveTest, EveryCaseGetsItsOutcomeQuicklyAndWritesOnlyTheWorkingDirectory) {
    std::vector<HostileCase> cases = archiveCases();
    for (HostileCase& c : memberCases()) {
        cases.push_back(std::move(c));
    }
    ASSERT_GE(cases.size(), 30u);
    std::vector<Timing> timings;
    for (const HostileCase& c : cases) {
        run(c, timings);
    }
    // A generous bound: only a hang or a runaway loop comes near it.
    constexpr qint64 kHangGuardMs = 5000;
    ASSERT_EQ(timings.size(), cases.size());
    const Timing* slowest = &timings.front();
    for (const Timing& t : timings) {
        EXPECT_LT(t.toolMs, kHangGuardMs) << t.label;
        EXPECT_LT(t.restMs, 3 * kHangGuardMs) << t.label;
        if (t.toolMs > slowest->toolMs) {
            slowest = &t;
        }
    }
    std::printf("%zu hostile cases; slowest through kalmur-tool: %s (%lld ms)\n", timings.size(),
                slowest->label.c_str(), static_cast<long long>(slowest->toolMs));
    if (std::getenv("KALMUR_HOSTILE_TIMES")) {
        for (const Timing& t : timings) {
            std::printf("%6lld ms  %6lld ms  %s\n", static_cast<long long>(t.toolMs),
                        static_cast<long long>(t.restMs), t.label.c_str());
        }
    }
}

} // namespace
} // namespace kalmur
