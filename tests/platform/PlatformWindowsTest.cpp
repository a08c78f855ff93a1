#include "support/ScriptedPlatform.h"

#include "platform/DesktopPlatform.h"
#include "platform/HelpKey.h"
#include "platform/HelpViewer.h"
#include "platform/LeaveFieldCheck.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

#include <gtest/gtest.h>

using namespace kalmur;

namespace {

const QString kManual = QStringLiteral(KALMUR_BIN_DIR "/KALMUR.HLP");

void showActive(QWidget* window) {
    window->show();
    QApplication::setActiveWindow(window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
}

} // namespace

TEST(HelpViewer, OpensTheManualAtItsContents) {
    ASSERT_TRUE(QFile::exists(kManual)) << "the build copies the manual beside the program";
    HelpViewer viewer;
    viewer.resize(600, 400);
    viewer.show();
    ASSERT_TRUE(viewer.openFile(kManual, 1));
    QTextBrowser* browser = viewer.browser();
    EXPECT_EQ(browser->source().fragment(), QStringLiteral("topic1"));
    EXPECT_EQ(browser->verticalScrollBar()->value(), 0);
    EXPECT_TRUE(browser->toPlainText().contains(QStringLiteral("Contents")));
    EXPECT_TRUE(browser->toPlainText().contains(QStringLiteral("kalmur-tool")));

    // A later topic scrolls away from the top; the contents button goes back.
    ASSERT_TRUE(viewer.openFile(kManual, 9));
    EXPECT_GT(browser->verticalScrollBar()->value(), 0);
    viewer.findChild<QPushButton*>(QStringLiteral("HelpContents"))->click();
    EXPECT_EQ(browser->verticalScrollBar()->value(), 0);
}

TEST(HelpViewer, SaysSoWhenTheManualIsMissing) {
    HelpViewer viewer;
    EXPECT_FALSE(viewer.openFile(QStringLiteral("/nonexistent/KALMUR.HLP"), 1));
    EXPECT_TRUE(viewer.browser()->toPlainText().contains(QStringLiteral("cannot be found")));
}

TEST(HelpKey, F1OpensHelpExceptWhereNoneIsOffered) {
    ScriptedPlatform platform;
    HelpKey* key = HelpKey::install(platform);
    QDialog dialog;
    auto* field = new QLineEdit(&dialog);
    showActive(&dialog);
    QTest::keyClick(field, Qt::Key_F1);
    EXPECT_EQ(platform.helpShown, 1);
    QTest::keyClick(field, Qt::Key_F1, Qt::ShiftModifier);
    EXPECT_EQ(platform.helpShown, 1);

    dialog.setProperty(HelpKey::kNoHelpProperty, true);
    QTest::keyClick(field, Qt::Key_F1);
    EXPECT_EQ(platform.helpShown, 1);
    delete key;
}

TEST(DesktopPlatform, HelpWindowBelongsToTheOpenModalDialog) {
    DesktopPlatform platform(kManual);
    QWidget main;
    platform.showHelp(&main, 1);
    ASSERT_TRUE(platform.helpViewer());
    EXPECT_TRUE(platform.helpViewer()->isVisible());
    EXPECT_EQ(platform.helpViewer()->parentWidget(), &main);
    HelpViewer* first = platform.helpViewer();
    platform.showHelp(&main, 1);
    EXPECT_EQ(platform.helpViewer(), first); // the same window again
    platform.showHelp(first, 1);             // F1 inside the help window
    EXPECT_EQ(platform.helpViewer(), first);

    QDialog modal;
    QTimer::singleShot(0, [&] {
        platform.showHelp(&modal, 1);
        ASSERT_TRUE(platform.helpViewer());
        EXPECT_EQ(platform.helpViewer()->parentWidget(), &modal);
        modal.reject();
    });
    modal.exec();
}

TEST(DesktopPlatform, MessageBoxHasTheAskedIconButtonsAndDefault) {
    DesktopPlatform platform;
    MessageRequest request;
    request.text = QStringLiteral("Save changes to WARD1 ?");
    request.icon = MessageIcon::Question;
    request.buttons = MessageButtons::YesNoCancel;
    request.defaultAnswer = MessageAnswer::No;
    QTimer::singleShot(0, [] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_TRUE(box);
        EXPECT_EQ(box->windowTitle(), QStringLiteral("Kalmur Pro"));
        EXPECT_EQ(box->icon(), QMessageBox::Question);
        EXPECT_EQ(box->standardButtons(), QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::No));
        box->button(QMessageBox::Cancel)->click();
    });
    EXPECT_EQ(platform.message(nullptr, request), MessageAnswer::Cancel);

    request.title = QStringLiteral("Error");
    request.icon = MessageIcon::Stop;
    request.buttons = MessageButtons::AbortRetryIgnore;
    request.defaultAnswer.reset();
    QTimer::singleShot(0, [] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_TRUE(box);
        EXPECT_EQ(box->windowTitle(), QStringLiteral("Error"));
        EXPECT_EQ(box->icon(), QMessageBox::Critical);
        EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::Abort));
        box->button(QMessageBox::Retry)->click();
    });
    EXPECT_EQ(platform.message(nullptr, request), MessageAnswer::Retry);
}

TEST(DesktopPlatform, BusyPointerNests) {
    DesktopPlatform platform;
    platform.setBusy(true);
    platform.setBusy(true);
    platform.setBusy(false);
    ASSERT_TRUE(QApplication::overrideCursor());
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    platform.setBusy(false);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    platform.setBusy(false); // one end too many is harmless
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(LeaveFieldCheck, PutsBackTheTextFromBeforeTheEdit) {
    ScriptedPlatform platform;
    QDialog dialog;
    auto* field = new QLineEdit(QStringLiteral("7"), &dialog);
    auto* other = new QLineEdit(&dialog);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), &dialog);
    cancel->setProperty(LeaveFieldCheck::kSkipsChecksProperty, true);
    MessageRequest refusal;
    refusal.text = QStringLiteral("Not a number.");
    LeaveFieldCheck check(field, platform, [&](const QString& text) {
        bool ok = false;
        const int value = text.trimmed().toInt(&ok);
        return ok ? FieldVerdict::accept(QString::number(value)) : FieldVerdict::refuse(refusal);
    });
    showActive(&dialog);

    field->setFocus(Qt::TabFocusReason);
    field->setText(QStringLiteral(" 12 "));
    other->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(field->text(), QStringLiteral("12"));

    field->setFocus(Qt::TabFocusReason);
    field->setText(QStringLiteral("x"));
    platform.answers = {MessageAnswer::Ok};
    other->setFocus(Qt::TabFocusReason);
    ASSERT_EQ(platform.texts(), QStringList{QStringLiteral("Not a number.")});
    EXPECT_TRUE(platform.messages[0].beeped);
    EXPECT_EQ(field->text(), QStringLiteral("12")); // the text it had when entered
    EXPECT_TRUE(check.refusedJustNow());
    QCoreApplication::processEvents();
    EXPECT_FALSE(check.refusedJustNow());
    EXPECT_TRUE(field->hasFocus());

    field->setText(QStringLiteral("y"));
    cancel->setFocus(Qt::MouseFocusReason); // Cancel does not check
    EXPECT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(field->text(), QStringLiteral("y"));
}
