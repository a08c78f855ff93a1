#include "CellText.h"

#include "model/codec/OleDate.h"
#include "model/patterns/NumberPattern.h"
#include "model/patterns/TimePattern.h"
#include "model/schedule/CellItems.h"

namespace kalmur {

namespace {

QString joined(const std::vector<TextRun>& runs) {
    QString text;
    for (const TextRun& r : runs) {
        text += r.text;
    }
    return text;
}

} // namespace

QString CellContent::Line::text() const {
    return joined(runs);
}

QString CellContent::text() const {
    QStringList parts;
    for (const Line& line : lines) {
        parts << line.text();
    }
    return parts.join(QStringLiteral(" | "));
}

CellText::CellText(const Schedule& schedule, const ViewFormat& format, const ViewLayout& layout)
    : m_schedule(schedule)
    , m_format(format)
    , m_layout(layout) {
}

int CellText::shownNote(const Cell& cell) const {
    return cell.shownNote(m_schedule.noteCount());
}

QString CellText::nameLabel(const QString& name, bool divider) {
    return (divider ? name.mid(1) : name).trimmed();
}

QString CellText::positionLabel(const QString& position, bool divider) {
    return divider ? QString() : position.trimmed();
}

QString CellText::totalText(int total) {
    return total == 0 ? QString() : QString::number(total);
}

CellContent CellText::divider() {
    CellContent c;
    c.divider = true;
    return c;
}

QString CellText::reservedText(int shift) const {
    const ShiftRecord& s = m_schedule.shift(shift);
    return (m_format.useAbbreviations ? s.abbreviation : s.description).trimmed();
}

TextRun CellText::shiftText(const Cell& cell) const {
    const int shift = cell.shownShift();
    if (shift == ShiftRecord::kOff) {
        if (!m_format.showTimeOff) {
            return {};
        }
        return {reservedText(ShiftRecord::kOff), kTimeOffColour};
    }
    if (shift == 0) {
        return {};
    }
    return {reservedText(shift), m_schedule.shiftColour(shift)};
}

QString CellText::explanationText(const Cell& cell) const {
    const int n = cell.shownExplanation();
    if (n == 0) {
        return {};
    }
    const auto& table = m_schedule.explanations();
    return (m_format.useAbbreviations ? table.abbreviation(n) : table.description(n)).trimmed();
}

std::vector<TextRun> CellText::itemRuns(int item, const Cell& cell) const {
    const int shift = cell.shownShift();
    const bool userShift = shift >= 1 && shift <= ShiftRecord::kUserShifts;
    // Items below 200 tell of a shift 1..99: without one a cell shows only its
    // shift text (time off) and the items from 200.
    if (!userShift && item != kItemShiftDescription && item < 200) {
        return {};
    }
    const ShiftRecord& s = m_schedule.shift(shift);
    const bool timed = userShift && s.paidLength > 0;
    auto plain = [](QString text) {
        return text.isEmpty() ? std::vector<TextRun>{} : std::vector<TextRun>{TextRun{text, -1}};
    };
    const QTime start = OleDate::toTime(s.startTime);
    const QTime end = OleDate::toTime(s.endTime);
    const QString& timeFormat = m_layout.cellTimeFormat();
    switch (item) {
    case kItemShiftDescription: {
        TextRun run = shiftText(cell);
        return run.text.isEmpty() ? std::vector<TextRun>{} : std::vector<TextRun>{run};
    }
    case kItemStartTime:
        return timed ? plain(formatTime(start, timeFormat)) : std::vector<TextRun>{};
    case kItemEndTime:
        return timed ? plain(formatTime(end, timeFormat)) : std::vector<TextRun>{};
    case kItemStartEndTime:
        return timed ? plain(formatTime(start, timeFormat) + QStringLiteral(" - ") +
                             formatTime(end, timeFormat))
                     : std::vector<TextRun>{};
    case kItemShiftLength:
        return timed ? plain(formatNumber(s.paidLength, u"#0.00")) : std::vector<TextRun>{};
    case kItemExplanation:
        return plain(explanationText(cell));
    case kItemNoteText:
    case kItemNoteText2Lines:
    case kItemNoteText3Lines:
        return plain(m_schedule.readNote(shownNote(cell)).trimmed());
    case kItemNoteStatus:
        return shownNote(cell) ? plain(reservedText(ShiftRecord::kNoteMark))
                               : std::vector<TextRun>{};
    case kItemOnCallStatus:
        return cell.onCall ? plain(reservedText(ShiftRecord::kOnCall)) : std::vector<TextRun>{};
    case kItemShiftAndExplanation: {
        std::vector<TextRun> runs;
        TextRun run = shiftText(cell);
        const QString explanation = explanationText(cell);
        if (!run.text.isEmpty()) {
            runs.push_back(run);
        }
        if (!explanation.isEmpty()) {
            if (!runs.empty()) {
                runs.push_back({QStringLiteral(","), -1});
            }
            runs.push_back({explanation, -1});
        }
        return runs;
    }
    default:
        return {};
    }
}

QString CellText::itemText(int item, const Cell& cell) const {
    return joined(itemRuns(item, cell));
}

CellContent CellText::content(const Cell& cell) const {
    CellContent c;
    const int shift = cell.shownShift();
    const bool hasNote = shownNote(cell) != 0;
    const bool hasExplanation = cell.shownExplanation() != 0;
    c.empty = shift == 0 && cell.onCall == 0 && !hasExplanation && !hasNote;
    if (c.empty) {
        return c;
    }
    const ViewLayout::Marks& marks = m_layout.marks();
    if (marks.enabled) {
        c.bell = marks.bell && cell.onCall != 0;
        const bool note = marks.noteBox && hasNote;
        const bool explanation = marks.explanationBox && hasExplanation;
        c.box = note && explanation ? CellContent::Box::Green
                : note              ? CellContent::Box::Yellow
                : explanation       ? CellContent::Box::Blue
                                    : CellContent::Box::None;
        c.x = marks.x && shift == ShiftRecord::kOff;
        c.o = marks.o && shift >= 1 && shift <= ShiftRecord::kUserShifts;
        c.marksInline = marks.inline_;
    }
    for (const ViewLayout::Line& line : m_layout.lines()) {
        CellContent::Line out{line.first, line.lines, {}};
        for (const ViewLayout::Row& row : line.rows) {
            std::vector<TextRun> runs = itemRuns(row.item, cell);
            if (runs.empty()) {
                continue;
            }
            if (!out.runs.empty()) {
                out.runs.push_back({QStringLiteral(", "), -1});
            }
            out.runs.insert(out.runs.end(), runs.begin(), runs.end());
        }
        if (!out.runs.empty()) {
            c.lines.push_back(std::move(out));
        }
    }
    return c;
}

} // namespace kalmur
