#include "files/ScheduleArchive.h"
#include "files/ReplacingFile.h"

#include "ArchiveTestSupport.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <functional>
#include <sys/file.h>
#include <unistd.h>

namespace kalmur {
namespace {

using test::ZipEntry;

class ScheduleArchiveTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(QDir().mkpath(m_wd));
        ASSERT_TRUE(QDir().mkpath(dir()));
    }
    QString dir() const { return m_root.path() + "/sched/"; }
    ScheduleLocation at(const QString& file) const {
        return ScheduleLocation::fromPath(dir() + file);
    }
    QByteArray zipImage(const std::vector<ZipEntry>& entries) const {
        const QString path = m_root.path() + "/image.zip";
        test::writeZip(path, entries);
        const QByteArray bytes = test::readFile(path);
        QFile::remove(path);
        return bytes;
    }
    // Everything below the root except the working members themselves.
    QStringList outsideMembers() const {
        QStringList paths = test::listTree(m_root.path());
        paths.removeIf([](const QString& p) {
            for (const MemberInfo& member : kMembers) {
                if (p == "TEMP.001/" + QString::fromLatin1(member.fileName)) {
                    return true;
                }
            }
            return false;
        });
        return paths;
    }

    QTemporaryDir m_root;
    QString m_wd = m_root.path() + "/TEMP.001";
};

std::map<std::string, QByteArray> expectedMembers(int seed, const std::vector<Member>& absent) {
    std::map<std::string, QByteArray> members;
    for (const MemberInfo& member : kMembers) {
        if (std::find(absent.begin(), absent.end(), member.member) == absent.end()) {
            members[std::string(member.fileName)] = test::memberBytes(member, seed);
        }
    }
    return members;
}

struct OpenCase {
    const char* label;
    std::function<QByteArray()> archive;
    ArchiveOutcome expected;
    std::vector<Member> absent; // members the archive does not supply
};

