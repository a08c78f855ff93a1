// The shift definitions: the rules of the fields, and the "Define Shifts"
// window on an open schedule.
#include "DialogFixture.h"

#include "dialogs/DefShft2.h"
#include "dialogs/QuickKeyRules.h"
#include "dialogs/ShiftRules.h"
#include "editor/QuickKeyTable.h"
#include "model/schedule/Members.h"

#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

using namespace kalmur;

namespace {

float paid(int h1, int m1, int h2, int m2, double breakLength) {
    return ShiftRules::paidLength(QTime(h1, m1), QTime(h2, m2), breakLength);
}

QString shownTime(const QString& typed, const char* format) {
    const FieldVerdict verdict = ShiftRules::timeField(typed, QString::fromLatin1(format));
    return verdict.accepted ? verdict.text : QStringLiteral("refused");
}

} // namespace

TEST(ShiftRules, PaidLengthRunsOvernightOnlyWhenNeitherEndIsMidnight) {
    EXPECT_FLOAT_EQ(paid(22, 0, 6, 0, 0.5), 7.5f);
    EXPECT_FLOAT_EQ(paid(7, 0, 15, 30, 0.5), 8.0f);
    EXPECT_FLOAT_EQ(paid(8, 0, 8, 0, 0), 24.0f); // same start and end: a full day
    EXPECT_FLOAT_EQ(paid(0, 0, 8, 0, 0), 8.0f);
    EXPECT_FLOAT_EQ(paid(16, 0, 0, 0, 0), 0.0f);
    EXPECT_FLOAT_EQ(paid(0, 0, 0, 0, 0), 0.0f);
    EXPECT_FLOAT_EQ(paid(9, 0, 10, 0, 2), 0.0f); // never below nothing
    EXPECT_FLOAT_EQ(ShiftRules::paidLength(QTime(9, 0, 59), QTime(17, 0), 0), 8.0f);
}

TEST(ShiftRules, TimeFieldsNormaliseReadAndShowInTheEditFormat) {
    EXPECT_EQ(shownTime(QStringLiteral("9"), "h:nna/p"), QStringLiteral("9:00a"));
    EXPECT_EQ(shownTime(QStringLiteral("9"), "hh:nn"), QStringLiteral("09:00"));
    EXPECT_EQ(shownTime(QStringLiteral("8a"), "hh:nn"), QStringLiteral("08:00"));
    EXPECT_EQ(shownTime(QStringLiteral("10:00p"), "hh:nn"), QStringLiteral("22:00"));
    EXPECT_EQ(shownTime(QStringLiteral("12:00a"), "h:nna/p"), QStringLiteral("12:00a"));
    EXPECT_EQ(shownTime(QStringLiteral("25:00"), "hh:nn"), QStringLiteral("refused"));
    EXPECT_EQ(shownTime(QStringLiteral("830"), "hh:nn"), QStringLiteral("refused"));
    EXPECT_EQ(shownTime(QString(), "hh:nn"), QStringLiteral("refused"));
    const FieldVerdict refused =
        ShiftRules::timeField(QStringLiteral("x"), QStringLiteral("hh:nn"));
    EXPECT_EQ(refused.refusal.text, QStringLiteral("Invalid Time Entered"));
    EXPECT_EQ(refused.refusal.title, QStringLiteral("Error"));
    EXPECT_EQ(refused.refusal.icon, MessageIcon::Exclamation);
}

TEST(ShiftRules, BreakLengthsAreReformattedOnlyWhenTheyAreNumbers) {
    EXPECT_EQ(ShiftRules::breakLengthText(QStringLiteral(".5")), QStringLiteral("0.50"));
    EXPECT_EQ(ShiftRules::breakLengthText(QStringLiteral(" 1 ")), QStringLiteral("1.00"));
    EXPECT_EQ(ShiftRules::breakLengthText(QStringLiteral("1.5h")), QStringLiteral("1.5h"));
    EXPECT_EQ(ShiftRules::breakLengthText(QStringLiteral("-")), QStringLiteral("-"));
}

