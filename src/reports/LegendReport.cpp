#include "LegendReport.h"

#include "PagedRun.h"
#include "ScheduleReport.h"
#include "model/codec/OleDate.h"
#include "model/patterns/NumberPattern.h"
#include "model/patterns/TimePattern.h"
#include "model/records/QuickKey.h"
#include "model/records/ReportSetup.h"
#include "model/schedule/Schedule.h"
#include "view/Palette.h"

#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace kalmur {

namespace {

constexpr int kWhite = 15;
// Lines drawn between two looks at the window's events.
constexpr int kLinesBetweenEvents = 10;

const QString kShiftsHeading = QStringLiteral("Shifts");
const QString kExplanationsHeading = QStringLiteral("Explanations");

} // namespace

namespace LegendReport {

Options Options::of(const ReportSetup& setup) {
    Options o;
    o.times = setup.options[0];
    o.breakLength = setup.options[1];
    o.shiftLength = setup.options[2];
    o.quickKeys = setup.options[3];
    o.separate = setup.options[4];
    return o;
}

bool Options::prints(int field) const {
    switch (field) {
    case Times:
        return times;
    case Break:
        return breakLength;
    case Length:
        return shiftLength;
    case QuickKey:
        return quickKeys;
    default:
        return true;
    }
}

QString timeFormat(const QString& viewTimeFormat) {
    return viewTimeFormat.contains(QLatin1Char('a'), Qt::CaseInsensitive)
               ? QStringLiteral("hh:nna/p")
               : QStringLiteral("hh:nn");
}

QString quickKeyText(LegendLine::Kind kind, int number, std::uint8_t key) {
    if (kind == LegendLine::Kind::Tag) {
        if (number == ShiftRecord::kOff) {
            return QStringLiteral("[CTRL-X]");
        }
        if (number == ShiftRecord::kOnCall) {
            return QStringLiteral("[CTRL-O]");
        }
        return {};
    }
    const QString text = kalmur::QuickKey::toText(key);
    return text.isEmpty() ? QString() : QLatin1Char('[') + text + QLatin1Char(']');
}

LegendLine shiftLine(const Schedule& schedule, int number, const QString& timeFormat) {
    const ShiftRecord& shift = schedule.shift(number);
    LegendLine line;
    line.kind = number > ShiftRecord::kUserShifts ? LegendLine::Kind::Tag : LegendLine::Kind::Shift;
    line.number = number;
    line.abbreviation = shift.abbreviation.trimmed();
    line.description = shift.description.trimmed();
    line.colour = shift.colour;
    line.quickKey = quickKeyText(line.kind, number, shift.quickKey);
    if (line.kind == LegendLine::Kind::Shift) {
        line.times = formatTime(OleDate::toTime(shift.startTime), timeFormat) +
                     QStringLiteral(" - ") + formatTime(OleDate::toTime(shift.endTime), timeFormat);
        line.breakLength = std::isfinite(shift.breakLength) ? shift.breakLength : 0;
        line.paidLength = std::isfinite(shift.paidLength) ? shift.paidLength : 0;
    }
    return line;
}

LegendLine explanationLine(const Schedule& schedule, int number) {
    const ExplanationTable& table = schedule.explanations();
    LegendLine line;
    line.kind = LegendLine::Kind::Explanation;
    line.number = number;
    line.abbreviation = table.abbreviation(number).trimmed();
    line.description = table.description(number).trimmed();
    line.quickKey = quickKeyText(line.kind, number, table.quickKeys[std::size_t(number - 1)]);
    return line;
}

std::vector<LegendLine> lines(const Schedule& schedule, const QString& timeFormat) {
    std::vector<LegendLine> all;
    for (int n = 1; n <= ShiftRecord::kUserShifts; ++n) {
        if (!schedule.shift(n).isUndefined()) {
            all.push_back(shiftLine(schedule, n, timeFormat));
        }
    }
    for (int n = ShiftRecord::kOff; n <= ShiftRecord::kNoteMark; ++n) {
        all.push_back(shiftLine(schedule, n, timeFormat));
    }
    for (int n = 1; n <= ExplanationTable::kCount; ++n) {
        if (!schedule.explanations().isUndefined(n)) {
            all.push_back(explanationLine(schedule, n));
        }
    }
    return all;
}

std::array<QString, kFields> fields(const LegendLine& line, const QString& numberPattern) {
    std::array<QString, kFields> f;
    f[Abbreviation] = line.abbreviation;
    f[Description] = line.description;
    if (line.timed()) {
        f[Times] = line.times;
        f[Break] = formatNumber(line.breakLength, numberPattern);
        f[Length] = formatNumber(line.paidLength, numberPattern);
    }
    f[QuickKey] = line.quickKey;
    return f;
}

QString listText(const LegendLine& line) {
    const auto f = fields(line, QStringLiteral("##.##"));
    return QStringList(f.begin(), f.end()).join(QLatin1Char('\t'));
}

} // namespace LegendReport

LegendPrinter::LegendPrinter(std::vector<LegendLine> lines, LegendReport::Options options,
                             PrintSetup setup, PrintFonts fonts, QDateTime now)
    : m_lines(std::move(lines))
    , m_options(options)
    , m_setup(std::move(setup))
    , m_fonts(std::move(fonts))
    , m_now(std::move(now)) {
}

