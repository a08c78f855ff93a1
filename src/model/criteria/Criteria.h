#pragma once

#include "model/records/Cell.h"
#include "model/records/CoverageLine.h"
#include "model/records/DayRecord.h"
#include "model/records/EmployeeTable.h"
#include "model/records/QueryRecord.h"
#include "model/records/ViewFormat.h"

#include <array>
#include <vector>

namespace kalmur {

// What a coverage line or a stored query looks for: which rows (every named
// row, the rows of one position, or the marked employees) and which of their
// cells (by explanation and by shift, and for the built-in notes query by
// note). Plain rules: the caller brings the employee table, the slot of each
// row and the cells.
class Criteria {
public:
    explicit Criteria(const CoverageLine& line);
    // A stored query. With a note text it also asks for a note (a record of a
    // note file holding `noteCount` notes); whether the note holds the text is
    // for the caller to check, reading only the notes of matching cells.
    Criteria(const QueryRecord& query, int noteCount);
    // The built-in query for notes: every named row, any shift and explanation,
    // cells whose note is a record of a note file holding `noteCount` notes.
    static Criteria notes(int noteCount);
    // The first `lines` coverage lines of a view format (at most all of them).
    static std::vector<Criteria> coverage(const ViewFormat& format, int lines);

    // Criteria that ignore names, explanations and shifts alike (a line never
    // set up) count nothing; the notes query and a query with a note text
    // count all the same.
    bool countsAnything() const;
    // The text a matching cell's note must contain (ignoring case); empty when
    // notes are not searched.
    const QString& noteText() const { return m_noteText; }
    // Whether display row `row`, whose cells are those of `slot`, is picked.
    // Only named rows are; then every one when names are ignored, by position
    // (ignoring case and surrounding blanks) when checking by position, and
    // otherwise by the employee mark at the slot.
    bool rowMatches(const EmployeeTable& employees, int row, int slot) const;
    // Whether a cell of a picked row counts: its explanation is marked (0 is
    // none) unless explanations are ignored, and its shift is marked (0 is "Not
    // Scheduled", 100 time off) or it is on call and mark 101 is set, unless
    // shifts are ignored. Stored codes count as what the cell shows.
    bool cellMatches(const Cell& cell) const;

private:
    friend class CellMatcher;
    CoverageLine m_line;
    int m_noteCount = -1; // below 0: notes do not matter
    QString m_noteText;
};

// Criteria::cellMatches worked out once into a table per field, for counting
// many cells: a day of the ten-year schedule is 200 lookups per line.
class CellMatcher {
public:
    explicit CellMatcher(const Criteria& criteria);
    // Whether the cell at `index` (slot - 1) of `day` matches.
    bool matches(const DayRecord& day, std::size_t index) const {
        const std::int16_t note = day.note[index];
        return m_explanation[day.explanation[index]] &&
               (m_shift[day.shift[index]] || (day.onCall[index] != 0 && m_onCall)) &&
               (m_noteCount < 0 || (note > 0 && note <= m_noteCount));
    }

    // The parts of `matches`, for combining many lines into one pass.
    bool shiftPasses(std::uint8_t code) const { return m_shift[code]; }
    bool explanationPasses(std::uint8_t code) const { return m_explanation[code]; }
    bool onCallPasses() const { return m_onCall; }
    bool needsNote() const { return m_noteCount >= 0; }

private:
    std::array<bool, 256> m_shift{};
    std::array<bool, 256> m_explanation{};
    bool m_onCall = false;
    int m_noteCount = -1;
};

} // namespace kalmur
