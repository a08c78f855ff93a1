#include "model/codec/OleDate.h"
#include "model/schedule/Schedule.h"
#include "support/TempSchedule.h"

#include <gtest/gtest.h>

using namespace kalmur;

namespace {

// A schedule of 42 days whose dates are given, opened with a marked first day.
struct EdgeSchedule {
    TempWorkingDir w;
    Schedule s{w.path()};

    EdgeSchedule(QDate start, QDate end) {
        s.loadSettings(QDate(2024, 1, 1));
        s.settings().startDate = OleDate::fromDate(start);
        s.settings().endDate = OleDate::fromDate(end);
        EXPECT_TRUE(s.openAll());
        DayRecord day;
        day.shift[0] = 7;
        EXPECT_TRUE(s.writeDay(1, day));
    }
};

} // namespace

// The settings record holds dates from 1 January 100 to 31 December 9999; a
// range reaching past either end used to be accepted and then silently moved
// when the set was opened again.
TEST(DateRangeLimits, ARangePastTheLastStorableDateIsRefused) {
    EdgeSchedule e(QDate(9999, 11, 1), QDate(9999, 12, 12));
    EXPECT_FALSE(e.s.changeDateRange(QDate(9999, 11, 1), QDate(10000, 2, 9)));
    EXPECT_TRUE(e.s.isOpen());
    EXPECT_EQ(e.s.startDate(), QDate(9999, 11, 1));
    EXPECT_EQ(e.s.endDate(), QDate(9999, 12, 12));
    EXPECT_EQ(e.w.size(Member::Days), 42 * 1200);
    EXPECT_EQ(e.s.readDay(1)->shift[0], 7);
}

TEST(DateRangeLimits, ARangeBeforeTheFirstStorableDateIsRefused) {
    EdgeSchedule e(QDate(100, 1, 10), QDate(100, 2, 20));
    EXPECT_FALSE(e.s.changeDateRange(QDate(99, 12, 1), QDate(100, 2, 20)));
    EXPECT_EQ(e.s.startDate(), QDate(100, 1, 10));
    EXPECT_EQ(e.s.readDay(1)->shift[0], 7);
}

TEST(DateRangeLimits, TheLastStorableDayIsKeptAcrossReopening) {
    EdgeSchedule e(QDate(9999, 11, 1), QDate(9999, 12, 12));
    ASSERT_TRUE(e.s.changeDateRange(QDate(9999, 10, 31), QDate(9999, 12, 31)));
    ASSERT_TRUE(e.s.closeAll());

    Schedule again(e.w.path());
    ASSERT_TRUE(again.loadSettings(QDate(2024, 1, 1)).ok);
    ASSERT_TRUE(again.openAll());
    EXPECT_EQ(again.startDate(), QDate(9999, 10, 31));
    EXPECT_EQ(again.endDate(), QDate(9999, 12, 31));
    EXPECT_EQ(again.readDay(2)->shift[0], 7); // 1 November is now day 2
}
