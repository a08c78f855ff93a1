// "Define Explanations" on an open schedule.
#include "DialogFixture.h"

#include "dialogs/DefExp.h"
#include "model/schedule/Members.h"

#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

using namespace kalmur;

namespace {

struct DefExpTest : DialogFixture {
    std::unique_ptr<DefExp> dialog;
    QListWidget* list = nullptr;
    QLineEdit* description = nullptr;

    void SetUp() override {
        ASSERT_TRUE(state.schedule().loadSettings(QDate(1997, 6, 1)).ok);
        ASSERT_TRUE(state.schedule().openAll());
        state.schedule().setModified(false);
    }
    void open() {
        dialog = std::make_unique<DefExp>(state, platform);
        list = dialog->findChild<QListWidget*>(QStringLiteral("List1"));
        description = dialog->findChild<QLineEdit*>(QStringLiteral("Text1"));
        ASSERT_TRUE(list && description);
        showActive(dialog.get());
    }
    QLineEdit* edit(const char* name) const {
        return dialog->findChild<QLineEdit*>(QString::fromLatin1(name));
    }
    void choose(int number) {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(number - 1)).center());
        ASSERT_EQ(list->currentRow(), number - 1);
    }
    void click(const char* name) {
        QTest::mouseClick(dialog->findChild<QPushButton*>(QString::fromLatin1(name)),
                          Qt::LeftButton);
    }
    QByteArray file() const {
        QFile f(memberPath(dir.path(), Member::Explanations));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    const ExplanationTable& table() const { return state.schedule().explanations(); }
};

} // namespace

TEST_F(DefExpTest, OpensWithNumberedEntriesAndTheFirstShown) {
    state.dialogCancelled = true;
    open();
    EXPECT_FALSE(state.dialogCancelled);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Define Explanations"));
    EXPECT_EQ(dialog->size(), QSize(350, 176));
    EXPECT_EQ(list->geometry(), QRect(216, 16, 129, 119));
    ASSERT_EQ(list->count(), 99);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("01, Personal"));
    EXPECT_EQ(list->item(9)->text(), QStringLiteral("10, At other facility"));
    EXPECT_EQ(list->item(98)->text(), QStringLiteral("99, undefined"));
    EXPECT_EQ(description->text(), QStringLiteral("Personal"));
    EXPECT_EQ(description->selectedText(), QStringLiteral("Personal"));
    EXPECT_EQ(edit("Abbr")->text(), QStringLiteral("a"));
    EXPECT_EQ(description->maxLength(), 20);
}

TEST_F(DefExpTest, ClickingAnEntryMovesToItsDescriptionAndTypingRewritesIt) {
    open();
    choose(3);
    EXPECT_TRUE(description->hasFocus());
    EXPECT_EQ(description->selectedText(), QStringLiteral("Sick"));
    QTest::keyClicks(description, QStringLiteral("Ill"));
    EXPECT_EQ(list->item(2)->text(), QStringLiteral("03, Ill"));
    EXPECT_EQ(table().descriptions[2], QStringLiteral("Sick")); // only a copy so far
    // Going through the entries with the keyboard does not rewrite them.
    list->setFocus(Qt::TabFocusReason);
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(list->item(3)->text(), QStringLiteral("04, Temp Leave"));
    EXPECT_EQ(list->item(2)->text(), QStringLiteral("03, Ill"));
}

TEST_F(DefExpTest, QuickKeysGoIntoTheCopiesAndShowClashes) {
    state.schedule().shifts()[11].quickKey = '7' + 100; // shift 12
    open();
    choose(2);
    QLineEdit* key = edit("Text2");
    key->setFocus(Qt::TabFocusReason);
    QTest::keyClick(key, Qt::Key_7, Qt::ShiftModifier);
    EXPECT_EQ(key->text(), QStringLiteral("SHIFT-7"));
    EXPECT_EQ(dialog->findChild<QLabel*>(QStringLiteral("KeyClash"))->text(),
              QStringLiteral("Also used by Shift 12"));
    EXPECT_TRUE(key->toolTip().contains(QStringLiteral("enters Explanation 2")));
    EXPECT_EQ(table().quickKeys[1], 0);
    choose(1);
    EXPECT_EQ(key->text(), QString());
    choose(2);
    EXPECT_EQ(key->text(), QStringLiteral("SHIFT-7"));
    click("Command1");
    EXPECT_EQ(table().quickKeys[1], 155);
}

TEST_F(DefExpTest, OkStoresBlankDescriptionsAsUndefined) {
    open();
    choose(5);
    description->clear();
    QTest::keyClicks(description, QStringLiteral(" "));
    EXPECT_EQ(list->item(4)->text(), QStringLiteral("05,  "));
    retype(edit("Abbr"), QStringLiteral("zz"));
    click("Command1");
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_FALSE(state.dialogCancelled);
    EXPECT_TRUE(state.schedule().isModified());
    EXPECT_EQ(table().descriptions[4], QStringLiteral("undefined"));
    EXPECT_EQ(table().abbreviations[4], QStringLiteral("zz"));
    ASSERT_TRUE(state.schedule().reloadExplanations());
    EXPECT_EQ(table().descriptions[4], QStringLiteral("undefined"));
    EXPECT_EQ(table().descriptions[3], QStringLiteral("Temp Leave"));
}

TEST_F(DefExpTest, CancelLeavesTableAndFileExactlyAsTheyWere) {
    const QByteArray before = file();
    const ExplanationTable tableBefore = table();
    open();
    choose(1);
    QTest::keyClicks(description, QStringLiteral("Away"));
    choose(4);
    retype(edit("Abbr"), QStringLiteral("q"));
    edit("Text2")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(edit("Text2"), Qt::Key_P);
    click("Command2");
    EXPECT_TRUE(state.dialogCancelled);
    EXPECT_EQ(table(), tableBefore);
    EXPECT_EQ(file(), before);
    EXPECT_FALSE(state.schedule().isModified());
}
