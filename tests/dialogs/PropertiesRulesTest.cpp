#include "dialogs/PropertiesRules.h"

#include <gtest/gtest.h>

using namespace kalmur;
namespace R = PropertiesRules;

namespace {

QDate d(int month, int day, int year) {
    return {year, month, day};
}

} // namespace

TEST(PropertiesRules, DateFieldShowsReadableDatesInShortFormAndRefusesTheRest) {
    const auto accepted = R::dateField(QStringLiteral("1/1/97"));
    EXPECT_TRUE(accepted.accepted);
    EXPECT_EQ(accepted.text, QStringLiteral("1/1/1997"));
    EXPECT_EQ(R::dateField(QStringLiteral("2/3/29")).text, QStringLiteral("2/3/2029"));
    EXPECT_EQ(R::dateField(QStringLiteral("2/3/30")).text, QStringLiteral("2/3/1930"));
    EXPECT_EQ(R::dateField(QStringLiteral("3/4/1997 10:30")).text, QStringLiteral("3/4/1997"));

    const auto refused = R::dateField(QStringLiteral("2/30/97"));
    EXPECT_FALSE(refused.accepted);
    EXPECT_EQ(refused.refusal.text,
              QStringLiteral("The date entered 2/30/97 is not a valid date."));
    EXPECT_EQ(refused.refusal.title, QStringLiteral("Error"));
    EXPECT_EQ(refused.refusal.icon, MessageIcon::Exclamation);
    EXPECT_EQ(refused.refusal.buttons, MessageButtons::Ok);
    for (const char* text : {"", "junk", "13/1/97", "1/1", "1/1/0050"}) {
        EXPECT_FALSE(R::dateField(QString::fromLatin1(text)).accepted) << text;
    }
}

TEST(PropertiesRules, RangeMustHoldFortyTwoToThirtyTwoThousandDays) {
    EXPECT_FALSE(R::rangeRefusal(d(1, 1, 1997), d(2, 11, 1997)));
    const auto shortRange = R::rangeRefusal(d(1, 1, 1997), d(2, 10, 1997));
    ASSERT_TRUE(shortRange);
    EXPECT_EQ(shortRange->text, QStringLiteral("File must contain at least 42 days."));
    EXPECT_EQ(shortRange->title, QStringLiteral("Error"));
    EXPECT_EQ(shortRange->icon, MessageIcon::Exclamation);
    EXPECT_TRUE(R::rangeRefusal(d(3, 1, 1997), d(1, 1, 1997))); // end before start

    // The day counts are 16-bit: one day more would wrap them.
    const QDate start = d(1, 1, 2000);
    EXPECT_FALSE(R::rangeRefusal(start, start.addDays(32766)));
    const auto longRange = R::rangeRefusal(start, start.addDays(32767));
    ASSERT_TRUE(longRange);
    EXPECT_EQ(longRange->text, QStringLiteral("File must contain at most 32767 days."));
    EXPECT_EQ(longRange->title, QStringLiteral("Error"));
}

TEST(PropertiesRules, DroppedDaysNameEveryStretchThatWouldGo) {
    const DateRange recorded{d(1, 1, 1997), d(3, 31, 1997)};
    EXPECT_EQ(R::droppedDays(recorded, {d(1, 15, 1997), d(3, 31, 1997)}),
              QStringLiteral("1/1/1997 to 1/14/1997"));
    EXPECT_EQ(R::droppedDays(recorded, {d(1, 1, 1997), d(2, 28, 1997)}),
              QStringLiteral("3/1/1997 to 3/31/1997"));
    EXPECT_EQ(R::droppedDays(recorded, {d(1, 15, 1997), d(2, 28, 1997)}),
              QStringLiteral("1/1/1997 to 1/14/1997 and 3/1/1997 to 3/31/1997"));
    // Wholly before or wholly after the recorded days: all of them go.
    EXPECT_EQ(R::droppedDays(recorded, {d(10, 1, 1996), d(12, 15, 1996)}),
              QStringLiteral("1/1/1997 to 3/31/1997"));
    EXPECT_EQ(R::droppedDays(recorded, {d(5, 1, 1997), d(7, 1, 1997)}),
              QStringLiteral("1/1/1997 to 3/31/1997"));
    // Lengthening keeps every day.
    EXPECT_EQ(R::droppedDays(recorded, {d(12, 1, 1996), d(6, 30, 1997)}), QString());
    EXPECT_EQ(R::droppedDays(recorded, recorded), QString());
}

TEST(PropertiesRules, RemovalQuestionDefaultsToCancel) {
    const auto q = R::removalQuestion(QStringLiteral("1/1/1997 to 1/14/1997"));
    EXPECT_EQ(q.text, QStringLiteral("This change will cause information from 1/1/1997 to "
                                     "1/14/1997 to be removed from the file..."));
    EXPECT_EQ(q.title, QStringLiteral("Please Note..."));
    EXPECT_EQ(q.icon, MessageIcon::Information);
    EXPECT_EQ(q.buttons, MessageButtons::OkCancel);
    EXPECT_EQ(q.defaultAnswer, MessageAnswer::Cancel);
}

TEST(PropertiesRules, PasswordsAreStoredInUpperCaseAndComparedWithoutCase) {
    EXPECT_EQ(R::storedPassword(QStringLiteral("secret")), QStringLiteral("SECRET"));
    EXPECT_EQ(R::storedPassword(QStringLiteral("abcdefghijkl")), QStringLiteral("ABCDEFGHIJ"));
    EXPECT_EQ(R::storedPassword(QString::fromUtf8("café")), QString::fromUtf8("CAFÉ"));
    // µ has no storable capital: kept as typed, so it still matches later.
    EXPECT_EQ(R::storedPassword(QString::fromUtf8("µ1")), QString::fromUtf8("µ1"));
    EXPECT_EQ(R::storedPassword(QString::fromUtf8("ß")), QString::fromUtf8("ß"));

    EXPECT_TRUE(R::passwordMatches(QStringLiteral("  secret "), QStringLiteral("SECRET    ")));
    EXPECT_TRUE(R::passwordMatches(QStringLiteral("SECRET"), QStringLiteral("secret")));
    EXPECT_FALSE(R::passwordMatches(QStringLiteral("secre"), QStringLiteral("SECRET")));
    EXPECT_FALSE(R::passwordMatches(QString(), QStringLiteral("SECRET")));

    EXPECT_TRUE(R::isStorableText(QString::fromUtf8("Ab1 é€?")));
    EXPECT_FALSE(R::isStorableText(QString::fromUtf8("жук")));
    EXPECT_FALSE(R::isStorableText(QStringLiteral("a\tb")));
}
