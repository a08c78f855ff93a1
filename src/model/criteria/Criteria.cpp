#include "Criteria.h"

#include "model/records/DayRecord.h"

#include <algorithm>

namespace kalmur {

Criteria::Criteria(const CoverageLine& line)
    : m_line(line) {
}

Criteria::Criteria(const QueryRecord& query, int noteCount)
    : m_line(query.criteria)
    , m_noteText(query.noteText.trimmed()) {
    if (!m_noteText.isEmpty()) {
        m_noteCount = std::max(noteCount, 0);
    }
}

Criteria Criteria::notes(int noteCount) {
    Criteria c(CoverageLine::undefined());
    c.m_noteCount = std::max(noteCount, 0);
    return c;
}

std::vector<Criteria> Criteria::coverage(const ViewFormat& format, int lines) {
    std::vector<Criteria> criteria;
    for (int l = 0; l < std::clamp(lines, 0, ViewFormat::kCoverageLines); ++l) {
        criteria.emplace_back(format.coverageLines[static_cast<std::size_t>(l)]);
    }
    return criteria;
}

bool Criteria::countsAnything() const {
    return m_noteCount >= 0 ||
           !(m_line.ignoreNames && m_line.ignoreExplanations && m_line.ignoreShifts);
}

bool Criteria::rowMatches(const EmployeeTable& employees, int row, int slot) const {
    if (!employees.isNamed(row) || slot < 1 || slot > DayRecord::kSlots) {
        return false;
    }
    if (m_line.ignoreNames) {
        return true;
    }
    if (m_line.checkByPosition) {
        return employees.positions[static_cast<std::size_t>(row - 1)].trimmed().compare(
                   m_line.position.trimmed(), Qt::CaseInsensitive) == 0;
    }
    return m_line.employeeMarks[static_cast<std::size_t>(slot - 1)] != 0;
}

bool Criteria::cellMatches(const Cell& cell) const {
    const auto marked = [](const auto& marks, int code) {
        return marks[static_cast<std::size_t>(code)] != 0;
    };
    const bool explanation =
        m_line.ignoreExplanations || marked(m_line.explanationMarks, cell.shownExplanation());
    const bool shift = m_line.ignoreShifts || marked(m_line.shiftMarks, cell.shownShift()) ||
                       (cell.onCall != 0 && marked(m_line.shiftMarks, ShiftRecord::kOnCall));
    const bool note = m_noteCount < 0 || cell.shownNote(m_noteCount) != 0;
    return explanation && shift && note;
}

CellMatcher::CellMatcher(const Criteria& criteria)
    : m_noteCount(criteria.m_noteCount) {
    const CoverageLine& line = criteria.m_line;
    for (int code = 0; code < 256; ++code) {
        Cell cell;
        cell.shift = static_cast<std::uint8_t>(code);
        cell.explanation = static_cast<std::uint8_t>(code);
        const auto at = static_cast<std::size_t>(code);
        m_shift[at] =
            line.ignoreShifts || line.shiftMarks[static_cast<std::size_t>(cell.shownShift())] != 0;
        m_explanation[at] =
            line.ignoreExplanations ||
            line.explanationMarks[static_cast<std::size_t>(cell.shownExplanation())] != 0;
    }
    m_onCall = line.ignoreShifts || line.shiftMarks[ShiftRecord::kOnCall] != 0;
}

} // namespace kalmur
