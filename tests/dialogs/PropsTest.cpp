#include "DialogFixture.h"

#include "dialogs/Props.h"
#include "model/patterns/DateText.h"

#include <QPushButton>
#include <QRadioButton>

using namespace kalmur;

namespace {

struct PropsTest : DialogFixture {
    std::unique_ptr<Props> dialog;
    QLineEdit* start = nullptr;
    QLineEdit* end = nullptr;
    QLineEdit* password = nullptr;

    void open(bool newSchedule = false) {
        dialog = std::make_unique<Props>(state, platform, newSchedule);
        start = dialog->findChild<QLineEdit*>(QStringLiteral("StartDate"));
        end = dialog->findChild<QLineEdit*>(QStringLiteral("EndDate"));
        password = dialog->findChild<QLineEdit*>(QStringLiteral("PassWord"));
        ASSERT_TRUE(start && end && password);
        showActive(dialog.get());
    }
    QPushButton* button(const char* name) const {
        return dialog->findChild<QPushButton*>(QString::fromLatin1(name));
    }
    QRadioButton* option(int index) const {
        for (auto* o : dialog->findChildren<QRadioButton*>(QStringLiteral("Option1"))) {
            if (o->property("index").toInt() == index) {
                return o;
            }
        }
        return nullptr;
    }
    // OK pressed with the mouse: the field being typed in is left first.
    void clickOk() { QTest::mouseClick(button("ButtonOK"), Qt::LeftButton); }
    void settle() { QCoreApplication::processEvents(); }
};

} // namespace

TEST_F(PropsTest, OpensWithTheRecordedSettings) {
    settings().password = QStringLiteral("SECRET    ");
    settings().weekStart = 2;
    state.dialogCancelled = true;
    open();
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Set File Properties [ WARD1 ]"));
    EXPECT_EQ(start->text(), QStringLiteral("1/1/1997"));
    EXPECT_EQ(end->text(), QStringLiteral("3/31/1997"));
    EXPECT_EQ(password->text(), QStringLiteral("SECRET"));
    EXPECT_EQ(start->maxLength(), 20);
    EXPECT_EQ(password->maxLength(), 10);
    EXPECT_TRUE(option(1)->isChecked());
    EXPECT_FALSE(state.dialogCancelled);
    EXPECT_FALSE(state.schedule().isModified());
    EXPECT_EQ(dialog->size(), QSize(487, 144));
    EXPECT_EQ(start->geometry(), QRect(112, 8, 73, 19));
}

TEST_F(PropsTest, LeavingADateFieldRewritesOrRefusesIt) {
    open();
    retype(start, QStringLiteral("2/3/97"));
    end->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(start->text(), QStringLiteral("2/3/1997"));
    EXPECT_TRUE(platform.messages.empty());

    // A refusal puts back the text shown at opening, not the last good one.
    platform.answers = {MessageAnswer::Ok};
    retype(start, QStringLiteral("13/45/97"));
    end->setFocus(Qt::TabFocusReason);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_TRUE(platform.messages[0].beeped);
    EXPECT_EQ(platform.messages[0].request.text,
              QStringLiteral("The date entered 13/45/97 is not a valid date."));
    EXPECT_EQ(platform.messages[0].request.title, QStringLiteral("Error"));
    EXPECT_EQ(start->text(), QStringLiteral("1/1/1997"));
    settle();
    EXPECT_TRUE(start->hasFocus());
}

TEST_F(PropsTest, CancelNeitherChecksNorKeeps) {
    open();
    retype(start, QStringLiteral("nonsense"));
    QTest::mouseClick(button("ButtonCancel"), Qt::LeftButton);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_TRUE(state.dialogCancelled);
    EXPECT_FALSE(dialog->chosenRange());
}

TEST_F(PropsTest, OkWantsFortyTwoDays) {
    open(true);
    retype(end, QStringLiteral("2/10/97"));
    platform.answers = {MessageAnswer::Ok};
    clickOk();
    ASSERT_EQ(platform.texts(), QStringList{QStringLiteral("File must contain at least 42 days.")});
    EXPECT_TRUE(platform.messages[0].beeped);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(end->hasFocus());

    retype(end, QStringLiteral("2/11/97"));
    clickOk();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    ASSERT_TRUE(dialog->chosenRange());
    EXPECT_EQ(dialog->chosenRange()->start, QDate(1997, 1, 1));
    EXPECT_EQ(dialog->chosenRange()->end, QDate(1997, 2, 11));
}

TEST_F(PropsTest, OkRefusesMoreDaysThanTheFilesCanNumber) {
    open(true);
    retype(start, QStringLiteral("1/1/2000"));
    retype(end, formatShortDate(QDate(2000, 1, 1).addDays(32767)));
    platform.answers = {MessageAnswer::Ok};
    clickOk();
    EXPECT_EQ(platform.texts(),
              QStringList{QStringLiteral("File must contain at most 32767 days.")});
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(end->hasFocus());

    retype(end, formatShortDate(QDate(2000, 1, 1).addDays(32766)));
    clickOk();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
}

TEST_F(PropsTest, OkLeavingARefusedFieldStaysOpen) {
    open(true);
    platform.answers = {MessageAnswer::Ok};
    retype(end, QStringLiteral("2/31/97"));
    clickOk();
    EXPECT_EQ(platform.messages.size(), 1u);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(end->text(), QStringLiteral("3/31/1997"));
}

TEST_F(PropsTest, DroppingDaysNeedsConsent) {
    open();
    retype(start, QStringLiteral("1/15/97"));
    platform.answers = {MessageAnswer::Cancel};
    clickOk();
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].request.text,
              QStringLiteral("This change will cause information from 1/1/1997 to 1/14/1997 to "
                             "be removed from the file..."));
    EXPECT_TRUE(platform.messages[0].beeped);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(start->hasFocus());

    platform.answers = {MessageAnswer::Ok};
    clickOk();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(dialog->chosenRange()->start, QDate(1997, 1, 15));
}

TEST_F(PropsTest, NewScheduleAndLongerRangesAskNothing) {
    open(true);
    retype(start, QStringLiteral("1/15/97"));
    clickOk(); // any message would fail the test
    EXPECT_EQ(dialog->result(), QDialog::Accepted);

    open(false);
    retype(start, QStringLiteral("12/1/96"));
    retype(end, QStringLiteral("6/30/97"));
    clickOk();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
}

TEST_F(PropsTest, OkStoresWeekDayAndUpperCasePassword) {
    open();
    retype(password, QStringLiteral("open"));
    start->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(password->text(), QStringLiteral("OPEN"));
    QTest::mouseClick(option(3), Qt::LeftButton);
    EXPECT_TRUE(state.schedule().isModified());
    // OK chosen without leaving the field still stores the capitals.
    retype(password, QStringLiteral("sesame"));
    button("ButtonOK")->click();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(settings().password, QStringLiteral("SESAME"));
    EXPECT_EQ(settings().weekStart, 4);
}

TEST_F(PropsTest, ANewPasswordMarksTheScheduleChanged) {
    open();
    retype(password, QStringLiteral("x"));
    button("ButtonOK")->click();
    EXPECT_EQ(settings().password, QStringLiteral("X"));
    EXPECT_TRUE(state.schedule().isModified());
}
