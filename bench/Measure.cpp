#include "Measure.h"

#include <QFile>
#include <QLocale>

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <csignal>
#include <fcntl.h>
#include <mutex>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace kalmur::bench {

double median(std::vector<double> values) {
    if (values.empty()) {
        return 0;
    }
    const std::size_t middle = values.size() / 2;
    std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(middle),
                     values.end());
    const double upper = values[middle];
    if (values.size() % 2 == 1) {
        return upper;
    }
    const double lower =
        *std::max_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(middle));
    return (lower + upper) / 2;
}

ChildRun runChild(const QStringList& argv, const QString& stdinPath, const QString& stdoutPath,
                  double timeoutSeconds, const QString& stderrPath) {
    ChildRun run;
    if (argv.isEmpty()) {
        return run;
    }
    std::vector<QByteArray> storage;
    storage.reserve(static_cast<std::size_t>(argv.size()));
    for (const QString& arg : argv) {
        storage.push_back(QFile::encodeName(arg));
    }
    std::vector<char*> args;
    for (QByteArray& arg : storage) {
        args.push_back(arg.data());
    }
    args.push_back(nullptr);

    const QByteArray in = QFile::encodeName(stdinPath);
    const QByteArray out = QFile::encodeName(stdoutPath);
    const QByteArray err = QFile::encodeName(stderrPath);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, in.constData(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, out.constData(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (!err.isEmpty()) {
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, err.constData(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0644);
    }

    // posix_spawn does not copy the page tables of this (large) process, so
    // the start costs the same for every program measured.
    const Stopwatch clock;
    pid_t pid = 0;
    // The child leads a process group of its own, so that whatever it starts
    // (an office suite's launcher starts the office itself) ends with it.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes, 0);
    const int rc = posix_spawnp(&pid, args[0], &actions, &attributes, args.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) {
        return run;
    }
    run.started = true;

    // A watchdog kills a child that overstays; this thread only waits, so the
    // time taken is not disturbed by polling.
    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;
    bool killed = false;
    std::thread watchdog;
    if (timeoutSeconds > 0) {
        watchdog = std::thread([&] {
            std::unique_lock lock(mutex);
            if (!finished.wait_for(lock, std::chrono::duration<double>(timeoutSeconds),
                                   [&] { return done; })) {
                ::kill(-pid, SIGKILL);
                killed = true;
            }
        });
    }
    // Waits without reaping first, so that the watchdog can never signal a
    // process id that has already been handed on.
    siginfo_t info{};
    int waited = 0;
    do {
        waited = ::waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOWAIT);
    } while (waited < 0 && errno == EINTR);
    run.seconds = clock.seconds();
    // The child is still unreaped, so its group id is still its own: nothing
    // it left behind outlives the measurement.
    ::kill(-pid, SIGKILL);
    {
        const std::lock_guard lock(mutex);
        done = true;
    }
    finished.notify_all();
    if (watchdog.joinable()) {
        watchdog.join();
    }
    run.timedOut = killed;
    int status = 0;
    pid_t reaped = 0;
    do {
        reaped = ::waitpid(pid, &status, 0);
    } while (reaped < 0 && errno == EINTR);
    if (reaped == pid && !killed) {
        run.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    return run;
}

PairTimes alternate(int rounds, const std::function<double()>& ours,
                    const std::function<double()>& reference) {
    PairTimes pair;
    if (ours() < 0 || reference() < 0) {
        pair.failed = true;
        return pair;
    }
    for (int round = 0; round < rounds && !pair.failed; ++round) {
        double a = 0;
        double b = 0;
        if (round % 2 == 0) {
            a = ours();
            b = reference();
        } else {
            b = reference();
            a = ours();
        }
        pair.failed = a < 0 || b < 0;
        pair.ours.push_back(a);
        pair.reference.push_back(b);
    }
    return pair;
}

long peakMemoryKiB(const QStringList& argv, const QString& stdoutPath, const QString& scratchPath) {
    QFile::remove(scratchPath);
    const ChildRun run =
        runChild(QStringList{QStringLiteral("/usr/bin/time"), QStringLiteral("-f"),
                             QStringLiteral("%M"), QStringLiteral("-o"), scratchPath} +
                     argv,
                 QStringLiteral("/dev/null"), stdoutPath, 300);
    QFile report(scratchPath);
    if (!run.succeeded() || !report.open(QIODevice::ReadOnly)) {
        return -1;
    }
    bool ok = false;
    const long kib = QString::fromLatin1(report.readAll()).trimmed().toLong(&ok);
    return ok ? kib : -1;
}

QString formatSeconds(double seconds) {
    if (seconds >= 1.0) {
        return QString::number(seconds, 'f', 3) + QStringLiteral(" s");
    }
    if (seconds >= 1e-3) {
        return QString::number(seconds * 1e3, 'f', 2) + QStringLiteral(" ms");
    }
    return QString::number(seconds * 1e6, 'f', 2) + QStringLiteral(" us");
}

QString formatKiB(long kib) {
    return QString::number(static_cast<double>(kib) / 1024.0, 'f', 1) + QStringLiteral(" MiB");
}

QString formatBytes(std::int64_t bytes) {
    return QLocale(QLocale::English).toString(static_cast<qlonglong>(bytes)) + QStringLiteral(" B");
}

QString formatRatio(double ours, double reference) {
    if (reference <= 0) {
        return QStringLiteral("-");
    }
    return QString::number(ours / reference, 'f', 3) + QStringLiteral("x");
}

} // namespace kalmur::bench
