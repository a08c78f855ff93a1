#include "CoverageTotals.h"

#include "CellText.h"

namespace kalmur {

bool CoverageTotals::counts(const CoverageLine& line) {
    return !(line.ignoreNames && line.ignoreExplanations && line.ignoreShifts);
}

bool CoverageTotals::rowMatches(const Schedule& s, const CoverageLine& line, int displayRow) {
    const auto r = static_cast<std::size_t>(displayRow - 1);
    const QString& name = s.employees().names[r];
    // Named rows only: blank rows and dividers ("/...") never count.
    if (name.isEmpty() || name[0].unicode() <= '/') {
        return false;
    }
    if (line.ignoreNames) {
        return true;
    }
    if (line.checkByPosition) {
        return s.employees().positions[r].trimmed().compare(line.position.trimmed(),
                                                            Qt::CaseInsensitive) == 0;
    }
    const int slot = s.slotOfRow(displayRow);
    return slot >= 1 && line.employeeMarks[static_cast<std::size_t>(slot - 1)] != 0;
}

bool CoverageTotals::cellMatches(const CoverageLine& line, const Cell& cell) {
    const bool explanation =
        line.ignoreExplanations || (cell.explanation < line.explanationMarks.size() &&
                                    line.explanationMarks[cell.explanation] != 0);
    const bool shift = line.ignoreShifts ||
                       (cell.shift < line.shiftMarks.size() && line.shiftMarks[cell.shift] != 0) ||
                       (cell.onCall != 0 && line.shiftMarks[ShiftRecord::kOnCall] != 0);
    return explanation && shift;
}

std::vector<std::vector<int>> CoverageTotals::count(const Schedule& s, int lines, int first,
                                                    int last) {
    const auto& format = s.viewFormat();
    lines = std::clamp(lines, 0, ViewFormat::kCoverageLines);
    const int days = std::max(0, last - first + 1);
    std::vector<std::vector<int>> totals(static_cast<std::size_t>(lines),
                                         std::vector<int>(static_cast<std::size_t>(days), 0));
    for (int l = 0; l < lines; ++l) {
        const CoverageLine& line = format.coverageLines[static_cast<std::size_t>(l)];
        if (!counts(line)) {
            continue;
        }
        for (int row = 1; row <= ScheduleSettings::kRows; ++row) {
            if (!rowMatches(s, line, row)) {
                continue;
            }
            const int slot = s.slotOfRow(row);
            for (int k = first; k <= last; ++k) {
                if (cellMatches(line, s.cell(slot, k))) {
                    ++totals[static_cast<std::size_t>(l)][static_cast<std::size_t>(k - first)];
                }
            }
        }
    }
    return totals;
}

} // namespace kalmur
