#include "QueryReport.h"

#include "PagedRun.h"
#include "model/schedule/Schedule.h"

#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>

namespace kalmur {

namespace {

const QString kSeparator = QStringLiteral(", ");

// The part of `text` (from `from`) that fits in `width`: up to its last
// blank that fits, else as many characters as fit, and at least one.
qsizetype fitting(const QString& text, qsizetype from, int width,
                  const std::function<int(const QString&)>& measure) {
    qsizetype end = from + 1;
    qsizetype lastBlank = -1;
    for (qsizetype i = from + 1; i <= text.size(); ++i) {
        if (measure(text.mid(from, i - from)) > width) {
            break;
        }
        end = i;
        if (i < text.size() && text[i] == QLatin1Char(' ')) {
            lastBlank = i;
        }
    }
    if (end < text.size() && lastBlank > from) {
        return lastBlank;
    }
    return end;
}

} // namespace

namespace QueryReport {

QStringList listEntries(const QueryRun::Result& result) {
    QStringList entries;
    for (const QueryRun::Found& f : result.found) {
        entries << f.name + kSeparator + QString::number(f.days);
    }
    if (entries.isEmpty()) {
        entries << kNoneFound;
    }
    return entries;
}

QString shortDate(QDate date, DateOrder order) {
    switch (order) {
    case DateOrder::DayFirst:
        return date.toString(QStringLiteral("d/M/yy"));
    case DateOrder::YearFirst:
        return date.toString(QStringLiteral("yy/M/d"));
    case DateOrder::MonthFirst:
        break;
    }
    return date.toString(QStringLiteral("M/d/yy"));
}

QString dayDescription(const Schedule& schedule, const Cell& cell, bool withNote) {
    QStringList parts;
    auto add = [&](const QString& text) {
        if (!text.trimmed().isEmpty()) {
            parts << text.trimmed();
        }
    };
    if (const int shift = cell.shownShift(); shift > 0) {
        add(schedule.shift(shift).description);
    }
    add(schedule.explanations().description(cell.shownExplanation()));
    if (cell.onCall != 0) {
        add(schedule.shift(ShiftRecord::kOnCall).description);
    }
    if (withNote) {
        if (const int note = cell.shownNote(schedule.noteCount()); note > 0) {
            add(schedule.readNote(note).simplified());
        }
    }
    return parts.isEmpty() ? QStringLiteral("Not Scheduled") : parts.join(kSeparator);
}

std::vector<Group> groups(const std::vector<Day>& days) {
    std::vector<Group> out;
    for (const Day& day : days) {
        if (!out.empty() && out.back().last.addDays(1) == day.date &&
            out.back().description.compare(day.description, Qt::CaseInsensitive) == 0) {
            out.back().last = day.date;
        } else {
            out.push_back({day.date, day.date, day.description});
        }
    }
    return out;
}

QString groupText(const Group& group, DateOrder order) {
    QString text = shortDate(group.first, order);
    if (group.last != group.first) {
        text += QStringLiteral(" - ") + shortDate(group.last, order);
    }
    return text + QLatin1Char(' ') + group.description;
}

std::optional<std::vector<Employee>> collect(const Schedule& schedule,
                                             const QueryRun::Result& result,
                                             const std::vector<int>& entries, bool namesOnly) {
    const auto matched = QueryRun::matchingDays(schedule, result, entries);
    if (!matched) {
        return std::nullopt;
    }
    const bool withNote = result.notesMode || !result.query.noteText.trimmed().isEmpty();
    std::vector<Employee> employees;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::vector<QueryRun::MatchedDay>& found = (*matched)[i];
        if (found.empty()) {
            continue;
        }
        Employee e;
        e.name = schedule.employees().names[static_cast<std::size_t>(entries[i] - 1)].trimmed();
        e.days = static_cast<int>(found.size());
        if (!namesOnly) {
            std::vector<Day> days;
            days.reserve(found.size());
            for (const QueryRun::MatchedDay& d : found) {
                days.push_back(
                    {schedule.dateOfDay(d.day), dayDescription(schedule, d.cell, withNote)});
            }
            for (const Group& g : groups(days)) {
                e.groups << groupText(g);
            }
        }
        employees.push_back(std::move(e));
    }
    return employees;
}

QStringList wrap(const QStringList& groups, int width,
                 const std::function<int(const QString&)>& measure) {
    QStringList lines;
    QString line;
    for (qsizetype i = 0; i < groups.size(); ++i) {
        const QString piece = groups[i] + (i + 1 < groups.size() ? kSeparator : QString());
        const QString joined = line + piece;
        if (measure(joined.trimmed()) <= width) {
            line = joined;
            continue;
        }
        if (!line.isEmpty()) {
            lines << line.trimmed();
            line.clear();
        }
        // A group too wide for a line of its own is broken inside.
        qsizetype from = 0;
        while (measure(piece.mid(from).trimmed()) > width) {
            const qsizetype end = fitting(piece, from, width, measure);
            lines << piece.mid(from, end - from).trimmed();
            from = end;
            while (from < piece.size() && piece[from] == QLatin1Char(' ')) {
                ++from;
            }
        }
        line = piece.mid(from);
    }
    if (!line.trimmed().isEmpty()) {
        lines << line.trimmed();
    }
    return lines;
}

QString headingLine(const Employee& employee, bool notesMode) {
    return notesMode ? employee.name
                     : employee.name + QStringLiteral(" - ") + QString::number(employee.days);
}

PrintSetup printSetup(const ReportSetup& setup, const QString& queryTitle) {
    PrintSetup p = PrintSetup::prepare(setup);
    if (p.title.isEmpty()) {
        p.title = queryTitle.trimmed();
    }
    return p;
}

std::vector<Page> paginate(const std::vector<Employee>& employees, int linesPerPage, bool notesMode,
                           const std::function<QStringList(const Employee&)>& body) {
    // A page holds a heading and one line at least, so that every run ends.
    const auto room = static_cast<std::size_t>(std::max(2, linesPerPage));
    constexpr std::size_t kLeastStart = 3;
    std::vector<Page> pages(1);
    int done = 0;
    for (const Employee& e : employees) {
        Page* page = &pages.back();
        if (!page->lines.empty() && room - page->lines.size() < kLeastStart) {
            page->employeesDone = done;
            page = &pages.emplace_back();
        }
        page->lines.push_back({headingLine(e, notesMode), true});
        for (const QString& text : body(e)) {
            if (page->lines.size() >= room) {
                page->employeesDone = done;
                page = &pages.emplace_back();
                page->lines.push_back({e.name + kContinued, true});
            }
            page->lines.push_back({text, false});
        }
        ++done;
    }
    pages.back().employeesDone = done;
    return pages;
}

} // namespace QueryReport