TEST(QuickKeyRules, CodesAndClashes) {
    EXPECT_EQ(QuickKeyRules::captured('K', true), 175);
    EXPECT_EQ(QuickKeyRules::captured('7', true), 155);
    EXPECT_EQ(QuickKeyRules::captured('0', false), 48);
    EXPECT_EQ(QuickKeyRules::captured(0x71 /* F2's code */, false), 0);
    EXPECT_EQ(QuickKeyRules::captured('@', false), 0);

    std::array<std::uint8_t, 99> shifts{};
    std::array<std::uint8_t, 99> explanations{};
    shifts[2] = 'K';
    shifts[9] = 'K';
    const auto byShift = QuickKeyRules::clash('K', {false, 3}, shifts, explanations);
    ASSERT_EQ(byShift.others.size(), 1);
    EXPECT_EQ(QuickKeyRules::ownerName(byShift.others[0]), QStringLiteral("Shift 10"));
    EXPECT_EQ(byShift.used, (QuickKeyRules::KeyOwner{false, 10})); // the later shift wins
    explanations[4] = 'K';
    const auto byExplanation = QuickKeyRules::clash('K', {false, 10}, shifts, explanations);
    EXPECT_EQ(QuickKeyRules::clashLine(byExplanation),
              QStringLiteral("Also used by Shift 3, Explanation 5"));
    EXPECT_EQ(byExplanation.used, (QuickKeyRules::KeyOwner{true, 5}));
    EXPECT_TRUE(QuickKeyRules::clash(0, {false, 1}, shifts, explanations).isEmpty());
}

namespace {

struct DefShft2Test : DialogFixture {
    std::unique_ptr<DefShft2> dialog;
    QListWidget* list = nullptr;

    void SetUp() override {
        ASSERT_TRUE(state.schedule().loadSettings(QDate(1997, 6, 1)).ok);
        setDates(QDate(1997, 1, 1), QDate(1997, 3, 31));
        ASSERT_TRUE(state.schedule().openAll());
        state.schedule().setModified(false);
    }
    void open(const char* format = "h:nna/p") {
        dialog = std::make_unique<DefShft2>(state, platform, QString::fromLatin1(format));
        list = dialog->findChild<QListWidget*>(QStringLiteral("List1"));
        ASSERT_NE(list, nullptr);
        showActive(dialog.get());
    }
    QLineEdit* edit(const char* name) const {
        return dialog->findChild<QLineEdit*>(QString::fromLatin1(name));
    }
    QWidget* widget(const char* name) const {
        return dialog->findChild<QWidget*>(QString::fromLatin1(name));
    }
    QPushButton* swatch(int index) const {
        for (auto* s : dialog->findChildren<QPushButton*>(QStringLiteral("Colors"))) {
            if (s->property("index").toInt() == index) {
                return s;
            }
        }
        return nullptr;
    }
    // Clicks the list entry of shift n (the first user shift is the 4th entry).
    void choose(int shift) {
        const int row = shift >= 100 ? shift - 100 : shift + 2;
        QListWidgetItem* item = list->item(row);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(item).center());
        ASSERT_EQ(list->currentRow(), row);
    }
    void click(const char* name) {
        QTest::mouseClick(dialog->findChild<QPushButton*>(QString::fromLatin1(name)),
                          Qt::LeftButton);
    }
    const ShiftRecord& shift(int n) { return state.schedule().shifts()[std::size_t(n - 1)]; }
    ShiftRecord fileShift(int n) const {
        QFile f(memberPath(dir.path(), Member::Shifts));
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        f.seek((n - 1) * qint64(ShiftRecord::fileSize));
        const QByteArray b = f.read(ShiftRecord::fileSize);
        return ShiftRecord::fromBytes(
            {reinterpret_cast<const std::uint8_t*>(b.constData()), std::size_t(b.size())});
    }
};

} // namespace

TEST_F(DefShft2Test, OpensWithTheListOfAllShiftsAndTheFirstOneShown) {
    state.schedule().shifts()[4].description = QStringLiteral("Evening   ");
    state.dialogCancelled = false;
    open();
    EXPECT_TRUE(state.dialogCancelled);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Define Shifts"));
    EXPECT_EQ(dialog->size(), QSize(408, 198));
    EXPECT_EQ(edit("StartTime")->geometry(), QRect(96, 56, 65, 19));
    EXPECT_EQ(edit("Description")->maxLength(), 15);
    EXPECT_EQ(edit("BreakLength")->maxLength(), 5);
    ASSERT_EQ(list->count(), 102);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("Timeoff\tOFF"));
    EXPECT_EQ(list->item(1)->data(Qt::UserRole).toInt(), 101);
    EXPECT_EQ(list->item(2)->text(), QStringLiteral("Note\tSee Note"));
    EXPECT_EQ(list->item(7)->text(), QStringLiteral("Shift 5\tEvening"));
    EXPECT_EQ(list->item(101)->data(Qt::UserRole).toInt(), 99);
    EXPECT_EQ(dialog->currentShift(), 100);
    EXPECT_EQ(edit("Description")->text(), QStringLiteral("OFF"));
    EXPECT_TRUE(edit("Description")->hasFocus());
    EXPECT_FALSE(state.schedule().isModified());

    // Each colour square gives its own palette number.
    const std::map<int, int> numbers{{0, 0}, {1, 8}, {2, 4}, {3, 2}, {4, 1}, {5, 3}, {6, 5}};
    for (const auto& [index, number] : numbers) {
        ASSERT_NE(swatch(index), nullptr);
        EXPECT_EQ(swatch(index)->property("colourNumber").toInt(), number) << index;
    }
}

