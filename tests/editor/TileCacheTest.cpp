// Drawn tiles copied instead of drawn again: a copy must carry exactly the
// pixels the drawing would have, a tile must never be reused for a different
// look, and the main window must show an edited cell as drawn anew.
#include "editor/TileCache.h"
#include "editor/GridTiles.h"
#include "editor/MainForm.h"
#include "editor/PaintArea.h"
#include "files/ProgramState.h"
#include "model/schedule/Presets.h"
#include "support/ScriptedDialogs.h"
#include "support/ScriptedPlatform.h"
#include "view/GridPainter.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace kalmur;

namespace {

CellContent shown(std::vector<CellContent::Line> lines) {
    CellContent c;
    c.empty = false;
    c.lines = std::move(lines);
    return c;
}

CellContent::Line line(std::vector<TextRun> runs, int first = 0, int lines = 1) {
    return CellContent::Line{first, lines, std::move(runs)};
}

// Contents that differ from their neighbours by one field, and some that
// fill a cell to its edges.
std::vector<CellContent> contents() {
    std::vector<CellContent> all;
    all.push_back(CellContent{});
    all.push_back(CellText::divider());
    CellContent day = shown({line({{"D", 9}})});
    day.o = true;
    all.push_back(day);
    day.lines[0].runs[0].colour = 10; // only the colour differs
    all.push_back(day);
    CellContent marked = shown({line({{"E", -1}}), line({{"3p-11p", 4}}, 1)});
    marked.bell = true;
    marked.o = true;
    marked.box = CellContent::Box::Yellow;
    all.push_back(marked);
    marked.marksInline = true; // only the placing of the marks differs
    all.push_back(marked);
    marked.box = CellContent::Box::Green;
    all.push_back(marked);
    CellContent off = shown({line({{"OFF", kTimeOffColour}})});
    off.x = true;
    off.bell = true;
    off.box = CellContent::Box::Blue;
    all.push_back(off);
    all.push_back(shown({line({{"Charge Night 12h with a text far too long", -1}})}));
    all.push_back(shown({line({{"D", 9}, {", ", -1}, {"7a-3p", 2}})}));
    all.push_back(shown({line({{"D, 7a-3p", 9}})})); // the same letters in one run
    all.push_back(shown({line({{"Leaves early, see Weber, Anna - pending", -1}}, 0, 2)}));
    return all;
}

// The grid of a weekly view (several text lines a cell), 7 days on 420 px.
GridMetrics weeklyMetrics() {
    const ViewFormat format = Presets::viewFormat(Presets::ViewPreset::Weekly);
    const ViewLayout layout(format);
    return GridMetrics::compute(format, layout, 420, 7);
}

// Where two images of one size differ first by more than `tolerance` in a
// colour channel (empty when nowhere). Smoothed edges at fractional positions
// may round one step apart at different places of a device.
std::string firstDifference(const QImage& a, const QImage& b, int tolerance = 3) {
    const QImage x = a.convertToFormat(QImage::Format_ARGB32);
    const QImage y = b.convertToFormat(QImage::Format_ARGB32);
    if (x.size() != y.size()) {
        return "sizes differ";
    }
    for (int py = 0; py < x.height(); ++py) {
        for (int px = 0; px < x.width(); ++px) {
            const QRgb u = x.pixel(px, py);
            const QRgb v = y.pixel(px, py);
            if (std::abs(qRed(u) - qRed(v)) > tolerance ||
                std::abs(qGreen(u) - qGreen(v)) > tolerance ||
                std::abs(qBlue(u) - qBlue(v)) > tolerance) {
                return QStringLiteral("pixel %1,%2: %3 vs %4")
                    .arg(px)
                    .arg(py)
                    .arg(u, 8, 16)
                    .arg(v, 8, 16)
                    .toStdString();
            }
        }
    }
    return {};
}

QPixmap area(QSize size, qreal ratio) {
    QPixmap back(size * ratio);
    back.setDevicePixelRatio(ratio);
    back.fill(QColor(236, 236, 236));
    return back;
}

} // namespace

