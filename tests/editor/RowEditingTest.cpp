// The row commands and the in-place name editors in the real main window.
#include "editor/MainForm.h"
#include "files/ProgramState.h"
#include "support/QtPrinters.h"
#include "support/ScriptedDialogs.h"
#include "support/ScriptedPlatform.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace kalmur;

namespace {

class RowEditingTest : public ::testing::Test {
protected:
    QTemporaryDir root;
    bool made = QDir().mkpath(root.filePath("work"));
    ProgramState state{root.filePath("work")};
    ScriptedPlatform platform;
    ScriptedDialogs dialogs;
    MainForm form{state, platform, dialogs};
    QMenu* editMenu = form.findChild<QMenu*>(QStringLiteral("MenuEdit"));
    QLineEdit* name = form.findChild<QLineEdit*>(QStringLiteral("EmpText"));
    QLineEdit* position = form.findChild<QLineEdit*>(QStringLiteral("EmpText2"));
    QWidget* names = form.findChild<QWidget*>(QStringLiteral("EmpList"));
    QWidget* grid = form.findChild<QWidget*>(QStringLiteral("Grid"));

    void SetUp() override {
        form.resize(1200, 800);
        form.show();
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        platform.openAnswers.push_back(root.filePath("ward.kmr"));
        dialogs.newDates.push(DateRange{QDate(1997, 1, 1), QDate(1997, 3, 31)});
        action("File_Open")->trigger();
        ASSERT_TRUE(state.isOpen());
        EmployeeTable& e = state.schedule().employees();
        e.names[0] = QStringLiteral("Adams");
        e.names[1] = QStringLiteral("/ Nights");
        e.names[2] = QStringLiteral("Baker");
        e.positions[2] = QStringLiteral("RN");
        form.repaintAll();
    }
    QAction* action(const char* objectName) const {
        for (QAction* a : form.findChildren<QAction*>()) {
            if (a->objectName() == QLatin1String(objectName)) {
                return a;
            }
        }
        ADD_FAILURE() << "no action " << objectName;
        return nullptr;
    }
    // Opens the Edit menu's states for the cursor on `row`.
    void menuOn(int row) {
        form.selectCell(row, 1);
        Q_EMIT editMenu->aboutToShow();
    }
    void clickName(int row) {
        const int h = form.metrics().cellHeight;
        QTest::mouseClick(names, Qt::LeftButton, {}, QPoint(5, (row - 1) * h + h / 2));
    }
    QString nameOf(int row) const {
        return state.schedule().employees().names[static_cast<std::size_t>(row - 1)];
    }
};

} // namespace

TEST_F(RowEditingTest, TheEditMenuIsWorkedOutForTheRowUnderTheCursorEachTimeItOpens) {
    struct Case {
        const char* what;
        int row;
        const char* divider;
        bool dividerEnabled, remove, mark;
    };
    const Case cases[] = {
        {"divider", 2, "Reset &Divider", true, false, false},
        {"empty", 4, "Set &Divider", true, true, false},
        {"named", 3, "Set &Divider", false, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        menuOn(c.row);
        EXPECT_EQ(action("Edit_Divider")->text(), QString::fromLatin1(c.divider));
        EXPECT_EQ(action("Edit_Divider")->isEnabled(), c.dividerEnabled);
        EXPECT_EQ(action("Edit_RemoveLine")->isEnabled(), c.remove);
        EXPECT_EQ(action("Edit_MarkName")->isEnabled(), c.mark);
        EXPECT_TRUE(action("Edit_InsertLine")->isEnabled());
        EXPECT_FALSE(action("Edit_MoveName")->isEnabled());
    }

    // Mark Baker, relocate him to the top; Undo puts him back.
    action("Edit_MarkName")->trigger();
    menuOn(1);
    ASSERT_TRUE(action("Edit_MoveName")->isEnabled());
    action("Edit_MoveName")->trigger();
    EXPECT_EQ(nameOf(1), QStringLiteral("Baker"));
    EXPECT_EQ(action("Edit_Undo")->text(), QStringLiteral("&Undo Relocate name"));
    action("Edit_Undo")->trigger();
    EXPECT_EQ(nameOf(1), QStringLiteral("Adams"));

    // Reset the divider: an empty row again.
    menuOn(2);
    action("Edit_Divider")->trigger();
    EXPECT_EQ(nameOf(2), QString());
    action("View_Alpha")->trigger(); // no divider left: the blank row goes last
    EXPECT_EQ(nameOf(2), QStringLiteral("Baker"));
    EXPECT_TRUE(platform.messages.empty()); // nothing "not available yet"
}

TEST_F(RowEditingTest, TheNameEditorsStoreOnLeavingAndTakeNoGridKeys) {
    Schedule& s = state.schedule();
    s.setCell(s.slotOfRow(1), 1, Cell{1, 0, 0, 0, 0}); // under the cursor
    clickName(3);
    ASSERT_TRUE(name->isVisible());
    ASSERT_TRUE(position->isVisible());
    EXPECT_TRUE(name->hasFocus());
    EXPECT_EQ(name->text(), QStringLiteral("Baker"));
    EXPECT_EQ(position->text(), QStringLiteral("RN"));
    EXPECT_FALSE(editMenu->isEnabled());

    // Typing goes into the editor: Delete does not clear the cell under the cursor.
    QTest::keyClick(name, Qt::Key_Delete);
    EXPECT_EQ(s.cell(s.slotOfRow(1), 1).shift, 1);
    name->selectAll();
    QTest::keyClicks(name, QStringLiteral("Dunn-Baker, Dorothea Jane"));
    QTest::keyClick(name, Qt::Key_Tab);
    EXPECT_TRUE(position->hasFocus());
    EXPECT_EQ(nameOf(3), QStringLiteral("Dunn-Baker, Dorothea")); // stored on leaving

    position->selectAll();
    QTest::keyClicks(position, QStringLiteral("Charge RN"));
    QTest::mouseClick(grid, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(name->isVisible());
    EXPECT_FALSE(position->isVisible());
    EXPECT_EQ(state.schedule().employees().positions[2], QStringLiteral("Charge RN"));
    EXPECT_TRUE(editMenu->isEnabled());

    // Scrolling the rows stores the name being typed first.
    clickName(1);
    name->selectAll();
    QTest::keyClicks(name, QStringLiteral("Ames"));
    form.scrollRows(2);
    EXPECT_EQ(nameOf(1), QStringLiteral("Ames"));
    EXPECT_FALSE(name->isVisible());
}
