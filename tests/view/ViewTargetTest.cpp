// The view for its targets: the lines a printed cell takes, metrics on any
// paint device, and the row and total texts.
#include "model/schedule/Presets.h"
#include "support/OpenSchedule.h"
#include "support/QtPrinters.h"
#include "view/CellText.h"
#include "view/GridMetrics.h"
#include "view/ViewLayout.h"

#include <QImage>

#include <gtest/gtest.h>

using namespace kalmur;

namespace {

ViewFormat preset(Presets::ViewPreset p) {
    return Presets::viewFormat(p, QLocale(QLocale::English, QLocale::UnitedStates));
}

struct Row {
    int item;
    bool screen;
    bool report;
    bool tie;
};

ViewFormat withRows(std::initializer_list<Row> list) {
    ViewFormat v = preset(Presets::ViewPreset::Daily);
    v.cellRows = {};
    std::size_t i = 0;
    for (const Row& r : list) {
        v.cellRows[i++] =
            CellContentRow{static_cast<std::int16_t>(r.item), r.screen, r.report, r.tie, {}};
    }
    return v;
}

// 96 or 600 dots per inch.
QImage device(int dpi) {
    QImage image(8, 8, QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(dpi / 0.0254));
    image.setDotsPerMeterY(qRound(dpi / 0.0254));
    return image;
}

} // namespace

TEST(ViewLayout, ReportRowsCountTiesAndWrappedNotes) {
    using P = Presets::ViewPreset;
    struct Case {
        const char* what;
        ViewFormat format;
        int textLines;
        std::vector<std::vector<int>> items; // per line
    };
    const Case cases[] = {
        {"28 Day", preset(P::TwentyEightDay), 2, {{500}, {410, 320}}},
        {"Weekly", preset(P::Weekly), 5, {{120}, {150}, {220}, {410, 1310}}},
        {"Daily", preset(P::Daily), 1, {{500, 150, 160, 410, 310}}},
        {"three-line note", withRows({{2310, 0, 1, 0}, {120, 1, 1, 0}}), 4, {{2310}, {120}}},
        {"tied to a row not printed", withRows({{120, 1, 0, 1}, {220, 0, 1, 0}}), 1, {{220}}},
        {"icon stored as printed", withRows({{999, 1, 1, 1}, {120, 0, 1, 0}}), 1, {{120}}},
        {"nothing printed", withRows({{120, 1, 0, 0}}), 1, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const ViewLayout layout(c.format, ViewTarget::Report);
        EXPECT_FALSE(layout.marks().enabled);
        EXPECT_EQ(layout.textLines(), c.textLines);
        std::vector<std::vector<int>> items;
        for (const ViewLayout::Line& line : layout.lines()) {
            items.emplace_back();
            for (const ViewLayout::Row& row : line.rows) {
                items.back().push_back(row.item);
            }
        }
        EXPECT_EQ(items, c.items);
    }
}

TEST(CellText, ReportLayoutGivesThePrintedTexts) {
    OpenSchedule o;
    ASSERT_TRUE(o.s.writeNote(1, 1, QStringLiteral("Late")));
    Cell cell = o.s.cell(1, 1);
    cell.shift = 1;
    cell.onCall = 1;
    cell.explanation = 3;
    ViewFormat v = preset(Presets::ViewPreset::Weekly);
    v.useAbbreviations = true;
    const ViewLayout screen(v, ViewTarget::Screen);
    const ViewLayout report(v, ViewTarget::Report);
    EXPECT_EQ(CellText(o.s, v, screen).content(cell).text(), QStringLiteral("D | 7:00a - 3:30p"));
    const CellContent printed = CellText(o.s, v, report).content(cell);
    EXPECT_EQ(printed.text(), QStringLiteral("D | 7:00a - 3:30p | c | +, Late"));
    EXPECT_FALSE(printed.bell || printed.o || printed.box != CellContent::Box::None);
}

TEST(GridMetrics, FollowTheDeviceTheWidthAndTheFont) {
    ViewFormat v = preset(Presets::ViewPreset::Weekly);
    const ViewLayout layout(v);
    const QFont font = cellFont(v);
    const QImage screen = device(96);
    const QImage paper = device(600);
    const GridMetrics s = GridMetrics::compute(font, &screen, layout, 700, 7);
    const GridMetrics p = GridMetrics::compute(font, &paper, layout, 4375, 7);
    EXPECT_EQ(s.cellWidth, 100);
    EXPECT_EQ(p.cellWidth, 625);
    // The same font at 6.25 times the resolution: every size grows alike.
    for (auto [small, large] : {std::pair{s.lineHeight, p.lineHeight},
                                {s.cellHeight, p.cellHeight},
                                {s.nameWidth, p.nameWidth},
                                {s.padding, p.padding}}) {
        EXPECT_GT(large, 5 * small);
        EXPECT_LT(large, 8 * small);
    }
    // The screen keeps its font within 4 to 13 points; a report's font is used as given.
    v.fontSize = 20;
    QFont twenty = cellFont(v);
    EXPECT_EQ(twenty.pointSizeF(), 13.0);
    const int clamped = GridMetrics::compute(twenty, &screen, layout, 700, 7).lineHeight;
    twenty.setPointSizeF(20);
    EXPECT_GT(GridMetrics::compute(twenty, &screen, layout, 700, 7).lineHeight, clamped);
}

TEST(CellText, RowLabelsAndTotals) {
    EXPECT_EQ(CellText::nameLabel(QStringLiteral("/ Nights  "), true), QStringLiteral("Nights"));
    EXPECT_EQ(CellText::nameLabel(QStringLiteral("/"), true), QString());
    EXPECT_EQ(CellText::nameLabel(QStringLiteral("/Adams "), false), QStringLiteral("/Adams"));
    EXPECT_EQ(CellText::positionLabel(QStringLiteral("RN  "), false), QStringLiteral("RN"));
    EXPECT_EQ(CellText::positionLabel(QStringLiteral("RN"), true), QString());
    EXPECT_EQ(CellText::totalText(0), QString());
    EXPECT_EQ(CellText::totalText(12), QStringLiteral("12"));
}
