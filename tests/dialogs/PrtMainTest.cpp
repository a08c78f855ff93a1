// "Print": the names and days it offers, its checks, and a run for days past
// the schedule's end that leaves the schedule as it was.
#include "DialogFixture.h"

#include "dialogs/PrtMain.h"
#include "model/schedule/Members.h"
#include "support/WardSchedule.h"

#include <QCheckBox>
#include <QFile>
#include <QListWidget>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

using namespace kalmur;

namespace {

struct PrtMainTest : DialogFixture {
    std::unique_ptr<PrtMain> window;

    PrtMainTest() {
        Schedule& s = state.schedule();
        s.loadSettings(QDate(1997, 1, 1));
        setDates(QDate(1997, 1, 1), QDate(1997, 3, 31));
        EXPECT_TRUE(s.openAll());
        furnishWard(s, 3);
        EXPECT_TRUE(s.flush());
    }
    void open(QDate currentDay = QDate(1997, 3, 20), int tagged = 20) {
        window = std::make_unique<PrtMain>(
            state, platform, PrintDays::Grid{QDate(1997, 1, 1), 7, currentDay, tagged});
        showActive(window.get());
    }
    template <typename W>
    W* control(const char* name) const {
        W* w = window->findChild<W*>(QLatin1String(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QByteArray member(Member m) const {
        QFile f(memberPath(state.workingDirectory(), m));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void expectRefused(const char* field, const QString& text, const QString& message) {
        control<QLineEdit>(field)->setFocus();
        control<QLineEdit>(field)->setText(text);
        platform.answers.push_back(MessageAnswer::Ok);
        EXPECT_FALSE(window->print().has_value()) << field;
        ASSERT_FALSE(platform.messages.empty());
        EXPECT_EQ(platform.messages.back().request.text, message);
        EXPECT_EQ(platform.messages.back().request.title, QStringLiteral("Error"));
    }
};

} // namespace

TEST_F(PrtMainTest, OffersTheNamedRowsAndPrintsOnlyOnceOneIsChosen) {
    state.schedule().viewFormat().value231 = 1; // "Current Month" was chosen last
    open();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Print - Ward 3"));
    auto* names = control<QListWidget>("SelectedEmps");
    ASSERT_EQ(names->count(), 3);
    EXPECT_EQ(names->item(0)->text(), QStringLiteral("Name 001, RN"));
    EXPECT_EQ(names->item(1)->text(), QStringLiteral("<divider>"));
    EXPECT_EQ(names->item(2)->text(), QStringLiteral("Name 003, RN"));
    EXPECT_TRUE(control<QRadioButton>("DaysMonth")->isChecked());
    EXPECT_EQ(window->range(), (PrintDays::Range{QDate(1997, 3, 1), 31}));
    EXPECT_FALSE(control<QLineEdit>("NumDays")->isEnabled());
    EXPECT_FALSE(control<QPushButton>("ButtonPrint")->isEnabled());
    EXPECT_FALSE(control<QPushButton>("ReportSetup")->isEnabled());
    control<QPushButton>("SelectAll")->click();
    EXPECT_TRUE(control<QPushButton>("ButtonPrint")->isEnabled());
    EXPECT_EQ(window->selectedRows(), (std::vector<int>{1, 2, 3}));
    control<QPushButton>("ClearAll")->click();
    EXPECT_FALSE(control<QPushButton>("ButtonPreview")->isEnabled());

    // The preview shows the pages of the chosen names.
    control<QPushButton>("SelectAll")->click();
    int previewPages = 0;
    QTimer::singleShot(0, [&] {
        auto* preview = window->findChild<QPrintPreviewDialog*>(QStringLiteral("PrintPreview"));
        ASSERT_NE(preview, nullptr);
        previewPages = preview->findChild<QPrintPreviewWidget*>()->pageCount();
        preview->reject();
    });
    control<QPushButton>("ButtonPreview")->click();
    EXPECT_EQ(previewPages, 1);

    int edits = 0;
    window->setReportSetup([&](QWidget*) {
        ++edits;
        state.schedule().viewFormat().reportSetup.title = QStringLiteral("Ward 4");
    });
    control<QPushButton>("ReportSetup")->click();
    EXPECT_EQ(edits, 1);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Print - Ward 4"));
}

TEST_F(PrtMainTest, ChoosingTheDaysStoresTheChoiceAndChecksTheBoxes) {
    open();
    EXPECT_TRUE(control<QRadioButton>("DaysScreen")->isChecked());
    EXPECT_EQ(window->range(), (PrintDays::Range{QDate(1997, 1, 1), 7}));
    control<QRadioButton>("DaysSelected")->click();
    EXPECT_EQ(window->range(), (PrintDays::Range{QDate(1997, 3, 20), 20}));
    EXPECT_TRUE(control<QLineEdit>("StartDate")->isEnabled());
    EXPECT_TRUE(state.settingsChanged);
    EXPECT_EQ(state.schedule().readViewFormat(state.schedule().viewFormatNumber())->value231, 2);

    control<QPushButton>("SelectAll")->click();
    expectRefused("NumDays", QStringLiteral("0"),
                  QStringLiteral("Number of days must be greater than zero."));
    expectRefused("NumDays", QStringLiteral("43"),
                  QStringLiteral("Number of days cannot be greater than 42."));
    control<QLineEdit>("NumDays")->setText(QStringLiteral("20"));
    expectRefused("StartDate", QStringLiteral("3/32/97"),
                  QStringLiteral("The date entered 3/32/97 is not a valid date."));
    EXPECT_EQ(control<QLineEdit>("StartDate")->text(), QStringLiteral("3/20/1997"));
}

TEST_F(PrtMainTest, ASelectedRunPastTheEndLeavesTheScheduleAsItWas) {
    Schedule& s = state.schedule();
    const QByteArray settingsBefore = member(Member::Settings);
    const QByteArray daysBefore = member(Member::Days);
    const int firstBefore = s.firstShownDay();
    const int lengthBefore = s.windowLength();
    open();
    control<QRadioButton>("DaysSelected")->click();
    control<QPushButton>("SelectAll")->click();
    const QString pdf = dir.filePath(QStringLiteral("ward.pdf"));
    platform.pdfAnswers.push_back(pdf); // no system printer: the PDF-file printer
    EXPECT_EQ(window->print(), RunOutcome::Done);
    EXPECT_EQ(platform.pdfSuggested.value(0), dir.filePath(QStringLiteral("WARD1.pdf")));
    EXPECT_TRUE(pdfText(pdf).isEmpty() || pdfText(pdf).contains(QLatin1String("April 8, 1997")));
    EXPECT_FALSE(control<QWidget>("PrintProgress")->isVisible());
    EXPECT_EQ(platform.busyDepth, 0);

    // A file that cannot be written is a printer failure.
    platform.pdfAnswers.push_back(dir.filePath(QStringLiteral("no-such-folder/ward.pdf")));
    platform.answers.push_back(MessageAnswer::Ok);
    EXPECT_EQ(window->print(), RunOutcome::PrinterError);
    EXPECT_EQ(platform.messages.back().request.title, QStringLiteral("Printer Error"));
    EXPECT_EQ(platform.messages.back().request.text, SetupMessages::kPrinterError);
    EXPECT_FALSE(control<QWidget>("PrintProgress")->isVisible());

    // A setup the printer cannot take is refused before the document starts.
    s.viewFormat().reportSetup.fontName = QString();
    platform.pdfAnswers.push_back(dir.filePath(QStringLiteral("refused.pdf")));
    platform.answers.push_back(MessageAnswer::Ok);
    EXPECT_FALSE(window->print().has_value());
    EXPECT_EQ(platform.messages.back().request.text, SetupMessages::kFont);

    EXPECT_EQ(s.startDate(), QDate(1997, 1, 1));
    EXPECT_EQ(s.endDate(), QDate(1997, 3, 31));
    EXPECT_EQ(s.firstShownDay(), firstBefore);
    EXPECT_EQ(s.windowLength(), lengthBefore);
    EXPECT_EQ(member(Member::Days), daysBefore);
    // Only the stored days-to-print choice differs in the view-format file;
    // the settings record is as it was.
    EXPECT_EQ(member(Member::Settings), settingsBefore);
}
