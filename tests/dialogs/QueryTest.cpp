// "Query" and "Edit Query" on an open schedule, with the dialogs they open
// scripted: the list, the dates, Run handing on what it found, and what Edit
// Query stores.
#include "DialogFixture.h"

#include "dialogs/EdQuery.h"
#include "dialogs/Query.h"
#include "editor/ReportCommands.h"
#include "model/patterns/DateText.h"
#include "reports/QueryReport.h"
#include "support/ScriptedDialogs.h"

#include <QComboBox>
#include <QPushButton>
#include <QTabWidget>

using namespace kalmur;

namespace {

struct QueryTest : DialogFixture {
    ScriptedDialogs dialogs;
    std::unique_ptr<QDialog> dialog;

    void SetUp() override {
        ASSERT_TRUE(state.schedule().loadSettings(QDate(1997, 6, 1)).ok);
        ASSERT_TRUE(state.schedule().openAll());
        Schedule& s = state.schedule();
        s.employees().names[0] = QStringLiteral("Adams, Ann");
        s.employees().names[1] = QStringLiteral("Baker");
        ASSERT_TRUE(s.writeNoteOfDay(1, 10, QStringLiteral("Swap")));
        QueryRecord nights = QueryRecord::undefined();
        nights.criteria.title = QStringLiteral("Nights");
        ASSERT_TRUE(s.writeQuery(1, nights));
        s.setModified(false);
    }
    void openQuery(QDate start, QDate end) {
        dialog = std::make_unique<Query>(state, platform, dialogs, DateRange{start, end});
        showActive(dialog.get());
    }
    void openEdit(int number) {
        dialog = std::make_unique<EdQuery>(state, platform, number);
        showActive(dialog.get());
    }
    template <typename T>
    T* child(const char* name) const {
        T* w = dialog->findChild<T*>(QString::fromLatin1(name));
        EXPECT_TRUE(w) << name;
        return w;
    }
    void click(const char* name) {
        QTest::mouseClick(child<QAbstractButton>(name), Qt::LeftButton);
    }
    QString text(const char* name) const { return child<QLineEdit>(name)->text(); }
};

} // namespace

TEST_F(QueryTest, ListsTheQueriesAndKeepsTheDatesInsideTheSchedule) {
    platform.answers = {MessageAnswer::Ok, MessageAnswer::Ok};
    openQuery(QDate(1997, 1, 10), QDate(1997, 1, 12));
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Query"));
    auto* combo = child<QComboBox>("Combo1");
    ASSERT_EQ(combo->count(), 11);
    EXPECT_EQ(combo->itemText(0), QStringLiteral("[Notes]"));
    EXPECT_EQ(combo->itemText(1), QStringLiteral("01 - Nights"));
    EXPECT_EQ(combo->itemText(2), QStringLiteral("02 - undefined"));
    EXPECT_FALSE(child<QPushButton>("Edit")->isEnabled());
    combo->setCurrentIndex(2);
    EXPECT_TRUE(child<QPushButton>("Edit")->isEnabled());
    EXPECT_EQ(text("StartDate"), QStringLiteral("1/10/1997"));
    EXPECT_EQ(text("EndDate"), QStringLiteral("1/12/1997"));

    retype(child<QLineEdit>("StartDate"), QStringLiteral("6/1/96"));
    click("BOF"); // leaves the field: pulled in silently, then BOF
    EXPECT_EQ(text("StartDate"), QStringLiteral("1/1/1997"));
    click("EOF");
    EXPECT_EQ(text("EndDate"), QStringLiteral("12/31/1998"));
    EXPECT_TRUE(platform.messages.empty());

    retype(child<QLineEdit>("EndDate"), QStringLiteral("12/1/96"));
    child<QLineEdit>("StartDate")->setFocus();
    ASSERT_EQ(platform.messages.size(), 1U);
    EXPECT_EQ(platform.messages[0].request.text,
              QStringLiteral("Date out of schedule file range."));
    EXPECT_EQ(text("EndDate"), QStringLiteral("12/31/1998"));
    QApplication::processEvents(); // the refused field takes the focus back

    retype(child<QLineEdit>("StartDate"), QStringLiteral("2/1/97"));
    retype(child<QLineEdit>("EndDate"), QStringLiteral("1/5/97"));
    click("Run");
    ASSERT_EQ(platform.messages.size(), 2U);
    EXPECT_EQ(platform.messages[1].request.text,
              QStringLiteral("EndDate must be greater or equal to StartDate"));
    EXPECT_EQ(text("EndDate"), QStringLiteral("12/31/1998"));
}

