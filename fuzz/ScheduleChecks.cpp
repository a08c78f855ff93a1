#include "ScheduleChecks.h"

#include "model/schedule/Schedule.h"

#include <array>
#include <cstdio>
#include <cstdlib>

namespace kalmur::fuzz {

void broken(const char* what, const QString& detail) {
    std::fprintf(stderr, "invariant broken: %s %s\n", what, qPrintable(detail));
    std::abort();
}

void checkOpenSchedule(const Schedule& s) {
    if (!s.isOpen()) {
        broken("the schedule is not open");
    }
    const int days = s.dayCount();
    if (days < 1) {
        broken("an open schedule has no days");
    }
    if (s.windowLength() < 1 || s.windowLength() > DayWindow::kMaxLength ||
        s.windowLength() > days) {
        broken("window length out of range", QString::number(s.windowLength()));
    }
    if (s.firstShownDay() < 0 || s.firstShownDay() + s.windowLength() > days) {
        broken("window outside the schedule", QString::number(s.firstShownDay()));
    }
    if (s.settings().firstShownDay != s.firstShownDay()) {
        broken("the settings record and the window disagree on the first day");
    }
    for (int k = 1; k <= s.windowLength(); ++k) {
        if (s.window().dayNumber(k) != s.firstShownDay() + k) {
            broken("window position holds the wrong day", QString::number(k));
        }
    }
    if (s.viewFormatNumber() < 1 || s.viewFormatNumber() > ViewFormat::kCount) {
        broken("current view format out of range");
    }
    std::array<bool, ScheduleSettings::kRows + 1> seen{};
    for (int row = 1; row <= ScheduleSettings::kRows; ++row) {
        const int slot = s.slotOfRow(row);
        if (slot < 1 || seen[static_cast<std::size_t>(slot)]) {
            broken("row order is not a permutation");
        }
        seen[static_cast<std::size_t>(slot)] = true;
    }
}

} // namespace kalmur::fuzz
