#pragma once

#include "model/records/ViewFormat.h"

#include <QDate>
#include <QString>

#include <cstdint>

namespace kalmur {

class Schedule;

// Builds a large schedule that looks like a real ward's: named employees on
// their usual shifts with days off, on-call marks, explanations and notes
// spread over the whole range, shown in a six-week view with coverage lines.
// The same seed always gives the same schedule.
class ScheduleGenerator {
public:
    // The view format the schedule is left in: 42 days on screen, one text
    // line a cell, six coverage lines.
    static constexpr int kSixWeekView = 4;
    static ViewFormat sixWeekView();

    struct Options {
        QDate start = QDate(2020, 1, 1);
        QDate end = QDate(2029, 12, 31); // 3,653 days
        int employees = 200;
        int shiftPermille = 600;       // cells with a shift (days off included)
        int onCallPermille = 50;       // cells marked on call
        int explanationPermille = 30;  // cells with an explanation
        int notes = 5000;              // cells with a note
        std::uint64_t seed = 20240611; // any value; fixes the whole schedule
    };

    // What was written, counted cell by cell.
    struct Counts {
        std::int64_t days = 0;
        std::int64_t cells = 0;
        std::int64_t withShift = 0;
        std::int64_t onCall = 0;
        std::int64_t withExplanation = 0;
        std::int64_t withNote = 0;
        int definedShifts = 0;
        int definedExplanations = 0;
    };

    explicit ScheduleGenerator(Options options);

    // Creates the archive at path (replacing what is there) the way the
    // program saves a new schedule. Empty on success, otherwise the message.
    QString writeArchive(const QString& path);
    // Fills an open schedule whose dates are already set.
    bool fill(Schedule& schedule);

    const Counts& counts() const { return m_counts; }

private:
    std::uint64_t next();
    int below(int bound);
    int below(std::size_t bound) { return below(static_cast<int>(bound)); }
    void defineTables(Schedule& schedule);
    bool writeDays(Schedule& schedule);

    Options m_options;
    std::uint64_t m_state;
    Counts m_counts;
};

} // namespace kalmur
