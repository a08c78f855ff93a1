// "Report Setup", the Edit setup protocol that every report window follows, and
// "Printer Setup".
#include "DialogFixture.h"
#include "support/QtPrinters.h"
#include "support/ScriptedDialogs.h"

#include "dialogs/PGSetup.h"
#include "dialogs/SetPrt.h"
#include "dialogs/WidgetScheduleDialogs.h"
#include "model/schedule/Members.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QWidget>

#include <cmath>
#include <limits>

using namespace kalmur;

namespace {

struct ReportSetupTest : DialogFixture {
    std::unique_ptr<PGSetup> dialog;
    ReportSetup working;

    void SetUp() override {
        ASSERT_TRUE(state.schedule().loadSettings(QDate(1997, 6, 1)).ok);
        ASSERT_TRUE(state.schedule().openAll());
    }
    void open(const ReportSetup& setup, ReportKind kind = ReportKind::Schedule) {
        working = setup;
        dialog = std::make_unique<PGSetup>(working, kind, state, platform);
        showActive(dialog.get());
    }
    template <typename W>
    W* control(const char* name) const {
        W* w = dialog->findChild<W*>(QLatin1String(name));
        EXPECT_TRUE(w) << "no control " << name;
        return w;
    }
    QString text(const char* name) const { return control<QLineEdit>(name)->text(); }
    QString description() const { return control<QLabel>("FontDescription")->text(); }
    QTabWidget* pages() const { return control<QTabWidget>("SSTab1"); }
    void ok() { QTest::mouseClick(control<QPushButton>("ButtonOK"), Qt::LeftButton); }
    // Types into a margin box and leaves it.
    void typeMargin(const char* name, const QString& typed) {
        pages()->setCurrentIndex(1);
        retype(control<QLineEdit>(name), typed);
        control<QCheckBox>("Centimeters")->setFocus(Qt::TabFocusReason);
    }
    QByteArray viewFormatRecord() const {
        QFile f(memberPath(dir.path(), Member::ViewFormats));
        f.open(QIODevice::ReadOnly);
        f.seek(qint64(state.schedule().viewFormatNumber() - 1) * qint64(ViewFormat::fileSize));
        return f.read(qint64(ViewFormat::fileSize));
    }
};

} // namespace

TEST(ReportSetupRules, MarginsInInchesAndCentimetresAndTheFontDescription) {
    using namespace ReportSetupRules;
    struct Shown {
        int twips;
        bool cm;
        const char* text;
    };
    for (const Shown s :
         {Shown{360, false, "0.25\""}, Shown{567, true, "1.00cm"}, Shown{567, false, "0.39\""},
          Shown{-360, false, "-0.25\""}, Shown{0, false, "0.00\""}}) {
        EXPECT_EQ(marginText(s.twips, s.cm), QLatin1String(s.text)) << s.twips;
    }
    struct Typed {
        const char* text;
        bool cm;
        int twips;
    };
    for (const Typed t :
         {Typed{"1", true, 567}, Typed{"0.25\"", false, 360}, Typed{"abc", false, 0},
          Typed{" .5cm", true, 284}, Typed{"-1", false, -1440}, Typed{"1e1", false, 14400},
          Typed{"99", false, 32767}, Typed{"-1e300", false, -32768}, Typed{"", true, 0}}) {
        EXPECT_EQ(marginTwips(QLatin1String(t.text), t.cm), t.twips) << t.text;
    }
    EXPECT_EQ(fontDescription(QStringLiteral(" Arial "), 8, false, false),
              QStringLiteral("Arial, 8"));
    EXPECT_EQ(fontDescription(QStringLiteral("Arial"), 12.5F, true, true),
              QStringLiteral("Arial,Bold,Italic, 12.5"));
    EXPECT_EQ(sizeText(1e30F), QStringLiteral(" 1E+30"));
    EXPECT_EQ(sizeText(-3), QStringLiteral("-3"));
    EXPECT_EQ(dialogPointSize(std::numeric_limits<float>::quiet_NaN()), 4.0);
    EXPECT_EQ(dialogPointSize(1e30F), 13.0);
}

