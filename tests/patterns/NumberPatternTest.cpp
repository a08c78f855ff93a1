#include "model/patterns/NumberPattern.h"

#include "support/QtPrinters.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace kalmur {
namespace {

struct NumberCase {
    const char* pattern;
    double value;
    const char* expected;
};

void PrintTo(const NumberCase& c, std::ostream* os) {
    *os << '"' << c.pattern << "\" " << c.value;
}

class FormatNumberTest : public ::testing::TestWithParam<NumberCase> {};

TEST_P(FormatNumberTest, ShowsValue) {
    const NumberCase& c = GetParam();
    EXPECT_EQ(formatNumber(c.value, QString::fromUtf8(c.pattern)), QString::fromUtf8(c.expected));
}

// Lengths, rates, factors and counts as the dialogs and lists show them.
INSTANTIATE_TEST_SUITE_P(
    PlainPatterns, FormatNumberTest,
    ::testing::Values(
        NumberCase{"#0.00", 0.5, "0.50"}, NumberCase{"#0.00", 0, "0.00"},
        NumberCase{"#0.00", 7.5, "7.50"}, NumberCase{"#0.00", 1234.5, "1234.50"},
        NumberCase{"#0.00", -2.25, "-2.25"}, NumberCase{"#0.00", 9.995, "10.00"},
        NumberCase{"#0.00", 2.675, "2.68"}, NumberCase{"#0.00", 0.125, "0.13"},
        NumberCase{"#0.00", -0.125, "-0.13"}, NumberCase{"#0.00", 0.004, "0.00"},
        NumberCase{"#0.00", -0.004, "0.00"}, NumberCase{"#0.00", 0.1 + 0.2, "0.30"},
        NumberCase{"#0.00", 1e20, "100000000000000000000.00"}, NumberCase{"##0.00", 12.5, "12.50"},
        NumberCase{"##0.00", 999.99, "999.99"}, NumberCase{"##0.00", 999.995, "1000.00"},
        NumberCase{"##0.0", 0, "0.0"}, NumberCase{"###0.00", 12.5, "12.50"},
        NumberCase{"0.00", 1.5, "1.50"}, NumberCase{"####.00", 0.5, ".50"},
        NumberCase{"####.00", 0, ".00"}, NumberCase{"####.00", 40.25, "40.25"},
        NumberCase{"####.00", 0.995, "1.00"}, NumberCase{"##.##", 8, "8."},
        NumberCase{"##.##", 7.5, "7.5"}, NumberCase{"##.##", 0.5, ".5"},
        NumberCase{"##.##", 8.255, "8.26"}, NumberCase{"#0", 5, "5"}, NumberCase{"#0", 12, "12"},
        NumberCase{"#0", 0, "0"}, NumberCase{"#0", 2.5, "3"}, NumberCase{"#0", -2.5, "-3"},
        NumberCase{"0", 20, "20"}, NumberCase{"0", 0, "0"}, NumberCase{"00", 7, "07"},
        NumberCase{"00", 123, "123"}, NumberCase{"###", 0, ""}, NumberCase{"###", 0.4, ""},
        NumberCase{"###", 12, "12"}, NumberCase{"###", 1234, "1234"}, NumberCase{"####", 3, "3"},
        NumberCase{"#####", 42, "42"}, NumberCase{"#", 1, "1"}, NumberCase{"0#", 5, "05"}));

// The cost report's sectioned patterns: an empty negative section and "-" for zero.
INSTANTIATE_TEST_SUITE_P(
    SectionedPatterns, FormatNumberTest,
    ::testing::Values(
        NumberCase{"##,##0.00;;\\-", 0, "-"}, NumberCase{"##,##0.00;;\\-", 1234.5, "1,234.50"},
        NumberCase{"##,##0.00;;\\-", 12.5, "12.50"},
        NumberCase{"##,##0.00;;\\-", 1234567.891, "1,234,567.89"},
        NumberCase{"##,##0.00;;\\-", -1234.5, "-1,234.50"},
        NumberCase{"##,##0.00;;\\-", 0.001, "-"}, NumberCase{"##,##0.00;;\\-", -0.001, "-"},
        NumberCase{"##0.00;;\\-", 0, "-"}, NumberCase{"##0.00;;\\-", 12.5, "12.50"},
        NumberCase{"##0.00;;\\-", -3, "-3.00"}, NumberCase{"####0.00;;\\-", 99999.99, "99999.99"},
        NumberCase{"###,##0.00;;\\-", 999999.99, "999,999.99"},
        NumberCase{"###,##0.00;;\\-", 100, "100.00"}, NumberCase{"###,##0.00;;\\-", 0, "-"},
        NumberCase{"##;;\\-", 0, "-"}, NumberCase{"##;;\\-", 5, "5"},
        NumberCase{"##;;\\-", 42, "42"}, NumberCase{"0.00;(0.00)", -5, "(5.00)"},
        NumberCase{"0.00;(0.00)", 5, "5.00"}, NumberCase{"0;;0.0", 0, "0.0"},
        NumberCase{"#0.00;", -1, "-1.00"}));

// Literal characters: margins in centimetres and inches.
INSTANTIATE_TEST_SUITE_P(Literals, FormatNumberTest,
                         ::testing::Values(NumberCase{"0.00\\c\\m", 567.0 / 567, "1.00cm"},
                                           NumberCase{"0.00\\c\\m", 0, "0.00cm"},
                                           NumberCase{"0.00\\\"", 360.0 / 1440, "0.25\""},
                                           NumberCase{"0.00\"in\"", 2, "2.00in"},
                                           NumberCase{"$#0", -5, "-$5"},
                                           NumberCase{"0.00\"unclosed", 1, "1.00unclosed"},
                                           NumberCase{"0.00\\", 1, "1.00"}));

TEST(FormatNumber, HugeAndNonFiniteValuesDoNotBreak) {
    const QString huge = formatNumber(1e300, u"##,##0.00;;\\-");
    EXPECT_TRUE(huge.startsWith(QLatin1String("1,000,000,000,000,000,")));
    EXPECT_TRUE(huge.endsWith(QLatin1String(",000.00")));
    EXPECT_EQ(formatNumber(-std::numeric_limits<double>::max(), u"#0").size(), 310);
    EXPECT_EQ(formatNumber(std::numeric_limits<double>::denorm_min(), u"#0.00"), "0.00");
    EXPECT_EQ(formatNumber(std::nan(""), u"#0.00"), "NaN");
    EXPECT_EQ(formatNumber(std::numeric_limits<double>::infinity(), u"#0.00"), "Inf");
    EXPECT_EQ(formatNumber(-std::numeric_limits<double>::infinity(), u"##;;\\-"), "-Inf");
}

TEST(FormatNumber, PatternsWithoutDigitsShowTheirLiterals) {
    EXPECT_EQ(formatNumber(5, u"\\-"), "-");
    EXPECT_EQ(formatNumber(5, u";;;"), "5");
    EXPECT_EQ(formatNumber(2.5, u""), "2.5");
}

TEST(LeadingNumber, ReadsTheNumberAtTheStart) {
    const struct {
        const char* text;
        double expected;
    } cases[] = {{"12abc", 12},  {"abc", 0},  {" 1.5cm", 1.5},     {"", 0},      {"-3.25", -3.25},
                 {"+7", 7},      {".5", 0.5}, {"5.", 5},           {"-", 0},     {"-.5", -0.5},
                 {"1.2.3", 1.2}, {"\t 8", 8}, {"1e3", 1},          {"1,234", 1}, {"0.25\"", 0.25},
                 {"12 34", 12},  {"- 3", 0},  {"999.991", 999.991}};
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(leadingNumber(QString::fromUtf8(c.text)), c.expected) << c.text;
    }
    EXPECT_FALSE(std::signbit(leadingNumber(u"-0")));
}

