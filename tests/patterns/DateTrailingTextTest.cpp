#include "model/patterns/DateText.h"

#include <gtest/gtest.h>

namespace kalmur {
namespace {

// Locales whose short date ends with text of its own after the last field.
const QLocale kKorean(QLocale::Korean, QLocale::SouthKorea);     // "yy. M. d."
const QLocale kHungarian(QLocale::Hungarian, QLocale::Hungary);  // "yyyy. MM. dd."
const QLocale kCroatian(QLocale::Croatian, QLocale::Croatia);    // "dd. MM. yyyy."
const QLocale kSerbian(QLocale::Serbian, QLocale::Serbia);       // "d.M.yy."
const QLocale kBulgarian(QLocale::Bulgarian, QLocale::Bulgaria); // "d.MM.yy 'г'."

std::string describe(const QLocale& locale, const QString& text) {
    return locale.name().toStdString() + " '" + text.toStdString() + "'";
}

TEST(ReadDateTrailingText, ShownDatesReadBack) {
    for (const QLocale& locale : {kKorean, kHungarian, kCroatian, kSerbian, kBulgarian}) {
        for (QDate d(1930, 1, 1); d.year() < 2040; d = d.addDays(211)) {
            const QString shown = formatShortDate(d, locale);
            EXPECT_EQ(readDate(shown, locale), d) << describe(locale, shown);
            // A time after the shown date is dropped as usual.
            EXPECT_EQ(readDate(shown + QStringLiteral(" 8:30"), locale), d)
                << describe(locale, shown);
        }
    }
}

TEST(ReadDateTrailingText, TheTextIsOptionalButNothingElseMayFollow) {
    EXPECT_EQ(readDate(u"2024. 03. 05", kHungarian), QDate(2024, 3, 5));
    EXPECT_EQ(readDate(u"2024.3.5.", kHungarian), QDate(2024, 3, 5));
    EXPECT_EQ(readDate(u"5.03.2024", kBulgarian), QDate(2024, 3, 5));
    EXPECT_EQ(readDate(u"5.03.2024 \u0413.", kBulgarian), QDate(2024, 3, 5)); // any case
    for (const char16_t* text : {u"2024. 03. 05..", u"2024. 03. 05. x", u"2024. 03. 05.5"}) {
        EXPECT_FALSE(readDate(text, kHungarian)) << describe(kHungarian, QString::fromUtf16(text));
    }
}

TEST(ReadDateTrailingText, FormatsWithoutTrailingTextStillRefuseIt) {
    EXPECT_FALSE(readDate(u"1/1/97.", QLocale(QLocale::English, QLocale::UnitedStates)));
    EXPECT_FALSE(readDate(u"31.12.99.", QLocale(QLocale::German, QLocale::Germany)));
}

} // namespace
} // namespace kalmur
