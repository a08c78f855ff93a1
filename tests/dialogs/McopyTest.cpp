// "Copy Multiple" and "Selective Paste" as the user works them.
#include "DialogFixture.h"
#include "support/QtPrinters.h"

#include "dialogs/Mcopy.h"
#include "dialogs/SelPaste.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

using namespace kalmur;

namespace {

struct McopyTest : DialogFixture {
    std::unique_ptr<Mcopy> dialog;
    QListWidget* names = nullptr;
    QListWidget* dates = nullptr;
    QPushButton* execute = nullptr;

    void open(int days = 7) {
        CopyMultipleSetup setup;
        setup.names = {{QStringLiteral("Adams, RN"), 1}, {QStringLiteral("Baker, LPN"), 4}};
        setup.fileStart = QDate(1997, 1, 1);
        setup.fileEnd = QDate(1997, 3, 31);
        setup.start = QDate(1997, 1, 6); // a Monday
        setup.days = days;
        setup.options = PasteOptions{true, false, true, false, false, true};
        dialog = std::make_unique<Mcopy>(setup, platform);
        names = dialog->findChild<QListWidget*>(QStringLiteral("List1"));
        dates = dialog->findChild<QListWidget*>(QStringLiteral("DestList"));
        execute = dialog->findChild<QPushButton*>(QStringLiteral("Command3"));
        ASSERT_TRUE(names && dates && execute);
        showActive(dialog.get());
    }
    QLineEdit* field(const char* name) const {
        return dialog->findChild<QLineEdit*>(QLatin1String(name));
    }
    void click(const char* name) const {
        QTest::mouseClick(dialog->findChild<QPushButton*>(QLatin1String(name)), Qt::LeftButton);
    }
};

} // namespace

TEST_F(McopyTest, ExecuteWaitsForANameAndADestination) {
    open();
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Copy Multiple"));
    EXPECT_EQ(field("StartDate")->text(), QStringLiteral("1/6/1997"));
    EXPECT_EQ(dialog->findChild<QLabel*>(QStringLiteral("Label5"))->text(),
              QStringLiteral("Monday"));
    ASSERT_EQ(dates->count(), 12); // the Mondays from 13 January to 31 March
    EXPECT_EQ(dates->item(11)->text(), QStringLiteral("3/31/1997"));
    EXPECT_FALSE(execute->isEnabled());
    names->item(1)->setSelected(true);
    EXPECT_FALSE(execute->isEnabled());
    dates->item(0)->setSelected(true);
    dates->item(2)->setSelected(true);
    EXPECT_TRUE(execute->isEnabled());
    click("Command2"); // "C&lear All"
    EXPECT_FALSE(execute->isEnabled());
    click("Command1"); // "Select &All"
    EXPECT_EQ(names->selectedItems().size(), 2);

    click("Command3");
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    const CopyMultipleJob job = dialog->job();
    EXPECT_EQ(job.start, QDate(1997, 1, 6));
    EXPECT_EQ(job.days, 7);
    EXPECT_EQ(job.rows, (QList<int>{1, 4}));
    EXPECT_EQ(job.destinations, (QList<QDate>{QDate(1997, 1, 13), QDate(1997, 1, 27)}));
    EXPECT_EQ(job.options, (PasteOptions{true, false, true, false, false, true}));
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(McopyTest, TheStartDateIsCheckedOnLeavingAndRefillsTheDestinations) {
    open(14);
    ASSERT_EQ(dates->count(), 6);
    dates->item(0)->setSelected(true);
    struct Typed {
        const char* text;
        const char* message; // empty: accepted
        const char* shown;
    };
    const Typed typed[] = {
        {"2/30/97", "The date entered 2/30/97 is not a valid date.", "1/6/1997"},
        {"12/31/96", "The date entered 12/31/96 is out of range.", "1/6/1997"},
        {"3/3/97", "", "3/3/1997"},
    };
    for (const Typed& t : typed) {
        SCOPED_TRACE(t.text);
        platform.messages.clear();
        if (*t.message) {
            platform.answers.push_back(MessageAnswer::Ok);
        }
        retype(field("StartDate"), QLatin1String(t.text));
        field("NumWeeks")->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
        if (*t.message) {
            ASSERT_EQ(platform.messages.size(), 1u);
            EXPECT_EQ(platform.messages[0].request.text, QLatin1String(t.message));
            EXPECT_EQ(platform.messages[0].request.title, QStringLiteral("Error"));
            EXPECT_TRUE(platform.messages[0].beeped);
        } else {
            EXPECT_TRUE(platform.messages.empty());
        }
        EXPECT_EQ(field("StartDate")->text(), QLatin1String(t.shown));
    }
    // From 3 March, one copy of 14 days fits: 17 March; 31 March starts another.
    EXPECT_EQ(dates->count(), 2);
    EXPECT_TRUE(dates->selectedItems().isEmpty());
    retype(field("NumWeeks"), QStringLiteral("0"));
    EXPECT_EQ(dates->count(), 0);
}

TEST_F(DialogFixture, SelectivePasteShowsAndReturnsTheSixChoices) {
    const PasteOptions current{true, false, true, false, true, false};
    SelPaste dialog(current);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Selective Paste"));
    EXPECT_EQ(dialog.chosen(), current);
    QList<QCheckBox*> kinds;
    for (QCheckBox* box : dialog.findChildren<QCheckBox*>(QStringLiteral("Check1"))) {
        kinds.append(box);
    }
    ASSERT_EQ(kinds.size(), 5);
    for (QCheckBox* box : kinds) {
        if (box->text() == QStringLiteral("Time Off")) {
            box->setChecked(true);
        }
    }
    dialog.findChild<QCheckBox*>(QStringLiteral("Check2"))->setChecked(true);
    EXPECT_EQ(dialog.chosen(), (PasteOptions{true, true, true, false, true, true}));
}