TEST_F(ScheduleArchiveTest, OpensOnlyWhatIsSafeAndKeepsThePreviousMembersOnFailure) {
    const QByteArray junk("not a member");
    const auto withSch = [&](std::function<void(QByteArray&)> edit) {
        return [this, edit] {
            QByteArray image = zipImage(test::memberEntries(2));
            edit(image);
            return image;
        };
    };
    const auto entries = [this](std::vector<ZipEntry> list, std::vector<Member> skip = {}) {
        return [this, list, skip] {
            auto all = test::memberEntries(2, skip);
            all.insert(all.end(), list.begin(), list.end());
            return zipImage(all);
        };
    };
    const std::string absolute = (m_root.path() + "/KALMUR2.SEM").toStdString();
    const auto schBytes = static_cast<std::uint32_t>(test::memberBytes(kMembers[0], 2).size());
    const OpenCase cases[] = {
        {"lower-case entry names",
         [this] {
             auto all = test::memberEntries(2);
             for (ZipEntry& e : all) {
                 e.name = QString::fromStdString(e.name).toLower().toStdString();
             }
             return zipImage(all);
         },
         ArchiveOutcome::Extracted,
         {}},
        {"entries outside the folder are ignored",
         entries({{"../../KALMUR2.SCH", junk},
                  {"../KALMUR2.SSH", junk},
                  {absolute, junk},
                  {"sub/KALMUR2.SNO", junk},
                  {"C:KALMUR2.SEP", junk},
                  {"..\\KALMUR2.SPR", junk},
                  {"KALMUR2.SXX", junk}}),
         ArchiveOutcome::Extracted,
         {}},
        {"seven members suffice",
         entries({{"sub/KALMUR2.SQ1", junk}}, {Member::Queries}),
         ArchiveOutcome::Extracted,
         {Member::Queries}},
        {"a link is not written",
         entries({{"KALMUR2.SQ1", "/etc/passwd", 0120777}}, {Member::Queries}),
         ArchiveOutcome::Extracted,
         {Member::Queries}},
        {"six members are too few",
         entries({{"KALMUR2.SNO", "/etc/passwd", 0120777}, {"x/KALMUR2.SQ1", junk}},
                 {Member::Queries, Member::Notes}),
         ArchiveOutcome::NotValid,
         {}},
        {"encrypted member",
         [this] {
             auto all = test::memberEntries(2);
             all[0].encrypted = true;
             return zipImage(all);
         },
         ArchiveOutcome::NotValid,
         {}},
        {"names equal but for case",
         entries({{"kalmur2.sch", junk}}),
         ArchiveOutcome::NotValid,
         {}},
        {"the same name twice",
         [this] {
             auto all = test::memberEntries(2);
             all.push_back({"KALMUR2.SCX", test::memberBytes(kMembers[0], 5)});
             QByteArray image = zipImage(all);
             test::patchName(image, "KALMUR2.SCX", "KALMUR2.SCH");
             return image;
         },
         ArchiveOutcome::NotValid,
         {}},
        {"member longer than its records allow",
         [this] {
             auto all = test::memberEntries(2);
             all[2].data = QByteArray(8021, 'e'); // one employee table is 8020 bytes
             return zipImage(all);
         },
         ArchiveOutcome::NotValid,
         {}},
        {"member declared gigabytes",
         withSch([](QByteArray& z) { test::patchDeclaredSize(z, "KALMUR2.SCH", 3000000000u); }),
         ArchiveOutcome::NotValid,
         {}},
        {"more data than declared",
         withSch([&](QByteArray& z) { test::patchDeclaredSize(z, "KALMUR2.SCH", schBytes - 1); }),
         ArchiveOutcome::NotExtracted,
         {}},
        {"less data than declared",
         withSch([&](QByteArray& z) { test::patchDeclaredSize(z, "KALMUR2.SCH", schBytes + 99); }),
         ArchiveOutcome::NotExtracted,
         {}},
        {"checksum mismatch",
         withSch([](QByteArray& z) { test::patchCrc(z, "KALMUR2.SCH", 1); }),
         ArchiveOutcome::NotExtracted,
         {}},
        {"cut short",
         withSch([](QByteArray& z) { z.truncate(z.size() / 2); }),
         ArchiveOutcome::NotValid,
         {}},
        {"not a zip",
         [] { return QByteArray("plain text, long enough"); },
         ArchiveOutcome::NotValid,
         {}},
        {"empty zip",
         [] { return QByteArray("PK\x05\x06", 4) + QByteArray(18, '\0'); },
         ArchiveOutcome::NotValid,
         {}},
    };
    for (const OpenCase& c : cases) {
        SCOPED_TRACE(c.label);
        test::writeMembers(m_wd, 1);
        const QString path = dir() + "case.kmr";
        test::writeFile(path, c.archive());
        const QStringList before = outsideMembers();

        ScheduleArchive archive(m_wd);
        const ArchiveResult result = archive.open(at("case.kmr"));
        EXPECT_EQ(result.outcome, c.expected);
        EXPECT_EQ(outsideMembers(), before); // nothing written anywhere else
        if (result.succeeded()) {
            EXPECT_EQ(test::readMembers(m_wd), expectedMembers(2, c.absent));
            EXPECT_TRUE(archive.isHeld());
            continue;
        }
        EXPECT_EQ(test::readMembers(m_wd), expectedMembers(1, {}));
        EXPECT_FALSE(archive.hasLocation());
        EXPECT_EQ(result.title, "Error");
        if (c.expected == ArchiveOutcome::NotValid) {
            EXPECT_EQ(result.message, path + " is not a valid schedule file");
        } else {
            EXPECT_EQ(result.message, "Could not open " + path + " to " + m_wd);
        }
    }
}

