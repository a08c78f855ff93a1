#pragma once

#include <QString>
#include <QStringList>

#include <chrono>
#include <cstdint>
#include <functional>
#include <vector>

namespace kalmur::bench {

// The middle value (the mean of the two middle values for an even count);
// 0 for no values.
double median(std::vector<double> values);

class Stopwatch {
public:
    Stopwatch()
        : m_start(std::chrono::steady_clock::now()) {}
    double seconds() const {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - m_start).count();
    }

private:
    std::chrono::steady_clock::time_point m_start;
};

// One run of another program, timed from just before it is started until it
// has been reaped.
struct ChildRun {
    bool started = false;
    bool timedOut = false; // killed after the time allowed
    int exitStatus = -1;   // the exit code, or -1 when it did not exit normally
    double seconds = 0;
    bool succeeded() const { return started && exitStatus == 0; }
};

// Runs argv[0] (looked up on PATH) with standard input and output taken from
// the given files ("/dev/null" for none); standard error goes to
// `stderrPath`, or stays this process's when that is empty. A child still
// running after `timeoutSeconds` (when positive) is killed.
ChildRun runChild(const QStringList& argv, const QString& stdinPath = QStringLiteral("/dev/null"),
                  const QString& stdoutPath = QStringLiteral("/dev/null"),
                  double timeoutSeconds = 0, const QString& stderrPath = {});

// Times of two operations run alternately (see alternate()).
struct PairTimes {
    std::vector<double> ours;
    std::vector<double> reference;
    bool failed = false;
};
// Runs both once untimed, then `rounds` timed pairs, alternating which of the
// two goes first, so that other load on the machine falls on both alike. A
// step returns its seconds, or a negative value when it failed.
PairTimes alternate(int rounds, const std::function<double()>& ours,
                    const std::function<double()>& reference);

// The peak resident memory of one run of argv, in KiB, or -1 when it failed.
// Measured by /usr/bin/time: a program started straight from this process
// would be charged this process's own peak (the kernel records the peak of
// the address space that exec replaces).
long peakMemoryKiB(const QStringList& argv, const QString& stdoutPath, const QString& scratchPath);

// Durations for a table: "12.34 ms", "5.67 us", "1.234 s".
QString formatSeconds(double seconds);
QString formatKiB(long kib);
// "1,234,567 B"
QString formatBytes(std::int64_t bytes);
// "0.873x"; "-" when the reference is zero.
QString formatRatio(double ours, double reference);

} // namespace kalmur::bench
