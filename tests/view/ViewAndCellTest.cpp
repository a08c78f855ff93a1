// What the grid shows: ruler labels, the cell-content layout, the marks and
// the text of every item code.
#include "model/codec/OleDate.h"
#include "model/schedule/Presets.h"
#include "support/OpenSchedule.h"
#include "support/QtPrinters.h"
#include "view/CellText.h"
#include "view/ViewLayout.h"

#include <gtest/gtest.h>

using namespace kalmur;

namespace {

ViewFormat preset(Presets::ViewPreset p) {
    return Presets::viewFormat(p, QLocale(QLocale::English, QLocale::UnitedStates));
}

// A format whose rows are given as (item, screen, tie); every row is shown in
// reports too.
ViewFormat rows(std::initializer_list<std::tuple<int, bool, bool>> list) {
    ViewFormat v = preset(Presets::ViewPreset::Daily);
    std::size_t i = 0;
    v.useAbbreviations = true;
    for (auto& row : v.cellRows) {
        row = CellContentRow{};
    }
    for (auto [item, screen, tie] : list) {
        v.cellRows[i].item = static_cast<std::int16_t>(item);
        v.cellRows[i].screen = screen;
        v.cellRows[i].tie = tie;
        ++i;
    }
    return v;
}

} // namespace

TEST(ViewLayout, RulerLabelsFollowTheStyles) {
    ViewFormat v = preset(Presets::ViewPreset::TwentyEightDay);
    const QDate thursday(1997, 1, 2);
    const QDate sunday(1997, 1, 5);
    const char* expected[4][2] = {{"H", "S"}, {"Th", "Su"}, {"Thu", "Sun"}, {"Thursday", "Sunday"}};
    for (int style = 0; style < 4; ++style) {
        v.rulerDay = static_cast<std::int16_t>(style);
        const ViewLayout layout(v);
        EXPECT_EQ(layout.weekdayLabel(thursday), QLatin1String(expected[style][0]));
        EXPECT_EQ(layout.weekdayLabel(sunday), QLatin1String(expected[style][1]));
    }
    const char* dates[4] = {"2", "1-2", "2-1", "1/2/1997"};
    for (int style = 0; style < 4; ++style) {
        v.rulerDate = static_cast<std::int16_t>(style);
        EXPECT_EQ(ViewLayout(v).dateLabel(thursday), QLatin1String(dates[style]));
    }
    v.rulerDate = 9; // damaged: the short date
    EXPECT_EQ(ViewLayout(v).dateLabel(thursday), QStringLiteral("1/2/1997"));
}

TEST(ViewLayout, RowsStackByTiesAndLineCounts) {
    const ViewLayout weekly(preset(Presets::ViewPreset::Weekly));
    // Icon (skipped), shift description, start & end time; report-only rows after them.
    ASSERT_EQ(weekly.lines().size(), 2u);
    EXPECT_EQ(weekly.lines()[0].rows[0].item, 120);
    EXPECT_EQ(weekly.lines()[1].first, 1);
    EXPECT_EQ(weekly.textLines(), 2);
    EXPECT_EQ(weekly.editTimeFormat(), QStringLiteral("h:nna/p"));

    const ViewLayout daily(preset(Presets::ViewPreset::Daily));
    ASSERT_EQ(daily.lines().size(), 1u); // all five rows tied into one line
    EXPECT_EQ(daily.lines()[0].rows.size(), 5u);
    EXPECT_FALSE(daily.marks().enabled);

    const ViewLayout notes(rows({{120, true, false}, {1310, true, false}, {2310, true, false}}));
    ASSERT_EQ(notes.lines().size(), 3u);
    EXPECT_EQ(notes.lines()[1].first, 1);
    EXPECT_EQ(notes.lines()[1].lines, 2);
    EXPECT_EQ(notes.lines()[2].first, 3);
    EXPECT_EQ(notes.textLines(), 6);

    // Rows after the last one shown on screen are not laid out; hidden rows take no line.
    const ViewLayout gaps(rows({{150, false, false},
                                {120, true, false},
                                {0, true, false},
                                {220, true, false},
                                {310, false, false}}));
    ASSERT_EQ(gaps.lines().size(), 2u);
    EXPECT_EQ(gaps.lines()[1].rows[0].item, 220);
    EXPECT_EQ(gaps.lines()[1].first, 1);
    ViewFormat hh = preset(Presets::ViewPreset::Weekly);
    hh.timeFormat = QStringLiteral("hh:nn");
    EXPECT_EQ(ViewLayout(hh).editTimeFormat(), QStringLiteral("hh:nn"));
}

