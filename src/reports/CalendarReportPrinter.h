#pragma once

#include "CalendarReport.h"
#include "ScheduleReportPrinter.h"

#include <QDateTime>

class QPainter;
class QPagedPaintDevice;

namespace kalmur {

// The calendar pages (monthly calendar or personal schedule) on one device:
// one page per employee, drawn heading, weekday band, day boxes and lines.
class CalendarReportPrinter {
public:
    // `timeFormat` is the view format's, for the run time in the heading.
    CalendarReportPrinter(const CalendarReport::Data& data, PrintSetup setup, PrintFonts fonts,
                          QString timeFormat, QDateTime now);

    // Measures the frame and the boxes on `device`.
    void layout(const QPagedPaintDevice& device);
    const CalendarReport::Layout& pageLayout() const { return m_layout; }
    int pageCount() const { return std::max<int>(1, int(m_data.pages.size())); }

    // Lays out and prints every page onto `device`, which the run begins and
    // ends. The progress counts the day boxes of the run on every page; the
    // run stops after the box being drawn when `hooks.goOn` says so.
    RunOutcome print(QPagedPaintDevice& device, const RunHooks& hooks = {});

private:
    void paintHeading(QPainter& p, const CalendarReport::Page* page) const;
    void paintBand(QPainter& p) const;
    void paintBox(QPainter& p, const CalendarReport::Box& box, const QRect& rect) const;
    void paintLines(QPainter& p) const;

    const CalendarReport::Data& m_data;
    PrintSetup m_setup;
    PrintFonts m_fonts;
    QString m_timeFormat;
    QDateTime m_now;
    CalendarReport::Layout m_layout;
    int m_textHeight = 1;
    int m_inset = 1; // 23 twips, in pixels
    int m_thin = 1;
};

} // namespace kalmur
