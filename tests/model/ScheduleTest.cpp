// The open schedule: opening a working set, the day window, cells, notes and
// flushing.
#include "model/schedule/Schedule.h"
#include "model/codec/OleDate.h"
#include "support/TempSchedule.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace kalmur;

namespace {

std::span<const std::uint8_t> span(const QByteArray& b) {
    return {reinterpret_cast<const std::uint8_t*>(b.constData()),
            static_cast<std::size_t>(b.size())};
}

// A new schedule of `days` days starting 1 January 1997.
void openNew(Schedule& s, int days, int viewFormat = 1) {
    ASSERT_TRUE(s.loadSettings(QDate(1997, 6, 1)).createdDefaults);
    s.settings().startDate = OleDate::fromDate(QDate(1997, 1, 1));
    s.settings().endDate = OleDate::fromDate(QDate(1997, 1, 1).addDays(days - 1));
    s.settings().viewFormatNumber = static_cast<std::int16_t>(viewFormat);
    ASSERT_TRUE(s.openAll());
}

// Writes day d's shift of slot 1 straight into the day file, to tell days apart.
void markDays(const TempWorkingDir& w, int days) {
    QByteArray file = w.read(Member::Days);
    for (int d = 1; d <= days; ++d) {
        file[(d - 1) * 1200] = static_cast<char>(d);
    }
    w.write(Member::Days, file);
}

} // namespace

TEST(Schedule, ANewScheduleOpensWithDefaultsAndIsModified) {
    TempWorkingDir w;
    Schedule s(w.path());
    openNew(s, 90);
    EXPECT_TRUE(s.isOpen());
    EXPECT_TRUE(s.isModified()); // the day file was created
    EXPECT_EQ(s.dayCount(), 90);
    EXPECT_EQ(s.viewFormatNumber(), 1);
    EXPECT_EQ(s.windowLength(), 28); // "28 Day"
    EXPECT_EQ(s.shift(100).description, QStringLiteral("OFF"));
    EXPECT_TRUE(s.shift(0).isUndefined());
    EXPECT_TRUE(s.shift(103).isUndefined());
    EXPECT_EQ(s.explanations().descriptions[2], QStringLiteral("Sick"));
    EXPECT_EQ(s.viewFormatNames()[1], QStringLiteral("Weekly"));
    EXPECT_EQ(s.noteCount(), 1);
    EXPECT_EQ(s.readQuery(10)->criteria.title, QStringLiteral("undefined"));
    EXPECT_FALSE(s.readQuery(11));

    ASSERT_TRUE(s.closeAll());
    EXPECT_FALSE(s.isModified());
    EXPECT_EQ(w.size(Member::Days), 90 * 1200);
    const auto saved = ScheduleSettings::fromBytes(span(w.read(Member::Settings)));
    EXPECT_EQ(saved.viewFormatNumber, 1);
    EXPECT_EQ(OleDate::toDate(saved.endDate), QDate(1997, 3, 31));
}

TEST(Schedule, LoadSettingsReadsAnExistingFileOfAnyLength) {
    TempWorkingDir w;
    ScheduleSettings stored = ScheduleSettings::defaults(QDate(2001, 1, 1));
    stored.password = QStringLiteral("KEY");
    const auto image = stored.toBytes();
    w.write(Member::Settings, QByteArray(reinterpret_cast<const char*>(image.data()), 100));
    Schedule s(w.path());
    const auto loaded = s.loadSettings();
    EXPECT_TRUE(loaded.ok);
    EXPECT_FALSE(loaded.createdDefaults);
    EXPECT_EQ(s.settings().password, QStringLiteral("KEY"));
    EXPECT_EQ(s.settings().rowOrder[0], 1);
    EXPECT_EQ(s.settings().rowOrder[40], 0); // beyond the 100 bytes: zero
}

TEST(Schedule, TheWindowIsPulledBackToEndOnTheLastDay) {
    TempWorkingDir w;
    Schedule s(w.path());
    openNew(s, 60);
    ASSERT_TRUE(s.closeAll());
    markDays(w, 60);
    s.settings().firstShownDay = 50; // 50 + 28 runs past day 60
    ASSERT_TRUE(s.openAll());
    EXPECT_EQ(s.firstShownDay(), 32);
    EXPECT_EQ(s.settings().firstShownDay, 32);
    EXPECT_EQ(s.cell(1, 1).shift, 33);
    EXPECT_EQ(s.cell(1, 28).shift, 60);

    s.settings().firstShownDay = -7; // damaged
    ASSERT_TRUE(s.loadWindow());
    EXPECT_EQ(s.firstShownDay(), 0);
    EXPECT_EQ(s.cell(1, 1).shift, 1);
}

