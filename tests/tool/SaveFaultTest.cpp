// Saves through kalmur-tool that fail at every write, flush, rename, truncation
// and removal in turn (strace's fault injection), and that are killed at each of
// those steps. After each, the archive must be the old one byte for byte or the
// complete new one, a failure must be reported as one, and nothing may be left
// behind once the next save has run.
#include "tool/Tool.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <set>

namespace kalmur {
namespace {

QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(f.write(bytes), bytes.size());
}

// Every entry below folder (hidden ones too), relative to it, sorted.
QStringList listTree(const QString& folder) {
    QStringList paths;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        paths << QDir(folder).relativeFilePath(it.next());
    }
    paths.sort();
    return paths;
}

void emptyFolder(const QString& folder) {
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
}

struct Finished {
    bool killed = false; // ended by a signal
    int status = -1;
    QString err;
};

Finished runProcess(const QString& program, const QStringList& args,
                    const QProcessEnvironment& env) {
    QProcess p;
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::SeparateChannels);
    p.start(program, args);
    Finished f;
    if (!p.waitForStarted(10000)) {
        f.err = "cannot start " + program;
        return f;
    }
    if (!p.waitForFinished(60000)) {
        p.kill();
        p.waitForFinished();
        f.err = "timed out";
        return f;
    }
    f.err = QString::fromLocal8Bit(p.readAllStandardError());
    // strace ends itself with the signal that ended the traced program.
    f.killed = p.exitStatus() == QProcess::CrashExit || p.exitCode() == 128 + 9;
    f.status = p.exitCode();
    return f;
}

QJsonObject dumpOf(const QString& archive) {
    QString out;
    QString err;
    QTextStream o(&out);
    QTextStream e(&err);
    if (runTool({"dump", archive}, o, e) != 0) {
        return {};
    }
    o.flush();
    return QJsonDocument::fromJson(out.toUtf8()).object();
}

// One syscall invocation the command makes on a file of the test's folders.
struct FaultPoint {
    QString syscall;
    int invocation = 0; // counted per syscall, as strace counts for injection
    QString target;
};

// A kalmur-tool command that changes the schedule and saves it.
struct Scenario {
    const char* name;
    QStringList args;
};

struct Tally {
    int points = 0;
    std::map<QString, int> bySyscall;
    int runs = 0;
    std::map<QString, int> outcomes;
    std::vector<std::string> faults;
    qint64 slowestMs = 0;
};

// Syscalls failed at every invocation on the test's files; the ones in
// kKillAt also end the program at each invocation.
const QStringList kFailAt = {"write",     "pwrite64", "fsync",     "fdatasync",
                             "ftruncate", "rename",   "renameat2", "unlink",
                             "unlinkat",  "mkdir",    "rmdir"};
const QStringList kKillAt = {"write", "pwrite64", "fsync", "ftruncate", "rename", "renameat2"};
// Only on the archive's folder: opening, locking and closing the archive and
// its temporary file.
const QStringList kFailInArchiveFolder = {"openat", "flock", "close"};

QString errnoFor(const QString& syscall) {
    static const QStringList space = {"write",     "pwrite64", "fsync", "fdatasync",
                                      "ftruncate", "rename",   "mkdir"};
    return space.contains(syscall) ? "ENOSPC" : "EIO";
}

class SaveFaultTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_strace = QStandardPaths::findExecutable("strace");
        if (m_strace.isEmpty()) {
            GTEST_SKIP() << "strace is not installed: the save fault points were not tried";
        }
        m_tool = QStringLiteral(KALMUR_BIN_DIR "/kalmur-tool");
        ASSERT_TRUE(QFileInfo(m_tool).isExecutable()) << m_tool.toStdString();
        ASSERT_TRUE(m_root.isValid());
        for (const QString& folder : {folder(), input(), temp()}) {
            ASSERT_TRUE(QDir().mkpath(folder));
        }
        m_env = QProcessEnvironment::systemEnvironment();
        // LeakSanitizer cannot run under ptrace; a sanitizer report must not
        // pass for the tool's own exit status 1.
        m_env.insert("ASAN_OPTIONS", "detect_leaks=0:exitcode=86:abort_on_error=0");
        m_env.insert("UBSAN_OPTIONS", "exitcode=87:halt_on_error=1:print_stacktrace=1");
        m_env.insert("TMPDIR", temp());
        const Finished probe =
            runProcess(m_strace, {"-f", "-qq", "-o", "/dev/null", "--", m_tool, "--help"}, m_env);
        if (probe.killed || probe.status != 0) {
            GTEST_SKIP() << "strace cannot trace here (" << probe.err.trimmed().toStdString()
                         << "): the save fault points were not tried";
        }
        m_unzip = QStandardPaths::findExecutable("unzip");
    }

    QString folder() const { return m_root.path() + "/sched"; }
    QString input() const { return m_root.path() + "/input"; }
    QString temp() const { return m_root.path() + "/tmp"; }
    QString archive() const { return folder() + "/w.kmr"; }

    Finished runCommand(const QStringList& args) { return runProcess(m_tool, args, m_env); }

    Finished traced(const QStringList& straceArgs, const QStringList& args) {
        QStringList all = {"-f", "-qq"};
        all << straceArgs << "--" << m_tool << args;
        return runProcess(m_strace, all, m_env);
    }

    // The invocations of the syscalls of interest that touch the test's files.
    std::vector<FaultPoint> faultPoints(const QStringList& args) {
        const QString trace = m_root.path() + "/trace.txt";
        QStringList syscalls = kFailAt;
        syscalls << kFailInArchiveFolder;
        const Finished f = traced({"-y", "-o", trace, "-e", "trace=" + syscalls.join(',')}, args);
        EXPECT_EQ(f.status, 0) << f.err.toStdString();
        std::vector<FaultPoint> points;
        std::map<QString, int> seen;
        static const QRegularExpression line(R"(^(\d+)\s+(\w+)\((.*)$)");
        QString mainPid;
        for (const QString& text : QString::fromUtf8(readFile(trace)).split('\n')) {
            const auto m = line.match(text);
            if (!m.hasMatch()) {
                continue;
            }
            if (mainPid.isEmpty()) {
                mainPid = m.captured(1);
            }
            if (m.captured(1) != mainPid) {
                continue;
            }
            const QString syscall = m.captured(2);
            const int n = ++seen[syscall];
            const QString call = m.captured(3);
            const bool inFolders = call.contains(m_root.path());
            const bool inArchiveFolder = call.contains(folder());
            if ((kFailAt.contains(syscall) && inFolders) ||
                (kFailInArchiveFolder.contains(syscall) && inArchiveFolder)) {
                points.push_back({syscall, n, call.left(160)});
            }
        }
        QFile::remove(trace);
        return points;
    }

    enum class State { Old, New, Broken };

    State archiveState(QString& why) {
        const QByteArray now = readFile(archive());
        if (now == m_old) {
            return State::Old;
        }
        if (!m_unzip.isEmpty() && QProcess::execute(m_unzip, {"-tqq", archive()}) != 0) {
            why = "unzip -t fails";
            return State::Broken;
        }
        if (dumpOf(archive()) != m_expected) {
            why = "the archive is neither the old one nor the expected new one";
            return State::Broken;
        }
        return State::New;
    }

    void reset() {
        emptyFolder(folder());
        emptyFolder(temp());
        writeFile(archive(), m_old);
    }

    // Tries one injection and checks what it left.
    void tryPoint(const Scenario& s, const FaultPoint& p, bool kill, Tally& tally,
                  const QStringList& extraInjection = {}) {
        reset();
        const QString what = kill ? QStringLiteral("signal=SIGKILL")
                                  : QStringLiteral("error=") + errnoFor(p.syscall);
        const QString label = QString("%1: %2 #%3 %4 (%5)")
                                  .arg(s.name, p.syscall)
                                  .arg(p.invocation)
                                  .arg(kill ? "killed" : what, p.target);
        QStringList injections = {
            "-e", QString("inject=%1:%2:when=%3").arg(p.syscall, what).arg(p.invocation)};
        injections << extraInjection;
        QStringList straceArgs = {"-o", "/dev/null"};
        straceArgs << injections;
        QElapsedTimer timer;
        timer.start();
        Finished f = traced(straceArgs, s.args);
        // Qt's own warning when the private working directory cannot be removed.
        static const QRegularExpression cleanupWarning(R"(^QTemporaryDir: [^\n]*\n)",
                                                       QRegularExpression::MultilineOption);
        f.err.remove(cleanupWarning);
        tally.slowestMs = std::max(tally.slowestMs, timer.elapsed());
        ++tally.runs;
        const auto fault = [&](const QString& why) {
            tally.faults.push_back((label + ": " + why).toStdString());
        };

        QString why;
        const State state = archiveState(why);
        if (state == State::Broken) {
            fault(why + "; stderr: " + f.err.trimmed());
            return;
        }
        const bool onlyArchive = listTree(folder()) == QStringList{"w.kmr"};
        const QString stateText = state == State::Old ? "old archive" : "new archive";
        if (f.killed) {
            ++tally.outcomes["killed, " + stateText +
                             (onlyArchive ? QString() : QString(", temporary file left"))];
            // The next save clears up after the killed one.
            const Finished next = runCommand(s.args);
            if (next.status != 0 || next.killed) {
                fault("the save after the kill failed: " + next.err.trimmed());
            } else if (listTree(folder()) != QStringList{"w.kmr"}) {
                fault("the save after the kill left " + listTree(folder()).join(", "));
            } else if (archiveState(why) != State::New) {
                fault("the save after the kill did not write the new archive");
            }
            return;
        }
        if (f.status == 0) {
            if (!f.err.isEmpty()) {
                fault("success with a message: " + f.err.trimmed());
            } else if (state != State::New) {
                fault("success reported, but the archive is the old one");
            } else if (!onlyArchive) {
                fault("success left " + listTree(folder()).join(", "));
            }
            ++tally.outcomes["succeeded, new archive"];
            checkTemp(p, extraInjection, fault);
            return;
        }
        if (f.status != 1) {
            fault(QString("exit status %1: %2").arg(f.status).arg(f.err.trimmed()));
            return;
        }
        // A refusal: one line with the program's own message.
        const QString saveFailed = "kalmur-tool: Kalmur cannot save " + archive() + "\n";
        const QString openFailed = "kalmur-tool: Could not open " + archive();
        static const QRegularExpression applyFailed(
            R"(^kalmur-tool: [\w\[\].]+: cannot write .+\n$)");
        QString kind;
        if (f.err == saveFailed) {
            kind = "cannot save";
        } else if ((f.err.startsWith(openFailed) ||
                    f.err == "kalmur-tool: " + archive() + " is not a valid schedule file\n") &&
                   f.err.count('\n') == 1) {
            kind = "could not open";
        } else if (f.err == "kalmur-tool: cannot create a working directory in " + temp() + "\n") {
            kind = "no working directory";
        } else if (applyFailed.match(f.err).hasMatch()) {
            kind = "cannot write a member";
        } else {
            fault("not the program's message: " + f.err.trimmed());
            return;
        }
        // Failures on the archive's own folder happen while saving.
        const bool savePoint =
            p.target.contains(folder()) &&
            QStringList{"write", "fsync", "ftruncate", "rename"}.contains(p.syscall);
        if (savePoint && kind != "cannot save") {
            fault("a failed save reported as " + f.err.trimmed());
        }
        ++tally.outcomes["reported \"" + kind + "\", " + stateText];
        if (!onlyArchive) {
            if (extraInjection.isEmpty()) {
                fault("a reported failure left " + listTree(folder()).join(", "));
                return;
            }
            // The temporary file could not be removed either: the next save must.
            const Finished next = runCommand(s.args);
            if (next.status != 0 || listTree(folder()) != QStringList{"w.kmr"}) {
                fault("the next save did not clear " + listTree(folder()).join(", "));
            }
            return;
        }
        checkTemp(p, extraInjection, fault);
    }

    // The tool's private working directory is gone unless removing it was
    // what failed.
    template <typename Fault>
    void checkTemp(const FaultPoint& p, const QStringList& extraInjection, Fault fault) {
        const bool removalFailed = QStringList{"unlink", "unlinkat", "rmdir"}.contains(p.syscall) ||
                                   !extraInjection.isEmpty();
        if (!removalFailed && !listTree(temp()).isEmpty()) {
            fault("the working directory was left: " + listTree(temp()).join(", "));
        }
    }

    void runScenario(const Scenario& s, const QByteArray& old, Tally& tally) {
        m_old = old;
        // The expected result: the same command without faults.
        reset();
        const Finished clean = runCommand(s.args);
        ASSERT_EQ(clean.status, 0) << clean.err.toStdString();
        m_expected = dumpOf(archive());
        ASSERT_FALSE(m_expected.isEmpty());
        ASSERT_NE(m_expected, dumpOf(m_root.path() + "/old.kmr"))
            << s.name << " does not change the schedule";

        reset();
        const std::vector<FaultPoint> points = faultPoints(s.args);
        ASSERT_GT(points.size(), 20u) << s.name;
        for (const FaultPoint& p : points) {
            ++tally.points;
            ++tally.bySyscall[p.syscall];
            tryPoint(s, p, false, tally);
            if (kKillAt.contains(p.syscall)) {
                tryPoint(s, p, true, tally);
            }
            // The archive could not be written and the temporary file not be
            // removed either.
            if (p.target.contains(folder()) && QStringList{"write", "fsync"}.contains(p.syscall)) {
                tryPoint(s, p, false, tally, {"-e", "inject=unlink:error=EIO"});
            }
        }
    }

    QTemporaryDir m_root;
    QString m_strace;
    QString m_tool;
    QString m_unzip;
    QProcessEnvironment m_env;
    QByteArray m_old;
    QJsonObject m_expected;
};

