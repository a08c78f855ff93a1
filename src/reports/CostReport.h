#pragma once

#include "PrintSetup.h"
#include "ScheduleReportPrinter.h"

#include <QDate>
#include <QDateTime>
#include <QFont>
#include <QStringList>

#include <array>
#include <optional>
#include <vector>

class QPagedPaintDevice;
class QPainter;

namespace kalmur {

class Schedule;

// The estimated cost report: the cost table of a run of days, printed as a
// centred table under a page heading.
namespace CostReport {

inline constexpr int kColumns = 9;

// The table of the employee-table entries `entries` over `days` days from
// `start`, under the schedule's overtime rules; nothing when a day could not
// be read.
std::optional<std::vector<QStringList>>
table(const Schedule& schedule, const std::vector<int>& entries, QDate start, int days);

// Whether the schedule holds every day of a run of `days` days from `start`.
bool rangeAvailable(QDate start, int days, QDate scheduleStart, QDate scheduleEnd);
inline const QString kRangeRefusal = QStringLiteral("Data not available for date entered");

// Writes the table as the run's scratch file "KALMUR2.RPT" in the working
// directory; false when it could not be written.
bool writeScratch(const QString& workingDirectory, const std::vector<QStringList>& table);

// The subtitle of a run: its first and last day in the long date format.
QString subtitle(QDate start, int days);

// Where the table goes on a page, in device pixels from the corner of the
// printable area.
struct Layout {
    QFont body;                          // the setup's font, shrunk until the table fits
    std::array<int, kColumns> columns{}; // left edge of each column
    int usableWidth = 0;
    int usableHeight = 0;
    // Where the usable area begins, in device pixels from the corner of the
    // printable area: the setup's margins, where they reach past it.
    int left = 0;
    int top = 0;
    int lineHeight = 0;    // of the body font
    int headingHeight = 0; // the page heading's lines
    int rowsPerPage = 1;
    int tableWidth = 0;
};

} // namespace CostReport

// The cost table on one device.
class CostReportPrinter {
public:
    CostReportPrinter(std::vector<QStringList> table, PrintSetup setup, PrintFonts fonts,
                      QString subtitle, QDateTime now);

    // Measures the table on `device` and deals the rows out to pages.
    void layout(const QPagedPaintDevice& device);
    const CostReport::Layout& tableLayout() const { return m_layout; }
    int pageCount() const;

    // Lays out and prints every page onto `device`, which the run begins and
    // ends. Stops after the page being drawn when `hooks.goOn` says so.
    RunOutcome print(QPagedPaintDevice& device, const RunHooks& hooks = {});

private:
    void paintPage(QPainter& p, int page) const;
    int twipsDown(int twips) const;

    std::vector<QStringList> m_table;
    PrintSetup m_setup;
    PrintFonts m_fonts;
    QString m_subtitle;
    QDateTime m_now;
    CostReport::Layout m_layout;
    double m_twipsPerPixelX = 1;
    double m_twipsPerPixelY = 1;
};

} // namespace kalmur