TEST(Schedule, MovingTheWindowRotatesAndStopsAtTheEdges) {
    TempWorkingDir w;
    Schedule s(w.path());
    openNew(s, 45);
    ASSERT_TRUE(s.closeAll());
    markDays(w, 45);
    ASSERT_TRUE(s.openAll());
    s.setModified(false);

    EXPECT_EQ(s.moveEarlier(), DayWindow::Move::AtEdge);
    EXPECT_TRUE(s.isModified()); // set even when nothing moves
    EXPECT_EQ(s.firstShownDay(), 0);

    s.setShift(2, 1, 7); // day 1 is changed, then leaves the window
    for (int i = 0; i < 17; ++i) {
        ASSERT_EQ(s.moveLater(), DayWindow::Move::Moved);
    }
    EXPECT_EQ(s.firstShownDay(), 17);
    EXPECT_EQ(s.cell(1, 1).shift, 18);
    EXPECT_EQ(s.cell(1, 28).shift, 45);
    EXPECT_EQ(s.moveLater(), DayWindow::Move::AtEdge);
    EXPECT_EQ(s.firstShownDay(), 17);
    EXPECT_EQ(w.record(Member::Days, 1).at(1), 7); // written when it left

    // The buffers are now rotated: a flush still puts each day in its place.
    for (const int position : {1, 26, 27}) {
        s.setShift(3, position, static_cast<std::uint8_t>(60 + position));
    }
    ASSERT_TRUE(s.flush());
    for (const int position : {1, 26, 27}) {
        EXPECT_EQ(w.record(Member::Days, 17 + position).at(2), 60 + position) << position;
    }
    EXPECT_EQ(w.record(Member::Days, 17 + 28).at(2), 0);

    for (int i = 0; i < 17; ++i) {
        ASSERT_EQ(s.moveEarlier(), DayWindow::Move::Moved);
    }
    EXPECT_EQ(s.cell(1, 1).shift, 1);
    EXPECT_EQ(s.cell(2, 1).shift, 7);
    EXPECT_EQ(s.cell(1, 28).shift, 28);
}

TEST(Schedule, FlushWritesOnlyChangedDaysThenTablesAndSettings) {
    TempWorkingDir w;
    Schedule s(w.path());
    openNew(s, 42);
    ASSERT_TRUE(s.flush());
    // Plant bytes behind the window's back: a flush that wrote clean buffers
    // would overwrite them.
    QByteArray days = w.read(Member::Days);
    days[4 * 1200] = 'x';
    days[9 * 1200] = 'y';
    days[11 * 1200] = 'z';
    w.write(Member::Days, days);
    s.setExplanation(3, 10, 2);
    s.setExplanation(3, 11, 4); // days 10 and 11 together, 13 on its own
    s.setExplanation(3, 13, 5);
    s.employees().names[0] = QStringLiteral("Adams");
    ASSERT_TRUE(s.flush());
    EXPECT_EQ(w.record(Member::Days, 5).at(0), 'x');
    EXPECT_EQ(w.record(Member::Days, 10).at(0), 0); // day 10 was written from memory
    EXPECT_EQ(w.record(Member::Days, 10).at(400 + 2), 2);
    EXPECT_EQ(w.record(Member::Days, 11).at(400 + 2), 4);
    EXPECT_EQ(w.record(Member::Days, 12).at(0), 'z');
    EXPECT_EQ(w.record(Member::Days, 13).at(400 + 2), 5);
    EXPECT_EQ(EmployeeTable::fromBytes(span(w.read(Member::Employees))).names[0],
              QStringLiteral("Adams"));
    EXPECT_FALSE(s.window().anyDirty());
}

TEST(Schedule, CellEditsSetTheDirtyAndModifiedFlags) {
    TempWorkingDir w;
    Schedule s(w.path());
    openNew(s, 42);
    s.setModified(false);
    EXPECT_FALSE(s.window().isDirty(3));
    s.setCell(200, 3, Cell{5, 1, 2, 9, 0});
    EXPECT_TRUE(s.window().isDirty(3));
    EXPECT_TRUE(s.isModified());
    EXPECT_EQ(s.cell(200, 3), (Cell{5, 1, 2, 9, 0}));
    // Out-of-range slots and positions are ignored.
    s.setShift(0, 3, 1);
    s.setShift(201, 3, 1);
    s.setShift(1, 29, 1);
    EXPECT_EQ(s.cell(201, 3), Cell{});
    EXPECT_EQ(s.cell(1, 0), Cell{});
    EXPECT_FALSE(s.window().isDirty(29));
}

