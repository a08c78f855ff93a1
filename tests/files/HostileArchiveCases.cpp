#include "HostileCases.h"

#include <QFile>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace kalmur::hostile {

using test::ZipEntry;

namespace {

const QByteArray kJunk("junk that must not be written anywhere");

ZipEntry link(const std::string& name, const QString& target) {
    return {name, target.toUtf8(), 0120777};
}

} // namespace

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

} // namespace kalmur::hostile
