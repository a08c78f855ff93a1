#include "model/patterns/DateText.h"

#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace kalmur {
namespace {

const QLocale kUs(QLocale::English, QLocale::UnitedStates);
const QLocale kGb(QLocale::English, QLocale::UnitedKingdom);
const QLocale kDe(QLocale::German, QLocale::Germany);
const QLocale kSe(QLocale::Swedish, QLocale::Sweden);

TEST(ShortDate, AlwaysShowsFourDigitYears) {
    EXPECT_EQ(shortDatePattern(), "M/d/yyyy");
    EXPECT_EQ(shortDatePattern(kGb), "dd/MM/yyyy");
    EXPECT_EQ(formatShortDate(QDate(1999, 12, 31)), "12/31/1999");
    EXPECT_EQ(formatShortDate(QDate(1997, 1, 1)), "1/1/1997");
    EXPECT_EQ(formatShortDate(QDate(2029, 7, 4)), "7/4/2029");
    EXPECT_EQ(formatShortDate(QDate(1999, 12, 31), kGb), "31/12/1999");
    EXPECT_EQ(formatShortDate(QDate(2003, 2, 1), kGb), "01/02/2003");
    EXPECT_EQ(formatShortDate(QDate(1999, 12, 31), kDe), "31.12.1999");
    EXPECT_EQ(formatShortDate(QDate()), "");
}

TEST(ShortDate, OrderOfFields) {
    EXPECT_EQ(shortDateOrder(kUs), DateOrder::MonthFirst);
    EXPECT_EQ(shortDateOrder(kGb), DateOrder::DayFirst);
    EXPECT_EQ(shortDateOrder(kDe), DateOrder::DayFirst);
    EXPECT_EQ(shortDateOrder(kSe), DateOrder::YearFirst);
}

TEST(LongDate, UsesTheLocaleLongFormat) {
    EXPECT_EQ(formatLongDate(QDate(1999, 12, 31)), "Friday, December 31, 1999");
    EXPECT_EQ(formatLongDate(QDate()), "");
}

TEST(ReadDate, MonthFirst) {
    const struct {
        const char* text;
        QDate expected;
    } cases[] = {{"1/1/97", QDate(1997, 1, 1)},         {"2/11/97", QDate(1997, 2, 11)},
                 {"12/31/1999", QDate(1999, 12, 31)},   {"1-15-97", QDate(1997, 1, 15)},
                 {"1.15.97", QDate(1997, 1, 15)},       {" 01/02/2003 ", QDate(2003, 1, 2)},
                 {"1 / 2 / 2003", QDate(2003, 1, 2)},   {"2/29/2000", QDate(2000, 2, 29)},
                 {"1/1/97 8:00 AM", QDate(1997, 1, 1)}, {"3/31/97 13:30", QDate(1997, 3, 31)}};
    for (const auto& c : cases) {
        EXPECT_EQ(readDate(QString::fromUtf8(c.text)), c.expected) << c.text;
    }
}

// Two-digit years fall in 1930..2029, not in Qt's own 1900..1999.
TEST(ReadDate, TwoDigitYearWindow) {
    EXPECT_EQ(readDate(u"1/1/97"), QDate(1997, 1, 1));
    EXPECT_EQ(readDate(u"1/1/29"), QDate(2029, 1, 1));
    EXPECT_EQ(readDate(u"1/1/30"), QDate(1930, 1, 1));
    EXPECT_EQ(readDate(u"1/1/00"), QDate(2000, 1, 1));
    EXPECT_EQ(readDate(u"12/31/99"), QDate(1999, 12, 31));
    EXPECT_EQ(readDate(u"1/1/1929"), QDate(1929, 1, 1));
    EXPECT_EQ(readDate(u"31/12/29", kGb), QDate(2029, 12, 31));
}

TEST(ReadDate, RefusesWhatIsNotADate) {
    for (const char* text : {"2/30/1997", "13/1/97",  "0/1/97",  "1/0/97",  "2/29/1900",
                             "abc",       "",         "1/1",     "1/1/1/1", "1/1/197",
                             "1/1/19977", "001/1/97", "1//97",   "1/1/97x", "1/1/97 25:00",
                             "1/1/97a",   "1/1/0000", "-1/1/97", "1/1/97/", "\xd9\xa1/1/97"}) {
        EXPECT_FALSE(readDate(QString::fromUtf8(text))) << text;
    }
}

TEST(ReadDate, DayFirstAndYearFirstLocales) {
    EXPECT_EQ(readDate(u"31/12/99", kGb), QDate(1999, 12, 31));
    EXPECT_EQ(readDate(u"1/2/2003", kGb), QDate(2003, 2, 1));
    EXPECT_FALSE(readDate(u"12/31/99", kGb));
    EXPECT_EQ(readDate(u"31.12.99", kDe), QDate(1999, 12, 31));
    EXPECT_EQ(readDate(u"1999-12-31", kSe), QDate(1999, 12, 31));
    EXPECT_FALSE(readDate(u"31-12-1999", kSe));
}

TEST(ReadDate, ShownDatesReadBack) {
    for (const QLocale& locale : {kUs, kGb, kDe, kSe}) {
        for (QDate d(1900, 1, 1); d.year() < 2100; d = d.addDays(97)) {
            EXPECT_EQ(readDate(formatShortDate(d, locale), locale), d)
                << locale.name().toStdString() << ' ' << d.toString(Qt::ISODate).toStdString();
        }
    }
}

TEST(Names, EnglishWeekdays) {
    const char* full[] = {"Monday", "Tuesday",  "Wednesday", "Thursday",
                          "Friday", "Saturday", "Sunday"};
    const char* three[] = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
    const char* two[] = {"Mo", "Tu", "We", "Th", "Fr", "Sa", "Su"};
    const char* one[] = {"M", "T", "W", "H", "F", "S", "S"};
    for (int day = 1; day <= 7; ++day) {
        const auto i = static_cast<std::size_t>(day - 1);
        EXPECT_EQ(weekdayName(day, NameLength::Full), full[i]);
        EXPECT_EQ(weekdayName(day, NameLength::Three), three[i]);
        EXPECT_EQ(weekdayName(day, NameLength::Two), two[i]);
        EXPECT_EQ(weekdayName(day, NameLength::One, kGb), one[i]);
    }
    EXPECT_EQ(weekdayName(0, NameLength::Full), "");
    EXPECT_EQ(weekdayName(8, NameLength::One), "");
    EXPECT_EQ(weekdayName(1, NameLength::Full, kDe), "Montag");
}

TEST(Names, Months) {
    EXPECT_EQ(monthName(1, NameLength::Full), "January");
    EXPECT_EQ(monthName(9, NameLength::Full), "September");
    EXPECT_EQ(monthName(9, NameLength::Three, kGb), "Sep");
    EXPECT_EQ(monthName(12, NameLength::Two), "De");
    EXPECT_EQ(monthName(5, NameLength::One), "M");
    EXPECT_EQ(monthName(3, NameLength::Full, kDe), "März");
    EXPECT_EQ(monthName(0, NameLength::Full), "");
    EXPECT_EQ(monthName(13, NameLength::Three), "");
}

} // namespace
} // namespace kalmur
