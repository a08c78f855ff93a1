#include "DialogFixture.h"

#include "dialogs/About.h"
#include "dialogs/Adjust.h"
#include "dialogs/SplashWindow.h"
#include "dialogs/WidgetScheduleDialogs.h"
#include "support/ManualClock.h"

#include <QLabel>
#include <QMainWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

using namespace kalmur;

TEST_F(DialogFixture, AdjustShowsTheRebuildFromStartToEndAndGoes) {
    QMainWindow main;
    main.setGeometry(100, 100, 800, 600);
    showActive(&main);
    WidgetScheduleDialogs dialogs(platform);
    auto progress = dialogs.rebuildProgress(&main);

    auto* window = main.findChild<Adjust*>(QStringLiteral("Adjust"));
    ASSERT_TRUE(window);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->isModal());
    auto* done = window->findChild<QProgressBar*>(QStringLiteral("Done"));
    ASSERT_TRUE(done);
    EXPECT_EQ(done->value(), 0);
    const auto* panel = window->findChild<QLabel*>(QStringLiteral("Panel3D1"));
    ASSERT_TRUE(panel);
    EXPECT_EQ(panel->text(), QStringLiteral("Adjusting Schedule File"));
    EXPECT_TRUE(panel->font().bold());
    EXPECT_EQ(panel->font().pointSize(), 12);
    EXPECT_TRUE(window->findChildren<QPushButton*>().isEmpty());
    EXPECT_FALSE(window->windowFlags() & Qt::WindowCloseButtonHint);

    // Centred over the main window.
    const QPoint centre = window->frameGeometry().center();
    EXPECT_NEAR(centre.x(), main.frameGeometry().center().x(), 2);
    EXPECT_NEAR(centre.y(), main.frameGeometry().center().y(), 2);

    window->close(); // the user cannot close it
    EXPECT_TRUE(window->isVisible());
    progress->setPercent(37);
    EXPECT_EQ(done->value(), 37);
    progress->setPercent(250);
    EXPECT_EQ(done->value(), 100);

    progress.reset();
    EXPECT_EQ(main.findChild<Adjust*>(), nullptr);
}

TEST(SplashWindow, StaysAtLeastTheTimeAskedAndShowsTheProduct) {
    ManualClock clock;
    SplashWindow splash(clock);
    EXPECT_EQ(splash.objectName(), QStringLiteral("Startup"));
    EXPECT_TRUE(splash.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(splash.findChild<QLabel*>(QStringLiteral("Label3"))->text(), QString(QChar(174)));
    EXPECT_EQ(splash.findChild<QLabel*>(QStringLiteral("Version"))->text(),
              QStringLiteral("Version 2.0 (32bit)"));
    EXPECT_FALSE(splash.findChild<QLabel*>(QStringLiteral("Image1"))->pixmap().isNull());

    // Once the splash waits, the clock moves while it lets window events run:
    // first to just before the second is over, then to its end.
    bool loadedEarly = false;
    bool shownMeanwhile = false;
    bool shownAfterWait = false;
    bool loaded = false;
    int moves = 0;
    QTimer driver;
    QObject::connect(&driver, &QTimer::timeout, [&] {
        if (clock.pending() == 0) {
            return;
        }
        if (moves++ == 0) {
            shownMeanwhile = splash.isVisible();
            clock.advance(std::chrono::milliseconds(999));
            loadedEarly = loaded;
        } else {
            clock.advance(std::chrono::milliseconds(1));
        }
    });
    driver.start(0);
    splash.run(std::chrono::milliseconds(1000), [&] {
        loaded = true;
        shownAfterWait = splash.isVisible();
    });
    driver.stop();
    EXPECT_EQ(moves, 2);
    EXPECT_EQ(clock.started, std::vector<std::chrono::milliseconds>{std::chrono::seconds(1)});
    EXPECT_FALSE(loadedEarly);
    EXPECT_TRUE(shownMeanwhile);
    EXPECT_TRUE(shownAfterWait);
    EXPECT_FALSE(splash.isVisible());
}

TEST(About, NamesTheProductAndClosesWithOk) {
    About box;
    EXPECT_EQ(box.windowTitle(), QStringLiteral("About Kalmur Pro"));
    EXPECT_EQ(box.findChild<QLabel*>(QStringLiteral("Label3"))->text(), QString(QChar(174)));
    EXPECT_EQ(box.findChild<QLabel*>(QStringLiteral("Version"))->text(),
              QStringLiteral("Version 2.0 (32bit)"));
    auto* ok = box.findChild<QPushButton*>(QStringLiteral("Command1"));
    ASSERT_TRUE(ok);
    EXPECT_EQ(ok->text(), QStringLiteral("OK"));
    QTimer::singleShot(0, ok, &QPushButton::click);
    EXPECT_EQ(box.exec(), QDialog::Accepted);
}