TEST_F(QueryTest, RunHandsOnWhatTheChosenQueryFound) {
    openQuery(QDate(1997, 1, 1), QDate(1997, 1, 31));
    dialogs.queryResults.push({});
    click("Run");
    ASSERT_EQ(dialogs.found.size(), 1U);
    const QueryRun::Result& notes = dialogs.found[0];
    EXPECT_TRUE(notes.notesMode);
    EXPECT_EQ(notes.title, QStringLiteral("Notes"));
    EXPECT_EQ(QueryReport::listEntries(notes), QStringList{QStringLiteral("Adams, Ann, 1")});

    // A saved query ignoring everything finds nothing.
    child<QComboBox>("Combo1")->setCurrentIndex(1);
    dialogs.queryResults.push({});
    click("Run");
    ASSERT_EQ(dialogs.found.size(), 2U);
    EXPECT_EQ(dialogs.found[1].number, 1);
    EXPECT_EQ(dialogs.found[1].title, QStringLiteral("Nights"));
    EXPECT_EQ(QueryReport::listEntries(dialogs.found[1]),
              QStringList{QStringLiteral("[None Found]")});

    // Edit... opens on the chosen query; its entry shows the title stored.
    dialogs.queryEdits.push([](ProgramState& s) {
        QueryRecord q = *s.schedule().readQuery(1);
        q.criteria.title = QStringLiteral("Days");
        return s.schedule().writeQuery(1, q);
    });
    click("Edit");
    EXPECT_EQ(dialogs.queryEditNumbers, std::vector<int>{1});
    EXPECT_EQ(child<QComboBox>("Combo1")->itemText(1), QStringLiteral("01 - Days"));
}

TEST_F(QueryTest, EditQueryOpensOnNotesAndEmptiesAQueryLeftWithNothing) {
    struct Case {
        const char* note;
        const char* stored;
    };
    for (const Case c : {Case{"", "undefined"}, Case{" swap ", "Q3"}}) {
        openEdit(3);
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Edit Query"));
        auto* tabs = child<QTabWidget>("SSTab1");
        EXPECT_EQ(tabs->tabText(tabs->currentIndex()), QStringLiteral("Notes"));
        click("Remove");
        EXPECT_EQ(text("CoverageDesc"), QStringLiteral("Q3"));
        child<QLineEdit>("SearchNote")->setText(QString::fromLatin1(c.note));
        click("OK");
        const auto stored = state.schedule().readQuery(3);
        ASSERT_TRUE(stored);
        EXPECT_EQ(stored->criteria.title, QString::fromLatin1(c.stored)) << c.note;
        EXPECT_EQ(stored->noteText, QString::fromLatin1(c.note).trimmed());
        EXPECT_FALSE(state.dialogCancelled);
        EXPECT_TRUE(state.schedule().isModified());
    }
    // Cancel writes nothing.
    openEdit(3);
    child<QLineEdit>("CoverageDesc")->setText(QStringLiteral("Changed"));
    click("Cancel");
    EXPECT_TRUE(state.dialogCancelled);
    EXPECT_EQ(state.schedule().readQuery(3)->criteria.title, QStringLiteral("Q3"));
}

TEST_F(QueryTest, TheCommandWritesTheModelOutAndOpensOnTheTaggedDays) {
    state.schedule().setCell(2, 1, Cell{1, 0, 0, 0, 0});
    ReportCommands command(state, platform, dialogs, nullptr, {});
    dialogs.queries.push({});
    EXPECT_TRUE(command.query(3, 5));
    ASSERT_EQ(dialogs.queryDays.size(), 1U);
    EXPECT_EQ(dialogs.queryDays[0].start, QDate(1997, 1, 3));
    EXPECT_EQ(dialogs.queryDays[0].end, QDate(1997, 1, 5));
    // What the grid held is in the day file for the run to read.
    EXPECT_EQ(state.schedule().readDay(state.schedule().window().dayNumber(1))->shift[1], 1);
}
