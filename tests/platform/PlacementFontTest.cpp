#include "platform/FontCheck.h"
#include "platform/Placement.h"

#include <QDialog>
#include <QFontDatabase>
#include <QVBoxLayout>

#include <gtest/gtest.h>

using namespace kalmur;

TEST(Placement, CentresOverTheOwnerAndStaysOnTheScreen) {
    const QRect screen(0, 0, 1280, 800);
    // left = 100 + (800 - 201) / 2, top = 50 + (600 - 100) / 2
    EXPECT_EQ(Placement::centredOn(QRect(100, 50, 800, 600), QSize(201, 100), screen),
              QPoint(399, 300));
    // An owner near the right and bottom edges pushes the window back inside.
    EXPECT_EQ(Placement::centredOn(QRect(1100, 700, 300, 200), QSize(400, 300), screen),
              QPoint(880, 500));
    // And near the top-left corner.
    EXPECT_EQ(Placement::centredOn(QRect(-200, -100, 100, 100), QSize(400, 300), screen),
              QPoint(0, 0));
    // A window larger than the screen keeps its corner on the screen's.
    EXPECT_EQ(Placement::centredOn(screen, QSize(1600, 900), screen), QPoint(0, 0));
    // A second screen to the right.
    const QRect right(1280, 0, 1024, 768);
    EXPECT_EQ(Placement::centredOn(right, QSize(200, 100), right), QPoint(1692, 334));
}

// A window is centred before it is shown, often before it was ever sized: it
// is centred at the size its contents will give it.
TEST(Placement, CentresAWindowAtTheSizeItWillBeShownWith) {
    QWidget owner;
    owner.setGeometry(100, 100, 600, 400);
    owner.show();
    struct Case {
        const char* name;
        bool resized;
        QSize expected;
    };
    for (const Case c : {Case{"sized by its contents", false, QSize(400, 300)},
                         Case{"sized by its code", true, QSize(250, 150)}}) {
        QDialog dialog(&owner);
        auto* layout = new QVBoxLayout(&dialog);
        layout->setContentsMargins(0, 0, 0, 0);
        auto* contents = new QWidget(&dialog);
        contents->setFixedSize(c.resized ? QSize(100, 50) : QSize(400, 300));
        layout->addWidget(contents);
        if (c.resized) {
            dialog.resize(250, 150);
        }
        Placement::centreOver(&dialog, &owner);
        dialog.show();
        EXPECT_EQ(dialog.size(), c.expected) << c.name;
        // Within the window frame, which is not known before the first show.
        EXPECT_LE((dialog.geometry().center() - owner.geometry().center()).manhattanLength(), 4)
            << c.name;
    }
}

TEST(FontCheck, AnyArialFamilyOrAStandInWillDo) {
    EXPECT_TRUE(FontCheck::reportFontPresent(
        {QStringLiteral("DejaVu Sans"), QStringLiteral("Arial Narrow")}, QString()));
    EXPECT_TRUE(FontCheck::reportFontPresent({QStringLiteral("monotype arial")}, QString()));
    EXPECT_FALSE(FontCheck::reportFontPresent({QStringLiteral("DejaVu Sans")}, QString()));
    EXPECT_TRUE(FontCheck::reportFontPresent(
        {QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")},
        QStringLiteral("Liberation Sans")));
    // A stand-in that is not installed does not count.
    EXPECT_FALSE(FontCheck::reportFontPresent({QStringLiteral("DejaVu Sans")},
                                              QStringLiteral("Liberation Sans")));

    const auto message = FontCheck::missingFontMessage();
    EXPECT_EQ(message.text, QStringLiteral("The default font ARIAL used by Kalmur for all reports "
                                           "has been removed from your system.  Please "
                                           "re-install this font."));
    EXPECT_EQ(message.title, QStringLiteral("Error"));
    EXPECT_EQ(message.icon, MessageIcon::Exclamation);
}

TEST(FontCheck, LiberationSansStandsInForArialHere) {
    if (!QFontDatabase::families().contains(QStringLiteral("Liberation Sans"))) {
        GTEST_SKIP() << "Liberation Sans is not installed";
    }
    EXPECT_EQ(FontCheck::arialStandIn(), QStringLiteral("Liberation Sans"));
    EXPECT_TRUE(FontCheck::reportFontPresent(QFontDatabase::families(), FontCheck::arialStandIn()));
}
