// The estimated cost report of 200 employees over 42 days of the schedule:
// the table computed and printed into a PDF file, in process.
#include "BenchSuite.h"

#include "model/schedule/Schedule.h"
#include "reports/CostReport.h"
#include "reports/PdfDevice.h"
#include "tool/ToolSession.h"

#include <QFile>

namespace kalmur::bench {

namespace {

constexpr int kDays = 42;
constexpr double kGoalSeconds = 0.1;

// One run: the table and its pages; the seconds it took, or -1 on failure.
double costRun(const Schedule& s, const std::vector<int>& entries, QDate start,
               const QString& pdf) {
    const Stopwatch clock;
    const auto table = CostReport::table(s, entries, start, kDays);
    if (!table) {
        return -1;
    }
    const PrintSetup setup = PrintSetup::prepare(s.settings().costSetup);
    PdfDevice device(pdf, true);
    const AppliedSetup applied = applySetup(setup, device, [](const QString&) { return true; });
    if (!applied.ok()) {
        return -1;
    }
    CostReportPrinter printer(*table, setup, *applied.fonts, CostReport::subtitle(start, kDays),
                              QDateTime::currentDateTime());
    if (printer.print(device.writer()) != RunOutcome::Done) {
        return -1;
    }
    return clock.seconds();
}

} // namespace

void BenchSuite::measureCost() {
    const QString operation =
        QStringLiteral("Estimated cost report, 200 employees x %1 days, computed and printed to "
                       "PDF in process")
            .arg(kDays);
    const QString archive = path(QStringLiteral("cost/schedule.KMR"));
    const QString pdf = path(QStringLiteral("cost/cost.pdf"));
    freshDirectory(path(QStringLiteral("cost")));
    QFile::copy(m_archive, archive);
    ToolSession session;
    if (!session.open(archive).isEmpty()) {
        m_rows.push_back({operation, QStringLiteral("failed"), {}, {}, {}, {}});
        return;
    }
    const Schedule& s = session.schedule();
    std::vector<int> entries;
    for (int r = 1; r <= EmployeeTable::kRows; ++r) {
        if (s.employees().isNamed(r)) {
            entries.push_back(r);
        }
    }
    QDate start = s.dateOfDay(s.window().dayNumber(1));
    if (!CostReport::rangeAvailable(start, kDays, s.startDate(), s.endDate())) {
        start = s.startDate();
    }
    std::vector<double> times;
    costRun(s, entries, start, pdf); // the fonts are found once
    for (int round = 0; round < m_options.rounds; ++round) {
        const double seconds = costRun(s, entries, start, pdf);
        if (seconds < 0) {
            m_rows.push_back({operation, QStringLiteral("failed"), {}, {}, {}, {}});
            return;
        }
        times.push_back(seconds);
    }
    const double ours = median(times);
    m_rows.push_back({operation, formatSeconds(ours), QStringLiteral("-"), QStringLiteral("-"),
                      QStringLiteral("<= 100 ms"),
                      ours <= kGoalSeconds ? QStringLiteral("yes") : QStringLiteral("NO")});
    m_notes.append(QStringLiteral("The cost report priced %1 named rows.").arg(entries.size()));
}

} // namespace kalmur::bench
