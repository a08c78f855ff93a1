// The main window: its menu tree and states, captions, view-format choice, and
// the file commands with scripted answers to every question.
#include "editor/MainForm.h"
#include "dialogs/ViewFormatEdit.h"
#include "files/ProgramState.h"
#include "model/codec/OleDate.h"
#include "support/QtPrinters.h"
#include "support/ScriptedDialogs.h"
#include "support/ScriptedPlatform.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace kalmur;

namespace {

class MainFormTest : public ::testing::Test {
protected:
    QTemporaryDir root;
    QString work = root.filePath("TEMP.001");
    bool made = QDir().mkpath(work);
    ProgramState state{work};
    ScriptedPlatform platform;
    ScriptedDialogs dialogs;
    MainForm form{state, platform, dialogs};

    void SetUp() override {
        form.resize(1200, 800);
        form.show();
        QApplication::processEvents();
    }

    QString file(const QString& name) const { return root.filePath(name); }
    QAction* action(const char* name) const {
        for (QAction* a : form.findChildren<QAction*>()) {
            if (a->objectName() == QLatin1String(name)) {
                return a;
            }
        }
        ADD_FAILURE() << "no action " << name;
        return nullptr;
    }
    QString panel(const char* name) const {
        return form.findChild<QLabel*>(QLatin1String(name))->text();
    }
    // Opens (creating) a schedule through "&Open..." with the given dates.
    void openNew(const QString& name, QDate start = QDate(1997, 1, 1),
                 QDate end = QDate(1997, 3, 31)) {
        platform.openAnswers.push_back(file(name));
        dialogs.newDates.push(DateRange{start, end});
        action("File_Open")->trigger();
        ASSERT_TRUE(state.isOpen());
    }
    void save() {
        action("File_Save")->trigger();
        ASSERT_FALSE(state.schedule().isModified());
    }
};

} // namespace