TEST_F(DefShft2Test, TheMarksShowOnlyDescriptionAndAbbreviation) {
    open();
    choose(102);
    EXPECT_EQ(dialog->currentShift(), 102);
    for (const char* name : {"StartTime", "EndTime", "BreakLength", "Text1", "Frame1",
                             "StartTimeLabel", "EndTimeLabel", "BreakLengthLabel", "Text1Label"}) {
        EXPECT_FALSE(widget(name)->isVisible()) << name;
    }
    EXPECT_TRUE(edit("Description")->isVisible());
    EXPECT_TRUE(edit("Abbr")->isVisible());
    choose(1);
    for (const char* name : {"StartTime", "Text1", "Frame1", "Text1Label"}) {
        EXPECT_TRUE(widget(name)->isVisible()) << name;
    }
    EXPECT_TRUE(edit("Description")->hasFocus());
}

TEST_F(DefShft2Test, TimeFieldsAreRewrittenOrRefusedWhenLeft) {
    open();
    choose(1);
    QLineEdit* start = edit("StartTime");
    retype(start, QStringLiteral("9"));
    edit("EndTime")->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(start->text(), QStringLiteral("9:00a"));
    EXPECT_FALSE(state.dialogCancelled); // entering a time field counts as an edit

    platform.answers = {MessageAnswer::Ok};
    retype(start, QStringLiteral("25:00"));
    choose(1); // clicking the list to leave it
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_TRUE(platform.messages[0].beeped);
    EXPECT_EQ(platform.messages[0].request.text, QStringLiteral("Invalid Time Entered"));
    EXPECT_EQ(start->text(), QStringLiteral("9:00a"));
    EXPECT_TRUE(start->hasFocus());

    // A click on another entry while refusing keeps the shift being edited.
    platform.answers = {MessageAnswer::Ok};
    retype(start, QStringLiteral("830"));
    const int row = list->currentRow();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(row + 3)).center());
    EXPECT_EQ(platform.messages.size(), 2u);
    EXPECT_EQ(list->currentRow(), row);
    EXPECT_EQ(dialog->currentShift(), 1);
    EXPECT_TRUE(start->hasFocus());
}

TEST_F(DefShft2Test, TheTwentyFourHourFormatShowsLeadingZeros) {
    open("hh:nn");
    choose(1);
    retype(edit("StartTime"), QStringLiteral("9"));
    edit("EndTime")->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(edit("StartTime")->text(), QStringLiteral("09:00"));
}

TEST_F(DefShft2Test, ChoosingAnotherShiftStoresTimesBreakAndPaidLength) {
    open();
    choose(1);
    retype(edit("Description"), QStringLiteral("Night"));
    EXPECT_EQ(list->currentItem()->text(), QStringLiteral("Shift 1\tNight"));
    retype(edit("StartTime"), QStringLiteral("10:00p"));
    retype(edit("EndTime"), QStringLiteral("6:00a"));
    retype(edit("BreakLength"), QStringLiteral(".5"));
    edit("Abbr")->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(edit("BreakLength")->text(), QStringLiteral("0.50"));
    choose(2);
    EXPECT_EQ(shift(1).description, QStringLiteral("Night"));
    EXPECT_FLOAT_EQ(shift(1).paidLength, 7.5f);
    EXPECT_FLOAT_EQ(shift(1).breakLength, 0.5f);
    EXPECT_EQ(OleDate::toTime(shift(1).startTime), QTime(22, 0));

    retype(edit("StartTime"), QStringLiteral("12:00a"));
    retype(edit("EndTime"), QStringLiteral("12:00a"));
    choose(1);
    EXPECT_FLOAT_EQ(shift(2).paidLength, 0.0f);
    EXPECT_EQ(edit("StartTime")->text(), QStringLiteral("10:00p"));
}