TEST_F(ScheduleArchiveTest, NewAndShortFilesOpenAsNewSchedules) {
    test::writeFile(dir() + "nine.KMR", "123456789");
    test::writeFile(dir() + "ten.kmr", "1234567890");
    const std::pair<const char*, ArchiveOutcome> cases[] = {
        {"fresh.kmr", ArchiveOutcome::OpenedAsNew},
        {"nine.KMR", ArchiveOutcome::OpenedAsNew},
        {"ten.kmr", ArchiveOutcome::NotValid},
    };
    for (const auto& [name, expected] : cases) {
        SCOPED_TRACE(name);
        test::writeMembers(m_wd, 1);
        ScheduleArchive archive(m_wd);
        const ArchiveResult result = archive.open(at(name));
        EXPECT_EQ(result.outcome, expected);
        EXPECT_EQ(test::readMembers(m_wd).empty(), result.succeeded());
        EXPECT_EQ(archive.isHeld(), result.succeeded());
    }
    EXPECT_EQ(QFileInfo(dir() + "fresh.kmr").size(), 0); // created by opening it
}

TEST_F(ScheduleArchiveTest, SavesAndReopensByteForByte) {
    ScheduleArchive archive(m_wd);
    ASSERT_EQ(archive.open(at("ward.kmr")).outcome, ArchiveOutcome::OpenedAsNew);
    test::writeMembers(m_wd, 3);
    ASSERT_EQ(archive.save().outcome, ArchiveOutcome::Saved);
    EXPECT_EQ(test::listTree(dir()), QStringList{"ward.kmr"}); // no temporary file left

    test::writeMembers(m_wd, 4);
    // Reopening the archive this copy holds must not trip over its own lock.
    ASSERT_EQ(archive.open(at("ward.kmr")).outcome, ArchiveOutcome::Extracted);
    EXPECT_EQ(test::readMembers(m_wd), expectedMembers(3, {}));
    EXPECT_EQ(test::listTree(m_wd).size(), 8);

    // A temporary file left by a save that was killed is replaced, not kept.
    const QString leftOver = ReplacingFile::temporaryPathFor(dir() + "ward.kmr");
    test::writeFile(leftOver, "half a zip");
    ASSERT_EQ(archive.saveAs(at("copy.KMR")).outcome, ArchiveOutcome::Saved);
    EXPECT_EQ(archive.currentLocation(), at("copy.KMR"));
    ASSERT_EQ(archive.save().outcome, ArchiveOutcome::Saved);
    ASSERT_EQ(archive.saveAs(at("ward.kmr")).outcome, ArchiveOutcome::Saved);
    EXPECT_EQ(test::listTree(dir()), (QStringList{"copy.KMR", "ward.kmr"}));
}

TEST_F(ScheduleArchiveTest, InteroperatesWithZipTools) {
    const QString zip = QStandardPaths::findExecutable("zip");
    const QString unzip = QStandardPaths::findExecutable("unzip");
    if (zip.isEmpty() || unzip.isEmpty()) {
        GTEST_SKIP() << "zip and unzip are not installed";
    }
    const QString source = m_root.path() + "/source";
    QDir().mkpath(source);
    test::writeMembers(source, 6);
    QStringList args{"-q", "-j", dir() + "tool.kmr"};
    for (const MemberInfo& member : kMembers) {
        args << source + '/' + QString::fromLatin1(member.fileName);
    }
    ASSERT_EQ(QProcess::execute(zip, args), 0);

    ScheduleArchive archive(m_wd);
    ASSERT_EQ(archive.open(at("tool.kmr")).outcome, ArchiveOutcome::Extracted);
    EXPECT_EQ(test::readMembers(m_wd), expectedMembers(6, {}));
    ASSERT_EQ(archive.save().outcome, ArchiveOutcome::Saved);
    EXPECT_EQ(QProcess::execute(unzip, {"-tq", dir() + "tool.kmr"}), 0);
}

