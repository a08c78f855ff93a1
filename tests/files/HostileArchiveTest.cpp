// Hostile archives and member sets, each opened the way the program opens a
// schedule (archive, settings, working set, day window, JSON dump, save and
// reopen) and through kalmur-tool in process. Every case must get its outcome
// quickly, with the program's own message, without writing anything outside
// the working directory.
#include "HostileCases.h"
#include "files/ScheduleArchive.h"
#include "model/schedule/Schedule.h"
#include "support/ToolRunner.h"
#include "tool/ScheduleJson.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <sys/stat.h>

namespace kalmur {
namespace {

using namespace hostile;

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

// How long a case took: opening and dumping it through kalmur-tool (the whole
// path the program takes), and the rest of the case (opening it again in the
// test, walking the window, saving and reopening).
// The hang guard counts processor time, so that a machine busy with other
// work does not fail it; the report gives the time on the clock as well.
struct Timing {
    std::string label;
    qint64 toolMs = 0;
    qint64 restMs = 0;
    qint64 toolCpuMs = 0;
    qint64 restCpuMs = 0;
};

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
        const std::clock_t cpuStart = std::clock();
        const auto cpuMs = [cpuStart] {
            return static_cast<qint64>((std::clock() - cpuStart) * 1000 / CLOCKS_PER_SEC);
        };
        const QString path = l.archive();
        const ToolRun dumped = tool({"dump", path});
        const qint64 toolMs = timer.elapsed();
        const qint64 toolCpuMs = cpuMs();

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
            timings.push_back(
                {c.label, toolMs, timer.elapsed() - toolMs, toolCpuMs, cpuMs() - toolCpuMs});
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
        timings.push_back(
            {c.label, toolMs, timer.elapsed() - toolMs, toolCpuMs, cpuMs() - toolCpuMs});
    }
};

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
        EXPECT_LT(t.toolCpuMs, kHangGuardMs) << t.label;
        EXPECT_LT(t.restCpuMs, 3 * kHangGuardMs) << t.label;
        if (t.toolMs > slowest->toolMs) {
            slowest = &t;
        }
    }
    std::printf("%zu hostile cases; slowest through kalmur-tool: %s (%lld ms, %lld ms of "
                "processor time)\n",
                timings.size(), slowest->label.c_str(), static_cast<long long>(slowest->toolMs),
                static_cast<long long>(slowest->toolCpuMs));
    if (std::getenv("KALMUR_HOSTILE_TIMES")) {
        for (const Timing& t : timings) {
            std::printf("%6lld ms  %6lld ms  %s\n", static_cast<long long>(t.toolMs),
                        static_cast<long long>(t.restMs), t.label.c_str());
        }
    }
}

} // namespace
} // namespace kalmur