TEST(ViewLayout, MarksAreDroppedWhenARowShowsTheSame) {
    const auto marksOf = [](std::initializer_list<std::tuple<int, bool, bool>> list) {
        return ViewLayout(rows(list)).marks();
    };
    auto m = marksOf({{999, true, true}, {160, true, false}});
    EXPECT_TRUE(m.enabled);
    EXPECT_TRUE(m.bell && m.noteBox && m.explanationBox && m.x);
    EXPECT_FALSE(m.o); // an item below 200 is shown
    EXPECT_TRUE(m.inline_);
    m = marksOf({{999, true, false}, {410, true, false}, {1310, true, false}, {220, true, false}});
    EXPECT_FALSE(m.bell);
    EXPECT_FALSE(m.noteBox);
    EXPECT_FALSE(m.explanationBox);
    EXPECT_TRUE(m.x);
    EXPECT_TRUE(m.o);
    EXPECT_FALSE(m.inline_);
    m = marksOf({{999, true, false}, {500, true, false}});
    EXPECT_FALSE(m.x);
    EXPECT_FALSE(m.o);
    EXPECT_FALSE(m.explanationBox);
    EXPECT_FALSE(marksOf({{999, false, false}, {120, true, false}}).enabled); // icon not on screen
    EXPECT_FALSE(marksOf({{120, true, false}, {999, true, false}}).enabled);  // icon only in row 0
}

TEST(CellText, EveryItemCodeAndTheShiftRule) {
    OpenSchedule o;
    const ViewFormat v = rows({{120, true, false},
                               {130, true, false},
                               {140, true, false},
                               {150, true, false},
                               {160, true, false},
                               {220, true, false}});
    const ViewLayout layout(v);
    ViewFormat full = v;
    const CellText text(o.s, full, layout);
    Cell day;
    day.shift = 1;
    day.explanation = 3;
    EXPECT_EQ(text.content(day).text(),
              QStringLiteral("D | 7:00a | 3:30p | 7:00a - 3:30p | 8.00 | c"));
    EXPECT_EQ(text.content(day).lines[0].runs[0].colour, 9);

    // A shift without a paid length shows no times and no length.
    Cell training = day;
    training.shift = 2;
    EXPECT_EQ(text.content(training).text(), QStringLiteral("TR | c"));

    // Without a shift 1..99 only item 120 and items from 200 are shown.
    Cell off;
    off.shift = 100;
    off.explanation = 3;
    EXPECT_EQ(text.content(off).text(), QStringLiteral("X | c"));
    EXPECT_EQ(text.content(off).lines[0].runs[0].colour, kTimeOffColour);
    full.showTimeOff = false;
    EXPECT_EQ(CellText(o.s, full, layout).content(off).text(), QStringLiteral("c"));

    Cell damaged;
    damaged.shift = 150;       // no such code: shown as no shift
    damaged.explanation = 200; // likewise
    damaged.note = 999;        // not in the note file
    EXPECT_TRUE(text.content(damaged).empty);
    EXPECT_TRUE(text.content(Cell{}).empty);
}

TEST(CellText, NotesOnCallTiesAndDescriptions) {
    OpenSchedule o;
    ASSERT_TRUE(o.s.writeNote(1, 1, QStringLiteral("Leaves early for the dentist")));
    Cell cell = o.s.cell(1, 1);
    cell.shift = 1;
    cell.onCall = 1;
    cell.explanation = 3;
    ViewFormat v =
        rows({{500, true, true}, {410, true, false}, {320, true, true}, {310, true, false}});
    const ViewLayout layout(v);
    EXPECT_EQ(CellText(o.s, v, layout).content(cell).text(),
              QStringLiteral("D,c, + | *, Leaves early for the dentist"));
    v.useAbbreviations = false;
    EXPECT_EQ(CellText(o.s, v, layout).content(cell).text(),
              QStringLiteral("Day shift,Sick, On Call | See Note, Leaves early for the dentist"));

    // A detached note counts as none.
    cell.note = static_cast<std::int16_t>(-cell.note);
    EXPECT_EQ(CellText(o.s, v, layout).content(cell).text(),
              QStringLiteral("Day shift,Sick, On Call"));
}

TEST(CellText, MarksOfACell) {
    OpenSchedule o;
    ASSERT_TRUE(o.s.writeNote(1, 1, QStringLiteral("n")));
    const ViewFormat v = rows({{999, true, true}, {160, true, false}});
    const ViewLayout layout(v);
    const CellText text(o.s, v, layout);
    Cell cell = o.s.cell(1, 1);
    cell.onCall = 1;
    auto c = text.content(cell);
    EXPECT_TRUE(c.bell);
    EXPECT_EQ(c.box, CellContent::Box::Yellow);
    cell.explanation = 2;
    EXPECT_EQ(text.content(cell).box, CellContent::Box::Green);
    cell.note = 0;
    EXPECT_EQ(text.content(cell).box, CellContent::Box::Blue);
    cell.shift = 100;
    EXPECT_TRUE(text.content(cell).x);
    cell.shift = 1;
    EXPECT_FALSE(text.content(cell).x);
    EXPECT_FALSE(text.content(cell).o); // dropped: item 160 is shown
}
