#pragma once

#include "model/records/Cell.h"
#include "model/records/CoverageLine.h"
#include "model/records/EmployeeTable.h"
#include "model/records/QueryRecord.h"
#include "model/records/ViewFormat.h"

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
    // A stored query's note text is kept with it but does not restrict a run.
    explicit Criteria(const QueryRecord& query);
    // The built-in query for notes: every named row, any shift and explanation,
    // cells whose note is a record of a note file holding `noteCount` notes.
    static Criteria notes(int noteCount);
    // The first `lines` coverage lines of a view format (at most all of them).
    static std::vector<Criteria> coverage(const ViewFormat& format, int lines);

    // Criteria that ignore names, explanations and shifts alike (a line never
    // set up) count nothing; the notes query counts all the same.
    bool countsAnything() const;
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
    CoverageLine m_line;
    int m_noteCount = -1; // below 0: notes do not matter
};

} // namespace kalmur