TEST_F(MainFormTest, MenuTreeCaptionsShortcutsAndStatesBeforeAndAfterOpening) {
    struct Item {
        const char* name;
        const char* caption;
        const char* shortcut;
        bool enabled;
    };
    const Item items[] = {
        {"File_New", "&New...", "", true},
        {"File_Open", "&Open...", "", true},
        {"File_Save", "&Save", "Ctrl+S", false},
        {"File_SaveAs", "Save &As...", "", false},
        {"File_Print", "Print...", "", true},
        {"File_PrintSetup", "Printer Setup...", "", true},
        {"File_Exit", "E&xit", "", true},
        {"Edit_Undo", "Can't Undo", "", false},
        {"Edit_Cut", "Cu&t", "Shift+Del", true},
        {"Edit_Copy", "&Copy", "Ctrl+Ins", true},
        {"Edit_Mcopy", "Copy &Multiple...", "", true},
        {"Edit_Paste", "&Paste", "Shift+Ins", false},
        {"Edit_SelPaste", "Paste &Selective...", "", false},
        {"Edit_Clear", "C&lear", "", true},
        {"Edit_InsertLine", "&Insert blank row", "", true},
        {"Edit_RemoveLine", "Remo&ve blank row", "", true},
        {"Edit_Divider", "Set &Divider", "", true},
        {"Edit_MarkName", "&Mark name to relocate", "", true},
        {"Edit_MoveName", "&Relocate name", "", false},
        {"Edit_DrawShift", "&Assign Shift", "Ctrl+A", true},
        {"Edit_TimeOff", "Time &Off", "Ctrl+X", true},
        {"Edit_EraseShift", "&Erase Shift / Time Off", "Ctrl+E", true},
        {"Edit_OnCall", "O&n Call (toggle)", "Ctrl+O", true},
        {"View_Alpha", "&Alphabetically by Name", "", true},
        {"View_ByPos", "Sort by &Position", "", true},
        {"View_FindName", "&Find Name", "Ctrl+F", true},
        {"View_Change", "&Edit Schedule Format (undefined)", "", true},
        {"Define_Shifts", "&Shifts", "", true},
        {"Define_Explainations", "&Explanations", "", true},
        {"Define_Props", "&Properties", "", true},
        {"Report_Current", "untitled", "Ctrl+P", true},
        {"Report_Legend", "Legend", "", true},
        {"Report_Query", "Query", "", true},
        {"Report_Personal_Day142", "1 to 42 Day", "", true},
        {"Report_Personal_Month", "Monthly Calendar", "", true},
        {"Report_Proj", "Estimated &Cost", "", true},
        {"Help_Contents", "&Contents", "", true},
        {"Help_About", "&About...", "", true},
    };
    for (const Item& i : items) {
        QAction* a = action(i.name);
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->text(), QString::fromUtf8(i.caption)) << i.name;
        EXPECT_EQ(a->shortcut().toString(), QLatin1String(i.shortcut)) << i.name;
        EXPECT_EQ(a->isEnabled(), i.enabled) << i.name;
    }
    const QStringList menus = {"&File", "&Edit", "&View", "&Define", "&Reports", "&Help"};
    QStringList shown;
    for (QAction* m : form.menuBar()->actions()) {
        shown << m->text();
    }
    EXPECT_EQ(shown, menus);
    auto menuEnabled = [&](const char* name) {
        return form.findChild<QMenu*>(QLatin1String(name))->isEnabled();
    };
    EXPECT_TRUE(menuEnabled("MenuFile"));
    EXPECT_TRUE(menuEnabled("Menu_Help"));
    EXPECT_FALSE(menuEnabled("MenuEdit"));
    EXPECT_FALSE(menuEnabled("MenuView"));
    EXPECT_FALSE(menuEnabled("MenuDefine"));
    EXPECT_FALSE(menuEnabled("Menu_Reports"));
    int formats = 0;
    for (QAction* a : form.findChildren<QAction*>()) {
        if (a->objectName() == QLatin1String("View_format")) {
            EXPECT_EQ(a->text(), QStringLiteral("undefined"));
            ++formats;
        }
    }
    EXPECT_EQ(formats, 5);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Kalmur Pro"));

    openNew("WARD1.kmr");
    EXPECT_TRUE(menuEnabled("MenuEdit"));
    EXPECT_TRUE(menuEnabled("Menu_Reports"));
    EXPECT_TRUE(action("File_Save")->isEnabled());
    EXPECT_TRUE(action("File_SaveAs")->isEnabled());
    EXPECT_EQ(form.windowTitle(), QStringLiteral("WARD1 - Kalmur Pro [28 Day]"));
    EXPECT_EQ(action("View_Change")->text(), QStringLiteral("Edit Schedule Format (28 Day)"));
    EXPECT_EQ(action("Report_Current")->text(), QStringLiteral("28 Day"));
}

TEST_F(MainFormTest, ChoosingAViewFormatMovesTheCheckAndMarksTheScheduleModified) {
    openNew("w.kmr");
    save();
    auto formats = form.findChildren<QAction*>();
    formats.removeIf([](QAction* a) { return a->objectName() != QLatin1String("View_format"); });
    ASSERT_EQ(formats.size(), 5);
    EXPECT_EQ(formats[1]->text(), QStringLiteral("Weekly"));
    EXPECT_EQ(formats[3]->text(), QStringLiteral("Not Used"));
    EXPECT_TRUE(formats[0]->isChecked());
    formats[0]->trigger(); // already current: nothing happens
    EXPECT_FALSE(state.schedule().isModified());
    formats[1]->trigger();
    EXPECT_TRUE(formats[1]->isChecked());
    EXPECT_FALSE(formats[0]->isChecked());
    EXPECT_TRUE(state.schedule().isModified());
    EXPECT_EQ(state.schedule().windowLength(), 7);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("w - Kalmur Pro [Weekly]"));
    EXPECT_EQ(action("Report_Current")->text(), QStringLiteral("Weekly"));
    EXPECT_EQ(panel("DateDisplay"), QStringLiteral("1/1/1997 - 1/7/1997"));
}

