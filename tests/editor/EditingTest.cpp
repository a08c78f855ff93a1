// Editing and moving in the real main window with keys, the mouse, the spin
// button, the page changer and find name.
#include "editor/FindName.h"
#include "editor/MainForm.h"
#include "editor/Pager.h"
#include "editor/SpinButton.h"
#include "files/ProgramState.h"
#include "model/codec/OleDate.h"
#include "support/ManualClock.h"
#include "support/QtPrinters.h"
#include "support/ScriptedDialogs.h"
#include "support/ScriptedPlatform.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace kalmur;

namespace {

class EditingTest : public ::testing::Test {
protected:
    QTemporaryDir root;
    bool made = QDir().mkpath(root.filePath("work"));
    ProgramState state{root.filePath("work")};
    ScriptedPlatform platform;
    ScriptedDialogs dialogs;
    MainForm form{state, platform, dialogs};
    QWidget* grid = nullptr;

    void SetUp() override {
        form.resize(1200, 800);
        form.show();
        QApplication::processEvents();
        platform.openAnswers.push_back(root.filePath("ward.kmr"));
        dialogs.newDates.push(DateRange{QDate(1997, 1, 1), QDate(1997, 3, 31)});
        action("File_Open")->trigger();
        ASSERT_TRUE(state.isOpen());
        Schedule& s = state.schedule();
        s.shifts()[0].description = QStringLiteral("Day");
        s.shifts()[0].abbreviation = QStringLiteral("D");
        s.shifts()[0].quickKey = 'D';
        s.explanations().quickKeys[1] = 'V' + 100; // Shift+V: vacation
        for (int r = 1; r <= 30; ++r) {
            s.employees().names[static_cast<std::size_t>(r - 1)] =
                QStringLiteral("Person %1").arg(r, 2, 10, QLatin1Char('0'));
        }
        s.employees().names[4] = QStringLiteral("/ Nights");
        s.employees().names[150] = QStringLiteral("Zimmer, Hans");
        ASSERT_TRUE(s.writeShifts());
        ASSERT_TRUE(s.writeExplanations());
        form.chooseViewFormat(2); // seven days on screen
        // Rebuild the quick keys and lists as the definition dialogs do.
        platform.openAnswers.push_back(root.filePath("ward.kmr"));
        platform.answers.push_back(MessageAnswer::Yes);
        action("File_Open")->trigger();
        grid = form.findChild<QWidget*>(QStringLiteral("Grid"));
        ASSERT_NE(grid, nullptr);
        form.selectCell(1, 1);
    }
    QAction* action(const char* name) const {
        for (QAction* a : form.findChildren<QAction*>()) {
            if (a->objectName() == QLatin1String(name)) {
                return a;
            }
        }
        return nullptr;
    }
    Cell at(int day, int row = 1) const {
        return state.schedule().cellOfDay(state.schedule().slotOfRow(row), day);
    }
    void key(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) { QTest::keyClick(grid, k, m); }
};

} // namespace

