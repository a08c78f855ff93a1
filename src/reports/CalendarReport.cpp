#include "CalendarReport.h"

#include "model/patterns/DateText.h"
#include "model/schedule/CellItems.h"
#include "model/schedule/DayRange.h"
#include "model/schedule/Schedule.h"
#include "view/CellText.h"
#include "view/ViewLayout.h"

#include <QFontMetrics>
#include <QLocale>

#include <algorithm>

namespace kalmur::CalendarReport {

namespace {

// The cell item printed for each item option, in box order.
constexpr std::array<std::pair<Option, int>, 5> kLineItems = {{
    {kShiftDescription, kItemShiftDescription},
    {kExplanations, kItemExplanation},
    {kStartEndTime, kItemStartEndTime},
    {kShiftLength, kItemShiftLength},
    {kOnCall, kItemOnCallStatus},
}};

bool option(const ReportSetup& setup, Option o) {
    return setup.options[static_cast<std::size_t>(o - 1)];
}

// Qt's weekday (1 = Monday .. 7 = Sunday) of a stored week start (1 = Sunday
// .. 7 = Saturday); a value out of range starts on Sunday.
int qtWeekday(int weekStart) {
    return weekStart >= 2 && weekStart <= 7 ? weekStart - 1 : 7;
}

// Cuts a line that is too wide, ending it with an ellipsis.
QString cut(const QString& text, const QFontMetrics& metrics, int width) {
    return metrics.elidedText(text, Qt::ElideRight, std::max(0, width));
}

} // namespace

std::vector<Month> months(QDate start, QDate end) {
    std::vector<Month> list;
    if (!start.isValid() || !end.isValid() || end < start) {
        return list;
    }
    const QLocale locale;
    for (QDate m(start.year(), start.month(), 1); m <= end; m = m.addMonths(1)) {
        list.push_back({locale.standaloneMonthName(m.month(), QLocale::LongFormat) +
                            QStringLiteral(", ") + QString::number(m.year()),
                        m});
    }
    return list;
}

int monthIndex(const std::vector<Month>& months, QDate day) {
    for (std::size_t i = 0; i < months.size(); ++i) {
        if (months[i].first.year() == day.year() && months[i].first.month() == day.month()) {
            return int(i);
        }
    }
    return 0;
}

Run Run::month(const Month& month, int weekStart, bool sundayStart) {
    Run r;
    r.first = month.first;
    r.last = month.first.addMonths(1).addDays(-1);
    r.firstWeekday = sundayStart ? 7 : qtWeekday(weekStart);
    r.text = month.text;
    return r;
}

Run Run::days(QDate start, int days) {
    Run r;
    r.first = start;
    r.last = start.addDays(std::clamp(days, 1, kMaxDays) - 1);
    r.firstWeekday = start.dayOfWeek();
    r.text = formatLongDate(r.first);
    if (r.last != r.first) {
        r.text += QStringLiteral(" to ") + formatLongDate(r.last);
    }
    return r;
}

QDate Run::dateInBox(int box) const {
    const QDate date = first.addDays(box - leading());
    return date >= first && date <= last ? date : QDate();
}

QStringList Run::weekdayNames() const {
    const QLocale locale;
    QStringList names;
    for (int i = 0; i < kColumns; ++i) {
        names << locale.standaloneDayName((firstWeekday - 1 + i) % kColumns + 1,
                                          QLocale::LongFormat);
    }
    return names;
}

std::optional<Data> Data::collect(const Schedule& schedule, const ViewFormat& format,
                                  const Run& run, const std::vector<int>& rows,
                                  const ReportSetup& setup, bool blank) {
    Data data;
    data.run = run;
    data.blank = blank;
    // The box names the shift and the explanation in full, time off included,
    // whatever the grid shows.
    ViewFormat full = format;
    full.useAbbreviations = false;
    full.showTimeOff = true;
    const ViewLayout layout(full, ViewTarget::Report);
    const CellText texts(schedule, full, layout);

    // The days inside the schedule, each read once for every page.
    std::vector<std::optional<DayRecord>> days(static_cast<std::size_t>(run.dayCount()));
    const int firstNumber = schedule.dayOfDate(run.first);
    if (!blank) {
        const DayRange range(schedule, firstNumber, firstNumber + run.dayCount() - 1);
        const bool read = range.forEach([&](int dayNumber, const DayRecord& day) {
            days[static_cast<std::size_t>(dayNumber - firstNumber)] = day;
        });
        if (!read) {
            return std::nullopt;
        }
    }
    const EmployeeTable& employees = schedule.employees();
    for (int row : rows) {
        if (row < 1 || row > EmployeeTable::kRows || !employees.isNamed(row)) {
            continue;
        }
        const auto r = static_cast<std::size_t>(row - 1);
        Page page;
        page.subject = run.text + QStringLiteral(" - ") + employees.names[r].trimmed();
        if (!employees.positions[r].trimmed().isEmpty()) {
            page.subject += QStringLiteral(", ") + employees.positions[r].trimmed();
        }
        const int slot = schedule.slotOfRow(row);
        for (int b = 0; b < kBoxes; ++b) {
            Box& box = page.boxes[static_cast<std::size_t>(b)];
            box.date = run.dateInBox(b);
            if (!box.date.isValid() || slot == 0) {
                continue;
            }
            const auto& day = days[static_cast<std::size_t>(run.first.daysTo(box.date))];
            if (!day) {
                continue;
            }
            const Cell cell = day->cell(slot);
            for (const auto& [o, item] : kLineItems) {
                const QString text = option(setup, o) ? texts.itemText(item, cell) : QString();
                if (!text.isEmpty()) {
                    box.items << text;
                }
            }
            if (option(setup, kNotes)) {
                box.note = texts.itemText(kItemNoteText, cell);
            }
        }
        data.pages.push_back(std::move(page));
    }
    return data;
}

Layout Layout::of(const PageFrame& frame, int titleHeight, int headingHeight, int textHeight) {
    Layout l;
    l.title = QRect(frame.left, frame.top, frame.width(), titleHeight);
    l.subject = QRect(frame.left, l.title.bottom() + 1, frame.width(), headingHeight);
    const int bandTop = l.subject.bottom() + 1 + headingHeight / 2;
    const int bandHeight = textHeight + textHeight / 2;
    l.band = QRect(frame.left, bandTop, frame.width(), bandHeight);
    const int gridTop = l.band.bottom() + 1;
    auto x = [&](int column) {
        return frame.left + column * frame.width() / kColumns;
    };
    auto y = [&](int row) {
        return gridTop + row * std::max(0, frame.bottom - gridTop) / kRows;
    };
    for (int c = 0; c < kColumns; ++c) {
        l.weekdays[static_cast<std::size_t>(c)] =
            QRect(QPoint(x(c), l.band.top()), QPoint(x(c + 1) - 1, l.band.bottom()));
        for (int row = 0; row < kRows; ++row) {
            l.boxes[static_cast<std::size_t>(row * kColumns + c)] =
                QRect(QPoint(x(c), y(row)), QPoint(x(c + 1) - 1, y(row + 1) - 1));
        }
    }
    return l;
}

QStringList boxLines(const QString& dayNumber, const Box& box, const QFontMetrics& metrics,
                     int width, int lines) {
    QStringList out;
    auto add = [&](const QString& text) {
        if (out.size() < lines) {
            out << cut(text, metrics, width);
        }
    };
    add(dayNumber);
    for (const QString& item : box.items) {
        add(item);
    }
    // The note fills the lines left, a word at a time; a word wider than the
    // box is cut.
    QString line;
    const QStringList words = box.note.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QString& word : words) {
        const QString longer = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
        if (line.isEmpty() || metrics.horizontalAdvance(longer) <= width) {
            line = longer;
            continue;
        }
        if (out.size() + 1 >= lines) {
            line = longer; // the last line: cut below
            break;
        }
        add(line);
        line = word;
    }
    if (!line.isEmpty()) {
        add(line);
    }
    return out;
}

} // namespace kalmur::CalendarReport