TEST_F(MainFormTest, CurrentCellPanelsFollowTheSelection) {
    openNew("p.kmr");
    Schedule& s = state.schedule();
    ShiftRecord& day = s.shifts()[0];
    day.description = QStringLiteral("Day");
    day.startTime = OleDate::fromTime(QTime(7, 0));
    day.endTime = OleDate::fromTime(QTime(15, 0));
    day.paidLength = 7.5f;
    s.setShift(s.slotOfRow(2), 3, 1);
    form.selectCell(2, 3);
    EXPECT_EQ(panel("TopInfoShiftDesc"), QStringLiteral("Day, 7:00a - 3:00p"));
    EXPECT_EQ(panel("TopInfoShiftHours"), QStringLiteral("7.50"));
    EXPECT_EQ(panel("DateOn"), QStringLiteral("Fri  1/3/1997"));
    EXPECT_EQ(panel("EmpRow"), QStringLiteral("2"));
    EXPECT_EQ(panel("DaysTagged"), QStringLiteral("1"));
}

TEST_F(MainFormTest, OpeningAskesAboutUnsavedChanges) {
    openNew("a.kmr");
    state.schedule().setShift(1, 1, 100);
    // Cancel keeps everything as it is.
    platform.openAnswers.push_back(file("b.kmr"));
    platform.answers.push_back(MessageAnswer::Cancel);
    action("File_Open")->trigger();
    EXPECT_EQ(platform.messages.back().request.text,
              QStringLiteral("Save changes to ") + root.path() + QStringLiteral("/a ?"));
    EXPECT_EQ(platform.messages.back().request.title, QStringLiteral("Kalmur Pro"));
    EXPECT_EQ(platform.messages.back().request.buttons, MessageButtons::YesNoCancel);
    EXPECT_EQ(state.displayName(), QStringLiteral("a"));
    EXPECT_TRUE(state.schedule().isModified());

    // Yes saves a before b opens.
    platform.openAnswers.push_back(file("b.kmr"));
    platform.answers.push_back(MessageAnswer::Yes);
    dialogs.newDates.push(DateRange{QDate(1998, 1, 1), QDate(1998, 12, 31)});
    action("File_Open")->trigger();
    EXPECT_EQ(state.displayName(), QStringLiteral("b"));
    EXPECT_EQ(state.schedule().startDate(), QDate(1998, 1, 1));
    EXPECT_GT(QFileInfo(file("a.kmr")).size(), 100);
    save(); // a new schedule counts as changed until it is saved

    // A saved schedule is not asked about; a changed one answered No is not saved.
    platform.openAnswers.push_back(file("a.kmr"));
    action("File_Open")->trigger();
    EXPECT_EQ(state.schedule().cell(1, 1).shift, 100);
    state.schedule().setShift(1, 1, 0);
    platform.openAnswers.push_back(file("b.kmr"));
    platform.answers.push_back(MessageAnswer::No);
    action("File_Open")->trigger();
    platform.openAnswers.push_back(file("a.kmr"));
    action("File_Open")->trigger();
    EXPECT_EQ(state.schedule().cell(1, 1).shift, 100);
}

TEST_F(MainFormTest, TheOpenDialogAndItsRefusals) {
    platform.openAnswers.push_back(file("notes.txt"));
    platform.answers.push_back(MessageAnswer::Ok);
    platform.openAnswers.push_back(std::nullopt);
    action("File_Open")->trigger();
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(
        platform.messages[0].request.text,
        QStringLiteral("The file selected is not a valid schedule file.  Extension must be .kmr"));
    EXPECT_EQ(platform.messages[0].request.title, QStringLiteral("Open File"));
    EXPECT_TRUE(platform.messages[0].beeped);
    ASSERT_EQ(platform.fileDialogs.size(), 2u); // shown again after the message
    const FileDialogRequest& r = platform.fileDialogs[0];
    EXPECT_EQ(r.title, QStringLiteral("Open File"));
    EXPECT_EQ(r.defaultSuffix, QStringLiteral("kmr"));
    EXPECT_EQ(r.initialPath, QStringLiteral("*.kmr"));
    EXPECT_EQ(r.filters.size(), 3);
    EXPECT_FALSE(state.isOpen());

    // "*.kmr" without a file changes nothing.
    platform.openAnswers.push_back(file("*.kmr"));
    action("File_Open")->trigger();
    EXPECT_FALSE(state.isOpen());
}

