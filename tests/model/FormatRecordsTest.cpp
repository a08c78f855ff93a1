// Report setup, coverage line, view format and query records against images
// built by hand at the documented offsets.
#include "model/records/QueryRecord.h"
#include "model/records/ViewFormat.h"
#include "support/HandBytes.h"

#include <gtest/gtest.h>

using namespace kalmur;
using namespace handbytes;

namespace {

// A report setup image at `at`: every field a distinct value.
void putSetup(Bytes& b, std::size_t at) {
    putText(b, at + 0, 30, "Night roster");
    put16(b, at + 30, 3);    // quality Medium
    put16(b, at + 32, 2);    // Landscape
    put16(b, at + 34, -1);   // shading allowed
    put16(b, at + 36, 0);    // margins not allowed
    put16(b, at + 38, 20);   // dark
    put16(b, at + 40, 0);    // ruler not shaded
    put16(b, at + 42, -1);   // coverage shaded
    put16(b, at + 44, -1);   // in colour
    put16(b, at + 46, 360);  // top
    put16(b, at + 48, 720);  // bottom
    put16(b, at + 50, 567);  // left
    put16(b, at + 52, 1440); // right
    put16(b, at + 54, -1);   // centimetres
    put16(b, at + 56, 0);    // printer font
    putText(b, at + 58, 30, "Arial");
    putFloat(b, at + 88, 12.5f);
    put16(b, at + 92, -1); // bold
    put16(b, at + 94, 0);
    for (int i = 0; i < 20; ++i) {
        put16(b, at + 96 + 2 * i, (i == 0 || i == 9 || i == 19) ? -1 : 0);
    }
}

void expectSetup(const ReportSetup& r) {
    EXPECT_EQ(r.title, QStringLiteral("Night roster"));
    EXPECT_EQ(r.printQuality, 3);
    EXPECT_EQ(r.orientation, 2);
    EXPECT_TRUE(r.shadingAllowed);
    EXPECT_FALSE(r.marginsAllowed);
    EXPECT_EQ(r.shadePercent, 20);
    EXPECT_FALSE(r.shadeRuler);
    EXPECT_TRUE(r.shadeCoverage);
    EXPECT_TRUE(r.inColor);
    EXPECT_EQ(r.margins, (std::array<std::int16_t, 4>{360, 720, 567, 1440}));
    EXPECT_TRUE(r.centimeters);
    EXPECT_FALSE(r.useScreenFont);
    EXPECT_EQ(r.fontName, QStringLiteral("Arial"));
    EXPECT_EQ(r.fontSize, 12.5f);
    EXPECT_TRUE(r.fontBold);
    EXPECT_FALSE(r.fontItalic);
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(r.options[static_cast<std::size_t>(i)], i == 0 || i == 9 || i == 19) << i;
    }
}

// A coverage-line image at `at`.
void putLine(Bytes& b, std::size_t at, const std::string& title) {
    putText(b, at, 20, title);
    put16(b, at + 20, 0);  // names checked
    put16(b, at + 22, -1); // explanations ignored
    put16(b, at + 24, 0);  // shifts checked
    put16(b, at + 26, -1); // by position
    putText(b, at + 28, 10, "RN");
    put8(b, at + 38 + 0, 1);    // slot 1
    put8(b, at + 38 + 199, 1);  // slot 200
    put8(b, at + 238 + 0, 1);   // explanation 0
    put8(b, at + 238 + 99, 1);  // explanation 99
    put8(b, at + 338 + 0, 1);   // not scheduled
    put8(b, at + 338 + 100, 1); // time off
    put8(b, at + 338 + 101, 1); // on call
}

void expectLine(const CoverageLine& c, const QString& title) {
    EXPECT_EQ(c.title, title);
    EXPECT_FALSE(c.ignoreNames);
    EXPECT_TRUE(c.ignoreExplanations);
    EXPECT_FALSE(c.ignoreShifts);
    EXPECT_TRUE(c.checkByPosition);
    EXPECT_EQ(c.position, QStringLiteral("RN"));
    EXPECT_EQ(c.employeeMarks[0], 1);
    EXPECT_EQ(c.employeeMarks[1], 0);
    EXPECT_EQ(c.employeeMarks[199], 1);
    EXPECT_EQ(c.explanationMarks[0], 1);
    EXPECT_EQ(c.explanationMarks[99], 1);
    EXPECT_EQ(c.shiftMarks[0], 1);
    EXPECT_EQ(c.shiftMarks[99], 0);
    EXPECT_EQ(c.shiftMarks[100], 1);
    EXPECT_EQ(c.shiftMarks[101], 1);
}

} // namespace

TEST(ReportSetup, DecodesAndEncodesEveryField) {
    Bytes b(136, 0);
    putSetup(b, 0);
    const ReportSetup r = ReportSetup::fromBytes(b);
    expectSetup(r);
    EXPECT_EQ(firstDifference(r.toBytes(), b), -1);
}

