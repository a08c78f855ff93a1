// The hostile archives through every report and export of kalmur-tool, run as
// a user runs it: one child process per command, started in a fresh folder
// that holds only the archive, with the output given inside a sub-folder. Each
// run must end by itself with 0, 1 or 2 (a refusal with its message), show no
// sanitizer report, leave the archive byte for byte and write nothing but its
// output and its working directory, which it removes again.
#include "HostileCases.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <set>
#include <thread>

namespace kalmur {
namespace {

using namespace hostile;

// Only a hang comes near it.
constexpr int kGuardMs = 30000;

enum class Output { Stdout, Pdf, IcsFolder };

// A command as a user types it in the archive's folder; START, END and MONTH
// stand for the first 42 days of the schedule and the month they start in.
struct Command {
    const char* label;
    QStringList args;
    Output output = Output::Stdout;
};

const std::vector<Command>& commands() {
    static const std::vector<Command> list = {
        {"print schedule",
         {"print", "case.kmr", "--report", "schedule", "--pdf", "out/r.pdf"},
         Output::Pdf},
        {"print cost",
         {"print", "case.kmr", "--report", "cost", "--start", "START", "--days", "42", "--pdf",
          "out/r.pdf"},
         Output::Pdf},
        {"print query",
         {"print", "case.kmr", "--report", "query", "--notes", "--start", "START", "--end", "END",
          "--pdf", "out/r.pdf"},
         Output::Pdf},
        {"print calendar",
         {"print", "case.kmr", "--report", "calendar", "--month", "MONTH", "--pdf", "out/r.pdf"},
         Output::Pdf},
        {"print personal",
         {"print", "case.kmr", "--report", "personal", "--start", "START", "--days", "42", "--pdf",
          "out/r.pdf"},
         Output::Pdf},
        {"print legend",
         {"print", "case.kmr", "--report", "legend", "--pdf", "out/r.pdf"},
         Output::Pdf},
        {"cost", {"cost", "case.kmr", "--start", "START", "--days", "42"}},
        {"query", {"query", "case.kmr", "--notes", "--start", "START", "--end", "END"}},
        {"coverage", {"coverage", "case.kmr", "--start", "START", "--days", "42"}},
        {"export-csv grid", {"export-csv", "case.kmr", "--start", "START", "--days", "42"}},
        {"export-csv long",
         {"export-csv", "case.kmr", "--start", "START", "--days", "42", "--layout", "long"}},
        {"export-ics",
         {"export-ics", "case.kmr", "--start", "START", "--days", "42", "--out", "out/ics"},
         Output::IcsFolder},
    };
    return list;
}

// The hostile cases whose values reach the reports (each kind once: the
// cases left out repeat one of these for the reports), and two archives that
// are refused before any report starts.
std::vector<HostileCase> reportCases() {
    static const std::set<std::string> chosen = {
        "row order outside 1..200 and repeated",
        "shift codes above 102",
        "explanation numbers above 99",
        "note numbers beyond the note file",
        "on-call marks other than 0 and 1 and reserved bytes set",
        "names of 20 \"/\" characters and names like paths",
        "view-format number 6",
        "days on screen 0",
        "days on screen 43",
        "visible coverage totals 21",
        "item codes not in the list",
        "unknown time format and ruler style",
        "first visible day 32000",
        "end date before the start date and a short day file",
        "numbers that are not finite",
        "every member cut to an odd length",
        "a day file shorter than the range",
        "every member empty",
        "an empty file",
        "random bytes",
        "a FIFO under the archive's name",
    };
    std::vector<HostileCase> cases = memberCases();
    for (HostileCase& c : archiveCases()) {
        cases.push_back(std::move(c));
    }
    std::erase_if(cases, [](const HostileCase& c) { return !chosen.contains(c.label); });
    EXPECT_EQ(cases.size(), chosen.size()) << "a chosen case is no longer in the suite";
    return cases;
}

struct Finished {
    QString failure; // empty when the run ended by itself
    int status = -1;
    QString out;
    QString err;
};

Finished runTool(const QStringList& args, const QString& folder, const QProcessEnvironment& env) {
    QProcess p;
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(folder);
    p.start(QStringLiteral(KALMUR_BIN_DIR "/kalmur-tool"), args);
    Finished f;
    if (!p.waitForStarted(kGuardMs)) {
        f.failure = QStringLiteral("did not start");
        return f;
    }
    if (!p.waitForFinished(kGuardMs)) {
        p.kill();
        p.waitForFinished();
        f.failure = QStringLiteral("still running after %1 s, killed").arg(kGuardMs / 1000);
        return f;
    }
    f.out = QString::fromUtf8(p.readAllStandardOutput());
    f.err = QString::fromUtf8(p.readAllStandardError());
    if (p.exitStatus() == QProcess::CrashExit) {
        f.failure = QStringLiteral("ended by a signal");
    }
    f.status = p.exitCode();
    return f;
}

// What is wrong with a finished run; empty when nothing is.
QString judge(const Finished& f, Output output, const QString& outFolder) {
    if (!f.failure.isEmpty()) {
        return f.failure;
    }
    for (const char* report : {"runtime error", "AddressSanitizer", "LeakSanitizer"}) {
        if (f.err.contains(QLatin1String(report))) {
            return QStringLiteral("sanitizer report");
        }
    }
    if (f.status < 0 || f.status > 2) {
        return QStringLiteral("exit status %1").arg(f.status);
    }
    if (f.status != 0) {
        if (!f.err.startsWith(QLatin1String("kalmur-tool: ")) || f.err.trimmed().size() < 20) {
            return QStringLiteral("refused without a message");
        }
        if (!test::listTree(outFolder).isEmpty()) {
            return QStringLiteral("refused but left output behind");
        }
        return {};
    }
    switch (output) {
    case Output::Stdout:
        return f.out.isEmpty() ? QStringLiteral("succeeded without output") : QString();
    case Output::Pdf:
        return test::readFile(outFolder + "/r.pdf").startsWith("%PDF-")
                   ? QString()
                   : QStringLiteral("succeeded without a PDF");
    case Output::IcsFolder:
        break;
    }
    const QStringList files = test::listTree(outFolder + "/ics");
    if (files.isEmpty()) {
        return QStringLiteral("succeeded without a calendar file");
    }
    for (const QString& file : files) {
        if (!test::readFile(outFolder + "/ics/" + file).startsWith("BEGIN:VCALENDAR")) {
            return QStringLiteral("%1 is not a calendar").arg(file);
        }
    }
    return {};
}

// The bytes of a file, or what it is when it is no regular file (a FIFO or a
// device would never end a read).
QByteArray image(const QString& path) {
    const QFileInfo info(path);
    if (info.isSymLink()) {
        return "link to " + QFile::encodeName(info.symLinkTarget());
    }
    if (info.isDir()) {
        return "folder";
    }
    return info.isFile() ? test::readFile(path) : QByteArray("special");
}

// Everything below root with its image.
std::map<QString, QByteArray> snapshot(const QString& root) {
    std::map<QString, QByteArray> files;
    for (const QString& path : test::listTree(root)) {
        files[path] = image(root + '/' + path);
    }
    return files;
}

class HostileReportTest : public ::testing::Test {
protected:
    void fail(const std::string& pair, const QString& what) {
        const std::lock_guard<std::mutex> hold(m_lock);
        ADD_FAILURE() << pair << ": " << what.toStdString();
    }