TEST_F(MainFormTest, AFailedOpenReturnsToThePreviousSchedule) {
    openNew("good.kmr");
    save();
    state.schedule().setShift(1, 2, 100);
    QFile junk(file("junk.kmr"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray(500, 'j'));
    junk.close();
    platform.openAnswers.push_back(file("junk.kmr"));
    platform.answers.push_back(MessageAnswer::No); // don't save good.kmr
    platform.answers.push_back(MessageAnswer::Ok);
    action("File_Open")->trigger();
    EXPECT_EQ(platform.messages.back().request.text,
              file("junk.kmr") + " is not a valid schedule file");
    EXPECT_EQ(platform.messages.back().request.title, QStringLiteral("Error"));
    ASSERT_TRUE(state.isOpen());
    EXPECT_EQ(state.displayName(), QStringLiteral("good"));
    EXPECT_EQ(state.schedule().cell(1, 2).shift, 100); // the unsaved change is still there
    EXPECT_TRUE(state.schedule().isModified());
    EXPECT_EQ(form.windowTitle(), QStringLiteral("good - Kalmur Pro [28 Day]"));
}

TEST_F(MainFormTest, AScheduleOpenInAnotherCopyIsRefused) {
    openNew("shared.kmr");
    save();
    platform.openAnswers.push_back(file("other.kmr"));
    dialogs.newDates.push(DateRange{QDate(1997, 1, 1), QDate(1997, 3, 31)});
    action("File_Open")->trigger();
    // Another copy holds shared.kmr.
    ScheduleArchive other(root.filePath("TEMP.002"));
    QDir().mkpath(root.filePath("TEMP.002"));
    ASSERT_TRUE(other.open(ScheduleLocation::fromPath(file("shared.kmr"))).succeeded());
    platform.openAnswers.push_back(file("shared.kmr"));
    platform.answers.push_back(MessageAnswer::No);
    platform.answers.push_back(MessageAnswer::Ok);
    action("File_Open")->trigger();
    EXPECT_TRUE(
        platform.messages.back().request.text.contains("is open in another copy of Kalmur Pro"));
    EXPECT_EQ(state.displayName(), QStringLiteral("other"));
    EXPECT_TRUE(state.isOpen());
}

TEST_F(MainFormTest, AFailedSaveOffersAbortRetryIgnore) {
    ASSERT_TRUE(QDir().mkpath(file("lost")));
    openNew("lost/ward.kmr");
    ASSERT_TRUE(QDir(file("lost")).removeRecursively()); // now every save fails
    state.schedule().setShift(1, 1, 100);
    platform.answers = {MessageAnswer::Retry, MessageAnswer::Abort};
    action("File_Save")->trigger();
    ASSERT_EQ(platform.messages.size(), 2u);
    EXPECT_EQ(platform.messages[0].request.text,
              QStringLiteral("Kalmur cannot save ") + file("lost/ward.kmr"));
    EXPECT_EQ(platform.messages[0].request.buttons, MessageButtons::AbortRetryIgnore);
    EXPECT_EQ(platform.messages[0].request.icon, MessageIcon::Stop);
    EXPECT_TRUE(state.isOpen());
    EXPECT_TRUE(state.schedule().isModified()); // Abort keeps the changes marked
    EXPECT_EQ(state.schedule().cell(1, 1).shift, 100);

    platform.answers = {MessageAnswer::Ignore};
    action("File_Save")->trigger();
    EXPECT_TRUE(state.isOpen());
    EXPECT_FALSE(state.schedule().isModified()); // Ignore treats it as saved
}

TEST_F(MainFormTest, NewSchedulesAskForDatesAndProtectedOnesForThePassword) {
    openNew("locked.kmr", QDate(2001, 1, 1), QDate(2001, 6, 30));
    EXPECT_EQ(dialogs.newDates.opened(), 1);
    EXPECT_EQ(state.schedule().dayCount(), 181);
    state.schedule().settings().password = QStringLiteral("SECRET");
    save();
    platform.openAnswers.push_back(file("locked.kmr"));
    dialogs.passwords.push(true);
    action("File_Open")->trigger();
    EXPECT_EQ(dialogs.passwords.opened(), 1);
    EXPECT_TRUE(state.isOpen());
    EXPECT_EQ(dialogs.newDates.opened(), 1); // an existing schedule is not new

    platform.openAnswers.push_back(file("locked.kmr"));
    dialogs.passwords.push(false);
    action("File_Open")->trigger();
    EXPECT_FALSE(state.isOpen());
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Kalmur Pro"));
    EXPECT_FALSE(action("File_Save")->isEnabled());
}

TEST_F(MainFormTest, SaveAsMovesToTheNewLocation) {
    openNew("first.kmr");
    platform.saveAnswers = {file("second.txt"), file("second.kmr")};
    platform.answers.push_back(MessageAnswer::Ok);
    action("File_SaveAs")->trigger();
    EXPECT_EQ(
        platform.messages[0].request.text,
        QStringLiteral("The file selected is not a valid schedule file.  Extension must be .KMR"));
    EXPECT_EQ(platform.messages[0].request.title, QStringLiteral("Save As"));
    EXPECT_TRUE(platform.fileDialogs.back().confirmOverwrite);
    EXPECT_EQ(state.displayName(), QStringLiteral("second"));
    EXPECT_FALSE(state.schedule().isModified());
    EXPECT_TRUE(QFileInfo(file("second.kmr")).size() > 100);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("second - Kalmur Pro [28 Day]"));

    platform.saveAnswers = {file("nowhere/third.kmr")};
    platform.answers.push_back(MessageAnswer::Ok);
    action("File_SaveAs")->trigger();
    EXPECT_EQ(platform.messages.back().request.text,
              QStringLiteral("Kalmur cannot save ") + file("nowhere/third.kmr"));
    EXPECT_EQ(state.displayName(), QStringLiteral("second"));
    EXPECT_TRUE(state.isOpen());
}

