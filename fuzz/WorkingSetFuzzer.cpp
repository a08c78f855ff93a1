// Arbitrary bytes as the eight member files of a working set, through open
// all, the day window (load, edits, moves both ways), flush and the rebuild for
// a new date range.
//
// Input layout (little-endian):
//   8 x u16   byte length of each member, in the order of kMembers; 0xFFFF
//             leaves the member out (a length past the end takes what is left)
//   i16       first shown day asked of the window
//   u8, u8    moves one day later, then moves one day earlier (each modulo
//             kMaxMoves)
//   u8        slot (1 to 200) whose cells are edited; u8 edit value
//   u8        view format to select (1 to 5; anything else keeps the current)
//   i16, i16  days added to the start and to the end for the rebuild
//   ...       the member bytes, one after the other
//
// Every edit is remembered, and what the day file holds after the flush and
// after the rebuild is compared with it.

#include "FuzzInput.h"
#include "FuzzScratch.h"
#include "ScheduleChecks.h"

#include "model/schedule/DayRange.h"
#include "model/schedule/FixedRecordFile.h"
#include "model/schedule/Members.h"
#include "model/schedule/Schedule.h"

#include <QFileInfo>
#include <QLocale>

#include <algorithm>
#include <array>
#include <cstdint>
#include <map>
#include <vector>

using namespace kalmur;
using fuzz::broken;

