#include "BenchSuite.h"

#include "Measure.h"
#include "editor/CopyMultiple.h"
#include "files/ScheduleArchive.h"
#include "model/schedule/Members.h"
#include "model/schedule/Schedule.h"
#include "tool/CoverageCsv.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTextStream>

#include <algorithm>
#include <optional>

namespace kalmur::bench {

namespace {

QString percent(std::int64_t part, std::int64_t whole) {
    return whole <= 0
               ? QStringLiteral("-")
               : QString::number(100.0 * double(part) / double(whole), 'f', 2) + QLatin1Char('%');
}

QStringList memberPaths(const QString& dir) {
    QStringList paths;
    for (const MemberInfo& m : kMembers) {
        paths.append(memberPath(dir, m.fileName));
    }
    return paths;
}

// A schedule opened the way the program opens one: unpack, settings, open all.
struct OpenSchedule {
    explicit OpenSchedule(const QString& dir)
        : archive(dir)
        , schedule(dir) {}
    bool open(const QString& archivePath) {
        return archive.open(ScheduleLocation::fromPath(archivePath)).succeeded() &&
               schedule.loadSettings().ok && schedule.openAll();
    }
    ScheduleArchive archive;
    Schedule schedule;
};

// Small and fast; the in-process loops only need positions that vary.
struct Lcg {
    std::uint32_t state = 12345;
    int below(int bound) {
        state = state * 1664525u + 1013904223u;
        return bound <= 0 ? 0 : static_cast<int>((state >> 8) % static_cast<std::uint32_t>(bound));
    }
};

} // namespace

BenchSuite::BenchSuite(Options options)
    : m_options(std::move(options)) {
    m_options.rounds = std::max(m_options.rounds, 1);
    m_options.samples = std::max(m_options.samples, 1);
    m_options.perSample = std::max(m_options.perSample, 10);
}

QString BenchSuite::path(const QString& name) const {
    return m_options.workDirectory + QLatin1Char('/') + name;
}

bool BenchSuite::freshDirectory(const QString& dir) {
    QDir(dir).removeRecursively();
    return QDir().mkpath(dir);
}

QString BenchSuite::prepare() {
    for (const char* program : {"unzip", "zip", "cp", "/usr/bin/time"}) {
        if (QStandardPaths::findExecutable(QLatin1String(program)).isEmpty()) {
            return QStringLiteral("%1 is not installed").arg(QLatin1String(program));
        }
    }
    if (!QFileInfo(m_options.tool).isExecutable()) {
        return m_options.tool + QStringLiteral(" is not an executable");
    }
    if (!freshDirectory(m_options.workDirectory)) {
        return QStringLiteral("cannot create ") + m_options.workDirectory;
    }
    m_archive = path(QStringLiteral("schedule.KMR"));
    if (!QFile::copy(m_options.archive, m_archive)) {
        return QStringLiteral("cannot copy ") + m_options.archive;
    }
    return {};
}

QStringList BenchSuite::describeArchive() {
    const QString dir = path(QStringLiteral("describe"));
    freshDirectory(dir);
    OpenSchedule s(dir);
    if (!s.open(m_archive)) {
        return {QStringLiteral("cannot open ") + m_archive};
    }
    const Schedule& schedule = s.schedule;
    std::int64_t withShift = 0;
    std::int64_t onCall = 0;
    std::int64_t withExplanation = 0;
    std::int64_t withNote = 0;
    for (int d = 1; d <= schedule.dayCount(); ++d) {
        const auto day = schedule.readDay(d);
        if (!day) {
            continue;
        }
        for (std::size_t i = 0; i < DayRecord::kSlots; ++i) {
            withShift += day->shift[i] != 0;
            onCall += day->onCall[i] != 0;
            withExplanation += day->explanation[i] != 0;
            withNote += day->note[i] > 0;
        }
    }
    int named = 0;
    for (const QString& name : schedule.employees().names) {
        named += name.trimmed().isEmpty() ? 0 : 1;
    }
    int shifts = 0;
    for (int n = 1; n <= ShiftRecord::kUserShifts; ++n) {
        shifts += schedule.shift(n).isUndefined() ? 0 : 1;
    }
    int explanations = 0;
    for (int n = 1; n <= ExplanationTable::kCount; ++n) {
        explanations += schedule.explanations().isUndefined(n) ? 0 : 1;
    }
    std::int64_t unpacked = 0;
    for (const QString& member : memberPaths(dir)) {
        unpacked += QFileInfo(member).size();
    }
    const std::int64_t cells = std::int64_t(schedule.dayCount()) * DayRecord::kSlots;
    return {
        QStringLiteral("Dates %1 to %2 (%3 days), %4 named employees, %5 shifts and %6 "
                       "explanations defined.")
            .arg(schedule.startDate().toString(Qt::ISODate),
                 schedule.endDate().toString(Qt::ISODate))
            .arg(schedule.dayCount())
            .arg(named)
            .arg(shifts)
            .arg(explanations),
        QStringLiteral("Cells %1: %2 with a shift, %3 on call, %4 with an explanation, %5 with a "
                       "note (%6 note records).")
            .arg(cells)
            .arg(percent(withShift, cells), percent(onCall, cells), percent(withExplanation, cells))
            .arg(withNote)
            .arg(schedule.noteCount()),
        QStringLiteral("Archive %1; the eight members unpacked %2, of which the day file %3.")
            .arg(formatBytes(QFileInfo(m_archive).size()), formatBytes(unpacked),
                 formatBytes(QFileInfo(memberPath(dir, Member::Days)).size())),
        QStringLiteral("Opens in view format %1 \"%2\": %3 days on screen, %4 coverage lines.")
            .arg(schedule.viewFormatNumber())
            .arg(schedule.viewFormat().name.trimmed())
            .arg(schedule.viewFormat().daysOnScreen)
            .arg(schedule.viewFormat().coverageVisible),
    };
}

void BenchSuite::append(const std::vector<ResultRow>& rows, const QStringList& notes) {
    m_rows.insert(m_rows.end(), rows.begin(), rows.end());
    m_notes.append(notes);
}

void BenchSuite::addPair(const QString& operation, const PairTimes& pair, double goalRatio,
                         const QString& goal) {
    if (pair.failed) {
        m_rows.push_back({operation, QStringLiteral("failed"), QStringLiteral("failed"),
                          QStringLiteral("-"), goal, QStringLiteral("NO")});
        return;
    }
    const double ours = median(pair.ours);
    const double reference = median(pair.reference);
    const bool met = reference > 0 && ours / reference <= goalRatio;
    m_rows.push_back({operation, formatSeconds(ours), formatSeconds(reference),
                      formatRatio(ours, reference), goal,
                      met ? QStringLiteral("yes") : QStringLiteral("NO")});
    const auto [oursMin, oursMax] = std::minmax_element(pair.ours.begin(), pair.ours.end());
    const auto [refMin, refMax] = std::minmax_element(pair.reference.begin(), pair.reference.end());
    m_notes.append(QStringLiteral("%1: %2 pairs; ours %3 to %4, reference %5 to %6.")
                       .arg(operation)
                       .arg(pair.ours.size())
                       .arg(formatSeconds(*oursMin), formatSeconds(*oursMax),
                            formatSeconds(*refMin), formatSeconds(*refMax)));
}

void BenchSuite::measureOpen() {
    const QString working = path(QStringLiteral("open/working"));
    const QString unzipped = path(QStringLiteral("open/unzipped"));
    freshDirectory(working);
    const PairTimes pair = alternate(
        m_options.rounds,
        [&] {
            OpenSchedule s(working);
            const Stopwatch clock;
            const bool ok = s.open(m_archive);
            const double seconds = clock.seconds();
            return ok ? seconds : -1.0;
        },
        [&] {
            if (!freshDirectory(unzipped)) {
                return -1.0;
            }
            const ChildRun run = runChild({"unzip", "-q", m_archive, "-d", unzipped});
            return run.succeeded() ? run.seconds : -1.0;
        });
    addPair(QStringLiteral("Open (unpack, open all, load window) vs unzip -q"), pair, 1.0,
            QStringLiteral("<= 1.0x"));
}

void BenchSuite::measureSave() {
    const QString working = path(QStringLiteral("save/working"));
    const QString archive = path(QStringLiteral("save/schedule.KMR"));
    const QString zipped = path(QStringLiteral("save/reference.zip"));
    freshDirectory(working);
    QFile::copy(m_archive, archive);
    OpenSchedule s(working);
    if (!s.open(archive)) {
        m_rows.push_back({QStringLiteral("Save"), QStringLiteral("failed"), {}, {}, {}, {}});
        return;
    }
    std::uint8_t shift = 1;
    const QStringList members = memberPaths(working);
    const PairTimes pair = alternate(
        m_options.rounds,
        [&] {
            // One changed day, as after a small edit.
            shift = static_cast<std::uint8_t>(shift % 14 + 1);
            s.schedule.setShift(1, 1, shift);
            const Stopwatch clock;
            const bool ok = s.schedule.closeAll() && s.archive.save().succeeded();
            const double seconds = clock.seconds();
            return s.schedule.openAll() && ok ? seconds : -1.0;
        },
        [&] {
            QFile::remove(zipped);
            const ChildRun run = runChild(QStringList{"zip", "-q", "-j", zipped} + members);
            return run.succeeded() ? run.seconds : -1.0;
        });
    addPair(QStringLiteral("Save (close all, pack, durable replace) vs zip -q -j"), pair, 1.0,
            QStringLiteral("<= 1.0x"));

    const std::int64_t ours = QFileInfo(archive).size();
    const std::int64_t reference = QFileInfo(zipped).size();
    const bool met = reference > 0 && double(ours) <= 1.05 * double(reference);
    m_rows.push_back({QStringLiteral("Saved archive size vs zip -q -j"), formatBytes(ours),
                      formatBytes(reference), formatRatio(double(ours), double(reference)),
                      QStringLiteral("<= 1.05x"),
                      met ? QStringLiteral("yes") : QStringLiteral("NO")});
    const ChildRun tested = runChild({"unzip", "-tq", archive});
    m_notes.append(
        QStringLiteral("unzip -tq of the saved archive: %1.")
            .arg(tested.succeeded() ? QStringLiteral("passed") : QStringLiteral("FAILED")));
}

void BenchSuite::measureRebuild() {
    const QString working = path(QStringLiteral("rebuild/working"));
    const QString source = path(QStringLiteral("rebuild/source"));
    const QString copied = path(QStringLiteral("rebuild/copied"));
    freshDirectory(working);
    freshDirectory(source);
    if (!runChild({"unzip", "-q", m_archive, "-d", source}).succeeded()) {
        m_rows.push_back(
            {QStringLiteral("Date-range rebuild"), QStringLiteral("failed"), {}, {}, {}, {}});
        return;
    }
    const PairTimes pair = alternate(
        m_options.rounds,
        [&] {
            OpenSchedule s(working);
            if (!s.open(m_archive)) {
                return -1.0;
            }
            const QDate start = s.schedule.startDate().addYears(1);
            const QDate end = s.schedule.endDate().addYears(1);
            const Stopwatch clock;
            const bool ok = s.schedule.changeDateRange(start, end);
            const double seconds = clock.seconds();
            return ok ? seconds : -1.0;
        },
        [&] {
            if (!freshDirectory(copied)) {
                return -1.0;
            }
            const ChildRun run = runChild({"cp", memberPath(source, Member::Days),
                                           memberPath(source, Member::Notes), copied});
            return run.succeeded() ? run.seconds : -1.0;
        });
    addPair(QStringLiteral("Date-range rebuild, one year later vs cp of day and note files"), pair,
            2.0, QStringLiteral("<= 2x"));
}

void BenchSuite::measureInProcess() {
    const QString working = path(QStringLiteral("inprocess/working"));
    freshDirectory(working);
    OpenSchedule s(working);
    Schedule& schedule = s.schedule;
    auto failed = [&](const QString& what) {
        m_rows.push_back({what, QStringLiteral("failed"), {}, {}, {}, {}});
    };
    if (!s.open(m_archive)) {
        failed(QStringLiteral("In-process operations"));
        return;
    }
    schedule.viewFormat().daysOnScreen = 42;
    if (!schedule.applyViewFormat() || schedule.windowLength() != 42) {
        failed(QStringLiteral("In-process operations (42-day window)"));
        return;
    }
    const int days = schedule.dayCount();
    const int notes = schedule.noteCount();
    Lcg random;
    qsizetype noteCharacters = 0;

    // The median over samples of the mean time of one operation in a sample.
    auto perOperation = [&](int count, const std::function<bool()>& before,
                            const std::function<bool(int)>& operation) -> double {
        std::vector<double> samples;
        for (int sample = 0; sample < m_options.samples; ++sample) {
            if (before && !before()) {
                return -1;
            }
            const Stopwatch clock;
            for (int k = 0; k < count; ++k) {
                if (!operation(k)) {
                    return -1;
                }
            }
            samples.push_back(clock.seconds() / count);
        }
        return median(samples);
    };
    auto add = [&](const QString& what, double seconds, double goal = 0,
                   const QString& goalText = QStringLiteral("-")) {
        if (seconds < 0) {
            failed(what);
            return;
        }
        const QString met = goal <= 0
                                ? QStringLiteral("-")
                                : (seconds <= goal ? QStringLiteral("yes") : QStringLiteral("NO"));
        m_rows.push_back({what, formatSeconds(seconds), QStringLiteral("-"), QStringLiteral("-"),
                          goalText, met});
    };

    const int moves = std::min(m_options.perSample, days - 43);
    const int loads = std::max(10, m_options.perSample / 10);
    add(QStringLiteral("Load window (42 days)"),
        perOperation(loads, {}, [&](int) { return schedule.loadWindow(random.below(days)); }));
    add(QStringLiteral("Move one day later"),
        perOperation(
            moves, [&] { return schedule.loadWindow(0); },
            [&](int) { return schedule.moveLater() == DayWindow::Move::Moved; }),
        20e-6, QStringLiteral("<= 20 us"));
    add(QStringLiteral("Move one day later, leaving day changed"),
        perOperation(
            moves, [&] { return schedule.loadWindow(0); },
            [&](int k) {
                schedule.setShift(1 + k % DayRecord::kSlots, 1,
                                  static_cast<std::uint8_t>(1 + k % 14));
                return schedule.moveLater() == DayWindow::Move::Moved;
            }),
        20e-6, QStringLiteral("<= 20 us"));
    add(QStringLiteral("Flush one changed day"), perOperation(m_options.perSample, {}, [&](int k) {
            schedule.setShift(1 + k % DayRecord::kSlots, 1 + k % 42,
                              static_cast<std::uint8_t>(1 + k % 14));
            return schedule.flush();
        }));
    add(QStringLiteral("Read a note"), perOperation(m_options.perSample, {}, [&](int) {
            noteCharacters += schedule.readNote(1 + random.below(notes)).size();
            return true;
        }));
    if (noteCharacters == 0) {
        m_notes.append(QStringLiteral("The notes read were all blank."));
    }
}

void BenchSuite::measureMemory() {
    const QString dir = path(QStringLiteral("memory"));
    freshDirectory(dir);
    const QString copy = dir + QStringLiteral("/schedule.KMR");
    const QString empty = dir + QStringLiteral("/empty.json");
    const QString dump = dir + QStringLiteral("/dump.json");
    QFile::copy(m_archive, copy);
    QFile json(empty);
    if (json.open(QIODevice::WriteOnly)) {
        json.write("{}\n");
        json.close();
    }
    // The peak of a run hardly varies; the median of three keeps one odd run out.
    const QString scratch = dir + QStringLiteral("/peak.txt");
    auto peak = [&](const QStringList& argv, const QString& out) -> long {
        std::vector<double> peaks;
        for (int run = 0; run < 3; ++run) {
            const long kib = peakMemoryKiB(argv, out, scratch);
            if (kib < 0) {
                return -1;
            }
            peaks.push_back(double(kib));
        }
        return static_cast<long>(median(peaks));
    };
    auto add = [&](const QString& what, long kib) {
        m_rows.push_back({what, kib < 0 ? QStringLiteral("failed") : formatKiB(kib),
                          QStringLiteral("-"), QStringLiteral("-"), QStringLiteral("-"),
                          QStringLiteral("-")});
    };
    add(QStringLiteral("Peak memory: kalmur-tool --help (start-up only)"),
        peak({m_options.tool, "--help"}, QStringLiteral("/dev/null")));
    add(QStringLiteral("Peak memory: kalmur-tool dump"),
        peak({m_options.tool, "dump", copy}, dump));
    add(QStringLiteral("Peak memory: open + save (kalmur-tool import of {})"),
        peak({m_options.tool, "import", copy, empty}, QStringLiteral("/dev/null")));
    m_notes.append(QStringLiteral("kalmur-tool dump wrote %1 of JSON.")
                       .arg(formatBytes(QFileInfo(dump).size())));
}

void BenchSuite::measureCoverage() {
    const QString working = path(QStringLiteral("coverage/working"));
    const QString source = path(QStringLiteral("coverage/source"));
    const QString copied = path(QStringLiteral("coverage/copied"));
    const QString csv = path(QStringLiteral("coverage/totals.csv"));
    // The tool gets a copy of its own: the schedule opened here holds its archive.
    const QString archive = path(QStringLiteral("coverage/schedule.KMR"));
    freshDirectory(working);
    freshDirectory(source);
    QFile::copy(m_archive, archive);
    OpenSchedule s(working);
    if (!s.open(m_archive) || !runChild({"unzip", "-q", m_archive, "-d", source}).succeeded()) {
        m_rows.push_back(
            {QStringLiteral("kalmur-tool coverage"), QStringLiteral("failed"), {}, {}, {}, {}});
        return;
    }
    const Schedule& schedule = s.schedule;
    const int days = schedule.dayCount();
    const QString start = schedule.startDate().toString(Qt::ISODate);
    const QString lines = QString::number(schedule.viewFormat().coverageVisible);
    auto copyDayFile = [&] {
        if (!freshDirectory(copied)) {
            return -1.0;
        }
        const ChildRun run = runChild({"cp", memberPath(source, Member::Days), copied});
        return run.succeeded() ? run.seconds : -1.0;
    };
    const auto runCommand = [&] {
        const ChildRun run = runChild({m_options.tool, "coverage", archive, "--start", start,
                                       "--days", QString::number(days)},
                                      QStringLiteral("/dev/null"), csv);
        return run.succeeded() ? run.seconds : -1.0;
    };
    const PairTimes command = alternate(m_options.rounds, runCommand, copyDayFile);
    addPair(QStringLiteral("kalmur-tool coverage, %1 days x %2 lines (start, unpack, count, CSV) "
                           "vs cp of the day file")
                .arg(days)
                .arg(lines),
            command, 1.5, QStringLiteral("<= 1.5x"));
    // The floor of any command that reads the archive: inflating the day file
    // alone, as unzip does it into a file.
    const QString dayMember = QFileInfo(memberPath(source, Member::Days)).fileName();
    const PairTimes againstUnzip = alternate(m_options.rounds, runCommand, [&] {
        const ChildRun run =
            runChild({"unzip", "-p", archive, dayMember}, QStringLiteral("/dev/null"),
                     path(QStringLiteral("coverage/inflated")));
        return run.succeeded() ? run.seconds : -1.0;
    });
    addPair(QStringLiteral("kalmur-tool coverage, %1 days x %2 lines vs unzip -p of the day file "
                           "(inflating it alone)")
                .arg(days)
                .arg(lines),
            againstUnzip, 2.0, QStringLiteral("<= 2x"));
    // The same counting and CSV inside an open schedule: what the command adds
    // to starting a program and unpacking the archive.
    const PairTimes counting = alternate(
        m_options.rounds,
        [&] {
            QString text;
            QTextStream out(&text);
            const Stopwatch clock;
            const bool ok = CoverageCsv::write(schedule, schedule.viewFormat(), 1, days, out) &&
                            !text.isEmpty();
            const double seconds = clock.seconds();
            return ok ? seconds : -1.0;
        },
        copyDayFile);
    addPair(QStringLiteral("Coverage count and CSV in process, %1 days x %2 lines vs cp of the "
                           "day file")
                .arg(days)
                .arg(lines),
            counting, 1.5, QStringLiteral("<= 1.5x"));
    QFile written(csv);
    if (written.open(QIODevice::ReadOnly)) {
        m_notes.append(QStringLiteral("kalmur-tool coverage wrote %1 lines, %2.")
                           .arg(written.readAll().count('\n'))
                           .arg(formatBytes(QFileInfo(csv).size())));
    }
}

void BenchSuite::measureCopyMultiple() {
    const QString working = path(QStringLiteral("mcopy/working"));
    const QString source = path(QStringLiteral("mcopy/source"));
    const QString copied = path(QStringLiteral("mcopy/copied"));
    freshDirectory(working);
    freshDirectory(source);
    OpenSchedule s(working);
    if (!s.open(m_archive) || !runChild({"unzip", "-q", m_archive, "-d", source}).succeeded()) {
        m_rows.push_back(
            {QStringLiteral("Copy multiple"), QStringLiteral("failed"), {}, {}, {}, {}});
        return;
    }
    Schedule& schedule = s.schedule;
    // Every kind of content, overwriting: each target cell and note is written.
    CopyMultipleJob job;
    job.start = schedule.startDate();
    job.days = 14;
    for (int row = 1; row <= EmployeeTable::kRows; ++row) {
        job.rows.append(row);
    }
    job.destinations = CopyMultiple::destinations(job.start, job.days, schedule.endDate());
    job.options = PasteOptions::firstUse();
    job.options.overwrite = true;
    const int named = static_cast<int>(CopyMultiple::names(schedule.employees()).size());
    int written = 0;
    const PairTimes pair = alternate(
        m_options.rounds,
        [&] {
            const Stopwatch clock;
            const CopyMultipleResult result = CopyMultiple::run(schedule, job);
            const double seconds = clock.seconds();
            written = result.daysWritten;
            return result.ok ? seconds : -1.0;
        },
        [&] {
            if (!freshDirectory(copied)) {
                return -1.0;
            }
            const ChildRun run = runChild({"cp", memberPath(source, Member::Days), copied});
            return run.succeeded() ? run.seconds : -1.0;
        });
    addPair(QStringLiteral("Copy multiple, 14 days x %1 employees onto %2 destinations (flush, "
                           "copy, reload window) vs cp of the day file")
                .arg(named)
                .arg(job.destinations.size()),
            pair, 1.5, QStringLiteral("<= 1.5x"));
    m_notes.append(QStringLiteral("Copy multiple rewrote %1 day records and left %2 notes.")
                       .arg(written)
                       .arg(schedule.noteCount()));
}

QString BenchSuite::table() const {
    QString text = QStringLiteral("| Operation | Ours | Reference | Ratio | Goal | Met |\n"
                                  "|---|---:|---:|---:|---|---|\n");
    for (const ResultRow& row : m_rows) {
        text += QStringLiteral("| %1 | %2 | %3 | %4 | %5 | %6 |\n")
                    .arg(row.operation, row.ours, row.reference, row.ratio, row.goal, row.met);
    }
    return text;
}

} // namespace kalmur::bench
