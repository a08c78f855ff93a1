// The "Convert" dialog: its window, the OK and Cancel flows, the refusals and
// the overwrite question, answered by a scripted platform.
#include "files/OldScheduleSample.h"
#include "support/ScriptedPlatform.h"

#include "dialogs/Convert.h"
#include "files/ProgramState.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace kalmur;

namespace {

struct ConvertTest : ::testing::Test {
    QTemporaryDir root;
    QString working = root.path() + "/TEMP.001";
    QString dir = root.path() + "/old";
    QString archive = dir + "/WARD.KMR";
    std::optional<ProgramState> state;
    ScriptedPlatform platform;
    std::unique_ptr<Convert> dialog;

    void SetUp() override {
        ASSERT_TRUE(QDir().mkpath(working));
        ASSERT_TRUE(QDir().mkpath(dir));
        state.emplace(working);
        oldsample::writeGroup(dir);
    }
    void open() {
        dialog = std::make_unique<Convert>(*state, platform, dir + "/WARD.SCH");
        dialog->show();
    }
    template <typename T>
    T* child(const char* name) {
        T* widget = dialog->findChild<T*>(QLatin1String(name));
        EXPECT_TRUE(widget) << name;
        return widget;
    }
    void click(const char* name) { QTest::mouseClick(child<QPushButton>(name), Qt::LeftButton); }
    void expectMessage(const QString& text, const QString& title, MessageIcon icon) {
        ASSERT_EQ(platform.messages.size(), 1u);
        const auto& shown = platform.messages[0];
        EXPECT_EQ(shown.request.text, text);
        EXPECT_EQ(shown.request.title, title);
        EXPECT_EQ(shown.request.icon, icon);
        EXPECT_TRUE(shown.beeped);
    }
};

TEST_F(ConvertTest, ShowsTheQuestionAndHidesTheProgressArea) {
    state->dialogCancelled = true;
    open();
    EXPECT_FALSE(state->dialogCancelled);
    EXPECT_EQ(dialog->windowTitle(), "Convert WARD.SCH");
    EXPECT_EQ(child<QLabel>("Label1")->text(), "The selected file is in an older format.  Press OK "
                                               "to convert the file to the new format.");
    EXPECT_TRUE(child<QLabel>("Label1")->isVisible());
    EXPECT_EQ(child<QPushButton>("Command1")->text(), "OK");
    EXPECT_EQ(child<QPushButton>("Command2")->text(), "Cancel");
    QWidget* progress = child<QWidget>("Picture1");
    EXPECT_FALSE(progress->isVisible());
    EXPECT_TRUE(progress->findChild<QLabel*>("Panel3D1"));
    EXPECT_TRUE(progress->findChild<QProgressBar*>("Done"));
}

TEST_F(ConvertTest, CancelAndEscapeSetTheCancelledFlagAndWriteNothing) {
    const auto before = oldsample::snapshot(root.path());
    open();
    click("Command2");
    EXPECT_TRUE(state->dialogCancelled);
    EXPECT_FALSE(dialog->isVisible());

    open();
    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    EXPECT_TRUE(state->dialogCancelled);
    EXPECT_EQ(oldsample::snapshot(root.path()), before);
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(ConvertTest, OkConvertsAndReportsEveryStep) {
    open();
    click("Command1");
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_FALSE(state->dialogCancelled);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(dialog->archiveLocation().archivePath(), archive);
    EXPECT_GT(QFileInfo(archive).size(), 10);
    EXPECT_EQ(child<QLabel>("Panel3D1")->text(), "Converting Main");
    EXPECT_EQ(child<QProgressBar>("Done")->value(), 100);
    EXPECT_FALSE(child<QWidget>("Picture1")->isVisible());
    EXPECT_EQ(platform.busyDepth, 0);
}

TEST_F(ConvertTest, TheOverwriteQuestionDefaultsToNo) {
    oldsample::write(archive, handbytes::Bytes(11, 5));
    const auto before = oldsample::snapshot(root.path());
    platform.answers = {MessageAnswer::No};
    open();
    click("Command1");
    expectMessage(archive + " already exists. Do you wish to overwrite this file?", "Overwrite?",
                  MessageIcon::Question);
    EXPECT_EQ(platform.messages[0].request.buttons, MessageButtons::YesNo);
    EXPECT_EQ(platform.messages[0].request.defaultAnswer, MessageAnswer::No);
    EXPECT_TRUE(state->dialogCancelled);
    EXPECT_EQ(oldsample::snapshot(root.path()), before);

    platform.messages.clear();
    platform.answers = {MessageAnswer::Yes};
    open();
    click("Command1");
    EXPECT_EQ(platform.messages.size(), 1u);
    EXPECT_FALSE(state->dialogCancelled);
    EXPECT_GT(QFileInfo(archive).size(), 11);
}

TEST_F(ConvertTest, RefusalsShowTheirMessagesAndCancel) {
    oldsample::write(dir + "/WARD.SPR", handbytes::Bytes(527, 0));
    const auto before = oldsample::snapshot(root.path());
    platform.answers = {MessageAnswer::Ok};
    open();
    click("Command1");
    expectMessage(dir + "/WARD.SCH is not a valid Kalmur 1.0x file.", "Error",
                  MessageIcon::Exclamation);
    EXPECT_TRUE(state->dialogCancelled);
    EXPECT_EQ(oldsample::snapshot(root.path()), before);

    ASSERT_TRUE(QDir().mkdir(archive));
    const auto folder = oldsample::snapshot(root.path());
    platform.messages.clear();
    platform.answers = {MessageAnswer::Ok};
    open();
    click("Command1");
    expectMessage("Cannot create " + archive, "Error", MessageIcon::Exclamation);
    EXPECT_TRUE(state->dialogCancelled);
    EXPECT_EQ(oldsample::snapshot(root.path()), folder);
}

TEST_F(ConvertTest, ReplacesTheOpenSchedulesOwnArchiveOnlyWhenConverted) {
    // The open schedule is the archive the conversion is about to replace.
    open();
    click("Command1");
    ASSERT_FALSE(state->dialogCancelled);
    ASSERT_TRUE(state->archive().open(ScheduleLocation::fromPath(archive)).succeeded());
    ASSERT_TRUE(state->archive().isHeld());
    const QByteArray first = oldsample::readFile(archive);

    platform.answers = {MessageAnswer::No};
    open();
    click("Command1");
    EXPECT_TRUE(state->dialogCancelled);
    EXPECT_TRUE(state->archive().isHeld()); // held again after the refusal
    EXPECT_EQ(oldsample::readFile(archive), first);

    // Converted from inside its own event loop, as the main window shows it.
    platform.answers = {MessageAnswer::Yes};
    QTimer::singleShot(0, [] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_TRUE(modal);
        QTest::mouseClick(modal->findChild<QPushButton*>("Command1"), Qt::LeftButton);
    });
    const auto converted = Convert::convert(*state, platform, dir + "/ward.sch");
    ASSERT_TRUE(converted);
    EXPECT_EQ(converted->archivePath(), archive);
    EXPECT_FALSE(state->dialogCancelled);
    EXPECT_FALSE(state->archive().isHeld()); // the caller opens the new archive
    EXPECT_TRUE(state->archive().open(*converted).succeeded());
}

} // namespace