TEST(CoverageLine, DecodesAndEncodesEveryField) {
    Bytes b(440, 0);
    putLine(b, 0, "RNs on days");
    const CoverageLine c = CoverageLine::fromBytes(b);
    expectLine(c, QStringLiteral("RNs on days"));
    EXPECT_EQ(firstDifference(c.toBytes(), b), -1);

    Bytes fresh(440, 0);
    putText(fresh, 0, 20, "undefined");
    put16(fresh, 20, -1);
    put16(fresh, 22, -1);
    put16(fresh, 24, -1);
    putText(fresh, 28, 10, "");
    EXPECT_EQ(firstDifference(CoverageLine::undefined().toBytes(), fresh), -1);
}

TEST(ViewFormat, DecodesEveryFieldAndKeepsUnnamedBytes) {
    Bytes b(9185, 0);
    put16(b, 0, 0x1234);
    putText(b, 2, 20, "Night view");
    put16(b, 22, -1);
    putText(b, 24, 15, "hh:nn");
    put16(b, 39, -1);
    put16(b, 41, 6);
    put16(b, 43, -77);
    put16(b, 45, 0);
    put16(b, 47, 2);
    put16(b, 49, 3);
    put16(b, 51, 14);
    putText(b, 53, 30, "Small Fonts");
    putFloat(b, 83, 7.0f);
    put16(b, 87, 0);
    put16(b, 89, -1);
    put16(b, 91, -1);
    put16(b, 93, 20);
    putSetup(b, 95);
    put16(b, 231, 4321);
    // Cell-content rows: item, screen, report, tie, then two layout values.
    const int items[6] = {999, 120, 150, 1310, 410, 0};
    for (std::size_t r = 0; r < 6; ++r) {
        const std::size_t at = 233 + 12 * r;
        put16(b, at, items[r]);
        put16(b, at + 2, r < 3 ? -1 : 0);
        put16(b, at + 4, r == 1 ? -1 : 0);
        put16(b, at + 6, r == 0 ? -1 : 0);
        put16(b, at + 8, int(100 + r));
        put16(b, at + 10, int(200 + r));
    }
    for (std::size_t c = 0; c < 20; ++c) {
        putLine(b, 305 + 440 * c, "Line " + std::to_string(c + 1));
    }
    putPattern(b, 9105, 30, 3);
    putPattern(b, 9135, 50, 11);

    const ViewFormat v = ViewFormat::fromBytes(b);
    EXPECT_EQ(v.value0, 0x1234);
    EXPECT_EQ(v.name, QStringLiteral("Night view"));
    EXPECT_TRUE(v.showCellIcon);
    EXPECT_EQ(v.timeFormat, QStringLiteral("hh:nn"));
    EXPECT_TRUE(v.hidePosition);
    EXPECT_EQ(v.layoutValues, (std::array<std::int16_t, 2>{6, -77}));
    EXPECT_FALSE(v.useAbbreviations);
    EXPECT_EQ(v.rulerDay, 2);
    EXPECT_EQ(v.rulerDate, 3);
    EXPECT_EQ(v.daysOnScreen, 14);
    EXPECT_EQ(v.fontName, QStringLiteral("Small Fonts"));
    EXPECT_EQ(v.fontSize, 7.0f);
    EXPECT_FALSE(v.fontBold);
    EXPECT_TRUE(v.fontItalic);
    EXPECT_TRUE(v.showTimeOff);
    EXPECT_EQ(v.coverageVisible, 20);
    expectSetup(v.reportSetup);
    EXPECT_EQ(v.value231, 4321);
    EXPECT_EQ(v.cellRows[0].item, 999);
    EXPECT_TRUE(v.cellRows[0].tie);
    EXPECT_EQ(v.cellRows[3].item, 1310);
    EXPECT_TRUE(v.cellRows[1].report);
    EXPECT_FALSE(v.cellRows[3].screen);
    EXPECT_EQ(v.cellRows[5].layout, (std::array<std::int16_t, 2>{105, 205}));
    expectLine(v.coverageLines[0], QStringLiteral("Line 1"));
    expectLine(v.coverageLines[19], QStringLiteral("Line 20"));
    EXPECT_EQ(firstDifference(v.toBytes(), b), -1);
}

TEST(QueryRecord, CriteriaNoteTextAndFinalInteger) {
    Bytes b(502, 0);
    putLine(b, 0, "Charge nurses");
    putText(b, 440, 60, "float");
    put16(b, 500, -2);
    const QueryRecord q = QueryRecord::fromBytes(b);
    expectLine(q.criteria, QStringLiteral("Charge nurses"));
    EXPECT_EQ(q.noteText, QStringLiteral("float"));
    EXPECT_EQ(q.value500, -2);
    EXPECT_EQ(firstDifference(q.toBytes(), b), -1);

    // A free query: "undefined", values -1, -1, -1, 0, everything else cleared.
    Bytes fresh(502, 0);
    putText(fresh, 0, 20, "undefined");
    put16(fresh, 20, -1);
    put16(fresh, 22, -1);
    put16(fresh, 24, -1);
    putText(fresh, 28, 10, "");
    putText(fresh, 440, 60, "");
    EXPECT_EQ(firstDifference(QueryRecord::undefined().toBytes(), fresh), -1);
}
