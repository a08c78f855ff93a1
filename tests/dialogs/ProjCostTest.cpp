// "Estimated Cost Report": what it opens with, the rules stored as each field
// is left, "Edit Cost", and a run into a PDF file with its scratch file.
#include "DialogFixture.h"

#include "dialogs/EditPay.h"
#include "dialogs/ProjCost.h"
#include "support/WardSchedule.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

using namespace kalmur;

namespace {

struct ProjCostTest : DialogFixture {
    std::unique_ptr<ProjCost> window;

    ProjCostTest() {
        Schedule& s = state.schedule();
        s.loadSettings(QDate(1997, 1, 1));
        setDates(QDate(1997, 1, 1), QDate(1997, 3, 31));
        EXPECT_TRUE(s.openAll());
        furnishWard(s, 3);
        s.employees().payRate[0] = 125000;
        EXPECT_TRUE(s.flush());
        window = std::make_unique<ProjCost>(state, platform, QDate(1997, 3, 30), 5);
        showActive(window.get());
    }
    template <typename W>
    W* control(const char* name) const {
        W* w = window->findChild<W*>(QLatin1String(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QLineEdit* field(const char* name) const { return control<QLineEdit>(name); }
};

} // namespace

TEST_F(ProjCostTest, OpensOnTheRulesNamesAndDaysAndStoresEachAcceptedRule) {
    auto* names = control<QListWidget>("List1");
    ASSERT_EQ(names->count(), 2);
    EXPECT_EQ(names->item(0)->text(), QStringLiteral("Name 001, RN, 12.50/H"));
    EXPECT_EQ(names->item(1)->text(), QStringLiteral("Name 003, RN, 0.00/H"));
    QStringList rules;
    for (const char* name : {"ThresDay", "DayOtFactor", "PeriodDays", "ThresPeriod",
                             "PeriodOTFactor", "StartDate", "NumDays"}) {
        rules << field(name)->text();
    }
    // The start date keeps a week of the schedule ahead of it.
    EXPECT_EQ(rules, QStringList({"8.00", "1.00", "07", "40.00", "1.50", "3/25/1997", "5"}));
    EXPECT_EQ(control<QLabel>("SelCount")->text(), QStringLiteral("0"));
    EXPECT_FALSE(control<QPushButton>("ButtonPrint")->isEnabled());
    control<QPushButton>("SelectAll")->click();
    EXPECT_EQ(control<QLabel>("SelCount")->text(), QStringLiteral("2"));
    EXPECT_TRUE(control<QPushButton>("ButtonPrint")->isEnabled());

    // A refused rule: the message, the rule's default, the focus back.
    platform.answers = {MessageAnswer::Ok};
    retype(field("ThresDay"), QStringLiteral("30"));
    field("DayOtFactor")->setFocus(Qt::TabFocusReason);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].request.text,
              QStringLiteral("Hourly threshold cannot exceed 24 hours"));
    EXPECT_EQ(field("ThresDay")->text(), QStringLiteral("8.00"));
    EXPECT_TRUE(field("ThresDay")->hasFocus());
    // An accepted one goes into the employee table at once, to be saved.
    state.schedule().setModified(false);
    retype(field("ThresDay"), QStringLiteral("6.5"));
    retype(field("PeriodDays"), QStringLiteral("14"));
    field("DayOtFactor")->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(field("ThresDay")->text(), QStringLiteral("6.50"));
    EXPECT_EQ(state.schedule().employees().thresDay, 6.5f);
    EXPECT_EQ(state.schedule().employees().periodDays, 14);
    EXPECT_TRUE(state.schedule().isModified());

    // "Edit Cost" on the second name: the new cost shows in its entry.
    QTimer::singleShot(0, [] {
        auto* pay = qobject_cast<EditPay*>(QApplication::activeModalWidget());
        ASSERT_TRUE(pay);
        showActive(pay);
        retype(pay->findChild<QLineEdit*>("PayRate"), QStringLiteral("20"));
        pay->findChild<QPushButton*>("Command2")->click();
    });
    window->editCost(1);
    EXPECT_EQ(names->item(1)->text(), QStringLiteral("Name 003, RN, 20.00/H"));
    EXPECT_EQ(state.schedule().employees().payRate[2], 200000);
}

TEST_F(ProjCostTest, PrintChecksTheRangeThenPrintsAndWritesTheScratchFile) {
    control<QPushButton>("SelectAll")->click();
    field("NumDays")->setText(QStringLiteral("7"));
    field("StartDate")->setText(QStringLiteral("3/26/1997"));
    platform.answers = {MessageAnswer::Ok};
    EXPECT_FALSE(window->print().has_value());
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].request.text,
              QStringLiteral("Data not available for date entered"));
    EXPECT_TRUE(field("StartDate")->hasFocus());
    field("StartDate")->setText(QStringLiteral("3/25/97"));

    const QString pdf = dir.filePath(QStringLiteral("cost.pdf"));
    platform.pdfAnswers.push_back(pdf);
    EXPECT_EQ(window->print(), RunOutcome::Done);
    EXPECT_EQ(platform.messages.size(), 1u);
    EXPECT_FALSE(control<QWidget>("PrintProgress")->isVisible());
    EXPECT_EQ(platform.busyDepth, 0);
    QFile scratch(QDir(state.workingDirectory()).filePath(QStringLiteral("KALMUR2.RPT")));
    ASSERT_TRUE(scratch.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = scratch.readAll().split('\n');
    ASSERT_GE(lines.size(), 4);
    EXPECT_TRUE(lines[0].startsWith("\"Name\"\xff\"Position\"\xff"));
    EXPECT_TRUE(lines[1].startsWith("\"Name 001\"\xff\"RN\"\xff\"Hourly\"\xff\"12.50\"\xff"));
    EXPECT_TRUE(lines[3].startsWith("\"TOTALS\"\xff\" \"\xff"));
    const QString text = pdfText(pdf);
    EXPECT_TRUE(text.isEmpty() || text.contains(QLatin1String("Name 003")));
}
