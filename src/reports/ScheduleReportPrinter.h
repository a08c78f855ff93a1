#pragma once

#include "ScheduleReport.h"
#include "view/GridMetrics.h"
#include "view/ViewLayout.h"

#include <QDateTime>

#include <functional>

class QPainter;
class QPagedPaintDevice;

namespace kalmur {

class Schedule;

// How a run ended.
enum class RunOutcome { Done, Aborted, PrinterError };

// What a run asks of its caller between the parts of a page.
struct RunHooks {
    // Lets window events through; false stops the run ("Abort").
    std::function<bool()> goOn;
    // The share of the pages drawn, 0..100.
    std::function<void(int)> progress;
    // Whether the device has failed (a printer's error state).
    std::function<bool()> failed;
};

// The schedule report on one device: lays the pages out for it and draws them
// part by part (heading, day ruler, names column, cells), with the same cell
// texts and cell painter as the grid.
class ScheduleReportPrinter {
public:
    ScheduleReportPrinter(const Schedule& schedule, const ViewFormat& format,
                          const ScheduleReportData& data, const PrintSetup& setup,
                          const PrintFonts& fonts, QDateTime now);

    // Measures the frame and metrics on `device` and deals out the rows.
    void layout(const QPagedPaintDevice& device);
    const PageFrame& frame() const { return m_frame; }
    const ReportMetrics& metrics() const { return m_metrics; }
    const std::vector<ReportPage>& pages() const { return m_pages; }
    HeadingTexts heading(int page) const;

    // Lays out and prints every page onto `device`, which the run begins and
    // ends. Stops after the part being drawn when `hooks.goOn` says so.
    RunOutcome print(QPagedPaintDevice& device, const RunHooks& hooks = {});

private:
    void paintHeading(QPainter& p, const ReportPage& page) const;
    void paintRuler(QPainter& p, const ReportPage& page) const;
    void paintNames(QPainter& p, const ReportPage& page) const;
    bool paintCells(QPainter& p, const ReportPage& page, const std::function<bool()>& goOn) const;
    void paintLines(QPainter& p, const ReportPage& page) const;

    int rowTop(const ReportPage& page, int index) const;
    int pageBottom(const ReportPage& page) const;
    int dayLeft(int day) const;
    QColor textColour(int colour) const;
    bool weekStartsAt(int day) const;

    const Schedule& m_schedule;
    const ViewFormat& m_format;
    const ScheduleReportData& m_data;
    PrintSetup m_setup;
    PrintFonts m_fonts;
    QDateTime m_now;
    ViewLayout m_layout;
    PageFrame m_frame;
    ReportMetrics m_metrics;
    GridMetrics m_cellMetrics;
    std::vector<ReportPage> m_pages;
    int m_thin = 1; // line widths in device pixels
    int m_thick = 3;
};

} // namespace kalmur