    void runCase(const HostileCase& c) {
        QTemporaryDir root;
        const Layout l{root.path()};
        const QString out = l.folder() + "/out";
        const QString temp = l.root + "/work";
        const QString home = l.root + "/home";
        // The layout of the case, made afresh after a run that changed it.
        const auto prepare = [&] {
            for (const QString& entry : QDir(l.root).entryList(
                     QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
                const QFileInfo info(l.root + '/' + entry);
                info.isDir() && !info.isSymLink() ? void(QDir(info.filePath()).removeRecursively())
                                                  : void(QFile::remove(info.filePath()));
            }
            for (const QString& folder : {l.folder(), l.outside(), temp, home + "/runtime"}) {
                QDir().mkpath(folder);
            }
            QFile::setPermissions(home + "/runtime", QFileDevice::ReadOwner |
                                                         QFileDevice::WriteOwner |
                                                         QFileDevice::ExeOwner);
            test::writeFile(l.outside() + "/bait.txt", "bait");
            c.make(l);
        };
        prepare();
        auto before = snapshot(l.root);

        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("TMPDIR", temp);
        env.insert("HOME", home);
        env.insert("XDG_RUNTIME_DIR", home + "/runtime");
        // A sanitizer report must not pass for the tool's own statuses.
        env.insert("ASAN_OPTIONS", "detect_leaks=1:exitcode=86:abort_on_error=0");
        env.insert("UBSAN_OPTIONS", "exitcode=87:halt_on_error=1:print_stacktrace=1");

        QString statuses; // one digit per run, for the timing line
        // Runs one command and checks what it did; its standard output.
        const auto run = [&](const char* label, const QStringList& args, Output output) {
            const std::string pair = c.label + " / " + label;
            QDir().mkpath(out);
            const Finished f = runTool(args, l.folder(), env);
            if (const QString wrong = judge(f, output, out); !wrong.isEmpty()) {
                fail(pair,
                     wrong + " (status " + QString::number(f.status) + "): " + f.err.left(2000));
            }
            QDir(out).removeRecursively();
            // The output sub-folder is gone; everything else must be as it was,
            // the archive, the bait outside and the emptied working directory too.
            if (const auto now = snapshot(l.root); now != before) {
                QStringList changed;
                for (const auto& [path, bytes] : now) {
                    if (!before.contains(path) || before.at(path) != bytes) {
                        changed << path;
                    }
                }
                for (const auto& [path, bytes] : before) {
                    if (!now.contains(path)) {
                        changed << path + " (removed)";
                    }
                }
                fail(pair, "changed what it was not given: " + changed.join(", "));
                prepare();
                before = snapshot(l.root);
            }
            statuses += f.status >= 0 ? QString::number(f.status) : QStringLiteral("x");
            return f.out;
        };

        // The schedule's own dates, so that the runs reach its cells.
        QDate start(1997, 1, 1);
        const QRegularExpression dates(QStringLiteral("Dates: +(\\d{4}-\\d\\d-\\d\\d) to"));
        if (const auto m = dates.match(run("info", {"info", "case.kmr"}, Output::Stdout));
            m.hasMatch()) {
            start = QDate::fromString(m.captured(1), Qt::ISODate);
        }
        const QString startText = start.toString(Qt::ISODate);
        const QString endText = start.addDays(41).toString(Qt::ISODate);
        const QString monthText = start.toString(QStringLiteral("yyyy-MM"));
        QElapsedTimer timer;
        timer.start();
        for (const Command& command : commands()) {
            QStringList args = command.args;
            args.replaceInStrings(QRegularExpression("^START$"), startText);
            args.replaceInStrings(QRegularExpression("^END$"), endText);
            args.replaceInStrings(QRegularExpression("^MONTH$"), monthText);
            run(command.label, args, command.output);
        }
        if (std::getenv("KALMUR_HOSTILE_TIMES")) {
            std::printf("%6lld ms  %s  %s\n", static_cast<long long>(timer.elapsed()),
                        qPrintable(statuses), c.label.c_str());
        }
    }

    std::mutex m_lock;
};

TEST_F(HostileReportTest, EveryReportAndExportOfEveryCaseEndsCleanlyAndWritesOnlyItsOutput) {
    const std::vector<HostileCase> cases = reportCases();
    ASSERT_FALSE(cases.empty());
    const QStringList here = test::listTree(QDir::currentPath());
    // Two cases at a time, each in its own folder: the commands of one case
    // run in turn, as the archive is locked while a command has it open.
    std::atomic<std::size_t> next{0};
    const auto lane = [&] {
        for (std::size_t i = next++; i < cases.size(); i = next++) {
            runCase(cases[i]);
        }
    };
    std::thread second(lane);
    lane();
    second.join();
    EXPECT_EQ(test::listTree(QDir::currentPath()), here) << "written into the current folder";
    std::printf("%zu cases x %zu commands\n", cases.size(), commands().size());
}

} // namespace
} // namespace kalmur
