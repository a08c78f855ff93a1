#include "ViewLayout.h"

#include "model/patterns/DateText.h"
#include "model/patterns/TimePattern.h"
#include "model/schedule/CellItems.h"

#include <algorithm>

namespace kalmur {

namespace {

int linesOf(int item) {
    return item >= 2000 ? 3 : item >= 1000 ? 2 : 1;
}

} // namespace

ViewLayout::ViewLayout(const ViewFormat& format)
    : m_ruleDay(std::clamp<int>(format.rulerDay, 0, 3))
    , m_ruleDate(std::clamp<int>(format.rulerDate, 0, 3))
    , m_editTimeFormat(kalmur::editTimeFormat(format.timeFormat))
    , m_cellTimeFormat(format.timeFormat.trimmed()) {
    const auto& rows = format.cellRows;
    // Rows in use: up to the last row shown on screen with an item.
    int used = 0;
    for (int r = 0; r < ViewFormat::kCellRows; ++r) {
        if (rows[static_cast<std::size_t>(r)].screen &&
            rows[static_cast<std::size_t>(r)].item != 0) {
            used = r + 1;
        }
    }
    const bool icon = used > 0 && rows[0].item == kItemScreenCellIcon && rows[0].screen;
    int line = 0;
    bool joinNext = false;
    for (int r = 0; r < used; ++r) {
        const CellContentRow& row = rows[static_cast<std::size_t>(r)];
        if (r == 0 && icon) {
            continue; // the icon takes no text line
        }
        if (!row.screen || row.item == 0) {
            continue; // shows nothing and takes no line
        }
        if (!joinNext) {
            m_lines.push_back(Line{line, 1, {}});
        }
        Line& current = m_lines.back();
        current.lines = std::max(current.lines, linesOf(row.item));
        current.rows.push_back(Row{r, row.item, current.first, linesOf(row.item)});
        m_shownItems.push_back(row.item);
        joinNext = row.tie;
        if (!joinNext) {
            line += current.lines;
        }
    }
    if (joinNext && !m_lines.empty()) {
        line += m_lines.back().lines;
    }
    m_textLines = std::max(1, line);

    m_marks.enabled = icon;
    if (icon) {
        auto any = [&](auto pred) {
            return std::any_of(m_shownItems.begin(), m_shownItems.end(), pred);
        };
        m_marks.bell = !shows(410);
        m_marks.noteBox = !(shows(310) || shows(320) || shows(1310) || shows(2310));
        m_marks.explanationBox = !(shows(220) || shows(500));
        m_marks.x = !(shows(120) || shows(500));
        m_marks.o = !any([](int item) { return item < 200 || (item >= 500 && item <= 599); });
        m_marks.inline_ = rows[0].tie;
    }
}

bool ViewLayout::shows(int item) const {
    return std::find(m_shownItems.begin(), m_shownItems.end(), item) != m_shownItems.end();
}

QString ViewLayout::weekdayLabel(QDate date) const {
    static constexpr NameLength kLengths[] = {NameLength::One, NameLength::Two, NameLength::Three,
                                              NameLength::Full};
    return weekdayName(date.dayOfWeek(), kLengths[m_ruleDay]);
}

QString ViewLayout::dateLabel(QDate date) const {
    switch (m_ruleDate) {
    case 0:
        return QString::number(date.day());
    case 1:
        return QStringLiteral("%1-%2").arg(date.month()).arg(date.day());
    case 2:
        return QStringLiteral("%1-%2").arg(date.day()).arg(date.month());
    default:
        return formatShortDate(date);
    }
}

} // namespace kalmur