TEST(TileCache, CopiesCarryThePixelsOfTheDrawing) {
    const GridMetrics m = weeklyMetrics();
    const GridPainter painter(m);
    const auto all = contents();
    constexpr int kColumns = 7;
    constexpr int kRows = 9;
    const QSize size(kColumns * m.cellWidth + 13, kRows * m.cellHeight + 7);
    auto cellAt = [&](int r, int k) {
        return all[static_cast<std::size_t>(r * 5 + k * 3) % all.size()];
    };
    for (const qreal ratio : {1.0, 2.0, 1.5}) {
        SCOPED_TRACE(ratio);
        QPixmap drawn = area(size, ratio);
        {
            QPainter p(&drawn);
            for (int r = 0; r < kRows; ++r) {
                for (int k = 0; k < kColumns; ++k) {
                    painter.paintCell(
                        p, QRect(k * m.cellWidth, r * m.cellHeight, m.cellWidth, m.cellHeight),
                        cellAt(r, k));
                }
            }
        }
        TileCache tiles;
        tiles.useStyle(GridTiles::style(m));
        // The first pass draws each look once and copies the repeats; the
        // second copies everything.
        for (int pass = 0; pass < 2; ++pass) {
            QPixmap copied = area(size, ratio);
            {
                QPainter p(&copied);
                for (int r = 0; r < kRows; ++r) {
                    for (int k = 0; k < kColumns; ++k) {
                        const CellContent c = cellAt(r, k);
                        tiles.draw(
                            p, QRect(k * m.cellWidth, r * m.cellHeight, m.cellWidth, m.cellHeight),
                            GridTiles::cell(c),
                            [&](QPainter& q, const QRect& at) { painter.paintCell(q, at, c); });
                    }
                }
            }
            EXPECT_EQ(firstDifference(copied.toImage(), drawn.toImage()), "") << "pass " << pass;
        }
        // A fractional ratio is drawn directly, never copied.
        EXPECT_EQ(tiles.count(), ratio == 1.5 ? 0 : static_cast<int>(all.size()));
    }
}

TEST(TileCache, ATileIsReusedOnlyForTheSameNameSizeAndStyle) {
    TileCache tiles;
    tiles.useStyle("a");
    QPixmap back = area(QSize(40, 20), 1);
    QPainter p(&back);
    int drawings = 0;
    auto fill = [&](const QColor& colour) {
        return [&drawings, colour](QPainter& q, const QRect& at) {
            ++drawings;
            q.fillRect(at, colour);
        };
    };
    tiles.draw(p, QRect(0, 0, 10, 10), "cell", fill(Qt::red));
    tiles.draw(p, QRect(10, 0, 10, 10), "cell", fill(Qt::blue)); // copied: red
    EXPECT_EQ(drawings, 1);
    tiles.draw(p, QRect(20, 0, 12, 10), "cell", fill(Qt::blue)); // another size
    tiles.draw(p, QRect(0, 10, 10, 10), "other", fill(Qt::green));
    EXPECT_EQ(drawings, 3);
    tiles.useStyle("a"); // the same style keeps the tiles
    tiles.draw(p, QRect(10, 10, 10, 10), "cell", fill(Qt::blue));
    EXPECT_EQ(drawings, 3);
    tiles.useStyle("b");
    EXPECT_EQ(tiles.count(), 0);
    tiles.draw(p, QRect(30, 10, 10, 10), "cell", fill(Qt::blue));
    EXPECT_EQ(drawings, 4);
    p.end();
    const QImage image = back.toImage();
    EXPECT_EQ(image.pixelColor(15, 5), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(25, 5), QColor(Qt::blue));
    EXPECT_EQ(image.pixelColor(15, 15), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(35, 15), QColor(Qt::blue));
}

TEST(TileCache, StaysWithinItsBoundsAndDrawsLargeTilesDirectly) {
    TileCache tiles;
    QPixmap back = area(QSize(400, 400), 1);
    QPainter p(&back);
    int drawings = 0;
    auto paint = [&](QPainter& q, const QRect& at) {
        ++drawings;
        q.fillRect(at, Qt::white);
    };
    // 200 x 200 pixels of 4 bytes: about a hundred fit.
    for (int i = 0; i < 150; ++i) {
        tiles.draw(p, QRect(0, 0, 200, 200), QByteArray::number(i), paint);
        EXPECT_LE(qint64(tiles.count()) * 200 * 200 * 4, TileCache::kMaxBytes);
    }
    EXPECT_GT(tiles.count(), 0);
    const int before = tiles.count();
    tiles.draw(p, QRect(0, 0, 300, 300), "big", paint);
    tiles.draw(p, QRect(0, 0, 300, 300), "big", paint);
    EXPECT_EQ(drawings, 152);
    EXPECT_EQ(tiles.count(), before);
    // A transformed painter is drawn directly too.
    p.scale(2, 2);
    tiles.draw(p, QRect(0, 0, 10, 10), "scaled", paint);
    tiles.draw(p, QRect(0, 0, 10, 10), "scaled", paint);
    EXPECT_EQ(drawings, 154);
}