TEST_F(ScheduleArchiveTest, AnArchiveIsOpenInOneCopyOnly) {
    const QString otherWd = m_root.path() + "/TEMP.002";
    QDir().mkpath(otherWd);
    ScheduleArchive first(m_wd);
    ScheduleArchive second(otherWd);
    ASSERT_EQ(first.open(at("ward.kmr")).outcome, ArchiveOutcome::OpenedAsNew);
    test::writeMembers(m_wd, 1);
    ASSERT_EQ(first.save().outcome, ArchiveOutcome::Saved);
    const QByteArray saved = test::readFile(dir() + "ward.kmr");

    EXPECT_EQ(second.open(at("ward.kmr")).outcome, ArchiveOutcome::InUse);
    test::writeMembers(otherWd, 2);
    EXPECT_EQ(second.saveAs(at("ward.kmr")).outcome, ArchiveOutcome::InUse);
    EXPECT_EQ(test::readFile(dir() + "ward.kmr"), saved);
    // The lock moves with the archive when saving replaces the file.
    ASSERT_EQ(first.save().outcome, ArchiveOutcome::Saved);
    EXPECT_EQ(second.open(at("ward.kmr")).outcome, ArchiveOutcome::InUse);

    first.release();
    EXPECT_EQ(second.open(at("ward.kmr")).outcome, ArchiveOutcome::Extracted);
    EXPECT_EQ(first.holdCurrent().outcome, ArchiveOutcome::InUse);
}

TEST_F(ScheduleArchiveTest, FloppyArchivesAreNotHeld) {
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(m_root.path()));
    test::writeMembers(m_wd, 1);
    ScheduleArchive archive(m_wd);
    const std::pair<const char*, bool> cases[] = {
        {"A:\\", false}, {"A:", true}, {"B:\\x\\", false}};
    for (const auto& [directory, held] : cases) {
        SCOPED_TRACE(directory);
        ASSERT_TRUE(archive.open(ScheduleLocation(directory, "ward")).succeeded());
        EXPECT_EQ(archive.isHeld(), held);
        test::writeMembers(m_wd, 1);
        ASSERT_EQ(archive.save().outcome, ArchiveOutcome::Saved);
        EXPECT_EQ(archive.isHeld(), held);
    }
    QDir::setCurrent(previous);
}

TEST_F(ScheduleArchiveTest, FailedSavesLeaveEverythingAsItWas) {
    ScheduleArchive archive(m_wd);
    ASSERT_EQ(archive.open(at("ward.kmr")).outcome, ArchiveOutcome::OpenedAsNew);
    test::writeMembers(m_wd, 1);
    ASSERT_EQ(archive.save().outcome, ArchiveOutcome::Saved);
    const QByteArray saved = test::readFile(dir() + "ward.kmr");
    test::writeFile(dir() + "plain.txt", "a file, not a folder");
    const QStringList before = test::listTree(m_root.path());

    for (const char* target : {"missing/x.kmr", "plain.txt/x.kmr", ""}) {
        SCOPED_TRACE(target);
        EXPECT_EQ(archive.saveAs(at(target)).outcome, ArchiveOutcome::NotSaved);
        EXPECT_EQ(archive.currentLocation(), at("ward.kmr"));
        EXPECT_TRUE(archive.isHeld());
        EXPECT_EQ(test::listTree(m_root.path()), before);
    }

    // The temporary name is taken by a folder: nothing can be written.
    QDir().mkpath(ReplacingFile::temporaryPathFor(dir() + "ward.kmr"));
    EXPECT_EQ(archive.save().outcome, ArchiveOutcome::NotSaved);
    QDir().rmdir(ReplacingFile::temporaryPathFor(dir() + "ward.kmr"));
    // Members that would make an archive that could not be opened again.
    test::writeFile(m_wd + "/KALMUR2.SEM", QByteArray(8021, 'e'));
    EXPECT_EQ(archive.save().outcome, ArchiveOutcome::NotSaved);
    QFile::remove(m_wd + "/KALMUR2.SCH");
    QFile::remove(m_wd + "/KALMUR2.SNO");
    EXPECT_EQ(archive.save().outcome, ArchiveOutcome::NotSaved);
    EXPECT_EQ(test::readFile(dir() + "ward.kmr"), saved);
    EXPECT_EQ(test::listTree(dir()), (QStringList{"plain.txt", "ward.kmr"}));
}

} // namespace
} // namespace kalmur