TEST(Schedule, NotesKeepTheirRecordForGood) {
    TempWorkingDir w;
    Schedule s(w.path());
    openNew(s, 42);
    EXPECT_EQ(s.readNote(0), QString());
    EXPECT_EQ(s.readNote(-5), QString());
    EXPECT_EQ(s.readNote(99), QString());

    // An empty note into a cell without one still takes a number, stored negated.
    ASSERT_TRUE(s.writeNote(1, 1, QString()));
    EXPECT_EQ(s.cell(1, 1).note, -2);
    ASSERT_TRUE(s.writeNote(1, 1, QStringLiteral("Swap with Baker")));
    EXPECT_EQ(s.cell(1, 1).note, 2);
    EXPECT_EQ(s.readNote(2), QStringLiteral("Swap with Baker"));

    // A detached note is re-attached to its own record.
    for (int i = 0; i < 4; ++i) {
        s.appendNote(QStringLiteral("filler"));
    }
    s.setNoteNumber(2, 1, -5);
    ASSERT_TRUE(s.writeNote(2, 1, QStringLiteral("Back again")));
    EXPECT_EQ(s.cell(2, 1).note, 5);
    EXPECT_EQ(s.readNote(5), QStringLiteral("Back again"));
    ASSERT_TRUE(s.writeNote(2, 1, QStringLiteral("   ")));
    EXPECT_EQ(s.cell(2, 1).note, -5);
    EXPECT_EQ(s.noteCount(), 6);
    EXPECT_EQ(s.appendNote(QString(80, QLatin1Char('z'))), 7);
    EXPECT_EQ(s.readNote(7), QString(60, QLatin1Char('z')));

    s.setNoteNumber(3, 1, INT16_MIN); // has no positive counterpart: a new number
    ASSERT_TRUE(s.writeNote(3, 1, QStringLiteral("x")));
    EXPECT_EQ(s.cell(3, 1).note, 8);
}

TEST(Schedule, ValuesFromTheFilesAreRepairedBeforeUse) {
    TempWorkingDir w;
    {
        Schedule s(w.path());
        openNew(s, 50);
        ViewFormat bad = *s.readViewFormat(2);
        bad.daysOnScreen = 0;
        bad.coverageVisible = 25;
        bad.cellRows[1].item = 777;
        bad.rulerDate = 9;
        bad.timeFormat = QStringLiteral("zz");
        ASSERT_TRUE(s.writeViewFormat(2, bad));
        ASSERT_TRUE(s.closeAll());
    }
    ScheduleSettings settings = ScheduleSettings::fromBytes(span(w.read(Member::Settings)));
    settings.viewFormatNumber = 2;
    settings.rowOrder[0] = 0;
    settings.rowOrder[1] = 201;
    settings.rowOrder[2] = 5; // 5 appears again at row 5
    settings.weekStart = 9;
    const auto image = settings.toBytes();
    w.write(Member::Settings, QByteArray(reinterpret_cast<const char*>(image.data()), 2396));

    Schedule s(w.path());
    ASSERT_TRUE(s.loadSettings().ok);
    ASSERT_TRUE(s.openAll());
    EXPECT_EQ(s.viewFormat().daysOnScreen, 1);
    EXPECT_EQ(s.windowLength(), 1);
    EXPECT_EQ(s.viewFormat().coverageVisible, 20);
    EXPECT_EQ(s.viewFormat().cellRows[1].item, 0);
    EXPECT_EQ(s.viewFormat().rulerDate, 3);
    EXPECT_EQ(s.viewFormat().timeFormat, QStringLiteral("h:nna/p"));
    EXPECT_EQ(s.settings().weekStart, 1);
    // The row order is a permutation again: every slot is shown exactly once.
    std::array<int, 201> seen{};
    for (int r = 1; r <= 200; ++r) {
        ++seen[static_cast<std::size_t>(s.slotOfRow(r))];
    }
    EXPECT_EQ(seen[0], 0);
    EXPECT_TRUE(std::all_of(seen.begin() + 1, seen.end(), [](int n) { return n == 1; }));
    EXPECT_EQ(s.slotOfRow(3), 5);
    EXPECT_EQ(s.slotOfRow(1), 1);
    EXPECT_TRUE(s.isModified());

    // A view-format number of 0 or 6 becomes 1.
    s.settings().viewFormatNumber = 6;
    ASSERT_TRUE(s.openAll());
    EXPECT_EQ(s.viewFormatNumber(), 1);
}