TEST(GridTiles, NamesDifferWhereverTheLookDiffers) {
    const auto all = contents();
    for (std::size_t i = 0; i < all.size(); ++i) {
        EXPECT_EQ(GridTiles::cell(all[i]), GridTiles::cell(CellContent(all[i])));
        for (std::size_t j = i + 1; j < all.size(); ++j) {
            EXPECT_NE(GridTiles::cell(all[i]), GridTiles::cell(all[j])) << i << " " << j;
        }
    }
    EXPECT_NE(GridTiles::text(0, "ab", "c"), GridTiles::text(0, "a", "bc"));
    EXPECT_NE(GridTiles::text(0, "7"), GridTiles::text(1, "7"));
    GridMetrics bigger = weeklyMetrics();
    const QByteArray style = GridTiles::style(bigger);
    bigger.font.setPointSizeF(bigger.font.pointSizeF() + 1);
    EXPECT_NE(GridTiles::style(bigger), style);
}

namespace {

QImage drawnAnew(MainForm& form, PaintArea& area) {
    for (PaintArea* a : form.findChildren<PaintArea*>()) {
        a->tiles().clear();
    }
    form.repaintAll();
    return area.back().toImage();
}

} // namespace

TEST(MainFormTiles, WhatIsCopiedEqualsWhatIsDrawnAnewAfterEdits) {
    QTemporaryDir root;
    ASSERT_TRUE(QDir().mkpath(root.filePath("work")));
    ProgramState state(root.filePath("work"));
    ScriptedPlatform platform;
    ScriptedDialogs dialogs;
    dialogs.newDates.push(DateRange{QDate(2024, 1, 1), QDate(2024, 3, 31)});
    MainForm form(state, platform, dialogs);
    form.resize(1000, 600);
    form.show();
    QApplication::processEvents();
    platform.openAnswers.push_back(root.filePath("ward.kmr"));
    QAction* open = nullptr;
    QAction* onCall = nullptr;
    for (QAction* a : form.findChildren<QAction*>()) {
        open = a->objectName() == "File_Open" ? a : open;
        onCall = a->objectName() == "Edit_OnCall" ? a : onCall;
    }
    ASSERT_TRUE(open && onCall);
    open->trigger();
    ASSERT_TRUE(state.isOpen());
    for (int r = 1; r <= 10; ++r) {
        state.schedule().employees().names[static_cast<std::size_t>(r - 1)] =
            QStringLiteral("Person %1").arg(r);
    }
    form.repaintAll();
    QApplication::processEvents();
    auto* grid = form.findChild<PaintArea*>(QStringLiteral("Grid"));
    auto* names = form.findChild<PaintArea*>(QStringLiteral("EmpList"));
    ASSERT_TRUE(grid && names);

    form.repaintAll(); // copies only
    const QImage before = grid->back().toImage();
    const QImage namesBefore = names->back().toImage();
    EXPECT_EQ(before, drawnAnew(form, *grid));
    EXPECT_EQ(namesBefore, names->back().toImage());

    // Two cells marked on call: each is drawn again through the tiles.
    form.selectCell(2, 3);
    onCall->trigger();
    form.selectCell(4, 5);
    onCall->trigger();
    const QImage edited = grid->back().toImage();
    EXPECT_NE(edited, before);
    EXPECT_EQ(edited, drawnAnew(form, *grid));
    // Back off again: the copies of the first look serve.
    onCall->trigger();
    form.selectCell(2, 3);
    onCall->trigger();
    EXPECT_EQ(grid->back().toImage(), before);

    // A renamed row gets its new label.
    state.schedule().employees().names[0] = QStringLiteral("Renamed");
    form.repaintAll();
    const QImage renamed = names->back().toImage();
    EXPECT_NE(renamed, namesBefore);
    EXPECT_EQ(renamed, drawnAnew(form, *names));
    EXPECT_TRUE(platform.messages.empty());
}
