// Running a query: the candidates and their cells found by row order, the
// three filters, "[Notes]", and the note text of a saved query.
#include "model/criteria/QueryRun.h"
#include "model/codec/OleDate.h"
#include "model/schedule/Schedule.h"
#include "support/TempSchedule.h"

#include <gtest/gtest.h>

using namespace kalmur;

namespace {

using Found = std::vector<std::pair<int, int>>; // entry, days

// Four days from 1 January 1997. Entry 1 Adams (RN) has its cells in slot 2,
// entry 2 Baker (LPN) in slot 1, entry 3 is a divider, entry 4 Cole (rn) in
// slot 4. Shift 1 is a day shift, 100 time off, 0 no shift.
//
//            day 1        day 2             day 3                 day 4
//   Adams    1            1                 0, on call            100, explanation 3
//   Baker    2            0                 1, "Swap with Cole"   0, "Training"
//   Cole     0            2, on call        0                     1, "swap back"
struct Ward {
    TempWorkingDir w;
    Schedule s{w.path()};
    Ward() {
        s.loadSettings(QDate(1997, 1, 1));
        s.settings().startDate = OleDate::fromDate(QDate(1997, 1, 1));
        s.settings().endDate = OleDate::fromDate(QDate(1997, 1, 4));
        s.settings().viewFormatNumber = 3; // day 1 in memory, the others from the file
        EXPECT_TRUE(s.openAll());
        const char* names[] = {"Adams", "Baker", "/ Nights", "Cole"};
        const char* positions[] = {"RN", "LPN", "", "rn "};
        for (std::size_t i = 0; i < 4; ++i) {
            s.employees().names[i] = QString::fromLatin1(names[i]);
            s.employees().positions[i] = QString::fromLatin1(positions[i]);
        }
        s.settings().rowOrder[0] = 2;
        s.settings().rowOrder[1] = 1;
        s.settings().rowOrder[2] = 3;
        s.settings().rowOrder[3] = 4;
        put(2, 1, {1, 0, 0});
        put(2, 2, {1, 0, 0});
        put(2, 3, {0, 1, 0});
        put(2, 4, {100, 0, 3});
        put(1, 1, {2, 0, 0});
        put(1, 3, {1, 0, 0}, "Swap with Cole");
        put(1, 4, {0, 0, 0}, "Training");
        put(4, 2, {2, 1, 0});
        put(4, 4, {1, 0, 0}, "swap back");
        EXPECT_TRUE(s.flush());
    }
    void put(int slot, int day, Cell cell, const char* note = nullptr) {
        EXPECT_TRUE(s.setCellOfDay(slot, day, cell));
        if (note) {
            EXPECT_TRUE(s.writeNoteOfDay(slot, day, QString::fromLatin1(note)));
        }
    }
    Found run(const QueryRecord& q, bool notes = false, int first = 1, int last = 4) const {
        const auto result = QueryRun::run(s, q, notes, first, last);
        EXPECT_TRUE(result);
        Found found;
        for (const QueryRun::Found& f : result ? result->found : std::vector<QueryRun::Found>{}) {
            found.emplace_back(f.entry, f.days);
        }
        return found;
    }
};

struct QueryCase {
    const char* what;
    bool ignoreNames = true;
    std::vector<int> employeeSlots; // marks, by slot
    const char* position = nullptr; // check by position
    std::vector<int> explanations;  // empty: ignored
    std::vector<int> shifts;        // empty: ignored
    const char* noteText = "";
    Found found;
};

QueryRecord query(const QueryCase& c) {
    QueryRecord q = QueryRecord::undefined();
    q.criteria.title = QStringLiteral("Q1");
    q.criteria.ignoreNames = c.ignoreNames && !c.position;
    q.criteria.checkByPosition = c.position != nullptr;
    q.criteria.position = QString::fromLatin1(c.position ? c.position : "");
    for (int slot : c.employeeSlots) {
        q.criteria.employeeMarks[static_cast<std::size_t>(slot - 1)] = 1;
    }
    q.criteria.ignoreExplanations = c.explanations.empty();
    for (int n : c.explanations) {
        q.criteria.explanationMarks[static_cast<std::size_t>(n)] = 1;
    }
    q.criteria.ignoreShifts = c.shifts.empty();
    for (int n : c.shifts) {
        q.criteria.shiftMarks[static_cast<std::size_t>(n)] = 1;
    }
    q.noteText = QString::fromLatin1(c.noteText);
    return q;
}

} // namespace

TEST(QueryRun, SavedQueriesCountTheMatchingDaysOfEachEmployee) {
    const QueryCase cases[] = {
        {"ignoring everything finds nothing", true, {}, nullptr, {}, {}, "", {}},
        {"Not Scheduled is shift mark 0", true, {}, nullptr, {}, {0}, "", {{1, 1}, {2, 2}, {4, 2}}},
        {"on call only", true, {}, nullptr, {}, {101}, "", {{1, 1}, {4, 1}}},
        {"time off", true, {}, nullptr, {}, {100}, "", {{1, 1}}},
        {"an explanation", true, {}, nullptr, {3}, {}, "", {{1, 1}}},
        // The mark of Baker (entry 2) is at its row order, slot 1.
        {"marked employees by row order", false, {1}, nullptr, {}, {1}, "", {{2, 1}}},
        {"by position, ignoring case and blanks", true, {}, "rn", {}, {1}, "", {{1, 2}, {4, 1}}},
        {"a note text alone finds notes holding it",
         true,
         {},
         nullptr,
         {},
         {},
         "SWAP",
         {{2, 1}, {4, 1}}},
        {"a note text narrows the other filters", false, {4}, nullptr, {}, {1}, "swap", {{4, 1}}},
        {"a note text no note holds", true, {}, nullptr, {}, {}, "holiday", {}},
    };
    const Ward ward;
    for (const QueryCase& c : cases) {
        EXPECT_EQ(ward.run(query(c)), c.found) << c.what;
    }
}

TEST(QueryRun, NotesFindsTheCellsWithANoteOverTheDaysAsked) {
    Ward ward;
    EXPECT_EQ(ward.run(QueryRun::notesQuery(), true), (Found{{2, 2}, {4, 1}}));
    EXPECT_EQ(ward.run(QueryRun::notesQuery(), true, 1, 2), Found{});
    EXPECT_EQ(ward.run(QueryRun::notesQuery(), true, 3, 9), (Found{{2, 2}, {4, 1}}));
    // A note emptied keeps its record under a negative number: no note.
    ASSERT_TRUE(ward.s.writeNoteOfDay(1, 4, QStringLiteral("  ")));
    EXPECT_EQ(ward.run(QueryRun::notesQuery(), true), (Found{{2, 1}, {4, 1}}));

    ASSERT_TRUE(ward.s.writeQuery(2, query({"notes", true, {}, nullptr, {}, {}, "swap", {}})));
    const auto saved = QueryRun::run(ward.s, 2, 1, 4);
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->title, QStringLiteral("Q1"));
    EXPECT_FALSE(saved->notesMode);
    ASSERT_EQ(saved->found.size(), 2U);
    EXPECT_EQ(saved->found[0], (QueryRun::Found{2, QStringLiteral("Baker"), 1}));
    const auto notes = QueryRun::run(ward.s, QueryRun::kNotes, 1, 4);
    ASSERT_TRUE(notes);
    EXPECT_EQ(notes->title, QStringLiteral("Notes"));
    EXPECT_TRUE(notes->notesMode);
    EXPECT_FALSE(QueryRun::run(ward.s, 11, 1, 4));
}
