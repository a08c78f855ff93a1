#include "QueryRun.h"

#include "Criteria.h"
#include "MatchCounts.h"
#include "model/records/NoteRecord.h"
#include "model/schedule/DayRange.h"
#include "model/schedule/Schedule.h"

#include <array>
#include <span>

namespace kalmur::QueryRun {

QueryRecord notesQuery() {
    QueryRecord q = QueryRecord::undefined();
    q.criteria.title = QStringLiteral("Notes");
    return q;
}

std::optional<QueryRecord> load(const Schedule& schedule, int number) {
    if (number == kNotes) {
        return notesQuery();
    }
    return schedule.readQuery(number);
}

namespace {

// Whether note n holds the text; each note is decoded once, when first asked,
// from the note file read whole on the first question.
class NoteSearch {
public:
    NoteSearch(const Schedule& schedule, QString text, int noteCount)
        : m_schedule(schedule)
        , m_text(std::move(text))
        , m_known(static_cast<std::size_t>(noteCount) + 1, kUnknown) {}

    bool holds(std::int16_t note) {
        if (note < 1 || static_cast<std::size_t>(note) >= m_known.size()) {
            return false;
        }
        std::int8_t& known = m_known[static_cast<std::size_t>(note)];
        if (known == kUnknown) {
            if (!m_loaded) {
                m_images = m_schedule.noteImages();
                m_loaded = true;
            }
            const std::size_t at = static_cast<std::size_t>(note - 1) * NoteRecord::fileSize;
            const QString text =
                at + NoteRecord::fileSize <= m_images.size()
                    ? NoteRecord::fromBytes(std::span(m_images).subspan(at, NoteRecord::fileSize))
                          .text
                    : m_schedule.readNote(note);
            known = text.contains(m_text, Qt::CaseInsensitive) ? 1 : 0;
        }
        return known == 1;
    }

private:
    static constexpr std::int8_t kUnknown = -1;
    const Schedule& m_schedule;
    QString m_text;
    std::vector<std::int8_t> m_known;
    std::vector<std::uint8_t> m_images;
    bool m_loaded = false;
};

Criteria criteriaOf(const QueryRecord& query, bool notesMode, int noteCount) {
    return notesMode ? Criteria::notes(noteCount) : Criteria(query, noteCount);
}

} // namespace

std::optional<Result> run(const Schedule& schedule, const QueryRecord& query, bool notesMode,
                          int firstDay, int lastDay) {
    const int noteCount = schedule.noteCount();
    const Criteria criteria = criteriaOf(query, notesMode, noteCount);
    const EmployeeTable& employees = schedule.employees();
    const DayRange range(schedule, firstDay, lastDay);
    Result result;
    result.query = query;
    result.title = notesMode ? notesQuery().criteria.title : query.criteria.title.trimmed();
    result.notesMode = notesMode;
    result.firstDay = range.first();
    result.lastDay = range.last();

    std::optional<std::array<int, EmployeeTable::kRows>> days;
    if (criteria.noteText().isEmpty()) {
        const auto counted =
            MatchCounts::perRow(criteria, employees, schedule.settings().rowOrder, range);
        if (counted) {
            days.emplace(*counted);
        }
    } else {
        const auto picked =
            MatchCounts::pickedRows(criteria, employees, schedule.settings().rowOrder);
        const CellMatcher matcher(criteria);
        NoteSearch search(schedule, criteria.noteText(), noteCount);
        std::array<int, EmployeeTable::kRows> counts{};
        const bool read = range.forEach([&](int, const DayRecord& day) {
            for (const MatchCounts::PickedRow& p : picked) {
                const auto s = static_cast<std::size_t>(p.slot - 1);
                if (matcher.matches(day, s) && search.holds(day.note[s])) {
                    ++counts[static_cast<std::size_t>(p.row - 1)];
                }
            }
        });
        if (read) {
            days.emplace(counts);
        }
    }
    if (!days) {
        return std::nullopt;
    }
    for (int e = 1; e <= EmployeeTable::kRows; ++e) {
        const int n = (*days)[static_cast<std::size_t>(e - 1)];
        if (n > 0) {
            result.found.push_back(
                {e, employees.names[static_cast<std::size_t>(e - 1)].trimmed(), n});
        }
    }
    return result;
}

std::optional<Result> run(const Schedule& schedule, int number, int firstDay, int lastDay) {
    const auto query = load(schedule, number);
    if (!query) {
        return std::nullopt;
    }
    auto result = run(schedule, *query, number == kNotes, firstDay, lastDay);
    if (result) {
        result->number = number;
    }
    return result;
}

std::optional<std::vector<std::vector<MatchedDay>>>
matchingDays(const Schedule& schedule, const Result& result, const std::vector<int>& entries) {
    const int noteCount = schedule.noteCount();
    const Criteria criteria = criteriaOf(result.query, result.notesMode, noteCount);
    const auto picked =
        MatchCounts::pickedRows(criteria, schedule.employees(), schedule.settings().rowOrder);
    // The slot (0-based) of each asked entry, or -1 when the query does not
    // pick it (it then has no matching day).
    std::vector<int> entrySlots(entries.size(), -1);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        for (const MatchCounts::PickedRow& p : picked) {
            if (p.row == entries[i]) {
                entrySlots[i] = p.slot - 1;
            }
        }
    }
    const CellMatcher matcher(criteria);
    NoteSearch search(schedule, criteria.noteText(), noteCount);
    const bool searchNotes = !criteria.noteText().isEmpty();
    std::vector<std::vector<MatchedDay>> days(entries.size());
    const DayRange range(schedule, result.firstDay, result.lastDay);
    const bool read = range.forEach([&](int dayNumber, const DayRecord& day) {
        for (std::size_t i = 0; i < entrySlots.size(); ++i) {
            if (entrySlots[i] < 0) {
                continue;
            }
            const auto s = static_cast<std::size_t>(entrySlots[i]);
            if (matcher.matches(day, s) && (!searchNotes || search.holds(day.note[s]))) {
                days[i].push_back({dayNumber, day.cell(entrySlots[i] + 1)});
            }
        }
    });
    if (!read) {
        return std::nullopt;
    }
    return days;
}

} // namespace kalmur::QueryRun
