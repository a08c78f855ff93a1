#include "model/codec/OleDate.h"
#include "model/records/ScheduleSettings.h"
#include "support/HandBytes.h"

#include <gtest/gtest.h>

using namespace kalmur;
using namespace handbytes;

namespace {

// The bytes of one report setup of a new settings file.
Bytes setupImage(const std::string& title, bool shading, bool margins, bool shadeRuler,
                 float fontSize, std::initializer_list<int> options) {
    Bytes b(136, 0);
    putText(b, 0, 30, title);
    put16(b, 34, shading ? -1 : 0);
    put16(b, 36, margins ? -1 : 0);
    put16(b, 38, 10);
    put16(b, 40, shadeRuler ? -1 : 0);
    put16(b, 42, shadeRuler ? -1 : 0);
    for (int i = 0; i < 4; ++i) {
        put16(b, 46 + 2 * i, 360);
    }
    putText(b, 58, 30, "Arial");
    putFloat(b, 88, fontSize);
    for (int n : options) {
        put16(b, 96 + 2 * (n - 1), -1);
    }
    return b;
}

void place(Bytes& into, std::size_t at, const Bytes& part) {
    std::copy(part.begin(), part.end(), into.begin() + static_cast<std::ptrdiff_t>(at));
}

} // namespace

TEST(ScheduleSettings, DecodesEveryFieldAndKeepsReservedBytes) {
    Bytes b(2396, 0);
    putDouble(b, 0, 35431.0); // 1 January 1997
    putDouble(b, 8, 35520.0); // 31 March 1997
    putText(b, 16, 10, "SECRET");
    put16(b, 26, 2);
    put16(b, 28, 14);
    for (int r = 0; r < 200; ++r) {
        put16(b, 30 + 2 * static_cast<std::size_t>(r), 200 - r);
    }
    put16(b, 430, 1);
    putPattern(b, 432, 40, 1);
    putPattern(b, 472, 50, 2);
    putPattern(b, 522, 80, 3);
    place(b, 602, setupImage("Estimated Cost", false, false, true, 12, {}));
    place(b, 738, setupImage("Employee Calendar", true, true, true, 8, {1, 2, 3, 4, 6, 10}));
    place(b, 874, setupImage("Personal Schedule", true, true, true, 8, {1, 2, 3, 4, 6}));
    place(b, 1010, setupImage("Legend", true, true, false, 8, {1, 2, 3, 4}));
    place(b, 1010 + 136, setupImage("", false, true, false, 8, {}));
    place(b, 1010 + 9 * 136, setupImage("Spare", false, false, false, 9, {20}));
    put16(b, 2370, -1);
    put16(b, 2380, -1);
    putPattern(b, 2382, 10, 4);
    put16(b, 2392, 77);
    put16(b, 2394, 3);

    const ScheduleSettings s = ScheduleSettings::fromBytes(b);
    EXPECT_EQ(OleDate::toDate(s.startDate), QDate(1997, 1, 1));
    EXPECT_EQ(OleDate::toDate(s.endDate), QDate(1997, 3, 31));
    EXPECT_EQ(s.password, QStringLiteral("SECRET"));
    EXPECT_EQ(s.weekStart, 2);
    EXPECT_EQ(s.firstShownDay, 14);
    EXPECT_EQ(s.rowOrder[0], 200);
    EXPECT_EQ(s.rowOrder[199], 1);
    EXPECT_EQ(s.costSetup.title, QStringLiteral("Estimated Cost"));
    EXPECT_EQ(s.calendarSetup.title, QStringLiteral("Employee Calendar"));
    EXPECT_TRUE(s.calendarSetup.options[9]);
    EXPECT_EQ(s.personalSetup.title, QStringLiteral("Personal Schedule"));
    EXPECT_EQ(s.legendSetup.title, QStringLiteral("Legend"));
    EXPECT_TRUE(s.querySetup.title.isEmpty());
    EXPECT_EQ(ReportSetup::fromBytes(s.spareSetups[7]).title, QStringLiteral("Spare"));
    EXPECT_EQ(s.pasteOptions, (std::array<bool, 6>{true, false, false, false, false, true}));
    EXPECT_EQ(s.reserved2392, 77);
    EXPECT_EQ(s.viewFormatNumber, 3);
    EXPECT_EQ(firstDifference(s.toBytes(), b), -1);
}

TEST(ScheduleSettings, DefaultsOfANewFile) {
    Bytes b(2396, 0);
    putDouble(b, 0, OleDate::fromDate(QDate(2026, 1, 1)));
    putDouble(b, 8, OleDate::fromDate(QDate(2027, 12, 31)));
    putText(b, 16, 10, "");
    put16(b, 26, 1);
    put16(b, 28, 0);
    for (int r = 0; r < 200; ++r) {
        put16(b, 30 + 2 * static_cast<std::size_t>(r), r + 1);
    }
    put16(b, 430, 1);
    place(b, 602, setupImage("Estimated Cost", false, false, true, 12, {}));
    place(b, 738, setupImage("Employee Calendar", true, true, true, 8, {1, 2, 3, 4, 6, 10}));
    place(b, 874, setupImage("Personal Schedule", true, true, true, 8, {1, 2, 3, 4, 6}));
    place(b, 1010, setupImage("Legend", true, true, false, 8, {1, 2, 3, 4}));
    place(b, 1010 + 136, setupImage("", false, true, false, 8, {}));
    // Setup table entries 3 to 10 stay all zero; so do the reserved strings.
    for (int i = 0; i < 5; ++i) {
        put16(b, 2370 + 2 * static_cast<std::size_t>(i), -1);
    }
    put16(b, 2394, 0);

    EXPECT_EQ(firstDifference(ScheduleSettings::defaults(QDate(2026, 12, 8)).toBytes(), b), -1);
}
