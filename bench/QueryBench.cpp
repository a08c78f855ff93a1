// The query rows of the benchmark: saved queries over the whole schedule,
// through kalmur-tool and in process, against cp of the day file.
#include "BenchSuite.h"

#include "Measure.h"
#include "files/ScheduleArchive.h"
#include "model/criteria/QueryRun.h"
#include "model/schedule/Members.h"
#include "model/schedule/Schedule.h"

#include <QFile>

namespace kalmur::bench {

namespace {

// Query 1 counts the day and evening shifts of everyone; query 2 finds every
// note holding "swap", so it reads the notes of the cells that carry one.
constexpr const char* kQueries = R"({"queries": [
  {"number": 1, "title": "Days and evenings", "ignoreNames": true, "ignoreExplanations": true,
   "ignoreShifts": false, "shifts": [1, 2]},
  {"number": 2, "title": "Swaps", "ignoreNames": true, "ignoreExplanations": true,
   "ignoreShifts": true, "noteText": "swap"}]})";

} // namespace

void BenchSuite::measureQuery() {
    const QString archive = path(QStringLiteral("query/schedule.KMR"));
    const QString working = path(QStringLiteral("query/working"));
    const QString source = path(QStringLiteral("query/source"));
    const QString copied = path(QStringLiteral("query/copied"));
    const QString json = path(QStringLiteral("query/queries.json"));
    const QString csv = path(QStringLiteral("query/found.csv"));
    // The schedule opened here holds its archive: the tool runs on a copy.
    const QString held = path(QStringLiteral("query/held.KMR"));
    freshDirectory(working);
    freshDirectory(source);
    QFile::copy(m_archive, archive);
    QFile queries(json);
    const bool written = queries.open(QIODevice::WriteOnly) && queries.write(kQueries) > 0;
    queries.close();
    ScheduleArchive opened(working);
    Schedule schedule(working);
    if (!written || !runChild({m_options.tool, "import", archive, json}).succeeded() ||
        !runChild({"unzip", "-q", archive, "-d", source}).succeeded() ||
        !QFile::copy(archive, held) || !opened.open(ScheduleLocation::fromPath(held)).succeeded() ||
        !schedule.loadSettings().ok || !schedule.openAll()) {
        m_rows.push_back(
            {QStringLiteral("kalmur-tool query"), QStringLiteral("failed"), {}, {}, {}, {}});
        return;
    }
    const int days = schedule.dayCount();
    const QString start = schedule.startDate().toString(Qt::ISODate);
    const QString end = schedule.endDate().toString(Qt::ISODate);
    const auto copyDayFile = [&] {
        if (!freshDirectory(copied)) {
            return -1.0;
        }
        const ChildRun run = runChild({"cp", memberPath(source, Member::Days), copied});
        return run.succeeded() ? run.seconds : -1.0;
    };
    for (const int number : {1, 2}) {
        const QString title = number == 1 ? QStringLiteral("shifts 1 and 2 of everyone")
                                          : QStringLiteral("notes holding \"swap\"");
        const PairTimes command = alternate(
            m_options.rounds,
            [&] {
                const ChildRun run =
                    runChild({m_options.tool, "query", archive, "--query", QString::number(number),
                              "--start", start, "--end", end},
                             QStringLiteral("/dev/null"), csv);
                return run.succeeded() ? run.seconds : -1.0;
            },
            copyDayFile);
        addPair(QStringLiteral("kalmur-tool query, saved query %1 (%2) over %3 days (start, "
                               "unpack, run, CSV) vs cp of the day file")
                    .arg(number)
                    .arg(title)
                    .arg(days),
                command, 1.5, QStringLiteral("<= 1.5x"));
        const PairTimes inProcess = alternate(
            m_options.rounds,
            [&] {
                const Stopwatch clock;
                const auto result = QueryRun::run(schedule, number, 1, days);
                const double seconds = clock.seconds();
                return result && !result->found.empty() ? seconds : -1.0;
            },
            copyDayFile);
        addPair(QStringLiteral("Query run in process, saved query %1 over %2 days vs cp of the "
                               "day file")
                    .arg(number)
                    .arg(days),
                inProcess, 1.5, QStringLiteral("<= 1.5x"));
        QFile found(csv);
        if (found.open(QIODevice::ReadOnly)) {
            m_notes.append(QStringLiteral("kalmur-tool query %1 found %2 employees.")
                               .arg(number)
                               .arg(found.readAll().count('\n') - 1));
        }
    }
}

} // namespace kalmur::bench