TEST_F(MainFormTest, PropertiesChangeTheRangeWithProgress) {
    openNew("range.kmr");
    state.schedule().setShift(1, 1, 100); // 1 January
    dialogs.editDates.push(DateRange{QDate(1996, 12, 1), QDate(1997, 3, 31)});
    dialogs.rebuilds.push({});
    action("Define_Props")->trigger();
    EXPECT_EQ(state.schedule().dayCount(), 121);
    EXPECT_EQ(state.schedule().readDay(32)->shift[0], 100);
    ASSERT_FALSE(dialogs.progress.empty());
    EXPECT_EQ(dialogs.progress.front(), 0);
    EXPECT_EQ(dialogs.progress.back(), 100);
    EXPECT_TRUE(state.schedule().isModified());

    dialogs.editDates.push(std::nullopt); // cancelled
    action("Define_Props")->trigger();
    EXPECT_EQ(state.schedule().dayCount(), 121);
}

TEST_F(MainFormTest, ClosingAsksAboutChanges) {
    openNew("c.kmr");
    // A new schedule lives only in the working files until it is saved (its
    // archive is still empty), so even untouched it is offered for saving.
    platform.answers.push_back(MessageAnswer::Cancel);
    EXPECT_FALSE(form.fileCommands().mayClose());
    state.schedule().setShift(1, 1, 100);
    platform.answers.push_back(MessageAnswer::Cancel);
    EXPECT_FALSE(form.fileCommands().mayClose());
    platform.answers.push_back(MessageAnswer::Yes);
    EXPECT_TRUE(form.fileCommands().mayClose());
    EXPECT_FALSE(state.isOpen());
    state.archive().release(); // as the ending program does
    ProgramState again(root.filePath("TEMP.003"));
    QDir().mkpath(root.filePath("TEMP.003"));
    ASSERT_TRUE(again.archive().open(ScheduleLocation::fromPath(file("c.kmr"))).succeeded());
    ASSERT_TRUE(again.schedule().loadSettings().ok);
    ASSERT_TRUE(again.schedule().openAll());
    EXPECT_EQ(again.schedule().cell(1, 1).shift, 100);
}

