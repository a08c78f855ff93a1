#include "dialogs/QueryRules.h"
#include "model/records/QueryRecord.h"

#include <gtest/gtest.h>

using namespace kalmur;
namespace R = QueryRules;

TEST(QueryRules, DateFieldsPullInDatesPastTheScheduleAndRefuseTheOthers) {
    const QDate first(1997, 1, 1);
    const QDate last(1997, 3, 31);
    using F = R::DateField;
    struct Case {
        F field;
        const char* typed;
        const char* shown; // nullptr: refused
        const char* message;
    };
    const Case cases[] = {
        {F::Start, "2/3/97", "2/3/1997", nullptr},
        {F::Start, "12/25/96", "1/1/1997", nullptr},
        {F::Start, "4/1/97", nullptr, "Date out of schedule file range."},
        {F::End, "5/1/1997", "3/31/1997", nullptr},
        {F::End, "12/31/96", nullptr, "Date out of schedule file range."},
        {F::End, "3/31/97", "3/31/1997", nullptr},
        {F::End, "2/30/97", nullptr, "The date entered 2/30/97 is not a valid date."},
        {F::Start, "soon", nullptr, "The date entered soon is not a valid date."},
    };
    for (const Case& c : cases) {
        const FieldVerdict v = R::dateField(c.field, QString::fromLatin1(c.typed), first, last,
                                            QLocale(QLocale::English, QLocale::UnitedStates));
        EXPECT_EQ(v.accepted, c.shown != nullptr) << c.typed;
        if (c.shown) {
            EXPECT_EQ(v.text, QString::fromLatin1(c.shown)) << c.typed;
        } else {
            EXPECT_EQ(v.refusal.text, QString::fromLatin1(c.message)) << c.typed;
            EXPECT_EQ(v.refusal.title, QStringLiteral("Error"));
        }
    }
    EXPECT_FALSE(R::runRefusal(first, first));
    const auto refusal = R::runRefusal(last, first);
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->text, QStringLiteral("EndDate must be greater or equal to StartDate"));
}

TEST(QueryRules, ListAndDefaultTitles) {
    std::array<QString, 10> titles;
    titles.fill(QStringLiteral("undefined"));
    titles[0] = QStringLiteral(" Nights  ");
    const QStringList entries = R::entries(titles);
    ASSERT_EQ(entries.size(), 11);
    EXPECT_EQ(entries[0], QStringLiteral("[Notes]"));
    EXPECT_EQ(entries[1], QStringLiteral("01 - Nights"));
    EXPECT_EQ(entries[10], QStringLiteral("10 - undefined"));
    EXPECT_EQ(R::defaultTitle(3), QStringLiteral("Q3"));
}

TEST(QueryRules, AnEmptiedQueryIsUndefinedUnlessItKeepsANoteText) {
    struct Case {
        const char* title;
        bool ignoreShifts;
        const char* noteText;
        const char* stored;
    };
    const Case cases[] = {
        {"Q4", true, "  ", "undefined"}, {"Q4", true, "swap", "Q4"}, {"Q4", false, "", "Q4"},
        {"Nights", true, "", "Nights"},  {"Q3", true, "", "Q3"}, // another query's default title
    };
    for (const Case& c : cases) {
        QueryRecord q = QueryRecord::undefined();
        q.criteria.title = QString::fromLatin1(c.title);
        q.criteria.ignoreShifts = c.ignoreShifts;
        q.noteText = QString::fromLatin1(c.noteText);
        const QueryRecord stored = R::finished(q, 4);
        EXPECT_EQ(stored.criteria.title, QString::fromLatin1(c.stored)) << c.title << c.noteText;
        EXPECT_EQ(stored.noteText, q.noteText.trimmed());
    }
}