TEST_F(ReportSetupTest, EachReportAdaptsTheDialog) {
    struct Case {
        ReportKind kind;
        const char* ruler;
        bool coverage;
        bool screenFont;
        bool shading;
        const char* colourPage;
    };
    const Case cases[] = {
        {ReportKind::Schedule, "Day Ruler", true, true, true, "Color / Shading"},
        {ReportKind::Cost, "Day Ruler", true, false, true, "Color / Shading"},
        {ReportKind::Calendar, "Days of Week", false, false, true, "Color / Shading"},
        {ReportKind::Personal, "Days of Week", false, false, true, "Color / Shading"},
        {ReportKind::Legend, "Day Ruler", true, false, false, "Color"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.kind));
        open(state.schedule().settings().calendarSetup, c.kind);
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Report Setup"));
        EXPECT_EQ(control<QCheckBox>("ShadeRuler")->text(), QLatin1String(c.ruler));
        EXPECT_EQ(!control<QCheckBox>("ShadeCoverage")->isHidden(), c.coverage);
        EXPECT_EQ(!control<QCheckBox>("UseScreenFont")->isHidden(), c.screenFont);
        EXPECT_EQ(!control<QWidget>("ShadingFrame")->isHidden(), c.shading);
        EXPECT_EQ(pages()->tabText(2), QLatin1String(c.colourPage));
    }
}

TEST_F(ReportSetupTest, OpensOnWhatEverAFileHeldAndOkKeepsWhatNoListShows) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    struct Case {
        std::int16_t quality, orientation, shade;
        float size;
        const char* font;
        std::int16_t margin;
        const char* shown; // the description
    };
    const Case cases[] = {
        {9, -1, 7, nan, "Arial", -360, "Arial,NaN"},
        {-3, 9, 0, 1e30F, "", 32767, ", 1E+30"},
        {4, 2, 20, -2, "   ", -32768, ",-2"},
        {2, 1, 10, 0, "Courier New", 0, "Courier New, 0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shown);
        ReportSetup hostile = state.schedule().settings().personalSetup;
        hostile.printQuality = c.quality;
        hostile.orientation = c.orientation;
        hostile.shadePercent = c.shade;
        hostile.fontSize = c.size;
        hostile.fontName = QLatin1String(c.font);
        hostile.margins = {c.margin, c.margin, c.margin, c.margin};
        open(hostile);
        EXPECT_EQ(description(), QLatin1String(c.shown));
        EXPECT_EQ(control<QComboBox>("PrintQuality")->currentIndex(),
                  c.quality >= 0 && c.quality <= 4 ? c.quality : -1);
        EXPECT_EQ(control<QComboBox>("Orientation")->currentIndex(),
                  c.orientation >= 0 && c.orientation <= 2 ? c.orientation : -1);
        EXPECT_EQ(text("MarginLeft"), ReportSetupRules::marginText(c.margin, false));
        platform.fontAnswers.push_back(std::nullopt);
        control<QPushButton>("FontButton")->click(); // starts from a size it can show
        EXPECT_EQ(platform.fontDialogs.back().initial.pointSizeF(),
                  ReportSetupRules::dialogPointSize(c.size));
        ok();
        EXPECT_EQ(working.printQuality, c.quality);
        EXPECT_EQ(working.orientation, c.orientation);
        EXPECT_EQ(working.shadePercent, c.shade);
        EXPECT_EQ(working.margins, hostile.margins);
    }
}

TEST_F(ReportSetupTest, MarginsAreTypedInTheShownUnitAndStoredInTwips) {
    open(state.schedule().viewFormat().reportSetup);
    EXPECT_EQ(text("MarginTop"), QStringLiteral("0.25\""));
    control<QCheckBox>("Centimeters")->click();
    EXPECT_EQ(text("MarginTop"), QStringLiteral("0.63cm"));
    typeMargin("MarginTop", QStringLiteral("1"));
    EXPECT_EQ(working.margins[0], 567);
    EXPECT_EQ(text("MarginTop"), QStringLiteral("1.00cm"));
    control<QCheckBox>("Centimeters")->click();
    EXPECT_EQ(text("MarginTop"), QStringLiteral("0.39\""));
    typeMargin("MarginLeft", QStringLiteral("none"));
    EXPECT_EQ(working.margins[2], 0);
    EXPECT_EQ(text("MarginLeft"), QStringLiteral("0.00\""));
    EXPECT_EQ(working.margins[1], 360); // untouched boxes keep their twips
}

