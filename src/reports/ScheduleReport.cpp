#include "ScheduleReport.h"

#include "model/criteria/Criteria.h"
#include "model/criteria/MatchCounts.h"
#include "model/patterns/DateText.h"
#include "model/patterns/TimePattern.h"
#include "model/schedule/DayRange.h"
#include "model/schedule/Schedule.h"
#include "view/ViewLayout.h"

#include <QFontMetrics>

#include <algorithm>

namespace kalmur {

namespace {

int height(const QFont& font, const QPaintDevice* device) {
    return std::max(1, QFontMetrics(font, device).height());
}

} // namespace

std::optional<ScheduleReportData>
ScheduleReportData::collect(const Schedule& schedule, const ViewFormat& format, QDate start,
                            int dayCount, const std::vector<int>& displayRows, bool blank) {
    ScheduleReportData data;
    data.blank = blank;
    const int count = std::clamp(dayCount, 1, int(ViewFormat::kMaxDaysOnScreen));
    const EmployeeTable& employees = schedule.employees();
    for (int row : displayRows) {
        if (row < 1 || row > EmployeeTable::kRows || employees.hasBlankName(row)) {
            continue;
        }
        data.rows.push_back(
            {employees.isDivider(row) ? ReportRow::Kind::Divider : ReportRow::Kind::Employee, row});
    }
    for (int i = 0; i < count; ++i) {
        data.dates.push_back(start.addDays(i));
    }
    // The days inside the schedule come from it (the grid's days from memory);
    // the others print blank.
    data.days.assign(data.dates.size(), DayRecord{});
    const int first = schedule.dayOfDate(start);
    const DayRange range(schedule, first, first + count - 1);
    const bool read = range.forEach([&](int dayNumber, const DayRecord& day) {
        data.days[static_cast<std::size_t>(dayNumber - first)] = day;
    });
    if (!read) {
        return std::nullopt;
    }
    const int lines = std::clamp<int>(format.coverageVisible, 0, ViewFormat::kCoverageLines);
    const std::vector<Criteria> criteria = Criteria::coverage(format, lines);
    const MatchCounts::RowOrder order(schedule.settings().rowOrder);
    for (std::size_t c = 0; c < criteria.size(); ++c) {
        data.rows.push_back({ReportRow::Kind::Coverage, int(c) + 1});
        data.coverageTitles.push_back(format.coverageLines[c].title.trimmed());
        std::vector<int> totals(data.days.size());
        const auto picked = MatchCounts::pickedRows(criteria[c], employees, order);
        for (std::size_t d = 0; d < data.days.size(); ++d) {
            for (const MatchCounts::PickedRow& p : picked) {
                totals[d] += criteria[c].cellMatches(data.days[d].cell(p.slot)) ? 1 : 0;
            }
        }
        data.totals.push_back(std::move(totals));
    }
    return data;
}

ReportMetrics ReportMetrics::measure(const PrintFonts& fonts, const QPaintDevice* device,
                                     const PageGeometry& page, const ViewFormat& format,
                                     int frameWidth, int days) {
    ReportMetrics m;
    auto down = [&](int twips) {
        return std::max(1, pixelsIn(twips, page.twipsPerPixelY));
    };
    m.headingHeight = height(fonts.heading, device);
    m.titleHeight = height(fonts.title, device) + m.headingHeight / 2;
    m.textHeight = height(fonts.body, device);
    m.shortRow = m.textHeight + down(46);
    m.rulerHeight = 2 * m.textHeight + down(46);
    const ViewLayout layout(format, ViewTarget::Report);
    m.reportLines = layout.lines().empty() ? 0 : layout.textLines();
    m.employeeRow = m.reportLines == 0 ? m.shortRow : down(23) + m.reportLines * m.textHeight;

    const QFontMetrics fm(fonts.body, device);
    const bool fixedPitch =
        fm.horizontalAdvance(QLatin1Char('I')) == fm.horizontalAdvance(QLatin1Char('W'));
    const int em = fm.horizontalAdvance(QLatin1Char('M'));
    int name = (fixedPitch ? 22 : 12) * em;
    m.positionWidth = format.hidePosition ? 0 : (fixedPitch ? 11 : 8) * em;
    const int columns = std::max(1, days);
    const int width = std::max(0, frameWidth);
    m.dayWidth = (width - name - m.positionWidth) / columns;
    if (m.dayWidth < 1) {
        // A font too large for the page: the day columns keep a share of the
        // width and the name columns shrink, so the rows still fit the frame.
        m.dayWidth = std::max(1, width / (2 * columns));
        const int names = std::max(0, width - m.dayWidth * columns);
        m.positionWidth = m.positionWidth > 0 ? names / 3 : 0;
    }
    name = width - m.positionWidth - m.dayWidth * columns;
    m.nameWidth = std::max(0, name);
    return m;
}

std::vector<ReportPage> fillPages(const std::vector<ReportRow>& rows, const ReportMetrics& metrics,
                                  const PageFrame& frame) {
    std::vector<ReportPage> pages;
    const int start = frame.top + metrics.bodyTop();
    std::size_t next = 0;
    do {
        ReportPage page{int(pages.size()) + 1, int(next), int(next) - 1};
        int y = start;
        while (next < rows.size()) {
            const int h = metrics.rowHeight(rows[next].kind);
            if (y + h > frame.bottom && page.last >= page.first) {
                break;
            }
            y += h;
            page.last = int(next++);
        }
        pages.push_back(page);
    } while (next < rows.size());
    return pages;
}

HeadingTexts HeadingTexts::make(const QString& title, const QDateTime& now,
                                const QString& timeFormat, int page, QDate first, QDate last) {
    HeadingTexts h;
    h.title = title.trimmed();
    h.runDate = QStringLiteral("Run Date: ") + formatShortDate(now.date());
    const QString pattern = timeFormat.trimmed().isEmpty() ? QStringLiteral("hh:nn") : timeFormat;
    h.runTime = QStringLiteral("Run Time: ") + formatTime(now.time(), pattern.trimmed());
    h.page = QStringLiteral("Page: ") + QString::number(page);
    h.days = formatLongDate(first);
    if (last.isValid() && last != first) {
        h.days += QStringLiteral(" to ") + formatLongDate(last);
    }
    return h;
}

} // namespace kalmur
