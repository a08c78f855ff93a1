#include "DialogFixture.h"
#include "support/QtPrinters.h"

#include "dialogs/PassWRD.h"
#include "dialogs/Props.h"
#include "dialogs/WidgetScheduleDialogs.h"
#include "platform/HelpKey.h"

#include <QPushButton>
#include <QTimer>

using namespace kalmur;

namespace {

struct PassWRDTest : DialogFixture {
    std::unique_ptr<PassWRD> dialog;
    QLineEdit* text = nullptr;

    void open() {
        settings().password = QStringLiteral("SECRET    ");
        dialog = std::make_unique<PassWRD>(state, platform);
        text = dialog->findChild<QLineEdit*>(QStringLiteral("Text1"));
        ASSERT_TRUE(text);
        showActive(dialog.get());
    }
    void clickOk() {
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("ButtonOK")),
                          Qt::LeftButton);
    }
};

// Answers the next modal dialog from inside its event loop.
void whenModal(std::function<void(QWidget*)> act) {
    QTimer::singleShot(0, [act = std::move(act)] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_TRUE(modal);
        act(modal);
    });
}

} // namespace

TEST_F(PassWRDTest, ShowsQuestionMarksAndOffersNoHelp) {
    state.dialogCancelled = true;
    open();
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Password? [ WARD1 ]"));
    EXPECT_FALSE(state.dialogCancelled);
    QTest::keyClicks(text, QStringLiteral("abc"));
    EXPECT_EQ(text->text(), QStringLiteral("abc"));
    EXPECT_EQ(text->displayText(), QStringLiteral("???"));
    EXPECT_EQ(text->maxLength(), 10);
    EXPECT_TRUE(dialog->property(HelpKey::kNoHelpProperty).toBool());
}

TEST_F(PassWRDTest, WrongPasswordBeepsAndEmptiesTheField) {
    open();
    for (int attempt = 1; attempt <= 3; ++attempt) {
        QTest::keyClicks(text, QStringLiteral("secrets"));
        clickOk();
        EXPECT_EQ(platform.beeps, attempt);
        EXPECT_TRUE(text->text().isEmpty());
        EXPECT_TRUE(dialog->isVisible());
    }
    EXPECT_TRUE(platform.messages.empty());
    QTest::keyClicks(text, QStringLiteral(" secret"));
    QTest::keyClick(text, Qt::Key_Return); // OK is the default button
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_FALSE(state.dialogCancelled);
}

TEST_F(PassWRDTest, EscapeCancels) {
    open();
    QTest::keyClick(text, Qt::Key_Escape);
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_TRUE(state.dialogCancelled);
}

TEST_F(DialogFixture, ScheduleDialogsRunTheWindowsModally) {
    WidgetScheduleDialogs dialogs(platform);
    EXPECT_TRUE(dialogs.askPassword(nullptr, state)); // no password, nothing shown

    settings().password = QStringLiteral("KEY");
    whenModal([](QWidget* w) {
        EXPECT_EQ(w->objectName(), QStringLiteral("PassWRD"));
        QTest::keyClicks(w->findChild<QLineEdit*>(QStringLiteral("Text1")), QStringLiteral("key"));
        w->findChild<QPushButton*>(QStringLiteral("ButtonOK"))->click();
    });
    EXPECT_TRUE(dialogs.askPassword(nullptr, state));
    whenModal(
        [](QWidget* w) { w->findChild<QPushButton*>(QStringLiteral("ButtonCancel"))->click(); });
    EXPECT_FALSE(dialogs.askPassword(nullptr, state));
    EXPECT_TRUE(state.dialogCancelled);

    whenModal([](QWidget* w) {
        EXPECT_EQ(w->objectName(), QStringLiteral("Props"));
        w->findChild<QLineEdit*>(QStringLiteral("EndDate"))->setText(QStringLiteral("6/30/97"));
        w->findChild<QPushButton*>(QStringLiteral("ButtonOK"))->click();
    });
    const auto range = dialogs.editProperties(nullptr, state);
    ASSERT_TRUE(range);
    EXPECT_EQ(range->end, QDate(1997, 6, 30));
    whenModal(
        [](QWidget* w) { w->findChild<QPushButton*>(QStringLiteral("ButtonCancel"))->click(); });
    EXPECT_FALSE(dialogs.newScheduleProperties(nullptr, state));
    EXPECT_TRUE(state.dialogCancelled);

    const PagerRules rules{QDate(1997, 1, 1), QDate(1997, 3, 31), 1, 7};
    whenModal([](QWidget* w) {
        EXPECT_EQ(w->objectName(), QStringLiteral("Pager"));
        w->findChild<QPushButton*>(QStringLiteral("MonthForward"))->click();
        w->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    });
    EXPECT_EQ(dialogs.changePage(nullptr, rules, QDate(1997, 1, 10)), QDate(1997, 2, 1));
    whenModal([](QWidget* w) { w->findChild<QPushButton*>(QStringLiteral("Command1"))->click(); });
    EXPECT_FALSE(dialogs.changePage(nullptr, rules, QDate(1997, 1, 10))); // the same date

    const QList<FindNameEntry> rows{{QStringLiteral("Adams"), 3}, {QStringLiteral("Baker"), 9}};
    whenModal([](QWidget* w) {
        EXPECT_EQ(w->objectName(), QStringLiteral("FindName"));
        QTest::keyClicks(w->findChild<QLineEdit*>(QStringLiteral("Text1")), QStringLiteral("b"));
        w->findChild<QPushButton*>(QStringLiteral("Command3"))->click();
    });
    EXPECT_EQ(dialogs.findName(nullptr, rows), 9);
    whenModal([](QWidget* w) { w->findChild<QPushButton*>(QStringLiteral("Command3"))->click(); });
    EXPECT_FALSE(dialogs.findName(nullptr, rows)); // the blank entry
}
