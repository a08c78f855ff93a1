#include "model/codec/OleDate.h"
#include "model/schedule/Schedule.h"
#include "support/TempSchedule.h"

#include <gtest/gtest.h>

using namespace kalmur;

namespace {

QDate jan(int day) {
    return QDate(1997, 1, day);
}

struct Fixture {
    TempWorkingDir w;
    Schedule s{w.path()};

    // 1 January to 31 March 1997, the window at day 11, some marked days and notes.
    Fixture() {
        s.loadSettings(QDate(1997, 6, 1));
        s.settings().startDate = OleDate::fromDate(jan(1));
        s.settings().endDate = OleDate::fromDate(QDate(1997, 3, 31));
        s.settings().viewFormatNumber = 2; // seven days
        s.settings().firstShownDay = 10;
        EXPECT_TRUE(s.openAll());
        DayRecord day;
        for (int d = 1; d <= 90; ++d) {
            day.shift[0] = static_cast<std::uint8_t>(d);
            EXPECT_TRUE(s.writeDay(d, day));
        }
    }
    int shiftOnDate(QDate date) const { return s.readDay(s.dayOfDate(date))->shift[0]; }
};

} // namespace

TEST(Rebuild, AnEarlierStartShiftsTheOldDaysAndKeepsTheSameDatesVisible) {
    Fixture f;
    ASSERT_TRUE(f.s.changeDateRange(QDate(1996, 12, 1), QDate(1997, 3, 31)));
    EXPECT_EQ(f.s.dayCount(), 121);
    EXPECT_EQ(f.shiftOnDate(QDate(1996, 12, 15)), 0); // a new blank day
    EXPECT_EQ(f.shiftOnDate(jan(1)), 1);
    EXPECT_EQ(f.shiftOnDate(QDate(1997, 3, 31)), 90);
    EXPECT_EQ(f.s.dateOfDay(f.s.firstShownDay() + 1), jan(11));
    EXPECT_TRUE(f.s.isModified());
    EXPECT_FALSE(QFile::exists(f.w.path() + "/KALMUR2.NCH"));
    EXPECT_FALSE(QFile::exists(f.w.path() + "/KALMUR2.NNO"));
    // The settings on disk already describe the new range.
    const QByteArray settings = f.w.read(Member::Settings);
    EXPECT_EQ(
        OleDate::toDate(ScheduleSettings::fromBytes(
                            {reinterpret_cast<const std::uint8_t*>(settings.constData()), 2396})
                            .startDate),
        QDate(1996, 12, 1));
}

TEST(Rebuild, ShrinkingPastTheFirstVisibleDateResetsItToTheNewStart) {
    Fixture f;
    ASSERT_TRUE(f.s.changeDateRange(QDate(1997, 2, 1), QDate(1997, 3, 20)));
    EXPECT_EQ(f.s.firstShownDay(), 0);
    EXPECT_EQ(f.s.dayCount(), 48);
    EXPECT_EQ(f.shiftOnDate(QDate(1997, 2, 1)), 32);
    EXPECT_EQ(f.w.size(Member::Days), 48 * 1200);
}

TEST(Rebuild, NotesAreCompactedInDayAndSlotOrder) {
    Fixture f;
    // Day 12 slot 5, day 11 slot 9, day 11 slot 2 (window positions 2 and 1).
    ASSERT_TRUE(f.s.writeNote(5, 2, QStringLiteral("third")));
    ASSERT_TRUE(f.s.writeNote(9, 1, QStringLiteral("second")));
    ASSERT_TRUE(f.s.writeNote(2, 1, QStringLiteral("first")));
    ASSERT_TRUE(f.s.writeNote(7, 1, QStringLiteral("detached")));
    ASSERT_TRUE(f.s.writeNote(7, 1, QString())); // now -n
    const int detached = f.s.cell(7, 1).note;
    ASSERT_LT(detached, 0);
    f.s.setNoteNumber(8, 1, 999); // a note the file does not hold
    ASSERT_TRUE(f.s.changeDateRange(jan(1), QDate(1997, 3, 31)));

    EXPECT_EQ(f.s.noteCount(), 3); // no blank first record any more
    EXPECT_EQ(f.s.cell(2, 1).note, 1);
    EXPECT_EQ(f.s.cell(9, 1).note, 2);
    EXPECT_EQ(f.s.cell(5, 2).note, 3);
    EXPECT_EQ(f.s.readNote(1), QStringLiteral("first"));
    EXPECT_EQ(f.s.readNote(3), QStringLiteral("third"));
    EXPECT_EQ(f.s.cell(7, 1).note, detached); // keeps its negative value
    EXPECT_EQ(f.s.cell(8, 1).note, 0);
}

TEST(Rebuild, ARangeWithoutNotesLeavesOneBlankNote) {
    Fixture f;
    ASSERT_TRUE(f.s.writeNote(1, 1, QStringLiteral("dropped with its day")));
    ASSERT_TRUE(f.s.changeDateRange(QDate(1998, 1, 1), QDate(1998, 3, 1)));
    EXPECT_EQ(f.s.noteCount(), 1); // recreated blank by opening
    EXPECT_EQ(f.s.readNote(1), QString());
    EXPECT_EQ(f.shiftOnDate(QDate(1998, 1, 10)), 0);
    EXPECT_EQ(f.s.appendNote(QStringLiteral("n")), 2);
}

TEST(Rebuild, AnInvalidRangeChangesNothing) {
    Fixture f;
    const QByteArray days = f.w.read(Member::Days);
    EXPECT_FALSE(f.s.changeDateRange(jan(10), jan(5)));
    EXPECT_FALSE(f.s.changeDateRange(jan(1), jan(1).addDays(40000)));
    EXPECT_TRUE(f.s.isOpen());
    EXPECT_EQ(f.s.dayCount(), 90);
    f.s.flush();
    EXPECT_EQ(f.w.read(Member::Days), days);
}