TEST_F(DefShft2Test, QuickKeysAreCapturedNotTyped) {
    state.schedule().shifts()[8].quickKey = 'K' + 100; // shift 9
    open();
    choose(3);
    QLineEdit* key = edit("Text1");
    key->setFocus(Qt::TabFocusReason);
    QTest::keyClick(key, Qt::Key_K, Qt::ShiftModifier);
    EXPECT_EQ(key->text(), QStringLiteral("SHIFT-K"));
    EXPECT_EQ(key->selectedText(), QStringLiteral("SHIFT-K"));
    EXPECT_EQ(shift(3).quickKey, 175);
    EXPECT_FALSE(state.dialogCancelled);
    EXPECT_EQ(dialog->findChild<QLabel*>(QStringLiteral("KeyClash"))->text(),
              QStringLiteral("Also used by Shift 9"));
    QTest::keyClick(key, Qt::Key_7, Qt::ShiftModifier);
    EXPECT_EQ(shift(3).quickKey, 155);
    QTest::keyClick(key, Qt::Key_F2);
    EXPECT_EQ(key->text(), QString());
    EXPECT_EQ(shift(3).quickKey, 0);
    EXPECT_TRUE(dialog->findChild<QLabel*>(QStringLiteral("KeyClash"))->text().isEmpty());
}

TEST_F(DefShft2Test, CancelRestoresColourAndQuickKeyFromTheFile) {
    const ShiftRecord before = shift(4);
    open();
    choose(4);
    QTest::mouseClick(swatch(1), Qt::LeftButton);
    EXPECT_EQ(shift(4).colour, 8);
    EXPECT_FALSE(state.dialogCancelled);
    EXPECT_EQ(edit("Abbr")->palette().color(QPalette::Text), QColor(128, 128, 128));
    edit("Text1")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(edit("Text1"), Qt::Key_Q);
    EXPECT_EQ(shift(4).quickKey, 'Q');
    retype(edit("Description"), QStringLiteral("Gone"));
    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    EXPECT_TRUE(state.dialogCancelled);
    EXPECT_EQ(shift(4), before);
    EXPECT_FALSE(state.schedule().isModified());
}

TEST_F(DefShft2Test, OkWritesEveryShiftWithBlankOnesUndefined) {
    open();
    choose(1);
    retype(edit("Description"), QStringLiteral("Day"));
    retype(edit("StartTime"), QStringLiteral("7a"));
    retype(edit("EndTime"), QStringLiteral("3:30p"));
    edit("Text1")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(edit("Text1"), Qt::Key_D);
    choose(101);
    edit("Description")->clear();
    click("Command1");
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_FALSE(state.dialogCancelled);
    EXPECT_TRUE(state.schedule().isModified());
    EXPECT_EQ(fileShift(101).description, QStringLiteral("undefined"));
    const ShiftRecord day = fileShift(1);
    EXPECT_EQ(day.description, QStringLiteral("Day"));
    EXPECT_FLOAT_EQ(day.paidLength, 8.5f);

    // The grid's quick keys, rebuilt from the table, now enter the shift.
    ASSERT_TRUE(state.schedule().reloadShifts());
    QuickKeyTable keys;
    keys.rebuild(state.schedule().shifts(), state.schedule().explanations());
    EXPECT_EQ(keys.entry('D', false), 1);
}

TEST_F(DefShft2Test, TheCallerRefreshesOnlyAfterAnEdit) {
    QTimer::singleShot(0, [] {
        auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(d, nullptr);
        QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
    });
    EXPECT_FALSE(editShifts(state, platform, QStringLiteral("h:nna/p"), nullptr));
    EXPECT_FALSE(state.schedule().isModified());

    QTimer::singleShot(0, [] {
        auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(d, nullptr);
        d->findChild<QListWidget*>(QStringLiteral("List1"))->setCurrentRow(3); // shift 1
        QTest::mouseClick(d->findChildren<QPushButton*>(QStringLiteral("Colors")).at(2),
                          Qt::LeftButton);
        QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
    });
    EXPECT_TRUE(editShifts(state, platform, QStringLiteral("h:nna/p"), nullptr));
    EXPECT_TRUE(state.schedule().isModified());
    EXPECT_EQ(fileShift(1).colour, 4);
}

TEST_F(DefShft2Test, AFailedWriteIsReportedAndCancelStillRestores) {
    const ShiftRecord before = shift(1);
    open();
    choose(1);
    retype(edit("Description"), QStringLiteral("Lost"));
    ASSERT_TRUE(state.schedule().closeAll()); // the shift file can no longer be written
    platform.answers = {MessageAnswer::Ok};
    click("Command1");
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].request.title, QStringLiteral("Error"));
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(state.schedule().isModified());
    click("Command2");
    EXPECT_EQ(shift(1), before);
}