QueryReportPrinter::QueryReportPrinter(std::vector<QueryReport::Employee> employees, bool notesMode,
                                       PrintSetup setup, PrintFonts fonts, QString subtitle,
                                       QDateTime now)
    : m_employees(std::move(employees))
    , m_notesMode(notesMode)
    , m_setup(std::move(setup))
    , m_fonts(std::move(fonts))
    , m_subtitle(std::move(subtitle))
    , m_now(std::move(now)) {
}

void QueryReportPrinter::layout(const QPagedPaintDevice& device) {
    const PageGeometry page = PageGeometry::of(device);
    m_frame = pageFrame(page, m_setup.margins);
    const QFontMetrics body(m_fonts.body, &device);
    m_lineHeight = std::max(1, body.height());
    m_headingHeight = std::max(1, QFontMetrics(m_fonts.heading, &device).height());
    m_titleHeight = std::max(1, QFontMetrics(m_fonts.title, &device).height());
    m_indent = body.horizontalAdvance(QStringLiteral("MM"));
    // The heading's three lines and a blank line under them.
    const int top = 2 * m_headingHeight + m_titleHeight + m_lineHeight;
    const int lines = (m_frame.height() - top) / m_lineHeight;
    const int width = std::max(1, m_frame.width() - m_indent);
    const auto measure = [&body](const QString& text) {
        return body.horizontalAdvance(text);
    };
    m_pages =
        QueryReport::paginate(m_employees, lines, m_notesMode, [&](const QueryReport::Employee& e) {
            return QueryReport::wrap(e.groups, width, measure);
        });
}

void QueryReportPrinter::paintPage(QPainter& p, int page) const {
    const QueryReport::Page& content = m_pages[static_cast<std::size_t>(page - 1)];
    const int single = int(Qt::TextSingleLine) | int(Qt::AlignTop);
    const int width = m_frame.width();
    p.save();
    p.setClipRect(QRect(m_frame.left, m_frame.top, width + 1, m_frame.height() + 1));
    p.setPen(Qt::black);
    int y = m_frame.top;
    p.setFont(m_fonts.heading);
    const QRect runLine(m_frame.left, y, width, m_headingHeight);
    p.drawText(runLine, single | Qt::AlignLeft,
               QStringLiteral("Run Date: ") + formatShortDate(m_now.date()));
    p.drawText(runLine, single | Qt::AlignRight, QStringLiteral("Page: ") + QString::number(page));
    y += m_headingHeight;
    p.setFont(m_fonts.title);
    p.drawText(QRect(m_frame.left, y, width, m_titleHeight), single | Qt::AlignHCenter,
               m_setup.title);
    y += m_titleHeight;
    p.setFont(m_fonts.heading);
    p.drawText(QRect(m_frame.left, y, width, m_headingHeight), single | Qt::AlignHCenter,
               m_subtitle);
    y += m_headingHeight + m_lineHeight;

    QFont bold = m_fonts.body;
    bold.setBold(true);
    for (const QueryReport::Line& line : content.lines) {
        const int left = m_frame.left + (line.heading ? 0 : m_indent);
        p.setFont(line.heading ? bold : m_fonts.body);
        p.drawText(QRect(left, y, m_frame.right - left, m_lineHeight), single | Qt::AlignLeft,
                   line.text);
        y += m_lineHeight;
    }
    p.restore();
}

RunOutcome QueryReportPrinter::print(QPagedPaintDevice& device, const RunHooks& hooks) {
    layout(device);
    const int total = std::max<int>(1, int(m_employees.size()));
    return printPages(
        device, int(m_pages.size()), hooks,
        [this](QPainter& p, int page) {
            paintPage(p, page);
            return true;
        },
        [&](int page) {
            return m_pages[static_cast<std::size_t>(page - 1)].employeesDone * 100 / total;
        });
}

} // namespace kalmur
