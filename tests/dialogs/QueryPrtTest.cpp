// "Print Query" over what "Run..." of the Query window found, handed over
// through the scripted dialogs: the list, its buttons, Report Setup, and a
// run into a PDF file.
#include "DialogFixture.h"

#include "dialogs/Query.h"
#include "dialogs/QueryPrt.h"
#include "editor/ReportSetupEdit.h"
#include "support/ScriptedDialogs.h"
#include "support/WardSchedule.h"

#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>

using namespace kalmur;

namespace {

struct QueryPrtTest : DialogFixture {
    ScriptedDialogs dialogs;
    std::unique_ptr<QueryPrt> window;

    void SetUp() override {
        ASSERT_TRUE(state.schedule().loadSettings(QDate(1997, 6, 1)).ok);
        ASSERT_TRUE(state.schedule().openAll());
        Schedule& s = state.schedule();
        s.employees().names[0] = QStringLiteral("Adams, Ann");
        s.employees().names[1] = QStringLiteral("Baker");
        s.shifts()[0].description = QStringLiteral("Day");
        ASSERT_TRUE(s.writeNoteOfDay(1, 10, QStringLiteral("Swap")));
        ASSERT_TRUE(s.writeNoteOfDay(2, 11, QStringLiteral("Late")));
        for (int day = 3; day <= 5; ++day) {
            ASSERT_TRUE(s.setCellOfDay(2, day, Cell{1, 0, 0, 0, 0}));
        }
        QueryRecord days = QueryRecord::undefined();
        days.criteria.title = QStringLiteral("Days");
        days.criteria.ignoreShifts = false;
        days.criteria.shiftMarks[1] = 1;
        ASSERT_TRUE(s.writeQuery(1, days));
        ASSERT_TRUE(s.flush());
    }
    // Runs query `number` from the Query window and opens what it found.
    void open(int number) {
        Query query(state, platform, dialogs, DateRange{QDate(1997, 1, 1), QDate(1997, 1, 31)});
        showActive(&query);
        query.findChild<QComboBox*>(QStringLiteral("Combo1"))->setCurrentIndex(number);
        dialogs.queryResults.push({});
        query.findChild<QPushButton*>(QStringLiteral("Run"))->click();
        ASSERT_FALSE(dialogs.found.empty());
        window = std::make_unique<QueryPrt>(state, platform, dialogs.found.back());
        window->setReportSetup([this](QWidget* over) {
            editReportSetup(dialogs, platform, state, ReportKind::Query, over);
        });
        showActive(window.get());
    }
    template <typename W>
    W* control(const char* name) const {
        W* w = window->findChild<W*>(QLatin1String(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QStringList entries() const {
        QStringList texts;
        auto* list = control<QListWidget>("List1");
        for (int i = 0; i < list->count(); ++i) {
            texts << list->item(i)->text() + (list->item(i)->isSelected() ? "*" : "");
        }
        return texts;
    }
};

} // namespace

TEST_F(QueryPrtTest, ListsWhatTheNotesFoundAndEditsTheQuerySetup) {
    open(0);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Print Notes"));
    EXPECT_EQ(entries(), QStringList({"Adams, Ann, 1*", "Baker, 1*"}));
    EXPECT_FALSE(control<QCheckBox>("Check1")->isEnabled());
    control<QPushButton>("ClearAll")->click();
    EXPECT_EQ(window->selectedEntries(), std::vector<int>{});
    control<QPushButton>("SelectAll")->click();
    EXPECT_EQ(window->selectedEntries(), std::vector<int>({1, 2}));

    dialogs.reportSetups.push([](ReportSetup& s) {
        s.title = QStringLiteral("Ward notes");
        return true;
    });
    control<QPushButton>("ReportSetup")->click();
    EXPECT_EQ(dialogs.setupKinds, std::vector<ReportKind>{ReportKind::Query});
    EXPECT_EQ(state.schedule().settings().querySetup.title, QStringLiteral("Ward notes"));
    EXPECT_TRUE(state.settingsChanged);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Print Notes"));
}

TEST_F(QueryPrtTest, NothingFoundLeavesNothingToPrint) {
    QueryRecord none = QueryRecord::undefined();
    none.criteria.title = QStringLiteral("Nobody");
    ASSERT_TRUE(state.schedule().writeQuery(2, none));
    open(2);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Print Nobody"));
    EXPECT_EQ(entries(), QStringList{"[None Found]"});
    for (const char* name : {"List1", "SelectAll", "ClearAll", "ButtonPrint", "ButtonPreview"}) {
        EXPECT_FALSE(control<QWidget>(name)->isEnabled()) << name;
    }
    EXPECT_TRUE(control<QCheckBox>("Check1")->isEnabled());
}

TEST_F(QueryPrtTest, PrintsTheChosenNamesWithTheirDaysOrTheirNamesOnly) {
    open(1);
    EXPECT_EQ(entries(), QStringList{"Baker, 3*"});
    const QString pdf = dir.filePath(QStringLiteral("days.pdf"));
    platform.pdfAnswers.push_back(pdf);
    EXPECT_EQ(window->print(), RunOutcome::Done);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_FALSE(control<QWidget>("PrintProgress")->isVisible());
    EXPECT_EQ(platform.busyDepth, 0);
    const QString text = pdfText(pdf).simplified();
    if (text.isEmpty()) {
        GTEST_SKIP() << "pdftotext is not installed";
    }
    for (const char* expected : {"Run Date: 3/9/2026", "Page: 1", "Days",
                                 "Wednesday, January 1, 1997 to Friday, January 31, 1997",
                                 "Baker - 3", "1/3/97 - 1/5/97 Day"}) {
        EXPECT_TRUE(text.contains(QLatin1String(expected))) << expected << "\n"
                                                            << text.toStdString();
    }
    control<QCheckBox>("Check1")->setChecked(true);
    platform.pdfAnswers.push_back(pdf);
    EXPECT_EQ(window->print(), RunOutcome::Done);
    const QString names = pdfText(pdf).simplified();
    EXPECT_TRUE(names.contains(QLatin1String("Baker - 3")));
    EXPECT_FALSE(names.contains(QLatin1String("1/3/97"))) << names.toStdString();

    // With every name cleared only the page heading prints.
    control<QPushButton>("ClearAll")->click();
    platform.pdfAnswers.push_back(pdf);
    EXPECT_EQ(window->print(), RunOutcome::Done);
    const QString heading = pdfText(pdf).simplified();
    EXPECT_TRUE(heading.contains(QLatin1String("Page: 1")));
    EXPECT_FALSE(heading.contains(QLatin1String("Baker")));
}
