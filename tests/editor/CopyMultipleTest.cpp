// Copy multiple: its dates, its names and the copy on the day file.
#include "editor/CopyMultiple.h"
#include "model/codec/OleDate.h"
#include "model/schedule/Schedule.h"
#include "support/QtPrinters.h"
#include "support/TempSchedule.h"

#include <gtest/gtest.h>

using namespace kalmur;

namespace {

const QDate kMonday(2000, 1, 3);

// Ten years from Monday 3 January 2000 to 31 December 2009, a week on screen.
struct TenYears {
    TempWorkingDir w;
    Schedule s{w.path()};

    explicit TenYears(QDate end = QDate(2009, 12, 31)) {
        s.loadSettings(kMonday);
        s.settings().startDate = OleDate::fromDate(kMonday);
        s.settings().endDate = OleDate::fromDate(end);
        s.settings().viewFormatNumber = 2;
        EXPECT_TRUE(s.openAll());
        s.employees().names[0] = QStringLiteral("Adams");
        s.employees().positions[0] = QStringLiteral("RN");
        s.employees().names[1] = QStringLiteral("/ Nights");
        s.employees().names[3] = QStringLiteral("Baker");
    }
    int day(QDate d) const { return s.dayOfDate(d); }
    Cell at(QDate d, int row = 1) const { return s.cellOfDay(s.slotOfRow(row), day(d)); }
    void put(QDate d, Cell c, int row = 1) { s.setCellOfDay(s.slotOfRow(row), day(d), c); }
    CopyMultipleJob job(QDate start, int days, QList<int> rows) const {
        return {start, days, rows, CopyMultiple::destinations(start, days, s.endDate()),
                PasteOptions::firstUse()};
    }
};

} // namespace

TEST(CopyMultiple, DestinationsFollowAtThePatternLengthUpToOneHundred) {
    const QDate end(2009, 12, 31);
    const QList<QDate> weekly = CopyMultiple::destinations(kMonday, 7, end);
    ASSERT_EQ(weekly.size(), CopyMultiple::kMaxDestinations);
    EXPECT_EQ(weekly.first(), QDate(2000, 1, 10));
    EXPECT_EQ(weekly.last(), kMonday.addDays(700));
    for (const QDate& d : weekly) {
        EXPECT_EQ(d.dayOfWeek(), Qt::Monday);
    }
    // Near the end: only the Mondays on or before the end date.
    EXPECT_EQ(CopyMultiple::destinations(QDate(2009, 12, 14), 7, end),
              (QList<QDate>{QDate(2009, 12, 21), QDate(2009, 12, 28)}));
    EXPECT_TRUE(CopyMultiple::destinations(kMonday, 0, end).isEmpty());
    EXPECT_TRUE(CopyMultiple::destinations(end, 1, end).isEmpty());
}

TEST(CopyMultiple, OpeningStartNamesAndStartDateChecks) {
    const QDate start(1997, 1, 1);
    const QDate end(1997, 3, 31);
    EXPECT_EQ(CopyMultiple::openingStart(QDate(1997, 2, 3), start, end), QDate(1997, 2, 3));
    EXPECT_EQ(CopyMultiple::openingStart(QDate(1997, 3, 28), start, end), QDate(1997, 3, 25));
    EXPECT_EQ(CopyMultiple::openingStart(start, start, QDate(1997, 1, 4)), start);

    EXPECT_EQ(CopyMultiple::startDateRefusal(QStringLiteral("2/30/97"), start),
              QStringLiteral("The date entered 2/30/97 is not a valid date."));
    EXPECT_EQ(CopyMultiple::startDateRefusal(QStringLiteral("12/31/96"), start),
              QStringLiteral("The date entered 12/31/96 is out of range."));
    EXPECT_EQ(CopyMultiple::startDateRefusal(QStringLiteral("1/1/97"), start), QString());

    TenYears t;
    const QList<CopyMultipleName> names = CopyMultiple::names(t.s.employees());
    ASSERT_EQ(names.size(), 2); // the divider and the blank rows are left out
    EXPECT_EQ(names[0].text, QStringLiteral("Adams, RN"));
    EXPECT_EQ(names[0].row, 1);
    EXPECT_EQ(names[1].row, 4);
}

