#include "ScheduleReportPrinter.h"

#include "model/schedule/Schedule.h"
#include "view/CellText.h"
#include "view/GridPainter.h"
#include "view/Palette.h"

#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>

namespace kalmur {

namespace {

constexpr int kRedLine = 4; // palette colour of the week's first day in colour
constexpr int kWhite = 15;
// Rows of cells drawn between two looks at the window's events.
constexpr int kRowsBetweenEvents = 20;

const QColor kDividerBand(190, 190, 190);

QRect span(int left, int top, int right, int bottom) {
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

} // namespace

ScheduleReportPrinter::ScheduleReportPrinter(const Schedule& schedule, const ViewFormat& format,
                                             const ScheduleReportData& data,
                                             const PrintSetup& setup, const PrintFonts& fonts,
                                             QDateTime now)
    : m_schedule(schedule)
    , m_format(format)
    , m_data(data)
    , m_setup(setup)
    , m_fonts(fonts)
    , m_now(std::move(now))
    , m_layout(format, ViewTarget::Report) {
}

void ScheduleReportPrinter::layout(const QPagedPaintDevice& device) {
    const PageGeometry page = PageGeometry::of(device);
    m_frame = pageFrame(page, m_setup.margins);
    const int days = std::max<int>(1, int(m_data.dates.size()));
    m_metrics = ReportMetrics::measure(m_fonts, &device, page, m_format, m_frame.width(), days);
    m_cellMetrics =
        GridMetrics::compute(m_fonts.body, &device, m_layout, m_metrics.dayWidth * days, days);
    m_cellMetrics.lineHeight = m_metrics.textHeight;
    m_cellMetrics.cellWidth = m_metrics.dayWidth;
    m_cellMetrics.cellHeight = m_metrics.employeeRow;
    m_cellMetrics.padding = std::max(1, pixelsIn(23, page.twipsPerPixelX));
    // A line of one pixel of a 150 dpi printer: thin enough between the cells,
    // still visible on a sheet read from a step away.
    m_thin = std::max(1, device.logicalDpiX() / 150);
    m_thick = 3 * m_thin;
    m_pages = fillPages(m_data.rows, m_metrics, m_frame);
}

HeadingTexts ScheduleReportPrinter::heading(int page) const {
    const QDate first = m_data.dates.empty() ? QDate() : m_data.dates.front();
    const QDate last = m_data.dates.empty() ? QDate() : m_data.dates.back();
    return HeadingTexts::make(m_setup.title, m_now, m_format.timeFormat, page, first, last);
}

int ScheduleReportPrinter::rowTop(const ReportPage& page, int index) const {
    int y = m_frame.top + m_metrics.bodyTop();
    for (int i = page.first; i < index; ++i) {
        y += m_metrics.rowHeight(m_data.rows[static_cast<std::size_t>(i)].kind);
    }
    return y;
}

int ScheduleReportPrinter::pageBottom(const ReportPage& page) const {
    return std::min(m_frame.bottom, rowTop(page, page.last + 1));
}

int ScheduleReportPrinter::dayLeft(int day) const {
    return m_frame.left + m_metrics.nameWidth + m_metrics.positionWidth + day * m_metrics.dayWidth;
}

QColor ScheduleReportPrinter::textColour(int colour) const {
    // White text would vanish on paper.
    if (!m_setup.inColor || colour < 0 || colour == kWhite) {
        return Qt::black;
    }
    return paletteColour(colour);
}

bool ScheduleReportPrinter::weekStartsAt(int day) const {
    const QDate date = m_data.dates[static_cast<std::size_t>(day)];
    return date.dayOfWeek() % 7 + 1 == m_schedule.settings().weekStart;
}

void ScheduleReportPrinter::paintHeading(QPainter& p, const ReportPage& page) const {
    const HeadingTexts h = heading(page.number);
    const int bottom = m_frame.top + m_metrics.titleHeight + m_metrics.headingHeight / 2;
    const QRect band = span(m_frame.left, m_frame.top, m_frame.right, bottom);
    const QRect top = band.adjusted(0, 0, 0, -(band.height() - m_metrics.titleHeight));
    const QRect lower(band.left(), band.bottom() - m_metrics.headingHeight + 1, band.width(),
                      m_metrics.headingHeight);
    const int flags = Qt::TextSingleLine;
    p.setPen(Qt::black);
    p.setFont(m_fonts.title);
    p.drawText(top, flags | Qt::AlignHCenter | Qt::AlignTop, h.title);
    p.setFont(m_fonts.heading);
    p.drawText(top, flags | Qt::AlignLeft | Qt::AlignTop, h.runDate);
    p.drawText(top, flags | Qt::AlignRight | Qt::AlignTop, h.runTime);
    p.drawText(lower, flags | Qt::AlignRight | Qt::AlignBottom, h.page);
    p.drawText(lower, flags | Qt::AlignHCenter | Qt::AlignBottom, h.days);
    p.setFont(m_fonts.body);
}

void ScheduleReportPrinter::paintRuler(QPainter& p, const ReportPage&) const {
    const int top = m_frame.top + m_metrics.titleHeight + m_metrics.headingHeight;
    const int bottom = top + m_metrics.rulerHeight;
    if (m_setup.shadeRuler) {
        p.fillRect(span(m_frame.left, top, m_frame.right, bottom),
                   shadeColour(m_setup.shadePercent));
    }
    p.setFont(m_fonts.body);
    p.setPen(Qt::black);
    const int pad = m_cellMetrics.padding + m_thick;
    const int half = m_metrics.rulerHeight / 2;
    const int flags = Qt::TextSingleLine | Qt::AlignBottom;
    const int namesRight = m_frame.left + m_metrics.nameWidth;
    p.drawText(span(m_frame.left + pad, top, namesRight - pad, bottom - pad / 2),
               flags | Qt::AlignLeft, QStringLiteral("Name"));
    if (m_metrics.positionWidth > 0) {
        p.drawText(span(namesRight + pad, top, dayLeft(0) - pad, bottom - pad / 2),
                   flags | Qt::AlignLeft, QStringLiteral("Position"));
    }
    for (std::size_t d = 0; d < m_data.dates.size(); ++d) {
        const int left = dayLeft(int(d));
        const QRect upper = span(left, top, left + m_metrics.dayWidth, top + half);
        const QRect lower = span(left, top + half, left + m_metrics.dayWidth, bottom);
        p.save();
        p.setClipRect(upper.united(lower), Qt::IntersectClip);
        p.drawText(upper, Qt::TextSingleLine | Qt::AlignCenter,
                   m_layout.weekdayLabel(m_data.dates[d]));
        p.drawText(lower, Qt::TextSingleLine | Qt::AlignCenter,
                   m_layout.dateLabel(m_data.dates[d]));
        p.restore();
    }
}

void ScheduleReportPrinter::paintNames(QPainter& p, const ReportPage& page) const {
    const EmployeeTable& employees = m_schedule.employees();
    const int pad = m_cellMetrics.padding + m_thick;
    const int namesRight = m_frame.left + m_metrics.nameWidth;
    const int flags = Qt::TextSingleLine | Qt::AlignVCenter | Qt::AlignLeft;
    for (int i = page.first; i <= page.last; ++i) {
        const ReportRow& row = m_data.rows[static_cast<std::size_t>(i)];
        const int top = rowTop(page, i);
        const int bottom = std::min(m_frame.bottom, top + m_metrics.rowHeight(row.kind));
        const QRect names = span(m_frame.left + pad, top, namesRight - pad, bottom);
        const QRect position = span(namesRight + pad, top, dayLeft(0) - pad, bottom);
        QFont font = m_fonts.body;
        p.setPen(Qt::black);
        switch (row.kind) {
        case ReportRow::Kind::Employee: {
            const auto r = static_cast<std::size_t>(row.index - 1);
            p.setFont(font);
            p.drawText(names, flags, CellText::nameLabel(employees.names[r], false));
            if (m_metrics.positionWidth > 0) {
                p.drawText(position, flags, CellText::positionLabel(employees.positions[r], false));
            }
            break;
        }
        case ReportRow::Kind::Divider:
            p.fillRect(span(m_frame.left, top, m_frame.right, bottom), kDividerBand);
            font.setBold(true);
            p.setFont(font);
            p.drawText(names, flags,
                       CellText::nameLabel(employees.names[static_cast<std::size_t>(row.index - 1)],
                                           true));
            break;
        case ReportRow::Kind::Coverage: {
            if (m_setup.shadeCoverage) {
                p.fillRect(span(m_frame.left, top, m_frame.right, bottom),
                           shadeColour(m_setup.shadePercent));
            }
            const auto line = static_cast<std::size_t>(row.index - 1);
            p.setFont(font);
            p.drawText(span(m_frame.left + pad, top, dayLeft(0) - pad, bottom), flags,
                       m_data.coverageTitles[line]);
            for (std::size_t d = 0; d < m_data.dates.size(); ++d) {
                const int left = dayLeft(int(d));
                p.drawText(span(left, top, left + m_metrics.dayWidth, bottom),
                           Qt::TextSingleLine | Qt::AlignCenter,
                           CellText::totalText(m_data.totals[line][d]));
            }
            break;
        }
        }
    }
}

bool ScheduleReportPrinter::paintCells(QPainter& p, const ReportPage& page,
                                       const std::function<bool()>& goOn) const {
    if (m_data.blank) {
        return true;
    }
    const GridPainter painter(m_cellMetrics);
    const CellText texts(m_schedule, m_format, m_layout);
    const auto& order = m_schedule.settings().rowOrder;
    int drawn = 0;
    for (int i = page.first; i <= page.last; ++i) {
        const ReportRow& row = m_data.rows[static_cast<std::size_t>(i)];
        if (row.kind != ReportRow::Kind::Employee) {
            continue;
        }
        const int slot = order[static_cast<std::size_t>(row.index - 1)];
        const int top = rowTop(page, i);
        const int bottom = std::min(m_frame.bottom, top + m_metrics.employeeRow);
        for (std::size_t d = 0; d < m_data.dates.size(); ++d) {
            CellContent content = texts.content(m_data.days[d].cell(slot));
            if (content.empty) {
                continue;
            }
            for (CellContent::Line& line : content.lines) {
                for (TextRun& run : line.runs) {
                    run.colour = m_setup.inColor && run.colour != kWhite ? run.colour : -1;
                }
            }
            const int left = dayLeft(int(d));
            painter.paintCell(p, span(left, top, left + m_metrics.dayWidth, bottom), content);
        }
        if (++drawn % kRowsBetweenEvents == 0 && goOn && !goOn()) {
            return false;
        }
    }
    return true;
}

void ScheduleReportPrinter::paintLines(QPainter& p, const ReportPage& page) const {
    const int top = m_frame.top + m_metrics.titleHeight + m_metrics.headingHeight;
    const int rulerBottom = top + m_metrics.rulerHeight;
    const int bottom = std::max(rulerBottom, pageBottom(page));
    auto across = [&](int y, int width) {
        p.fillRect(QRect(m_frame.left, y - width / 2, m_frame.width(), width), Qt::black);
    };
    auto down = [&](int x, int width, const QColor& colour) {
        p.fillRect(QRect(x - width / 2, top, width, bottom - top), colour);
    };
    // Between the rows.
    for (int i = page.first; i <= page.last; ++i) {
        across(rowTop(page, i + 1), m_thin);
    }
    // Between the days: the week's first day stands out.
    const int days = int(m_data.dates.size());
    for (int d = 1; d < days; ++d) {
        const bool week = weekStartsAt(d);
        down(dayLeft(d), week ? m_thick : m_thin,
             week && m_setup.inColor ? paletteColour(kRedLine) : QColor(Qt::black));
    }
    // The frame, the ruler's outline and the name and position columns.
    across(top, m_thick);
    across(rulerBottom, m_thick);
    across(bottom, m_thick);
    down(m_frame.left + m_thick / 2, m_thick, Qt::black);
    down(m_frame.left + m_metrics.nameWidth, m_thick, Qt::black);
    if (m_metrics.positionWidth > 0) {
        down(dayLeft(0), m_thick, Qt::black);
    }
    down(m_frame.right - m_thick / 2, m_thick, Qt::black);
}

RunOutcome ScheduleReportPrinter::print(QPagedPaintDevice& device, const RunHooks& hooks) {
    layout(device);
    auto failed = [&] {
        return hooks.failed && hooks.failed();
    };
    auto stopped = [&] {
        return hooks.goOn && !hooks.goOn();
    };
    QPainter p;
    if (!p.begin(&device) || failed()) {
        return RunOutcome::PrinterError;
    }
    p.setBackgroundMode(Qt::TransparentMode); // text over shading keeps the shade
    p.setClipRect(span(m_frame.left, m_frame.top, m_frame.right + 1, m_frame.bottom + 1));
    RunOutcome outcome = RunOutcome::Done;
    const int total = int(m_pages.size());
    for (const ReportPage& page : m_pages) {
        if (page.number > 1 && (!device.newPage() || failed())) {
            outcome = RunOutcome::PrinterError;
            break;
        }
        // The shading goes under everything else on the page.
        paintRuler(p, page);
        if (failed()) {
            outcome = RunOutcome::PrinterError;
            break;
        }
        if (stopped()) {
            outcome = RunOutcome::Aborted;
            break;
        }
        paintHeading(p, page);
        if (stopped()) {
            outcome = RunOutcome::Aborted;
            break;
        }
        paintNames(p, page);
        if (stopped()) {
            outcome = RunOutcome::Aborted;
            break;
        }
        if (!paintCells(p, page, hooks.goOn) || stopped()) {
            outcome = RunOutcome::Aborted;
            break;
        }
        paintLines(p, page);
        if (failed()) {
            outcome = RunOutcome::PrinterError;
            break;
        }
        if (hooks.progress) {
            hooks.progress(page.number * 100 / std::max(1, total));
        }
    }
    if (!p.end() && outcome == RunOutcome::Done) {
        outcome = RunOutcome::PrinterError;
    }
    if (outcome == RunOutcome::Done && failed()) {
        outcome = RunOutcome::PrinterError;
    }
    return outcome;
}

} // namespace kalmur