TEST_F(EditingTest, AQuickKeyOnOneDayAdvancesAndOnSeveralStays) {
    key(Qt::Key_D);
    EXPECT_EQ(at(1).shift, 1);
    EXPECT_EQ(form.selectionFirst(), 2);
    key(Qt::Key_Right, Qt::ShiftModifier);
    key(Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(form.selectionLast(), 4);
    key(Qt::Key_D);
    EXPECT_EQ(at(2).shift, 1);
    EXPECT_EQ(at(4).shift, 1);
    EXPECT_EQ(form.selectionFirst(), 2);
    EXPECT_EQ(form.selectionLast(), 4);
    EXPECT_TRUE(action("Edit_Undo")->isEnabled());
    EXPECT_EQ(action("Edit_Undo")->text(), QStringLiteral("&Undo Assign"));
    key(Qt::Key_V, Qt::ShiftModifier);
    EXPECT_EQ(at(3).explanation, 2);
    key(Qt::Key_Q); // no quick key: nothing happens
    EXPECT_EQ(at(2).shift, 1);
}

TEST_F(EditingTest, ShiftLeftShrinksAndDoesNothingOnOneDay) {
    key(Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(form.selectionFirst(), 1);
    EXPECT_EQ(form.selectionLast(), 1);
    for (int i = 0; i < 3; ++i) {
        key(Qt::Key_Right, Qt::ShiftModifier);
    }
    EXPECT_EQ(form.selectionLast(), 4);
    key(Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(form.selectionFirst(), 1);
    EXPECT_EQ(form.selectionLast(), 3);
    key(Qt::Key_Right); // collapses to the last day, then moves on
    EXPECT_EQ(form.selectionFirst(), 4);
    EXPECT_EQ(form.selectionLast(), 4);
    EXPECT_EQ(form.findChild<QLabel*>(QStringLiteral("DaysTagged"))->text(), QStringLiteral("1"));
}

TEST_F(EditingTest, RightPastTheLastVisibleDayScrollsAndTheEndAsksToAddDays) {
    form.selectCell(2, 7);
    key(Qt::Key_Right);
    EXPECT_EQ(state.schedule().firstShownDay(), 1);
    EXPECT_EQ(form.selectionFirst(), 7);
    EXPECT_EQ(form.findChild<QLabel*>(QStringLiteral("DateOn"))->text(),
              QStringLiteral("Wed  1/8/1997"));
    key(Qt::Key_Home);
    key(Qt::Key_Left);
    EXPECT_EQ(state.schedule().firstShownDay(), 0);
    platform.answers.push_back(MessageAnswer::No);
    key(Qt::Key_Left); // before the start date
    ASSERT_FALSE(platform.messages.empty());
    EXPECT_EQ(platform.messages.back().request.title,
              QStringLiteral("Requested date OUT OF RANGE"));
    EXPECT_TRUE(platform.messages.back().beeped);
    EXPECT_EQ(platform.messages.back().request.defaultAnswer, MessageAnswer::No);
}

TEST_F(EditingTest, SpaceDeleteAndUndo) {
    state.schedule().setCell(state.schedule().slotOfRow(1), 1, Cell{1, 1, 3, 0, 0});
    key(Qt::Key_Space);
    EXPECT_EQ(at(1), (Cell{0, 1, 3, 0, 0}));
    EXPECT_EQ(form.selectionFirst(), 2); // Space on one day advances
    form.selectCell(1, 1);
    key(Qt::Key_Delete);
    EXPECT_EQ(at(1), Cell{});
    EXPECT_EQ(form.selectionFirst(), 1);
    EXPECT_EQ(action("Edit_Undo")->text(), QStringLiteral("&Undo Clear"));
    action("Edit_Undo")->trigger();
    EXPECT_EQ(at(1), (Cell{0, 1, 3, 0, 0}));
    EXPECT_FALSE(action("Edit_Undo")->isEnabled());

    key(Qt::Key_Delete);
    key(Qt::Key_Right); // moving the cursor makes undo unavailable
    EXPECT_FALSE(action("Edit_Undo")->isEnabled());
    EXPECT_EQ(action("Edit_Undo")->text(), QStringLiteral("Can't Undo"));
}

TEST_F(EditingTest, DividerRowsRefuseEditsWithABeep) {
    form.selectCell(5, 1); // "/ Nights"
    const int beeps = platform.beeps;
    key(Qt::Key_D);
    action("Edit_TimeOff")->trigger();
    EXPECT_EQ(at(1, 5), Cell{});
    EXPECT_EQ(platform.beeps, beeps + 1);
    EXPECT_FALSE(form.findChild<QLineEdit*>(QStringLiteral("NotePad"))->isEnabled());
}

TEST_F(EditingTest, CopyPasteAndNotesThroughTheWindow) {
    key(Qt::Key_D);
    form.selectCell(1, 1);
    key(Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_FALSE(action("Edit_Paste")->isEnabled());
    action("Edit_Copy")->trigger();
    EXPECT_TRUE(action("Edit_Paste")->isEnabled());
    form.selectCell(2, 3);
    action("Edit_Paste")->trigger();
    EXPECT_EQ(at(3, 2).shift, 1);
    EXPECT_EQ(at(4, 2).shift, 0);
    EXPECT_EQ(action("Edit_Undo")->text(), QStringLiteral("&Undo Paste"));

    auto* note = form.findChild<QLineEdit*>(QStringLiteral("NotePad"));
    note->setFocus();
    note->setText(QStringLiteral("Late start"));
    QTest::keyClick(note, Qt::Key_Return);
    EXPECT_GT(at(3, 2).note, 0);
    EXPECT_EQ(state.schedule().readNote(at(3, 2).note), QStringLiteral("Late start"));
    EXPECT_EQ(action("Edit_Undo")->text(), QStringLiteral("&Undo Note"));

    auto* list = form.findChild<QListWidget*>(QStringLiteral("Explainations"));
    ASSERT_GT(list->count(), 3);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("None"));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(3)).center());
    EXPECT_EQ(at(3, 2).explanation, 3);
}

TEST_F(EditingTest, CutCanBeUndoneWithItsNotes) {
    Schedule& s = state.schedule();
    s.setCell(s.slotOfRow(1), 1, Cell{1, 1, 3, 0, 0});
    form.selectCell(1, 1);
    auto* note = form.findChild<QLineEdit*>(QStringLiteral("NotePad"));
    note->setFocus();
    note->setText(QStringLiteral("Swapped with Chen"));
    QTest::keyClick(note, Qt::Key_Return);
    key(Qt::Key_Right, Qt::ShiftModifier);
    const Cell first = at(1);
    ASSERT_GT(first.note, 0);

    action("Edit_Cut")->trigger();
    EXPECT_EQ(at(1).shift, 0);
    EXPECT_LT(at(1).note, 0);
    EXPECT_TRUE(action("Edit_Paste")->isEnabled());
    EXPECT_TRUE(action("Edit_Undo")->isEnabled());
    EXPECT_EQ(action("Edit_Undo")->text(), QStringLiteral("&Undo Cut"));
    action("Edit_Undo")->trigger();
    EXPECT_EQ(at(1), first);
    EXPECT_EQ(s.readNote(first.note), QStringLiteral("Swapped with Chen"));
    EXPECT_EQ(note->text(), QStringLiteral("Swapped with Chen"));
}

TEST_F(EditingTest, FindNameFromTheViewMenuGoesToTheRow) {
    const std::size_t messages = platform.messages.size();
    dialogs.names.push(151);
    action("View_FindName")->trigger();
    EXPECT_EQ(dialogs.names.opened(), 1);
    EXPECT_EQ(platform.messages.size(), messages); // no "not available yet"
    EXPECT_EQ(form.topRow() + form.cursorRow(), 151);
}

TEST_F(EditingTest, TheNoteBoxShowsALongNoteFromItsStart) {
    const QString text = QStringLiteral("Covers the night of the 4th; swap with Chen approved");
    auto* note = form.findChild<QLineEdit*>(QStringLiteral("NotePad"));
    note->setFocus();
    note->setText(text);
    QTest::keyClick(note, Qt::Key_Return); // committed, and the grid has the keys again
    EXPECT_EQ(note->cursorPosition(), 0);
    form.selectCell(2, 1);
    form.selectCell(1, 1);
    EXPECT_EQ(note->text(), text);
    EXPECT_EQ(note->cursorPosition(), 0);
}

TEST_F(EditingTest, TheSpinButtonRepeatsWhileHeldAndFasterAfterTheThirdStep) {
    using ms = std::chrono::milliseconds;
    auto* spin = form.findChild<SpinButton*>(QStringLiteral("SpinButton1"));
    ASSERT_NE(spin, nullptr);
    ManualClock& clock = platform.manualClock;
    QTest::mousePress(spin->upButton(), Qt::LeftButton);
    // Step 1 at the press, then after each wait the clock is moved by.
    const std::pair<int, int> waits[] = {{174, 1}, {1, 2}, {175, 3}, {24, 3}, {1, 4}, {25, 5}};
    for (const auto& [wait, shown] : waits) {
        clock.advance(ms(wait));
        EXPECT_EQ(state.schedule().firstShownDay(), shown) << "after " << clock.now().count();
    }
    QTest::mouseRelease(spin->upButton(), Qt::LeftButton);
    EXPECT_FALSE(spin->isRepeating());
    clock.advance(ms(1000));
    EXPECT_EQ(state.schedule().firstShownDay(), 5);

    // The other direction counts again from a slow start.
    clock.started.clear();
    QTest::mousePress(spin->downButton(), Qt::LeftButton);
    clock.advance(ms(175 + 175 + 25));
    QTest::mouseRelease(spin->downButton(), Qt::LeftButton);
    EXPECT_EQ(clock.started, (std::vector<ms>{ms(175), ms(175), ms(25), ms(25)}));
    EXPECT_EQ(state.schedule().firstShownDay(), 1);
}

// The question at the edge of the schedule takes the mouse release with it:
// the held arrow must stop, whatever the answer.
TEST_F(EditingTest, TheSpinButtonAtTheFirstDayAsksOnceAndStops) {
    auto* spin = form.findChild<SpinButton*>(QStringLiteral("SpinButton1"));
    ASSERT_NE(spin, nullptr);
    platform.modalMessages = true;
    for (const MessageAnswer answer : {MessageAnswer::No, MessageAnswer::Yes}) {
        platform.messages.clear();
        platform.answers = {answer};
        if (answer == MessageAnswer::Yes) {
            dialogs.editDates.push(std::nullopt); // the properties window, cancelled
        }
        QTest::mousePress(spin->downButton(), Qt::LeftButton);
        ASSERT_EQ(platform.messages.size(), 1u);
        EXPECT_EQ(platform.messages[0].request.title,
                  QStringLiteral("Requested date OUT OF RANGE"));
        EXPECT_FALSE(spin->isRepeating());
        EXPECT_FALSE(spin->downButton()->isDown());
        platform.manualClock.advance(std::chrono::seconds(2));
        EXPECT_EQ(platform.messages.size(), 1u);
        EXPECT_EQ(state.schedule().firstShownDay(), 0);
        EXPECT_EQ(form.selectionFirst(), 1);
        QTest::mouseRelease(spin->downButton(), Qt::LeftButton);
    }
}

TEST(Pager, ButtonsClampWithABeep) {
    ScriptedPlatform platform;
    // Week starts on Sunday; 1997-01-01 is a Wednesday.
    PagerRules rules{QDate(1997, 1, 1), QDate(1997, 3, 31), 1, 7};
    EXPECT_EQ(rules.weekBack(QDate(1997, 1, 3)).date, QDate(1997, 1, 1));
    EXPECT_TRUE(rules.weekBack(QDate(1997, 1, 3)).clamped);
    EXPECT_EQ(rules.weekBack(QDate(1997, 1, 15)).date, QDate(1997, 1, 12));
    EXPECT_EQ(rules.weekBack(QDate(1997, 1, 12)).date, QDate(1997, 1, 5)); // 1 to 7 days back
    EXPECT_EQ(rules.weekForward(QDate(1997, 3, 28)).date, QDate(1997, 3, 30));
    const auto late = rules.weekForward(QDate(1997, 3, 30));
    EXPECT_TRUE(late.clamped);
    EXPECT_EQ(late.date, QDate(1997, 3, 30)); // unchanged
    EXPECT_EQ(rules.monthBack(QDate(1997, 2, 20)).date, QDate(1997, 1, 1));
    EXPECT_TRUE(rules.monthBack(QDate(1997, 1, 20)).clamped);
    EXPECT_EQ(rules.monthForward(QDate(1997, 3, 2)).date, QDate(1997, 3, 31));
    EXPECT_TRUE(rules.monthForward(QDate(1997, 3, 2)).clamped);
    EXPECT_EQ(rules.pageForward(QDate(1997, 3, 20)).date, QDate(1997, 3, 25)); // never past the end
    EXPECT_EQ(rules.pageBack(QDate(1997, 1, 5)).date, QDate(1997, 1, 1));
    EXPECT_EQ(rules.clampStart(QDate(1998, 1, 1)), QDate(1997, 3, 25));

    Pager pager(rules, QDate(1997, 3, 28), platform);
    auto* text = pager.findChild<QLineEdit*>(QStringLiteral("Text1"));
    EXPECT_EQ(text->text(), QStringLiteral("3/28/1997"));
    pager.findChild<QPushButton*>(QStringLiteral("WeekForward"))->click();
    pager.findChild<QPushButton*>(QStringLiteral("WeekForward"))->click();
    EXPECT_EQ(text->text(), QStringLiteral("3/30/1997"));
    EXPECT_EQ(platform.beeps, 1);
    text->setText(QStringLiteral("2/30/1997"));
    platform.answers.push_back(MessageAnswer::Ok);
    pager.ok();
    EXPECT_EQ(platform.messages.back().request.text,
              QStringLiteral("The date entered 2/30/1997 is not a valid date."));
    EXPECT_EQ(text->text(), QStringLiteral("3/30/1997"));
    EXPECT_FALSE(pager.chosen());
    text->setText(QStringLiteral("3/28/97")); // the date already shown: no change
    pager.ok();
    EXPECT_FALSE(pager.chosen());
}

TEST_F(EditingTest, FindNameNearTheBottomKeepsTheLastPageInView) {
    FindName find({{QStringLiteral("Adams"), 3},
                   {QStringLiteral("Baker"), 9},
                   {QStringLiteral("Zimmer, Hans"), 151}});
    find.findTyped(QStringLiteral("zim"));
    find.goTo();
    EXPECT_EQ(find.chosenRow(), 151);
    form.goToRow(199);
    EXPECT_EQ(form.topRow(), 200 - form.visibleRows());
    EXPECT_EQ(form.topRow() + form.cursorRow(), 199);
    form.goToRow(151);
    EXPECT_EQ(form.topRow(), std::min(150, 200 - form.visibleRows()));
    EXPECT_EQ(form.topRow() + form.cursorRow(), 151);
    FindName none({{QStringLiteral("Adams"), 3}});
    none.goTo(); // the blank first entry counts as Cancel
    EXPECT_EQ(none.chosenRow(), 0);
}

TEST_F(EditingTest, ThePageChangerAndFindNameOpenThroughTheDialogs) {
    auto* cal = form.findChild<QToolButton*>(QStringLiteral("ButtonCal"));
    ASSERT_NE(cal, nullptr);
    dialogs.pages.push(QDate(1997, 2, 3));
    cal->click();
    EXPECT_EQ(dialogs.pageShown, QDate(1997, 1, 1));
    EXPECT_EQ(dialogs.pageRules.fileStart, QDate(1997, 1, 1));
    EXPECT_EQ(dialogs.pageRules.fileEnd, QDate(1997, 3, 31));
    EXPECT_EQ(dialogs.pageRules.daysOnScreen, 7);
    EXPECT_EQ(state.schedule().firstShownDay(), 33);
    dialogs.pages.push(std::nullopt); // cancelled
    cal->click();
    EXPECT_EQ(dialogs.pageShown, QDate(1997, 2, 3));
    EXPECT_EQ(state.schedule().firstShownDay(), 33);

    // Named rows in display order; the divider and the blank rows are left out.
    auto* heading = form.findChild<QLabel*>(QStringLiteral("Label1"));
    ASSERT_NE(heading, nullptr);
    dialogs.names.push(151);
    QTest::mouseClick(heading, Qt::LeftButton);
    ASSERT_EQ(dialogs.nameRows.size(), 30);
    EXPECT_EQ(dialogs.nameRows[4].name, QStringLiteral("Person 06"));
    EXPECT_EQ(dialogs.nameRows[4].row, 6);
    EXPECT_EQ(dialogs.nameRows.back().name, QStringLiteral("Zimmer, Hans"));
    EXPECT_EQ(form.topRow() + form.cursorRow(), 151);
    dialogs.names.push(std::nullopt); // cancelled: the cursor stays
    QTest::mouseClick(heading, Qt::LeftButton);
    EXPECT_EQ(form.topRow() + form.cursorRow(), 151);
}

TEST_F(EditingTest, SelectivePasteAndCopyMultipleThroughTheDialogs) {
    Schedule& s = state.schedule();
    key(Qt::Key_D);
    form.selectCell(1, 1);
    action("Edit_Copy")->trigger();
    ASSERT_TRUE(action("Edit_SelPaste")->isEnabled());
    s.settings().pasteOptions = {}; // as a new schedule has them
    form.selectCell(2, 3);
    key(Qt::Key_Right, Qt::ShiftModifier);
    const PasteOptions timeOffOnly{false, true, false, false, false, false};
    dialogs.selectivePastes.push(timeOffOnly);
    action("Edit_SelPaste")->trigger();
    EXPECT_EQ(dialogs.pasteShown, PasteOptions::firstUse());
    EXPECT_EQ(at(3, 2).shift, 0); // a shift is not time off
    EXPECT_EQ(PasteOptions::fromFlags(s.settings().pasteOptions), timeOffOnly);
    EXPECT_EQ(action("Edit_Undo")->text(), QStringLiteral("&Undo Paste"));
    dialogs.selectivePastes.push(PasteOptions{true, false, false, false, false, true});
    action("Edit_SelPaste")->trigger();
    EXPECT_EQ(dialogs.pasteShown, timeOffOnly); // the last choices are offered again
    EXPECT_EQ(at(3, 2).shift, 1);
    dialogs.selectivePastes.push(std::nullopt); // Cancel pastes nothing
    s.setCell(s.slotOfRow(2), 3, Cell{});
    action("Edit_SelPaste")->trigger();
    EXPECT_EQ(at(3, 2).shift, 0);

    const int messages = static_cast<int>(platform.messages.size());
    form.selectCell(1, 1);
    dialogs.copies.push(CopyMultipleJob{QDate(1997, 1, 1),
                                        7,
                                        {1},
                                        {QDate(1997, 1, 8), QDate(1997, 3, 26)},
                                        PasteOptions::firstUse()});
    action("Edit_Mcopy")->trigger();
    EXPECT_EQ(dialogs.copySetup.start, QDate(1997, 1, 1));
    EXPECT_EQ(dialogs.copySetup.days, 1);
    EXPECT_EQ(dialogs.copySetup.options, (PasteOptions{true, false, false, false, false, true}));
    ASSERT_EQ(dialogs.copySetup.names.size(), 30); // the divider is not offered
    EXPECT_EQ(dialogs.copySetup.names[0].text, QStringLiteral("Person 01, "));
    EXPECT_EQ(at(8).shift, 1);
    EXPECT_EQ(at(85).shift, 1);
    EXPECT_EQ(PasteOptions::fromFlags(s.settings().pasteOptions), PasteOptions::firstUse());
    EXPECT_FALSE(action("Edit_Undo")->isEnabled());
    EXPECT_EQ(action("Edit_Undo")->text(), QStringLiteral("Can't Undo"));
    EXPECT_EQ(static_cast<int>(platform.messages.size()), messages);
}