namespace {

fuzz::FuzzScratch* scratch = nullptr;
const QDate kToday(2024, 3, 15);
constexpr std::uint16_t kAbsent = 0xFFFF;
// Moves each way: more than a window's length (at most 42 days) takes every
// position through a load and a write; further moves only repeat that.
constexpr int kMaxMoves = 64;

struct Controls {
    int first = 0;
    int later = 0;
    int earlier = 0;
    int slot = 1;
    std::uint8_t value = 0;
    int viewFormat = 0;
    int startShift = 0;
    int endShift = 0;
};

// Day number -> shift value written into the edited slot.
using Edits = std::map<int, std::uint8_t>;

Controls readControls(fuzz::FuzzInput& in) {
    Controls c;
    c.first = in.i16();
    c.later = in.u8() % kMaxMoves;
    c.earlier = in.u8() % kMaxMoves;
    c.slot = in.u8() % DayRecord::kSlots + 1;
    c.value = in.u8();
    c.viewFormat = in.u8();
    c.startShift = in.i16();
    c.endShift = in.i16();
    return c;
}

void edit(Schedule& s, const Controls& c, int position, Edits& edits) {
    const int day = s.window().dayNumber(position);
    if (day < 1) {
        broken("edit outside the window");
    }
    const auto value = static_cast<std::uint8_t>(c.value + day);
    s.setShift(c.slot, position, value);
    if (!s.window().isDirty(position) || !s.isModified()) {
        broken("an edit left no dirty flag");
    }
    edits[day] = value;
}

// The cell at window position k agrees with the edits made so far.
void checkPosition(const Schedule& s, const Controls& c, const Edits& edits, int k) {
    if (s.window().dayNumber(k) != s.firstShownDay() + k) {
        broken("window position holds the wrong day", QString::number(k));
    }
    const auto it = edits.find(s.window().dayNumber(k));
    if (it != edits.end() && s.cell(c.slot, k).shift != it->second) {
        broken("an edited cell lost its value in the window", QString::number(it->first));
    }
}

// The whole window agrees with the edits made so far.
void checkWindow(const Schedule& s, const Controls& c, const Edits& edits) {
    fuzz::checkOpenSchedule(s);
    for (int k = 1; k <= s.windowLength(); ++k) {
        checkPosition(s, c, edits, k);
    }
}

// The day file itself (not the window) holds every edit.
void checkDayFile(const QString& work, const Controls& c, const Edits& edits, int offset,
                  int dayCount) {
    if (edits.empty()) {
        return;
    }
    FixedRecordFile days;
    if (!days.open(memberPath(work, Member::Days), DayRecord::fileSize)) {
        broken("cannot open the day file");
    }
    // The edited days are one run of dates: read with one call.
    const int first = std::max(1, edits.begin()->first - offset);
    const int last = std::min(dayCount, edits.rbegin()->first - offset);
    if (first > last) {
        return;
    }
    static std::vector<std::uint8_t> images;
    images.resize(std::size_t(last - first + 1) * DayRecord::fileSize);
    if (!days.readRecords(first, last - first + 1, images)) {
        broken("cannot read the day file");
    }
    for (const auto& [day, value] : edits) {
        const int now = day - offset;
        if (now >= first && now <= last &&
            images[std::size_t(now - first) * DayRecord::fileSize + std::size_t(c.slot - 1)] !=
                value) {
            broken("an edit did not reach the day file", QString::number(now));
        }
    }
}

// After a rebuild: one record per day, no temporary member left, and every
// positive note number names a record of the note file. The note numbers are
// checked on the days at both ends and on the edited days (all of them would
// make long schedules slow to fuzz).
void checkRebuilt(const Schedule& s, const QString& work, const Edits& edits, int offset) {
    if (QFileInfo(memberPath(work, Member::Days)).size() !=
        std::int64_t(s.dayCount()) * std::int64_t(DayRecord::fileSize)) {
        broken("the rebuilt day file has the wrong length");
    }
    if (QFileInfo(memberPath(work, kRebuildDaysName)).exists() ||
        QFileInfo(memberPath(work, kRebuildNotesName)).exists()) {
        broken("a temporary member was left behind");
    }
    const int notes = s.noteCount();
    const auto checkDays = [&](int first, int last) {
        const bool read = DayRange(s, first, last).forEach([&](int d, const DayRecord& day) {
            for (const std::int16_t note : day.note) {
                if (note > notes) {
                    broken("a rebuilt day refers to a missing note", QString::number(d));
                }
            }
        });
        if (!read) {
            broken("cannot read a rebuilt day");
        }
    };
    constexpr int kEnds = 48;
    checkDays(1, std::min(kEnds, s.dayCount()));
    checkDays(std::max(kEnds + 1, s.dayCount() - kEnds + 1), s.dayCount());
    // The edited days are one run of dates.
    if (!edits.empty()) {
        checkDays(edits.begin()->first - offset, edits.rbegin()->first - offset);
    }
}

bool fitsOleRange(QDate date) {
    return date.isValid() && date.year() >= 100 && date.year() <= 9999;
}

void run(fuzz::FuzzInput& in, const QString& work) {
    std::array<std::uint16_t, kMembers.size()> lengths{};
    for (auto& length : lengths) {
        length = in.u16();
    }
    const Controls c = readControls(in);
    for (std::size_t m = 0; m < kMembers.size(); ++m) {
        if (lengths[m] == kAbsent) {
            continue;
        }
        fuzz::FuzzScratch::writeFile(memberPath(work, kMembers[m].fileName), in.bytes(lengths[m]));
    }

    Schedule s(work, QLocale(QLocale::English, QLocale::UnitedStates));
    if (!s.loadSettings(kToday).ok) {
        broken("cannot read the settings file", s.errorString());
    }
    if (!s.openAll()) {
        broken("a working set in a writable folder did not open", s.errorString());
    }
    checkWindow(s, c, {});
    if (c.viewFormat >= 1 && c.viewFormat <= ViewFormat::kCount) {
        if (!s.selectViewFormat(c.viewFormat)) {
            broken("cannot select a view format", s.errorString());
        }
        checkWindow(s, c, {});
    }
    if (!s.loadWindow(c.first)) {
        broken("cannot load the window", s.errorString());
    }

    Edits edits;
    for (int k = 1; k <= s.windowLength(); ++k) {
        edit(s, c, k, edits);
    }
    checkWindow(s, c, edits);
    if (s.writeNote(c.slot, 1, QStringLiteral("fuzz note %1").arg(c.value))) {
        const std::int16_t number = s.cell(c.slot, 1).note;
        if (number < 1 || s.readNote(number) != QStringLiteral("fuzz note %1").arg(c.value)) {
            broken("a written note does not read back");
        }
    }
    const auto move = [&](bool later) {
        const int before = s.firstShownDay();
        const DayWindow::Move moved = later ? s.moveLater() : s.moveEarlier();
        if (moved == DayWindow::Move::Failed) {
            broken("moving the window failed", s.errorString());
        }
        const int expected = moved == DayWindow::Move::Moved ? before + (later ? 1 : -1) : before;
        if (s.firstShownDay() != expected) {
            broken("the window moved by the wrong amount");
        }
        // The day that came in is edited; both ends of the window are checked
        // after each move, the whole window after the last.
        edit(s, c, later ? s.windowLength() : 1, edits);
        checkPosition(s, c, edits, 1);
        checkPosition(s, c, edits, s.windowLength());
    };
    for (int i = 0; i < c.later; ++i) {
        move(true);
    }
    for (int i = 0; i < c.earlier; ++i) {
        move(false);
    }
    checkWindow(s, c, edits);
    if (!s.flush()) {
        broken("flush failed", s.errorString());
    }
    if (s.window().anyDirty()) {
        broken("a flush left a dirty buffer");
    }
    checkDayFile(work, c, edits, 0, s.dayCount());

    const QDate oldStart = s.startDate();
    const QDate shown = s.dateOfDay(s.firstShownDay() + 1);
    const QDate newStart = s.startDate().addDays(c.startShift);
    const QDate newEnd = s.endDate().addDays(c.endShift);
    const std::int64_t newDays = newStart.daysTo(newEnd) + 1;
    const bool acceptable =
        fitsOleRange(newStart) && fitsOleRange(newEnd) && newDays >= 1 && newDays <= kMaxDays;
    const bool changed = s.changeDateRange(newStart, newEnd);
    if (changed != acceptable) {
        broken(changed ? "an impossible date range was accepted"
                       : "a possible date range was refused",
               newStart.toString(Qt::ISODate) + QLatin1Char(' ') + newEnd.toString(Qt::ISODate) +
                   QLatin1Char(' ') + s.errorString());
    }
    fuzz::checkOpenSchedule(s);
    if (changed) {
        if (s.startDate() != newStart || s.endDate() != newEnd) {
            broken("the rebuild did not keep the new dates");
        }
        const bool shownInside = shown >= newStart && shown <= newEnd;
        if (shownInside && s.dateOfDay(s.firstShownDay() + 1) != shown &&
            s.firstShownDay() + s.windowLength() < s.dayCount()) {
            broken("the rebuild lost the first shown date");
        }
        const auto offset = static_cast<int>(oldStart.daysTo(newStart));
        checkRebuilt(s, work, edits, offset);
        checkDayFile(work, c, edits, offset, s.dayCount());
    }
    if (!s.closeAll()) {
        broken("close all failed", s.errorString());
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    static fuzz::FuzzScratch folder("working-set");
    scratch = &folder;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FuzzInput in(data, size);
    scratch->runInWorkFolder([&](const QString& work) { run(in, work); });
    return 0;
}
