#pragma once

#include "PageFrame.h"
#include "PrintSetup.h"
#include "model/records/DayRecord.h"
#include "model/records/ViewFormat.h"

#include <QDate>
#include <QDateTime>
#include <QString>

#include <optional>
#include <vector>

class QPaintDevice;

namespace kalmur {

class Schedule;

// One printed row: an employee's, a divider's or a coverage line's.
struct ReportRow {
    enum class Kind { Employee = 1, Divider = 2, Coverage = 3 };
    Kind kind = Kind::Employee;
    int index = 0; // the display row 1..200, or the coverage line 1..20
    bool operator==(const ReportRow&) const = default;
};

// What the schedule report prints, read from the schedule once before the
// first page: the rows, the days (blank for dates outside the schedule) and the
// coverage totals. The schedule itself is left as it was: a run for other days
// than the grid's never touches its dates or its day window.
struct ScheduleReportData {
    std::vector<ReportRow> rows;
    std::vector<QDate> dates;
    std::vector<DayRecord> days; // one per date
    // Per coverage line of the rows, its title and its total of each date.
    std::vector<QString> coverageTitles;
    std::vector<std::vector<int>> totals;
    bool blank = false; // "Blank Schedule": no cell items

    // `displayRows` are the chosen rows (a row with a blank name is skipped;
    // a name beginning with "/" prints as a divider); the coverage lines the
    // view format shows follow them. Nothing when a day could not be read.
    static std::optional<ScheduleReportData>
    collect(const Schedule& schedule, const ViewFormat& format, QDate start, int dayCount,
            const std::vector<int>& displayRows, bool blank);
};

// The sizes of the report on one device, in its pixels.
struct ReportMetrics {
    int textHeight = 0;    // a line of the body font
    int headingHeight = 0; // a line at 10 points
    int titleHeight = 0;   // a line at 16 points and half a heading line
    int shortRow = 0;      // a divider or coverage row
    int rulerHeight = 0;
    int employeeRow = 0;
    int nameWidth = 0;
    int positionWidth = 0;
    int dayWidth = 0;
    int reportLines = 0; // text lines of an employee cell

    // The metrics for `days` day columns across `frameWidth` pixels; the name
    // column takes what the day columns leave, so the rows fill the frame.
    static ReportMetrics measure(const PrintFonts& fonts, const QPaintDevice* device,
                                 const PageGeometry& page, const ViewFormat& format, int frameWidth,
                                 int days);
    int rowHeight(ReportRow::Kind kind) const {
        return kind == ReportRow::Kind::Employee ? employeeRow : shortRow;
    }
    // Where the first row of a page starts below the frame's top.
    int bodyTop() const { return titleHeight + headingHeight + rulerHeight; }
};

// The rows of one page: indexes first..last into the report's rows.
struct ReportPage {
    int number = 1;
    int first = 0;
    int last = -1;
    bool operator==(const ReportPage&) const = default;
};

// Deals the rows out to pages: each page takes rows while they fit above the
// frame's bottom. A row taller than a whole page still gets a page of its
// own, so that every run ends. No rows give one page with the heading and
// ruler only.
std::vector<ReportPage> fillPages(const std::vector<ReportRow>& rows, const ReportMetrics& metrics,
                                  const PageFrame& frame);

// The texts of a page heading.
struct HeadingTexts {
    QString title;
    QString runDate; // "Run Date: " and today in the short date format
    QString runTime; // "Run Time: " and the time in the view format's time format
    QString page;    // "Page: " and the number
    QString days;    // the first day in the long format, " to " and the last
    static HeadingTexts make(const QString& title, const QDateTime& now, const QString& timeFormat,
                             int page, QDate first, QDate last);
};

} // namespace kalmur
