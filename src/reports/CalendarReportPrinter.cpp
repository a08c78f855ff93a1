#include "CalendarReportPrinter.h"

#include "view/Palette.h"

#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>

namespace kalmur {

namespace {

constexpr int kSundayRed = 4; // palette colour of "Sunday" in colour
constexpr int kInsetTwips = 23;

int height(const QFont& font, const QPaintDevice* device) {
    return std::max(1, QFontMetrics(font, device).height());
}

} // namespace

CalendarReportPrinter::CalendarReportPrinter(const CalendarReport::Data& data, PrintSetup setup,
                                             PrintFonts fonts, QString timeFormat, QDateTime now)
    : m_data(data)
    , m_setup(std::move(setup))
    , m_fonts(std::move(fonts))
    , m_timeFormat(std::move(timeFormat))
    , m_now(std::move(now)) {
}

void CalendarReportPrinter::layout(const QPagedPaintDevice& device) {
    const PageGeometry page = PageGeometry::of(device);
    const PageFrame frame = pageFrame(page, m_setup.margins);
    m_textHeight = height(m_fonts.body, &device);
    const int heading = height(m_fonts.heading, &device);
    m_layout = CalendarReport::Layout::of(frame, height(m_fonts.title, &device) + heading / 2,
                                          heading, m_textHeight);
    m_inset = std::max(1, pixelsIn(kInsetTwips, page.twipsPerPixelX));
    // As in the schedule report: one pixel of a 150 dpi printer.
    m_thin = std::max(1, device.logicalDpiX() / 150);
}

void CalendarReportPrinter::paintHeading(QPainter& p, const CalendarReport::Page* page) const {
    const int flags = Qt::TextSingleLine | Qt::AlignTop;
    const HeadingTexts h = HeadingTexts::make(m_setup.title, m_now, m_timeFormat, 1,
                                              m_data.run.first, m_data.run.last);
    p.setPen(Qt::black);
    p.setFont(m_fonts.title);
    p.drawText(m_layout.title, flags | Qt::AlignHCenter, h.title);
    p.setFont(m_fonts.heading);
    if (!m_data.blank) {
        p.drawText(m_layout.title, flags | Qt::AlignLeft, h.runDate);
        p.drawText(m_layout.title, flags | Qt::AlignRight, h.runTime);
    }
    const QString subject = page ? page->subject : m_data.run.text;
    p.drawText(m_layout.subject, flags | Qt::AlignHCenter,
               QFontMetrics(m_fonts.heading, p.device())
                   .elidedText(subject, Qt::ElideRight, m_layout.subject.width()));
}

void CalendarReportPrinter::paintBand(QPainter& p) const {
    if (m_setup.shadeRuler) {
        p.fillRect(m_layout.band, shadeColour(m_setup.shadePercent));
    }
    QFont font = m_fonts.body;
    font.setBold(false);
    p.setFont(font);
    const QStringList names = m_data.run.weekdayNames();
    // Sunday's column: the first weekday counts from Monday = 1.
    const int sunday = (7 - m_data.run.firstWeekday) % CalendarReport::kColumns;
    for (int c = 0; c < CalendarReport::kColumns; ++c) {
        const QRect box = m_layout.weekdays[static_cast<std::size_t>(c)].adjusted(
            m_inset, m_inset, -m_inset, -m_inset);
        p.setPen(m_setup.inColor && c == sunday ? paletteColour(kSundayRed) : QColor(Qt::black));
        p.drawText(
            box, Qt::TextSingleLine | Qt::AlignCenter,
            QFontMetrics(font, p.device()).elidedText(names.value(c), Qt::ElideRight, box.width()));
    }
    p.setPen(Qt::black);
}

void CalendarReportPrinter::paintBox(QPainter& p, const CalendarReport::Box& box,
                                     const QRect& rect) const {
    if (!box.date.isValid()) {
        return;
    }
    const QRect inner = rect.adjusted(m_inset + m_thin, m_inset, -m_inset - m_thin, -m_inset);
    if (inner.width() <= 0 || inner.height() <= 0) {
        return;
    }
    const QStringList lines = CalendarReport::boxLines(
        QString::number(box.date.day()), box, QFontMetrics(m_fonts.body, p.device()), inner.width(),
        std::max(1, inner.height() / m_textHeight));
    p.save();
    // Nothing a box holds reaches into the next one.
    p.setClipRect(inner, Qt::IntersectClip);
    p.setPen(Qt::black);
    for (int i = 0; i < lines.size(); ++i) {
        QFont font = m_fonts.body;
        font.setBold(i == 0 || font.bold()); // the day number stands out
        p.setFont(font);
        p.drawText(QRect(inner.left(), inner.top() + i * m_textHeight, inner.width(), m_textHeight),
                   Qt::TextSingleLine | Qt::AlignLeft | Qt::AlignTop, lines[i]);
    }
    p.restore();
}

void CalendarReportPrinter::paintLines(QPainter& p) const {
    const QRect& band = m_layout.band;
    const QRect& last = m_layout.boxes.back();
    const int top = band.top();
    const int bottom = last.bottom() + 1;
    auto across = [&](int y) {
        p.fillRect(QRect(band.left(), y, band.width(), m_thin), Qt::black);
    };
    auto down = [&](int x) {
        p.fillRect(QRect(x, top, m_thin, bottom - top), Qt::black);
    };
    across(top);
    across(band.bottom() + 1 - m_thin);
    for (int row = 1; row <= CalendarReport::kRows; ++row) {
        const QRect& box = m_layout.boxes[static_cast<std::size_t>(row * 7 - 1)];
        across(row == CalendarReport::kRows ? bottom - m_thin : box.bottom() + 1);
    }
    down(band.left());
    for (int c = 1; c < CalendarReport::kColumns; ++c) {
        down(m_layout.weekdays[static_cast<std::size_t>(c)].left());
    }
    down(band.right() + 1 - m_thin);
}

RunOutcome CalendarReportPrinter::print(QPagedPaintDevice& device, const RunHooks& hooks) {
    layout(device);
    auto failed = [&] {
        return hooks.failed && hooks.failed();
    };
    QPainter p;
    if (!p.begin(&device) || failed()) {
        return RunOutcome::PrinterError;
    }
    p.setBackgroundMode(Qt::TransparentMode); // text over shading keeps the shade
    RunOutcome outcome = RunOutcome::Done;
    const int pages = pageCount();
    const int days = m_data.run.dayCount();
    const long total = long(pages) * days;
    long drawn = 0;
    for (int n = 0; n < pages && outcome == RunOutcome::Done; ++n) {
        const CalendarReport::Page* page =
            m_data.pages.empty() ? nullptr : &m_data.pages[static_cast<std::size_t>(n)];
        if (n > 0 && (!device.newPage() || failed())) {
            outcome = RunOutcome::PrinterError;
            break;
        }
        paintBand(p);
        paintHeading(p, page);
        for (int b = 0; b < CalendarReport::kBoxes && page; ++b) {
            const CalendarReport::Box& box = page->boxes[static_cast<std::size_t>(b)];
            paintBox(p, box, m_layout.boxes[static_cast<std::size_t>(b)]);
            if (!box.date.isValid()) {
                continue;
            }
            if (failed()) {
                outcome = RunOutcome::PrinterError;
                break;
            }
            if (hooks.progress) {
                hooks.progress(int(++drawn * 100 / std::max(1L, total)));
            }
            if (hooks.goOn && !hooks.goOn()) {
                outcome = RunOutcome::Aborted;
                break;
            }
        }
        if (outcome == RunOutcome::Done) {
            paintLines(p);
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