const char* kWard = R"({
  "rows": [{"row": 1, "name": "Adams, Ann", "position": "RN", "payRate": 31.25},
           {"row": 2, "name": "Baker, Bo"}],
  "shifts": [{"number": 1, "description": "Day", "abbreviation": "D", "start": "07:00",
              "end": "15:00"}],
  "notes": ["", "Swap with Baker"],
  "days": [{"day": 1, "cells": [{"slot": 1, "shift": 1, "note": 2}]},
           {"day": 90, "cells": [{"slot": 2, "shift": 100}]}]
})";

const char* kChange = R"({
  "password": "night",
  "rows": [{"row": 3, "name": "Cole, Cy"}],
  "notes": ["", "Swap with Baker", "Late start"],
  "days": [{"day": 2, "cells": [{"slot": 3, "shift": 1, "note": 3}]}],
  "firstShownDay": 10
})";

TEST_F(SaveFaultTest, EveryFaultPointLeavesTheOldArchiveOrTheCompleteNewOne) {
    // The archive every attempt starts from.
    writeFile(input() + "/ward.json", kWard);
    writeFile(input() + "/change.json", kChange);
    const QString old = m_root.path() + "/old.kmr";
    ASSERT_EQ(runCommand({"new", old, "--start", "1997-01-01", "--end", "1997-03-31"}).status, 0);
    const Finished ward = runCommand({"import", old, input() + "/ward.json"});
    ASSERT_EQ(ward.status, 0) << ward.err.toStdString();
    const QByteArray oldBytes = readFile(old);

    const Scenario scenarios[] = {
        {"import", {"import", archive(), input() + "/change.json"}},
        {"set-dates", {"set-dates", archive(), "--start", "1996-12-01", "--end", "1997-04-30"}},
    };
    Tally tally;
    QElapsedTimer timer;
    timer.start();
    for (const Scenario& s : scenarios) {
        runScenario(s, oldBytes, tally);
    }
    for (const std::string& fault : tally.faults) {
        ADD_FAILURE() << fault;
    }
    std::printf("%d fault points, %d runs in %lld ms (slowest run %lld ms):\n", tally.points,
                tally.runs, static_cast<long long>(timer.elapsed()),
                static_cast<long long>(tally.slowestMs));
    QStringList counts;
    for (const auto& [syscall, count] : tally.bySyscall) {
        counts << QString("%1 %2").arg(count).arg(syscall);
    }
    std::printf("  points: %s\n", counts.join(", ").toUtf8().constData());
    for (const auto& [outcome, count] : tally.outcomes) {
        std::printf("  %4d  %s\n", count, outcome.toUtf8().constData());
    }
}

} // namespace
} // namespace kalmur