TEST(Schedule, AnUnusableDateRangeIsRebuiltFromTheDayFile) {
    TempWorkingDir w;
    {
        Schedule s(w.path());
        openNew(s, 70);
        ASSERT_TRUE(s.closeAll());
    }
    Schedule s(w.path());
    ASSERT_TRUE(s.loadSettings().ok);
    s.settings().endDate = s.settings().startDate - 10; // end before start
    ASSERT_TRUE(s.openAll());
    EXPECT_EQ(s.dayCount(), 70);
    EXPECT_EQ(s.startDate(), QDate(1997, 1, 1));

    s.settings().endDate = std::nan("");
    ASSERT_TRUE(s.openAll());
    EXPECT_EQ(s.dayCount(), 70);

    s.settings().startDate = 1e300;
    ASSERT_TRUE(s.openAll());
    EXPECT_EQ(s.startDate().month(), 1);
    EXPECT_EQ(s.startDate().day(), 1);
    EXPECT_EQ(s.dayCount(), 70);
}

TEST(Schedule, AScheduleShorterThanTheWindowShowsAllItsDays) {
    TempWorkingDir w;
    Schedule s(w.path());
    openNew(s, 10); // shorter than the 28 days of the view
    EXPECT_EQ(s.windowLength(), 10);
    EXPECT_EQ(s.firstShownDay(), 0);
    EXPECT_EQ(s.window().dayNumber(10), 10);
    EXPECT_EQ(s.moveLater(), DayWindow::Move::AtEdge);
    EXPECT_EQ(s.moveEarlier(), DayWindow::Move::AtEdge);
    ASSERT_TRUE(s.selectViewFormat(3)); // one day a screen
    EXPECT_EQ(s.windowLength(), 1);
    EXPECT_EQ(s.moveLater(), DayWindow::Move::Moved);
}

TEST(Schedule, AFailedFlushIsReportedAndKeepsTheScheduleModified) {
    TempWorkingDir w;
    Schedule s(w.path());
    openNew(s, 42);
    s.setShift(1, 1, 3);
    // A folder where the settings file belongs cannot be written.
    ASSERT_TRUE(QFile::remove(w.member(Member::Settings)));
    ASSERT_TRUE(QDir(w.path()).mkdir(QStringLiteral("KALMUR2.SPR")));
    EXPECT_FALSE(s.flush());
    EXPECT_FALSE(s.closeAll());
    EXPECT_TRUE(s.isModified());
}

TEST(Schedule, DaysOutsideTheWindowAreReadAndWrittenThroughTheWindowWhenInIt) {
    TempWorkingDir w;
    Schedule s(w.path());
    openNew(s, 60);
    s.setShift(4, 2, 9); // not yet flushed
    EXPECT_EQ(s.readDay(2)->shift[3], 9);
    DayRecord day;
    day.shift[0] = 11;
    ASSERT_TRUE(s.writeDay(3, day));
    EXPECT_EQ(s.cell(1, 3).shift, 11);
    ASSERT_TRUE(s.writeDay(50, day));
    EXPECT_EQ(w.record(Member::Days, 50).at(0), 11);
    EXPECT_FALSE(s.readDay(0));
    EXPECT_FALSE(s.readDay(61));
    EXPECT_FALSE(s.writeDay(61, day));
}

TEST(Schedule, MembersOfPartialLengthUseTheirWholeRecords) {
    TempWorkingDir w;
    {
        Schedule s(w.path());
        openNew(s, 50);
        ASSERT_TRUE(s.closeAll());
    }
    // 40.5 days and one and a bit notes.
    w.write(Member::Days, QByteArray(40 * 1200 + 600, '\0'));
    w.write(Member::Notes, QByteArray(65, 'q'));
    Schedule s(w.path());
    ASSERT_TRUE(s.loadSettings().ok);
    ASSERT_TRUE(s.openAll());
    EXPECT_EQ(s.dayCount(), 50);
    EXPECT_EQ(s.readDay(45)->shift[0], 0); // past the end of the file: blank
    EXPECT_EQ(s.noteCount(), 1);
    EXPECT_EQ(s.readNote(1), QString(60, QLatin1Char('q')));
    EXPECT_EQ(s.appendNote(QStringLiteral("next")), 2);
    EXPECT_EQ(s.readNote(2), QStringLiteral("next"));
    EXPECT_EQ(w.size(Member::Notes), 120);
    DayRecord day;
    day.shift[0] = 4;
    ASSERT_TRUE(s.writeDay(50, day));
    EXPECT_EQ(w.size(Member::Days), 50 * 1200);
    EXPECT_EQ(s.readDay(45)->shift[0], 0);
}