TEST_F(ReportSetupTest, FontComesFromTheFontDialogOrTheScreenFont) {
    ReportSetup setup = state.schedule().settings().costSetup;
    setup.useScreenFont = false;
    open(setup, ReportKind::Schedule);
    EXPECT_EQ(description(), QStringLiteral("Arial, 12"));
    QFont chosen(QStringLiteral("Liberation Serif"));
    chosen.setPointSizeF(10.5);
    chosen.setBold(true);
    platform.fontAnswers.push_back(chosen);
    control<QPushButton>("FontButton")->click();
    EXPECT_EQ(platform.fontDialogs.back().minPointSize, 4);
    EXPECT_EQ(platform.fontDialogs.back().maxPointSize, 13);
    EXPECT_EQ(description(), QStringLiteral("Liberation Serif,Bold, 10.5"));

    ViewFormat& screen = state.schedule().viewFormat();
    screen.fontName = QStringLiteral("MS Sans Serif");
    screen.fontSize = 8;
    screen.fontBold = false;
    screen.fontItalic = true;
    control<QCheckBox>("UseScreenFont")->click();
    EXPECT_EQ(description(), QStringLiteral("MS Sans Serif,Italic, 8"));
    EXPECT_FALSE(control<QPushButton>("FontButton")->isEnabled());
    ok();
    EXPECT_TRUE(working.useScreenFont);
    EXPECT_EQ(working.fontName, QStringLiteral("Liberation Serif")); // kept for later
    EXPECT_TRUE(state.settingsChanged);
}

TEST_F(ReportSetupTest, PagesFollowWhatTheReportAllowsAndOkStoresTheRest) {
    ReportSetup setup = state.schedule().settings().querySetup; // no shading
    setup.shadeRuler = true;
    setup.shadePercent = 7;
    open(setup, ReportKind::Query);
    EXPECT_FALSE(pages()->isTabEnabled(2));
    EXPECT_TRUE(pages()->isTabEnabled(1));
    EXPECT_EQ(control<QComboBox>("ShadePercent")->count(), 0);
    retype(control<QLineEdit>("Title"), QStringLiteral("  Night staff  "));
    control<QComboBox>("Orientation")->setCurrentIndex(2);
    control<QCheckBox>("InColor")->setChecked(true);
    ok();
    EXPECT_EQ(working.title, QStringLiteral("Night staff"));
    EXPECT_EQ(working.orientation, 2);
    EXPECT_TRUE(working.inColor);
    EXPECT_TRUE(working.shadeRuler); // the shade controls were never loaded
    EXPECT_EQ(working.shadePercent, 7);

    open(state.schedule().settings().calendarSetup, ReportKind::Calendar);
    EXPECT_TRUE(pages()->isTabEnabled(2));
    control<QComboBox>("ShadePercent")->setCurrentIndex(2);
    control<QCheckBox>("ShadeCoverage")->setChecked(false);
    ok();
    EXPECT_EQ(working.shadePercent, 20);
    EXPECT_FALSE(working.shadeCoverage);
}

TEST_F(ReportSetupTest, OkWritesTheScheduleReportsSetupWithItsFormatAndRetitlesTheWindow) {
    ScriptedDialogs dialogs;
    QWidget printWindow;
    dialogs.reportSetups.push([](ReportSetup& w) {
        w.title = QStringLiteral("Ward 3 Nights");
        w.margins[0] = 720;
        return true;
    });
    EXPECT_TRUE(editReportSetup(dialogs, platform, state, ReportKind::Schedule, &printWindow));
    EXPECT_EQ(state.schedule().viewFormat().reportSetup.margins[0], 720);
    const QByteArray record = viewFormatRecord();
    EXPECT_EQ(record.mid(95, 30).trimmed(), QByteArray("Ward 3 Nights"));
    EXPECT_EQ(printWindow.windowTitle(), QStringLiteral("Print - Ward 3 Nights"));

    // The others go with the settings record; Cancel changes nothing.
    state.settingsChanged = false;
    dialogs.reportSetups.push([](ReportSetup& w) {
        w.title = QStringLiteral("Cost");
        return true;
    });
    EXPECT_TRUE(editReportSetup(dialogs, platform, state, ReportKind::Cost, nullptr));
    EXPECT_EQ(state.schedule().settings().costSetup.title, QStringLiteral("Cost"));
    EXPECT_TRUE(state.settingsChanged);
    EXPECT_EQ(viewFormatRecord(), record);

    state.settingsChanged = false;
    const ReportSetup legend = state.schedule().settings().legendSetup;
    dialogs.reportSetups.push([](ReportSetup& w) {
        w.margins = {1, 2, 3, 4};
        return false;
    });
    EXPECT_FALSE(editReportSetup(dialogs, platform, state, ReportKind::Legend, &printWindow));
    EXPECT_EQ(state.schedule().settings().legendSetup, legend);
    EXPECT_FALSE(state.settingsChanged);
    EXPECT_FALSE(state.dialogCancelled);
    EXPECT_EQ(dialogs.setupKinds,
              (std::vector{ReportKind::Schedule, ReportKind::Cost, ReportKind::Legend}));
}