TEST(CopyMultiple, AWeekFromAMondayReachesTheNextHundredMondays) {
    TenYears t;
    ASSERT_TRUE(t.s.loadWindow(7)); // the second week on screen
    t.put(kMonday, Cell{3, 0, 0, 0, 0});
    t.s.writeNoteOfDay(t.s.slotOfRow(1), 1, QStringLiteral("Bring keys"));
    t.put(kMonday.addDays(1), Cell{0, 1, 2, 0, 0});
    t.put(kMonday, Cell{4, 0, 0, 0, 0}, 4); // Baker is not chosen
    // Edits on screen, not yet written: the copy starts with a flush.
    t.put(QDate(2000, 1, 10), Cell{9, 0, 0, 0, 0});
    t.put(QDate(2000, 1, 11), Cell{6, 0, 0, 0, 0});
    const qint64 size = t.w.size(Member::Days);

    const CopyMultipleResult result = CopyMultiple::run(t.s, t.job(kMonday, 7, {1}));
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.daysWritten, 700);
    EXPECT_EQ(result.daysBeyondEnd, 0);
    // The window was read again: it shows the copies.
    EXPECT_EQ(t.s.cell(t.s.slotOfRow(1), 1).shift, 9); // not overwritten
    EXPECT_EQ(t.s.cell(t.s.slotOfRow(1), 2), (Cell{6, 1, 2, 0, 0}));
    const Cell second = t.at(QDate(2000, 1, 17));
    const Cell last = t.at(kMonday.addDays(700));
    EXPECT_EQ(second.shift, 3);
    EXPECT_EQ(last.shift, 3);
    EXPECT_EQ(t.at(kMonday.addDays(701)), (Cell{0, 1, 2, 0, 0}));
    EXPECT_EQ(t.at(kMonday.addDays(707)), Cell{}); // past the hundredth Monday
    EXPECT_EQ(t.at(QDate(2000, 1, 17), 4), Cell{});
    // Each copy keeps a note record of its own.
    ASSERT_GT(second.note, 0);
    EXPECT_NE(second.note, last.note);
    EXPECT_EQ(t.s.readNote(last.note), QStringLiteral("Bring keys"));
    EXPECT_EQ(t.w.size(Member::Days), size);
    EXPECT_TRUE(t.s.isModified());
}

TEST(CopyMultiple, APatternRunningPastTheEndCopiesOnlyTheDaysThatExist) {
    TenYears t;
    const QDate start(2009, 12, 7); // Monday; the second copy of 14 days runs 11 days over
    for (int k = 0; k < 14; ++k) {
        t.put(start.addDays(k), Cell{static_cast<std::uint8_t>(k + 1), 0, 0, 0, 0});
    }
    const QByteArray before = t.w.read(Member::Days);
    const CopyMultipleResult result =
        CopyMultiple::run(t.s, {start, 14, {1}, {QDate(2009, 12, 21)}, PasteOptions::firstUse()});
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.daysWritten, 11);
    EXPECT_EQ(result.daysBeyondEnd, 3);
    EXPECT_EQ(t.w.size(Member::Days), before.size());
    EXPECT_EQ(t.at(QDate(2009, 12, 31)).shift, 11);

    // A day file shorter than the dates (from a damaged archive) does not grow.
    TempWorkingDir w;
    w.write(Member::Days, QByteArray(20 * 1200, '\0'));
    Schedule s(w.path());
    s.loadSettings(kMonday);
    s.settings().startDate = OleDate::fromDate(kMonday);
    s.settings().endDate = OleDate::fromDate(kMonday.addDays(89));
    ASSERT_TRUE(s.openAll());
    s.employees().names[0] = QStringLiteral("Adams");
    s.setCellOfDay(s.slotOfRow(1), 1, Cell{5, 0, 0, 0, 0});
    const CopyMultipleResult shortFile =
        CopyMultiple::run(s, {kMonday,
                              7,
                              {1},
                              CopyMultiple::destinations(kMonday, 7, s.endDate()),
                              PasteOptions::firstUse()});
    EXPECT_TRUE(shortFile.ok);
    EXPECT_EQ(shortFile.daysWritten, 13); // days 8 to 20
    EXPECT_EQ(w.size(Member::Days), 20 * 1200);
    EXPECT_EQ(s.cellOfDay(s.slotOfRow(1), 15).shift, 5);
}
