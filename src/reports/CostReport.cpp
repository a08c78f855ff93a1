#include "CostReport.h"

#include "PageFrame.h"
#include "PagedRun.h"
#include "model/cost/CostTable.h"
#include "model/patterns/DateText.h"
#include "model/schedule/Schedule.h"

#include <QDir>
#include <QFontMetrics>
#include <QLocale>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QSaveFile>

#include <algorithm>
#include <cmath>

namespace kalmur {

namespace {

constexpr double kHeadingPoints = 12;
constexpr double kTitlePoints = 20;
// Letter paper's printable length on a printer without unprintable strips;
// such a page keeps half an inch free at the right and the bottom.
constexpr int kLetterLength = 15840;
constexpr int kAllowance = 720;
// Lines the rule, the column titles and their spacing take on each page.
constexpr int kLinesBesideRows = 5;

QFont sized(const QFont& face, double points, bool bold = false) {
    QFont f = face;
    f.setPointSizeF(points);
    f.setBold(bold);
    f.setItalic(false);
    return f;
}

} // namespace

namespace CostReport {

std::optional<std::vector<QStringList>>
table(const Schedule& schedule, const std::vector<int>& entries, QDate start, int days) {
    const auto employees = CostTable::employees(schedule, entries, schedule.dayOfDate(start), days);
    if (!employees) {
        return std::nullopt;
    }
    return CostTable::lines(CostTable::Rules::of(schedule.employees()), *employees,
                            CostTable::paidHours(schedule));
}

bool rangeAvailable(QDate start, int days, QDate scheduleStart, QDate scheduleEnd) {
    return start.isValid() && start >= scheduleStart && start <= scheduleEnd.addDays(1 - days);
}

bool writeScratch(const QString& workingDirectory, const std::vector<QStringList>& table) {
    QSaveFile file(QDir(workingDirectory).filePath(QStringLiteral("KALMUR2.RPT")));
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    const QByteArray bytes = CostTable::scratchText(table);
    return file.write(bytes) == bytes.size() && file.commit();
}

QString subtitle(QDate start, int days) {
    return formatLongDate(start) + QStringLiteral(" to ") +
           formatLongDate(start.addDays(std::max(days, 1) - 1));
}

} // namespace CostReport

CostReportPrinter::CostReportPrinter(std::vector<QStringList> table, PrintSetup setup,
                                     PrintFonts fonts, QString subtitle, QDateTime now)
    : m_table(std::move(table))
    , m_setup(std::move(setup))
    , m_fonts(std::move(fonts))
    , m_subtitle(std::move(subtitle))
    , m_now(std::move(now)) {
}

int CostReportPrinter::twipsDown(int twips) const {
    return pixelsIn(twips, m_twipsPerPixelY);
}

void CostReportPrinter::layout(const QPagedPaintDevice& device) {
    const PageGeometry page = PageGeometry::of(device);
    m_twipsPerPixelX = page.twipsPerPixelX;
    m_twipsPerPixelY = page.twipsPerPixelY;
    const bool portrait = page.pageHeight >= page.pageWidth;
    const bool letter =
        portrait ? page.printableHeight == kLetterLength : page.printableWidth == kLetterLength;
    const int allowance = letter ? kAllowance : 0;
    CostReport::Layout& l = m_layout;
    // The setup's margins hold as on the other reports: on a PDF file, whose
    // printable area is the whole sheet, the table would otherwise run to the
    // paper's edge. Margins inside a printer's unprintable strip change nothing.
    const PageFrame frame = pageFrame(page, m_setup.margins);
    l.left = frame.left;
    l.top = frame.top;
    l.usableWidth =
        std::min(frame.width(), pixelsIn(page.printableWidth - allowance, page.twipsPerPixelX));
    l.usableHeight =
        std::min(frame.height(), pixelsIn(page.printableHeight - allowance, page.twipsPerPixelY));

    // The body shrinks a point at a time until the widest text of every
    // column, each followed by the width of a bold "W", fits across.
    double points = std::max(1.0, m_fonts.body.pointSizeF());
    std::array<int, CostReport::kColumns> widths{};
    for (;;) {
        l.body = sized(m_fonts.body, points, m_fonts.body.bold());
        l.body.setItalic(m_fonts.body.italic());
        const QFontMetrics body(l.body, &device);
        const QFontMetrics bold(sized(m_fonts.body, points, true), &device);
        const int gap = bold.horizontalAdvance(QLatin1Char('W'));
        widths.fill(0);
        for (std::size_t line = 0; line < m_table.size(); ++line) {
            const QFontMetrics& m = line == 0 ? bold : body;
            for (int c = 0; c < CostReport::kColumns && c < m_table[line].size(); ++c) {
                auto& w = widths[static_cast<std::size_t>(c)];
                w = std::max(w, m.horizontalAdvance(m_table[line][c]));
            }
        }
        l.tableWidth = 0;
        for (int& w : widths) {
            w += gap;
            l.tableWidth += w;
        }
        l.lineHeight = std::max(1, body.height());
        if (l.tableWidth <= l.usableWidth || points <= 1) {
            break;
        }
        points = std::max(1.0, points - 1);
    }
    int x = std::max(0, (l.usableWidth - l.tableWidth) / 2);
    for (std::size_t c = 0; c < widths.size(); ++c) {
        l.columns[c] = x;
        x += widths[c];
    }

    const int heading = QFontMetrics(sized(m_fonts.body, kHeadingPoints), &device).height();
    const int title = QFontMetrics(sized(m_fonts.body, kTitlePoints), &device).height();
    l.headingHeight = twipsDown(60) + heading + title + twipsDown(60) + heading + twipsDown(15);
    l.rowsPerPage =
        std::max(1, (l.usableHeight - l.headingHeight) / l.lineHeight - kLinesBesideRows);
}

int CostReportPrinter::pageCount() const {
    const int rows = std::max(0, int(m_table.size()) - 1);
    return std::max(1, (rows + m_layout.rowsPerPage - 1) / m_layout.rowsPerPage);
}

void CostReportPrinter::paintPage(QPainter& p, int page) const {
    const CostReport::Layout& l = m_layout;
    const QFont heading = sized(m_fonts.body, kHeadingPoints);
    const QFont title = sized(m_fonts.body, kTitlePoints);
    const int headingLine = QFontMetrics(heading, p.device()).height();
    const int titleLine = QFontMetrics(title, p.device()).height();
    const int single = int(Qt::TextSingleLine) | int(Qt::AlignTop);
    QLocale locale;
    p.save();
    p.translate(l.left, l.top);

    int y = twipsDown(60);
    p.setFont(heading);
    p.drawText(QRect(0, y, l.usableWidth, headingLine), single | Qt::AlignLeft,
               QStringLiteral("Run Date : ") + formatShortDate(m_now.date()));
    p.drawText(QRect(0, y, l.usableWidth, headingLine), single | Qt::AlignRight,
               QStringLiteral("Time: ") + locale.toString(m_now.time(), QLocale::ShortFormat));
    y += headingLine;
    p.setFont(title);
    p.drawText(QRect(0, y, l.usableWidth, titleLine), single | Qt::AlignHCenter, m_setup.title);
    y += titleLine + twipsDown(60);
    p.setFont(heading);
    p.drawText(QRect(0, y, l.usableWidth, headingLine), single | Qt::AlignHCenter, m_subtitle);
    p.drawText(QRect(0, y, l.usableWidth, headingLine), single | Qt::AlignRight,
               QStringLiteral("Page:  ") + QString::number(page));
    y = l.headingHeight + twipsDown(250);

    p.drawLine(0, y, l.usableWidth, y);
    y += l.lineHeight * 3 / 10;
    auto row = [&](const QStringList& cells) {
        for (int c = 0; c < CostReport::kColumns && c < cells.size(); ++c) {
            const int left = l.columns[static_cast<std::size_t>(c)];
            p.drawText(QRect(left, y, l.usableWidth - left, l.lineHeight), single | Qt::AlignLeft,
                       cells[c]);
        }
    };
    QFont bold = l.body;
    bold.setBold(true);
    p.setFont(bold);
    if (!m_table.empty()) {
        row(m_table.front());
    }
    y += l.lineHeight * 13 / 10;
    p.setFont(l.body);
    const std::size_t first = 1 + std::size_t(page - 1) * std::size_t(l.rowsPerPage);
    const std::size_t end = std::min(m_table.size(), first + std::size_t(l.rowsPerPage));
    for (std::size_t i = first; i < end; ++i) {
        row(m_table[i]);
        y += l.lineHeight;
    }
    p.restore();
}

RunOutcome CostReportPrinter::print(QPagedPaintDevice& device, const RunHooks& hooks) {
    layout(device);
    return printPages(device, pageCount(), hooks, [this](QPainter& p, int page) {
        paintPage(p, page);
        return true;
    });
}

} // namespace kalmur
