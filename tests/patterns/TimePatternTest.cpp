#include "model/patterns/TimePattern.h"

#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace kalmur {
namespace {

struct TimeCase {
    int hour;
    int minute;
    const char* pattern;
    const char* expected;
};

void PrintTo(const TimeCase& c, std::ostream* os) {
    *os << c.hour << ':' << c.minute << " \"" << c.pattern << '"';
}

class FormatTimeTest : public ::testing::TestWithParam<TimeCase> {};

TEST_P(FormatTimeTest, ShowsTime) {
    const TimeCase& c = GetParam();
    EXPECT_EQ(formatTime(QTime(c.hour, c.minute), QString::fromUtf8(c.pattern)),
              QString::fromUtf8(c.expected));
}

// Every time pattern a view format offers, plus the edit patterns.
INSTANTIATE_TEST_SUITE_P(
    ViewPatterns, FormatTimeTest,
    ::testing::Values(TimeCase{8, 0, "h:nna/p", "8:00a"}, TimeCase{13, 30, "h:nna/p", "1:30p"},
                      TimeCase{0, 0, "h:nna/p", "12:00a"}, TimeCase{12, 0, "h:nna/p", "12:00p"},
                      TimeCase{0, 30, "h:nna/p", "12:30a"}, TimeCase{23, 59, "hh:nna/p", "11:59p"},
                      TimeCase{8, 0, "hh:nna/p", "08:00a"}, TimeCase{8, 5, "h:na/p", "8:5a"},
                      TimeCase{8, 0, "ha/p", "8a"}, TimeCase{20, 0, "ha/p", "8p"},
                      TimeCase{8, 0, "hh:nn", "08:00"}, TimeCase{13, 30, "h:nn", "13:30"},
                      TimeCase{8, 5, "h:n", "8:5"}, TimeCase{0, 0, "h", "0"},
                      TimeCase{23, 0, "h", "23"}, TimeCase{8, 0, "hh:mm", "08:00"},
                      TimeCase{13, 30, "h:mma/p", "1:30p"},
                      TimeCase{13, 30, "h:nn AM/PM", "1:30 PM"},
                      TimeCase{9, 15, "h:nn am/pm", "9:15 am"},
                      TimeCase{13, 30, "h:nnA/P", "1:30P"}, TimeCase{8, 0, "h\\h nn", "8h 00"},
                      TimeCase{20, 0, "h \"a/p\"", "20 a/p"}));

TEST(FormatTime, InvalidTimeShowsNothing) {
    EXPECT_EQ(formatTime(QTime(), u"h:nna/p"), "");
}

TEST(EditTimeFormat, FollowsTheTwelveHourMarker) {
    for (const char* view : {"h:nna/p", "hh:nna/p", "h:na/p", "ha/p", "h:nn AM/PM"}) {
        EXPECT_EQ(editTimeFormat(QString::fromUtf8(view)), "h:nna/p") << view;
    }
    for (const char* view : {"hh:nn", "h:nn", "h:n", "h", ""}) {
        EXPECT_EQ(editTimeFormat(QString::fromUtf8(view)), "hh:nn") << view;
    }
}

TEST(ReadTimeOfDay, AcceptsTypedTimes) {
    const struct {
        const char* text;
        QTime expected;
    } cases[] = {
        {"8a", QTime(8, 0)},          {"8A", QTime(8, 0)},       {"8:00 AM", QTime(8, 0)},
        {"8:00a", QTime(8, 0)},       {"8:00p", QTime(20, 0)},   {"12:00a", QTime(0, 0)},
        {"12:00p", QTime(12, 0)},     {"12p", QTime(12, 0)},     {"1:30 pm", QTime(13, 30)},
        {"13:30", QTime(13, 30)},     {"0:00", QTime(0, 0)},     {"23:59", QTime(23, 59)},
        {"8:5", QTime(8, 5)},         {"  8:00  ", QTime(8, 0)}, {"0:30a", QTime(0, 30)},
        {"8:00:30", QTime(8, 0, 30)}, {"10:00 P", QTime(22, 0)}};
    for (const auto& c : cases) {
        EXPECT_EQ(readTimeOfDay(QString::fromUtf8(c.text)), c.expected) << c.text;
    }
}

TEST(ReadTimeOfDay, RefusesWhatIsNotATime) {
    for (const char* text :
         {"25:00", "24:00", "830", "8:60", "", "abc", "8", "13:00p", "8:", ":30", "8:000", "123:00",
          "8:00x", "8:00 a m", "8:00:60", "-8:00", "8:00 8", "8.00", "\xef\xbc\x98:00"}) {
        EXPECT_FALSE(readTimeOfDay(QString::fromUtf8(text))) << text;
    }
}

// A typed time goes through the field's normalisation, the reader and the edit
// pattern, as the shift dialog does on leaving a time field.
TEST(ReadTimeOfDay, BareHoursAfterNormalisation) {
    auto edited = [](const char* typed, QStringView pattern) {
        const auto time = readTimeOfDay(normalizeTimeText(QString::fromUtf8(typed)));
        return time ? formatTime(*time, pattern) : QStringLiteral("refused");
    };
    EXPECT_EQ(edited("9", u"h:nna/p"), "9:00a");
    EXPECT_EQ(edited("9", u"hh:nn"), "09:00");
    EXPECT_EQ(edited("12", u"hh:nn"), "12:00");
    EXPECT_EQ(edited("8a", u"h:nna/p"), "8:00a");
    EXPECT_EQ(edited("10p", u"hh:nn"), "22:00");
    EXPECT_EQ(edited("830", u"hh:nn"), "refused");
    EXPECT_EQ(edited("25:00", u"hh:nn"), "refused");
    EXPECT_EQ(edited("", u"hh:nn"), "refused");
    EXPECT_EQ(normalizeTimeText(u"8a"), "8A");
    EXPECT_EQ(normalizeTimeText(u"8:00p"), "8:00P");
}

} // namespace
} // namespace kalmur
