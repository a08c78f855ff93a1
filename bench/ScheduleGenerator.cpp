#include "ScheduleGenerator.h"

#include "model/codec/OleDate.h"
#include "model/schedule/Presets.h"
#include "model/schedule/Schedule.h"
#include "tool/ToolSession.h"

#include <QFile>
#include <QTime>

#include <array>
#include <vector>

namespace kalmur {

namespace {

struct ShiftDefinition {
    const char* description;
    const char* abbreviation;
    int startHour;
    int startMinute;
    int endHour;
    int endMinute;
    float breakHours;
    int colour;
    char key;
};

// The shifts of a ward that runs around the clock.
constexpr ShiftDefinition kShifts[] = {
    {"Day", "D", 7, 0, 15, 0, 0.5f, 9, 'D'},
    {"Evening", "E", 15, 0, 23, 0, 0.5f, 10, 'E'},
    {"Night", "N", 23, 0, 7, 0, 0.5f, 1, 'N'},
    {"Day 12h", "D12", 7, 0, 19, 0, 1.0f, 11, 'T'},
    {"Night 12h", "N12", 19, 0, 7, 0, 1.0f, 5, 'U'},
    {"Early", "ER", 6, 0, 14, 0, 0.5f, 14, 'R'},
    {"Late", "L", 12, 0, 20, 0, 0.5f, 13, 'L'},
    {"Mid", "M", 10, 0, 18, 0, 0.5f, 3, 'M'},
    {"Half AM", "HA", 7, 0, 11, 0, 0.0f, 2, 'A'},
    {"Half PM", "HP", 11, 0, 15, 0, 0.0f, 6, 'P'},
    {"Charge Day", "CD", 7, 0, 15, 30, 0.5f, 4, 'C'},
    {"Charge Night", "CN", 23, 0, 7, 30, 0.5f, 8, 'K'},
    {"Orientation", "OR", 8, 0, 16, 30, 0.5f, 7, 'O'},
    {"Class", "CL", 8, 0, 12, 0, 0.0f, 15, 'S'},
};
constexpr int kShiftCount = static_cast<int>(std::size(kShifts));

// Added to the eleven explanations every new schedule has.
constexpr const char* kExtraExplanations[][2] = {
    {"Jury Duty", "l"}, {"Bereavement", "m"}, {"Float", "n"}, {"Union Leave", "o"}};
constexpr int kExplanationCount = 11 + static_cast<int>(std::size(kExtraExplanations));

constexpr const char* kFirstNames[] = {
    "Anna",  "Ben",    "Carla", "David", "Elena", "Frank", "Grace", "Hugo",  "Ines", "Jonas",
    "Karin", "Leo",    "Maria", "Nils",  "Olga",  "Paul",  "Rita",  "Simon", "Tara", "Uwe",
    "Vera",  "Walter", "Xenia", "Yusuf", "Zoe",   "Amir",  "Beth",  "Chen",  "Dora", "Emil"};
constexpr const char* kSurnames[] = {
    "Abbott", "Baker",  "Castro", "Dunn",   "Ellis",  "Fischer", "Garcia", "Hale",   "Ibsen",
    "Jensen", "Keller", "Lopez",  "Moreau", "Novak",  "Ortiz",   "Peters", "Quinn",  "Rossi",
    "Schulz", "Tanaka", "Ulrich", "Vance",  "Weber",  "Young",   "Zimmer", "Adler",  "Brandt",
    "Costa",  "Dietz",  "Engel",  "Falk",   "Gruber", "Horn",    "Jaeger", "Krause", "Lang",
    "Meyer",  "Nagel",  "Olsen",  "Pohl",   "Reed",   "Stone",   "Thorne", "Voss",   "Wolf",
    "Bauer",  "Crane",  "Dalton", "Frost"};
constexpr const char* kPositions[] = {"RN",  "RN",  "RN",    "LPN",  "LPN",
                                      "CNA", "CNA", "Clerk", "Tech", "Charge RN"};

constexpr const char* kNoteStarts[] = {"Swap with ",         "Covers for ",  "Training with ",
                                       "Orientation by ",    "Trade with ",  "Called in for ",
                                       "Leaves early, see ", "Meeting with "};
constexpr const char* kNoteEnds[] = {"",
                                     " - approved",
                                     " (per manager)",
                                     ", room 4",
                                     " 13:00-15:00",
                                     ", confirm by phone",
                                     " until 11:00",
                                     " - pending"};

// The coverage lines of the six-week view: shifts counted by kind, one
// position, on-call marks and absences.
struct CoverageDefinition {
    const char* title;
    std::array<int, 10> shifts;       // ends at the first 0; none: any shift
    std::array<int, 10> explanations; // ends at the first 0; none: any explanation
    const char* position;             // counted by position when set
};
constexpr CoverageDefinition kCoverage[] = {
    {"Day shifts", {1, 4, 6, 8, 11}, {}, nullptr},
    {"Evening shifts", {2, 7, 10}, {}, nullptr},
    {"Night shifts", {3, 5, 12}, {}, nullptr},
    {"RN on duty", {1, 2, 3, 4, 5, 6, 7, 8, 11, 12}, {}, "RN"},
    {"On call", {ShiftRecord::kOnCall}, {}, nullptr},
    {"Vacation or sick", {}, {2, 3}, nullptr},
};

double clockTime(int hour, int minute) {
    return OleDate::fromTime(QTime(hour, minute));
}

} // namespace

ScheduleGenerator::ScheduleGenerator(Options options)
    : m_options(options)
    , m_state(options.seed) {
}

// splitmix64: small, fast, and the same on every platform.
std::uint64_t ScheduleGenerator::next() {
    std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

int ScheduleGenerator::below(int bound) {
    return bound <= 0 ? 0 : static_cast<int>(next() % static_cast<std::uint64_t>(bound));
}

QString ScheduleGenerator::writeArchive(const QString& path) {
    QFile::remove(path);
    ToolSession session;
    if (QString e = session.create(path, m_options.start, m_options.end); !e.isEmpty()) {
        return e;
    }
    if (!fill(session.schedule())) {
        return QStringLiteral("cannot fill the schedule: ") + session.schedule().errorString();
    }
    return session.save();
}

void ScheduleGenerator::defineTables(Schedule& s) {
    EmployeeTable& e = s.employees();
    const int employees = std::clamp(m_options.employees, 0, EmployeeTable::kRows);
    for (int r = 0; r < employees; ++r) {
        const auto i = static_cast<std::size_t>(r);
        e.names[i] = QString::fromLatin1(kSurnames[below(std::size(kSurnames))]) +
                     QStringLiteral(", ") +
                     QString::fromLatin1(kFirstNames[below(std::size(kFirstNames))]);
        e.positions[i] = QString::fromLatin1(kPositions[below(std::size(kPositions))]);
        e.payRate[i] = (18 + below(28)) * 10000 + below(4) * 2500;
        e.payType[i] = below(20) == 0 ? 1 : 0;
    }

    for (int n = 1; n <= kShiftCount; ++n) {
        const ShiftDefinition& d = kShifts[n - 1];
        ShiftRecord& shift = s.shifts()[static_cast<std::size_t>(n - 1)];
        shift.description = QString::fromLatin1(d.description);
        shift.abbreviation = QString::fromLatin1(d.abbreviation);
        shift.startTime = clockTime(d.startHour, d.startMinute);
        shift.endTime = clockTime(d.endHour, d.endMinute);
        shift.colour = static_cast<std::int16_t>(d.colour);
        shift.quickKey = static_cast<std::uint8_t>(d.key);
        shift.breakLength = d.breakHours;
        int minutes = (d.endHour * 60 + d.endMinute) - (d.startHour * 60 + d.startMinute);
        if (minutes <= 0) {
            minutes += 24 * 60;
        }
        shift.paidLength = static_cast<float>(minutes) / 60.0f - d.breakHours;
    }
    m_counts.definedShifts = kShiftCount;

    ExplanationTable& x = s.explanations();
    for (std::size_t k = 0; k < std::size(kExtraExplanations); ++k) {
        x.descriptions[11 + k] = QString::fromLatin1(kExtraExplanations[k][0]);
        x.abbreviations[11 + k] = QString::fromLatin1(kExtraExplanations[k][1]);
    }
    x.quickKeys[1] = 'V' + 100; // Vacation: SHIFT-V
    x.quickKeys[2] = 'S' + 100; // Sick: SHIFT-S
    m_counts.definedExplanations = kExplanationCount;
}

ViewFormat ScheduleGenerator::sixWeekView() {
    ViewFormat v = Presets::viewFormat(Presets::ViewPreset::TwentyEightDay);
    v.name = QStringLiteral("Six Weeks");
    v.daysOnScreen = ViewFormat::kMaxDaysOnScreen;
    v.reportSetup.title = QStringLiteral("Six Weeks");
    v.coverageVisible = static_cast<std::int16_t>(std::size(kCoverage));
    for (std::size_t l = 0; l < std::size(kCoverage); ++l) {
        const CoverageDefinition& d = kCoverage[l];
        CoverageLine& line = v.coverageLines[l];
        line.title = QString::fromLatin1(d.title);
        line.ignoreNames = d.position == nullptr;
        line.checkByPosition = d.position != nullptr;
        line.position = d.position ? QString::fromLatin1(d.position) : QString();
        line.ignoreShifts = d.shifts[0] == 0;
        line.ignoreExplanations = d.explanations[0] == 0;
        for (int n : d.shifts) {
            if (n > 0 && n < int(line.shiftMarks.size())) {
                line.shiftMarks[static_cast<std::size_t>(n)] = 1;
            }
        }
        for (int n : d.explanations) {
            if (n > 0 && n < int(line.explanationMarks.size())) {
                line.explanationMarks[static_cast<std::size_t>(n)] = 1;
            }
        }
    }
    return v;
}

bool ScheduleGenerator::writeDays(Schedule& s) {
    const int days = s.dayCount();
    const int employees = std::clamp(m_options.employees, 0, DayRecord::kSlots);
    m_counts.days = days;
    m_counts.cells = std::int64_t(days) * employees;

    // Each employee has a usual shift, a second one and two usual days off a
    // week; on a usual day off the cell says "off" now and then.
    struct Habit {
        int primary;
        int secondary;
        int offA;
        int offB;
    };
    std::vector<Habit> habits(static_cast<std::size_t>(employees));
    for (Habit& h : habits) {
        h.primary = 1 + below(kShiftCount);
        h.secondary = 1 + below(kShiftCount);
        h.offA = below(7);
        h.offB = (h.offA + 1 + below(6)) % 7;
    }
    constexpr int kOffOnRestDayPermille = 300;
    const int workdayPermille =
        std::clamp((m_options.shiftPermille * 7 - 2 * kOffOnRestDayPermille) / 5, 0, 1000);

    // Which cells get a note, and its number (note 1 stays the blank note of
    // a new schedule; numbers are handed out in the order the cells are
    // picked, as a user adds them over time).
    const std::int64_t cells = m_counts.cells;
    const std::int64_t wanted =
        std::clamp<std::int64_t>(m_options.notes, 0, std::min<std::int64_t>(cells, kMaxNotes - 1));
    std::vector<std::int16_t> noteOf(static_cast<std::size_t>(cells), 0);
    QStringList notes{QString()};
    while (std::int64_t(notes.size()) - 1 < wanted) {
        const auto cell = static_cast<std::size_t>(next() % static_cast<std::uint64_t>(cells));
        if (noteOf[cell] != 0) {
            continue;
        }
        noteOf[cell] = static_cast<std::int16_t>(notes.size() + 1);
        const int other = below(EmployeeTable::kRows);
        notes.append(QString::fromLatin1(kNoteStarts[below(std::size(kNoteStarts))]) +
                     s.employees().names[static_cast<std::size_t>(other)].trimmed() +
                     QString::fromLatin1(kNoteEnds[below(std::size(kNoteEnds))]));
    }
    m_counts.withNote = wanted;
    if (!s.replaceNotes(notes)) {
        return false;
    }

    const int firstWeekday = s.startDate().dayOfWeek() % 7;
    for (int d = 1; d <= days; ++d) {
        const int weekday = (firstWeekday + d - 1) % 7;
        DayRecord day;
        for (int slot = 1; slot <= employees; ++slot) {
            const auto i = static_cast<std::size_t>(slot - 1);
            const Habit& h = habits[i];
            const int roll = below(1000);
            if (weekday == h.offA || weekday == h.offB) {
                day.shift[i] = roll < kOffOnRestDayPermille ? ShiftRecord::kOff : 0;
            } else if (roll < workdayPermille) {
                const int pick = below(100);
                day.shift[i] = static_cast<std::uint8_t>(
                    pick < 80 ? h.primary : (pick < 95 ? h.secondary : 1 + below(kShiftCount)));
            }
            if (below(1000) < m_options.onCallPermille) {
                day.onCall[i] = 1;
            }
            if (below(1000) < m_options.explanationPermille) {
                // Vacation and sickness are the common reasons.
                const int pick = below(10);
                day.explanation[i] = static_cast<std::uint8_t>(
                    pick < 4 ? 2 : (pick < 7 ? 3 : 1 + below(kExplanationCount)));
            }
            day.note[i] =
                noteOf[static_cast<std::size_t>(std::int64_t(d - 1) * employees + slot - 1)];
            m_counts.withShift += day.shift[i] != 0 ? 1 : 0;
            m_counts.onCall += day.onCall[i] != 0 ? 1 : 0;
            m_counts.withExplanation += day.explanation[i] != 0 ? 1 : 0;
        }
        if (!s.writeDay(d, day)) {
            return false;
        }
    }
    return true;
}

bool ScheduleGenerator::fill(Schedule& s) {
    m_counts = Counts{};
    defineTables(s);
    if (!s.writeEmployees() || !s.writeShifts() || !s.writeExplanations()) {
        return false;
    }
    if (!writeDays(s)) {
        return false;
    }
    // A ward's file is usually looked at in its widest view.
    if (!s.writeViewFormat(kSixWeekView, sixWeekView()) || !s.selectViewFormat(kSixWeekView)) {
        return false;
    }
    // Open at a date in the middle, as a ward's file usually is.
    return s.loadWindow(s.dayCount() / 2);
}

} // namespace kalmur