TEST_F(ReportSetupTest, CancelInTheRealDialogLeavesTheStoredSetup) {
    WidgetScheduleDialogs dialogs(platform);
    const ReportSetup before = state.schedule().settings().personalSetup;
    QTimer::singleShot(0, [] {
        auto* setup = qobject_cast<PGSetup*>(QApplication::activeModalWidget());
        ASSERT_TRUE(setup);
        auto* top = setup->findChild<QLineEdit*>(QStringLiteral("MarginTop"));
        top->setText(QStringLiteral("2"));
        top->setModified(true);
        emit top->editingFinished();
        setup->findChild<QPushButton*>(QStringLiteral("ButtonCancel"))->click();
    });
    EXPECT_FALSE(editReportSetup(dialogs, platform, state, ReportKind::Personal, nullptr));
    EXPECT_EQ(state.schedule().settings().personalSetup, before);
    EXPECT_FALSE(state.settingsChanged);
}

TEST(SetPrt, ListsThePrintersThenThePdfPrinterWithTheCurrentOneSelected) {
    ScriptedPlatform platform;
    const InstalledPrinter laser{QStringLiteral("Ward Laser"), QStringLiteral("Office 2")};
    const InstalledPrinter ink{QStringLiteral("Ink"), QString()};
    platform.installed = {laser, ink};
    platform.current = ink;
    {
        SetPrt dialog(platform);
        auto* list = dialog.findChild<QListWidget*>(QStringLiteral("List1"));
        ASSERT_EQ(list->count(), 3);
        EXPECT_EQ(list->item(0)->text(), QStringLiteral("Ward Laser, Office 2"));
        EXPECT_EQ(list->item(1)->text(), QStringLiteral("Ink, "));
        EXPECT_EQ(list->item(2)->text(), QStringLiteral("PDF file, PDF"));
        EXPECT_EQ(list->currentRow(), 1);
        list->setCurrentRow(0);
        emit list->itemDoubleClicked(list->item(0)); // does nothing
        EXPECT_EQ(dialog.result(), 0);
        EXPECT_EQ(platform.current, ink);
        dialog.findChild<QPushButton*>(QStringLiteral("ButtonCancel"))->click();
    }
    EXPECT_EQ(platform.current, ink);

    platform.current = InstalledPrinter{QStringLiteral("Gone"), QStringLiteral("LPT1:")};
    {
        SetPrt dialog(platform);
        auto* list = dialog.findChild<QListWidget*>(QStringLiteral("List1"));
        EXPECT_TRUE(list->selectedItems().isEmpty());
        dialog.findChild<QPushButton*>(QStringLiteral("ButtonOK"))->click();
        EXPECT_EQ(platform.current->name, QStringLiteral("Gone")); // nothing chosen
    }

    platform.installed.clear();
    platform.current.reset(); // the system has no printer: PDF files are current
    {
        SetPrt dialog(platform);
        auto* list = dialog.findChild<QListWidget*>(QStringLiteral("List1"));
        ASSERT_EQ(list->count(), 1);
        EXPECT_EQ(list->currentRow(), 0);
        dialog.findChild<QPushButton*>(QStringLiteral("ButtonOK"))->click();
    }
    EXPECT_EQ(platform.current, pdfFilePrinter());
}
