#include "ViewLayout.h"

#include "model/patterns/DateText.h"
#include "model/patterns/TimePattern.h"
#include "model/schedule/CellItems.h"

#include <algorithm>

namespace kalmur {

ViewLayout::ViewLayout(const ViewFormat& format, ViewTarget target)
    : m_target(target)
    , m_ruleDay(std::clamp<int>(format.rulerDay, 0, 3))
    , m_ruleDate(std::clamp<int>(format.rulerDate, 0, 3))
    , m_editTimeFormat(kalmur::editTimeFormat(format.timeFormat))
    , m_cellTimeFormat(format.timeFormat.trimmed()) {
    const bool screen = target == ViewTarget::Screen;
    const auto& rows = format.cellRows;
    auto shown = [screen](const CellContentRow& row) {
        return (screen ? row.screen : row.report) && row.item != kItemNone;
    };
    // The status marks are a screen thing, and only the first row holds them.
    const bool icon = screen && shown(rows[0]) && rows[0].item == kItemScreenCellIcon;
    int line = 0;
    bool joinNext = false;
    for (int r = 0; r < ViewFormat::kCellRows; ++r) {
        const CellContentRow& row = rows[static_cast<std::size_t>(r)];
        if (!shown(row)) {
            continue; // shows nothing and takes no line
        }
        if (row.item == kItemScreenCellIcon && (r == 0 || !screen)) {
            continue; // the icon takes no text line, and prints nothing
        }
        if (!joinNext) {
            m_lines.push_back(Line{line, 1, {}});
        }
        Line& current = m_lines.back();
        const int lines = cellItemLines(row.item);
        current.lines = std::max(current.lines, lines);
        current.rows.push_back(Row{r, row.item, current.first, lines});
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
        // A mark is left out where a row already tells the same.
        m_marks.bell = !shows(kItemOnCallStatus);
        m_marks.noteBox = !(shows(kItemNoteText) || shows(kItemNoteStatus) ||
                            shows(kItemNoteText2Lines) || shows(kItemNoteText3Lines));
        m_marks.explanationBox = !(shows(kItemExplanation) || shows(kItemShiftAndExplanation));
        m_marks.x = !(shows(kItemShiftDescription) || shows(kItemShiftAndExplanation));
        // The O tells of a shift 1..99: items below 200 and from 500 to 599 show one.
        m_marks.o = std::none_of(m_shownItems.begin(), m_shownItems.end(), [](int item) {
            return item < 200 || (item >= 500 && item <= 599);
        });
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