void LegendPrinter::layout(const QPagedPaintDevice& device) {
    using namespace LegendReport;
    const PageGeometry page = PageGeometry::of(device);
    m_frame = pageFrame(page, m_setup.margins);
    const QFontMetrics body(m_fonts.body, &device);
    QFont boldFont = m_fonts.body;
    boldFont.setBold(true);
    const QFontMetrics bold(boldFont, &device);
    m_gap = body.height() / 2; // the height of "jA" is the font's line height
    m_lineHeight = std::max(1, body.height() + m_gap);
    const int across = body.horizontalAdvance(QLatin1Char('M')) / 2;

    // Each column is as wide as its widest text; the abbreviations at least
    // as wide as "MM".
    m_widths.fill(0);
    m_widths[Abbreviation] = body.horizontalAdvance(QStringLiteral("MM"));
    for (const LegendLine& line : m_lines) {
        const auto texts = fields(line, QStringLiteral("#0.00"));
        for (std::size_t f = 0; f < texts.size(); ++f) {
            m_widths[f] = std::max(m_widths[f], body.horizontalAdvance(texts[f]));
        }
    }
    int x = m_frame.left;
    for (int f = 0; f < kFields; ++f) {
        const auto i = static_cast<std::size_t>(f);
        m_columns[i] = m_options.prints(f) ? x : -1;
        if (m_options.prints(f)) {
            x += m_widths[i] + across;
        }
    }

    const int title = QFontMetrics(m_fonts.title, &device).height();
    const int heading = QFontMetrics(m_fonts.heading, &device).height();
    m_bodyTop = title + heading + m_gap * 2;

    // A group heading takes a line of the bold body font after a gap; a line
    // that would pass the frame's bottom starts the next page.
    const int room = std::max(1, m_frame.height() - m_bodyTop);
    const int headingHeight = std::max(1, bold.height()) + m_gap;
    m_pages.assign(1, {});
    int y = 0;
    auto place = [&](LegendRow row, int height) {
        if (y > 0 && y + height > room) {
            m_pages.emplace_back();
            y = 0;
        }
        row.top = y;
        m_pages.back().push_back(std::move(row));
        y += height;
    };
    bool explanations = false;
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        const bool isExplanation = m_lines[i].kind == LegendLine::Kind::Explanation;
        if (m_options.separate && (i == 0 || (isExplanation && !explanations))) {
            if (y > 0) {
                y += m_lineHeight; // the gap between the groups
            }
            // A heading stays with the line under it.
            if (y > 0 && y + headingHeight + m_lineHeight > room) {
                m_pages.emplace_back();
                y = 0;
            }
            place(LegendRow{-1, isExplanation ? kExplanationsHeading : kShiftsHeading, 0},
                  headingHeight);
        }
        explanations = explanations || isExplanation;
        place(LegendRow{int(i), {}, 0}, m_lineHeight);
    }
}

bool LegendPrinter::paintPage(QPainter& p, int page, const RunHooks& hooks) const {
    const HeadingTexts h = HeadingTexts::make(m_setup.title, m_now, {}, page, {}, {});
    const int single = Qt::TextSingleLine | Qt::AlignTop;
    const int titleHeight = QFontMetrics(m_fonts.title, p.device()).height();
    const int headingHeight = QFontMetrics(m_fonts.heading, p.device()).height();
    const QRect titleBand(m_frame.left, m_frame.top, m_frame.width(), titleHeight);
    const QRect headingBand(m_frame.left, m_frame.top + titleHeight, m_frame.width(),
                            headingHeight);
    p.setPen(Qt::black);
    p.setFont(m_fonts.title);
    p.drawText(titleBand, single | Qt::AlignHCenter, h.title);
    p.setFont(m_fonts.heading);
    p.drawText(headingBand, single | Qt::AlignLeft, h.runDate);
    p.drawText(headingBand, single | Qt::AlignRight, h.page);

    QFont bold = m_fonts.body;
    bold.setBold(true);
    const int top = m_frame.top + m_bodyTop;
    const auto& rows = m_pages[static_cast<std::size_t>(page - 1)];
    int drawn = 0;
    for (const LegendRow& row : rows) {
        if (row.line < 0) {
            p.setPen(Qt::black);
            p.setFont(bold);
            p.drawText(QRect(m_frame.left, top + row.top, m_frame.width(), m_lineHeight),
                       single | Qt::AlignLeft, row.heading);
            continue;
        }
        const LegendLine& line = m_lines[static_cast<std::size_t>(row.line)];
        const bool coloured =
            m_setup.inColor && line.kind != LegendLine::Kind::Explanation && line.colour != kWhite;
        p.setPen(coloured ? paletteColour(line.colour) : QColor(Qt::black));
        p.setFont(m_fonts.body);
        const auto texts = LegendReport::fields(line, QStringLiteral("#0.00"));
        for (std::size_t f = 0; f < texts.size(); ++f) {
            if (m_columns[f] < 0 || texts[f].isEmpty()) {
                continue;
            }
            // Cut at the frame's right edge, never drawn past it.
            const int width = std::min(m_widths[f], m_frame.right - m_columns[f]);
            // The lengths stand under one another by their decimal points.
            const bool number = f == LegendReport::Break || f == LegendReport::Length;
            if (width > 0) {
                p.drawText(QRect(m_columns[f], top + row.top, width, m_lineHeight),
                           single | (number ? Qt::AlignRight : Qt::AlignLeft), texts[f]);
            }
        }
        if (++drawn % kLinesBetweenEvents == 0 && hooks.goOn && !hooks.goOn()) {
            return false;
        }
    }
    return true;
}

RunOutcome LegendPrinter::print(QPagedPaintDevice& device, const RunHooks& hooks) {
    layout(device);
    return printPages(device, int(m_pages.size()), hooks,
                      [&](QPainter& p, int page) { return paintPage(p, page, hooks); });
}

} // namespace kalmur