TEST_F(MainFormTest, AnOldScheduleIsConvertedThenOpenedAndCancellingKeepsThePrevious) {
    openNew("current.kmr");
    save();
    state.schedule().setShift(1, 1, 100);
    // Cancelled: the previous schedule stays, with its unsaved change.
    platform.openAnswers.push_back(file("OLD.SCH"));
    platform.answers.push_back(MessageAnswer::No);
    dialogs.conversions.push(std::nullopt);
    action("File_Open")->trigger();
    EXPECT_EQ(dialogs.converted, QStringList{file("OLD.SCH")});
    EXPECT_EQ(state.displayName(), QStringLiteral("current"));
    EXPECT_EQ(state.schedule().cell(1, 1).shift, 100);
    EXPECT_TRUE(state.schedule().isModified());

    // Converted: the archive the conversion made opens like any other.
    platform.answers.push_back(MessageAnswer::No);
    openNew("made-by-conversion.kmr");
    save();
    openNew("other.kmr");
    save();
    platform.openAnswers.push_back(file("OLD.sch"));
    dialogs.conversions.push(ScheduleLocation::fromPath(file("made-by-conversion.kmr")));
    action("File_Open")->trigger();
    EXPECT_EQ(state.displayName(), QStringLiteral("made-by-conversion"));
    EXPECT_TRUE(state.isOpen());
}

TEST_F(MainFormTest, AcceptedShiftDefinitionsRefillTheSelectorAndTheQuickKeys) {
    openNew("defs.kmr");
    dialogs.shiftEdits.push([](ProgramState& st) {
        ShiftRecord& day = st.schedule().shifts()[0];
        day.description = QStringLiteral("Day");
        day.abbreviation = QStringLiteral("D");
        day.quickKey = 'D';
        return st.schedule().writeShifts();
    });
    action("Define_Shifts")->trigger();
    auto* selector = form.findChild<QComboBox*>(QStringLiteral("ShiftSelector"));
    ASSERT_EQ(selector->count(), 1);
    EXPECT_EQ(selector->itemText(0), QStringLiteral("Day"));
    form.selectCell(1, 1);
    QTest::keyClick(form.findChild<QWidget*>(QStringLiteral("Grid")), Qt::Key_D);
    EXPECT_EQ(state.schedule().cell(state.schedule().slotOfRow(1), 1).shift, 1);

    dialogs.shiftEdits.push([](ProgramState&) { return false; }); // cancelled: nothing refreshed
    action("Define_Shifts")->trigger();
    EXPECT_EQ(selector->count(), 1);
}

TEST_F(MainFormTest, AnEditedViewFormatIsLaidOutAtOnceAndCancelPutsItBack) {
    openNew("fmt.kmr");
    std::unique_ptr<ViewFormatEdit> edit;
    dialogs.viewEdits.push([&](ProgramState& st, const std::function<void()>& relayout) {
        edit = std::make_unique<ViewFormatEdit>(st.schedule(), relayout);
        auto input = ViewFormatRules::inputOf(st.schedule().viewFormat());
        input.name = QStringLiteral("Fortnight");
        input.timeFormat = QStringLiteral("hh:mm");
        input.daysOnScreen = QStringLiteral("14");
        return edit->apply(input);
    });
    action("View_Change")->trigger();
    EXPECT_EQ(form.windowTitle(), QStringLiteral("fmt - Kalmur Pro [Fortnight]"));
    EXPECT_EQ(action("View_Change")->text(), QStringLiteral("Edit Schedule Format (Fortnight)"));
    EXPECT_EQ(action("Report_Current")->text(), QStringLiteral("Fortnight"));
    auto formats = form.findChildren<QAction*>();
    formats.removeIf([](QAction* a) { return a->objectName() != QLatin1String("View_format"); });
    EXPECT_EQ(formats[0]->text(), QStringLiteral("Fortnight"));
    EXPECT_EQ(form.viewLayout().editTimeFormat(), QStringLiteral("hh:nn"));
    EXPECT_EQ(state.schedule().windowLength(), 14);

    ASSERT_TRUE(edit->cancel());
    EXPECT_EQ(form.windowTitle(), QStringLiteral("fmt - Kalmur Pro [28 Day]"));
    EXPECT_EQ(form.viewLayout().editTimeFormat(), QStringLiteral("h:nna/p"));
    EXPECT_EQ(state.schedule().windowLength(), 28);
}

