// "Monthly Calendar" and "Personal 1 to 42 Day Schedule": what they open
// with, the switches stored at once, the checked days, Report Setup through
// the dialogs seam and a run into a PDF file.
#include "DialogFixture.h"

#include "dialogs/CalRpt2.h"
#include "dialogs/Per42.h"
#include "support/ScriptedDialogs.h"
#include "support/WardSchedule.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

using namespace kalmur;

namespace {

struct CalendarWindowTest : DialogFixture {
    ScriptedDialogs dialogs;

    CalendarWindowTest() {
        Schedule& s = state.schedule();
        s.loadSettings(QDate(1997, 1, 1));
        setDates(QDate(1997, 1, 1), QDate(1997, 3, 31));
        EXPECT_TRUE(s.openAll());
        furnishWard(s, 3);
        EXPECT_TRUE(s.flush());
    }
    template <typename W>
    static W* control(QWidget* window, const char* name) {
        W* w = window->findChild<W*>(QLatin1String(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    void connectSetup(CalendarWindow& window, ReportKind kind) {
        window.setReportSetup(
            [this, kind](QWidget* over) { editReportSetup(dialogs, platform, state, kind, over); });
    }
};

} // namespace

TEST_F(CalendarWindowTest, CalendarOpensOnTheGridsMonthAndStoresItsSwitchesAtOnce) {
    CalRpt2 window(state, platform, QDate(1997, 2, 10));
    showActive(&window);
    auto* months = control<QComboBox>(&window, "Combo1");
    ASSERT_EQ(months->count(), 3);
    EXPECT_EQ(months->itemText(0), QStringLiteral("January, 1997"));
    EXPECT_EQ(months->currentText(), QStringLiteral("February, 1997"));
    EXPECT_TRUE(control<QCheckBox>(&window, "StartOnSunday")->isChecked());
    EXPECT_FALSE(control<QCheckBox>(&window, "Options4")->isChecked()); // "On-Call"
    EXPECT_TRUE(control<QCheckBox>(&window, "Options5")->isChecked());

    // The names without the divider; nothing chosen, nothing to print.
    auto* names = control<QListWidget>(&window, "List1");
    ASSERT_EQ(names->count(), 2);
    EXPECT_EQ(names->item(1)->text(), QStringLiteral("Name 003, RN"));
    EXPECT_EQ(control<QLabel>(&window, "NumberOfPages")->text(), QStringLiteral("0"));
    EXPECT_FALSE(control<QPushButton>(&window, "ButtonPrint")->isEnabled());
    control<QPushButton>(&window, "SelectAll")->click();
    EXPECT_EQ(control<QLabel>(&window, "NumberOfPages")->text(), QStringLiteral("2"));
    EXPECT_TRUE(control<QPushButton>(&window, "ButtonPrint")->isEnabled());

    state.settingsChanged = false;
    control<QCheckBox>(&window, "Options4")->click();
    control<QCheckBox>(&window, "StartOnSunday")->click();
    const auto& options = settings().calendarSetup.options;
    EXPECT_TRUE(options[4]);
    EXPECT_FALSE(options[9]);
    EXPECT_TRUE(state.settingsChanged);
    EXPECT_FALSE(settings().personalSetup.options[4]);

    // "Report Setup..." edits the calendar's own setup.
    connectSetup(window, ReportKind::Calendar);
    dialogs.reportSetups.push([](ReportSetup& setup) {
        setup.title = QStringLiteral("February rota");
        return true;
    });
    control<QPushButton>(&window, "ReportSetup")->click();
    EXPECT_EQ(dialogs.setupKinds, std::vector<ReportKind>{ReportKind::Calendar});
    EXPECT_EQ(settings().calendarSetup.title, QStringLiteral("February rota"));

    const QString pdf = dir.filePath(QStringLiteral("calendar.pdf"));
    platform.pdfAnswers.push_back(pdf);
    EXPECT_EQ(window.print(), RunOutcome::Done);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(platform.busyDepth, 0);
    const QString text = pdfText(pdf);
    if (!text.isEmpty()) {
        EXPECT_EQ(text.count(QLatin1Char('\f')), 2) << "one page per name";
        EXPECT_TRUE(text.contains(QLatin1String("February rota")));
        EXPECT_TRUE(text.contains(QLatin1String("February, 1997 - Name 003, RN")));
        // The schedule starts its weeks on Sunday; with the switch cleared too.
        EXPECT_LT(text.indexOf(QLatin1String("Sunday")), text.indexOf(QLatin1String("Monday")));
    }
}

TEST_F(CalendarWindowTest, PersonalScheduleChecksItsDaysAndPrintsOnePagePerName) {
    Per42 window(state, platform, QDate(1997, 3, 30), 5);
    showActive(&window);
    auto* start = control<QLineEdit>(&window, "StartDate");
    auto* days = control<QLineEdit>(&window, "NumDays");
    EXPECT_EQ(start->text(), QStringLiteral("3/25/1997")); // a week of the schedule ahead
    EXPECT_EQ(days->text(), QStringLiteral("5"));
    EXPECT_FALSE(control<QPushButton>(&window, "ButtonPrint")->isEnabled());

    platform.answers = {MessageAnswer::Ok, MessageAnswer::Ok};
    retype(days, QStringLiteral("43"));
    start->setFocus(Qt::TabFocusReason);
    retype(start, QStringLiteral("2/30/1997"));
    days->setFocus(Qt::TabFocusReason);
    ASSERT_EQ(platform.messages.size(), 2u);
    EXPECT_EQ(platform.messages[0].request.text,
              QStringLiteral("Number of days cannot be greater than 42."));
    EXPECT_EQ(platform.messages[1].request.text,
              QStringLiteral("The date entered 2/30/1997 is not a valid date."));
    EXPECT_EQ(days->text(), QStringLiteral("5"));
    EXPECT_EQ(start->text(), QStringLiteral("3/25/1997"));

    // A run past the schedule's end prints those days empty, without a word.
    retype(start, QStringLiteral("3/30/97"));
    retype(days, QStringLiteral("3"));
    start->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(start->text(), QStringLiteral("3/30/1997"));
    ASSERT_TRUE(window.run().has_value());
    EXPECT_EQ(window.run()->last, QDate(1997, 4, 1));
    control<QListWidget>(&window, "List1")->item(0)->setSelected(true);
    EXPECT_EQ(control<QLabel>(&window, "NumberOfPages")->text(), QStringLiteral("1"));
    // "Export iCalendar..." writes one file per chosen name for the same days.
    auto* ics = control<QPushButton>(&window, "ExportICalendar");
    ASSERT_TRUE(ics->isEnabled());
    const QString folder = dir.filePath(QStringLiteral("phones"));
    platform.folderAnswers.push_back(folder);
    platform.answers.push_back(MessageAnswer::Ok);
    const std::size_t before = platform.messages.size();
    ics->click();
    EXPECT_TRUE(QFileInfo::exists(folder + QStringLiteral("/001-Name 001.ics")));
    ASSERT_EQ(platform.messages.size(), before + 1);
    EXPECT_EQ(platform.messages.back().request.title, QStringLiteral("Export iCalendar"));
    platform.messages.pop_back();

    const QString pdf = dir.filePath(QStringLiteral("personal.pdf"));
    platform.pdfAnswers.push_back(pdf);
    EXPECT_EQ(window.print(), RunOutcome::Done);
    EXPECT_EQ(platform.messages.size(), 2u);
    const QString text = pdfText(pdf);
    if (!text.isEmpty()) {
        EXPECT_TRUE(text.contains(QLatin1String("Personal Schedule")));
        EXPECT_TRUE(text.contains(QLatin1String("to Tuesday, April 1, 1997 - Name 001, RN")));
        EXPECT_LT(text.indexOf(QLatin1String("Sunday")), text.indexOf(QLatin1String("Monday")));
    }
}