TEST(LeadingNumber, EndlessDigitsStayFinite) {
    const QString many(400, u'9');
    EXPECT_EQ(leadingNumber(many), std::numeric_limits<double>::max());
    EXPECT_EQ(leadingNumber(u'-' + many), -std::numeric_limits<double>::max());
    EXPECT_EQ(leadingNumber(QStringLiteral("0.") + QString(400, u'0') + u'1'), 0.0);
}

TEST(LeadingNumber, ReadsBackWhatIsShown) {
    for (double v : {0.0, 0.25, 12.5, 999.99, 1234.56}) {
        EXPECT_DOUBLE_EQ(leadingNumber(formatNumber(v, u"0.00\\c\\m")), v);
        EXPECT_DOUBLE_EQ(leadingNumber(formatNumber(v, u"##0.00")), v);
    }
}

TEST(NumberText, WritesLikeStr) {
    EXPECT_EQ(numberText(12.5), " 12.5");
    EXPECT_EQ(numberText(8), " 8");
    EXPECT_EQ(numberText(-3), "-3");
    EXPECT_EQ(numberText(0), " 0");
    EXPECT_EQ(numberText(-0.0), " 0");
    EXPECT_EQ(numberText(0.5), " .5");
    EXPECT_EQ(numberText(1e20), " 1E+20");
    EXPECT_EQ(numberText(static_cast<double>(10.3f), 7), " 10.3");
    EXPECT_EQ(numberText(std::nan("")), "NaN");
}

} // namespace
} // namespace kalmur