TEST_F(MainFormTest, ACoverageCaptionOpensItsLineAndOkRecountsTheTotals) {
    openNew("cover.kmr"); // "28 Day" shows four lines, none set up
    auto* captions = form.findChild<QWidget*>(QStringLiteral("CoverageDesc"));
    auto* totals = form.findChild<QWidget*>(QStringLiteral("Coverage"));
    ASSERT_TRUE(captions->isVisible());
    const int height = captions->height() / 4;
    const int width = totals->width();
    const QImage before = totals->grab().toImage();
    dialogs.coverageEdits.push([](ProgramState& st) {
        st.schedule().employees().names[0] = QStringLiteral("Adams, Ann");
        CoverageLine& line = st.schedule().viewFormat().coverageLines[2];
        line.title = QStringLiteral("Not on");
        line.ignoreShifts = false;
        line.shiftMarks[0] = 1; // "Not Scheduled": every day of the new schedule
        return true;
    });
    QTest::mouseClick(captions, Qt::LeftButton, {}, QPoint(5, 2 * height + height / 2));
    dialogs.coverageEdits.push([](ProgramState&) { return false; });
    QTest::mouseClick(captions, Qt::LeftButton, {}, QPoint(5, captions->height() - 1));
    EXPECT_EQ(dialogs.coverageLines, (std::vector<int>{3, 4}));
    // Only the third line's totals changed: a 1 under every day.
    const QImage after = totals->grab().toImage();
    const auto band = [&](const QImage& image, int line) {
        return image.copy(0, line * height, width, height);
    };
    EXPECT_EQ(band(after, 0), band(before, 0));
    EXPECT_NE(band(after, 2), band(before, 2));
}

TEST_F(MainFormTest, PrinterSetupOpensThePrinterChoiceWithOrWithoutASchedule) {
    dialogs.printerSetups.push({});
    action("File_PrintSetup")->trigger();
    EXPECT_EQ(dialogs.printerSetups.opened(), 1);
    EXPECT_TRUE(platform.messages.empty()); // no "not available yet"
}

TEST_F(MainFormTest, EveryReportFromTheMenusOpensItsWindowForTheGrid) {
    openNew("print.kmr");
    form.selectCell(1, 3);
    dialogs.prints.push({});
    action("Report_Current")->trigger();
    dialogs.prints.push({});
    action("File_Print")->trigger();
    dialogs.viewEdits.push([&](ProgramState&, const std::function<void()>&) {
        dialogs.prints.push({});
        dialogs.viewPrint(&form);
        return true;
    });
    action("View_Change")->trigger();
    dialogs.costReports.push({});
    action("Report_Proj")->trigger();
    EXPECT_EQ(dialogs.costReports.opened(), 1);
    dialogs.legends.push({});
    action("Report_Legend")->trigger();
    EXPECT_EQ(dialogs.legends.opened(), 1);
    dialogs.personalReports.push(ReportKind::Personal);
    action("Report_Personal_Day142")->trigger();
    dialogs.personalReports.push(ReportKind::Calendar);
    action("Report_Personal_Month")->trigger();
    ASSERT_EQ(dialogs.printGrids.size(), 6u);
    for (const PrintDays::Grid& grid : dialogs.printGrids) {
        EXPECT_EQ(grid.firstShown, QDate(1997, 1, 1));
        EXPECT_EQ(grid.daysOnScreen, 28);
        EXPECT_EQ(grid.currentDay, QDate(1997, 1, 3));
        EXPECT_EQ(grid.taggedDays, 1);
    }
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(MainFormTest, QueryOpensOnTheTaggedDays) {
    openNew("query.kmr");
    form.selectCell(2, 3);
    form.select(MainForm::Select::Extend, 5);
    dialogs.queries.push({});
    action("Report_Query")->trigger();
    ASSERT_EQ(dialogs.queryDays.size(), 1U);
    EXPECT_EQ(dialogs.queryDays[0].start, QDate(1997, 1, 3));
    EXPECT_EQ(dialogs.queryDays[0].end, QDate(1997, 1, 5));
    EXPECT_TRUE(platform.messages.empty()); // no "not available yet"
}
