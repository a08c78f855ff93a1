// "Edit Schedule Format": storing, applying and cancelling the current view
// format through the plain code, and the window's lists and check boxes.
#include "DialogFixture.h"

#include "dialogs/ChgView.h"
#include "model/patterns/TimePattern.h"
#include "model/schedule/Members.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QPushButton>

using namespace kalmur;

namespace {

struct ChgViewTest : DialogFixture {
    int relayouts = 0;
    std::unique_ptr<ChgView> dialog;

    void SetUp() override {
        ASSERT_TRUE(state.schedule().loadSettings(QDate(1997, 6, 1)).ok);
        ASSERT_TRUE(state.schedule().openAll());
        state.schedule().setModified(false);
    }
    ViewFormatEdit::Relayout counter() {
        return [this] {
            ++relayouts;
        };
    }
    const ViewFormat& format() const { return state.schedule().viewFormat(); }
    QByteArray formatFile() const {
        QFile f(memberPath(dir.path(), Member::ViewFormats));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    // A 16-bit field of view-format record 1 in the file.
    int fileInteger(int offset) const {
        const QByteArray bytes = formatFile();
        return static_cast<std::int16_t>(std::uint8_t(bytes[offset]) |
                                         (std::uint8_t(bytes[offset + 1]) << 8));
    }
    QByteArray memoryBytes() const {
        const auto bytes = format().toBytes();
        return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
    }

    void open() {
        dialog = std::make_unique<ChgView>(state, platform, counter());
        showActive(dialog.get());
    }
    template <typename W>
    W* control(const char* name, int index = -1) const {
        for (W* w : dialog->findChildren<W*>(QLatin1String(name))) {
            if (index < 0 || w->property("index").toInt() == index) {
                return w;
            }
        }
        ADD_FAILURE() << "no control " << name << " " << index;
        return nullptr;
    }
    // Chooses the entry with `code` in cell-content row `row`, as a click in
    // its list does.
    void choose(int row, int code) {
        auto* list = control<QComboBox>("Item", row);
        const int index = list->findData(code);
        ASSERT_GE(index, 0) << "row " << row << " offers no item " << code;
        list->setCurrentIndex(index);
        emit list->activated(index);
    }
    void click(const char* name) { QTest::mouseClick(control<QPushButton>(name), Qt::LeftButton); }
};

} // namespace

TEST_F(ChgViewTest, NumbersAreHeldToTheirRangesInMemoryAndInTheFile) {
    struct Case {
        const char* days;
        const char* coverage;
        int storedDays;
        int storedCoverage;
    };
    const Case cases[] = {
        {"0", "-3", 1, 0},       {"50", "25", 42, 20},
        {"abc", "", 1, 0},       {"99999999999", "70000", 42, 20},
        {" 7 days", "+3", 7, 3}, {"-40000", "20", 1, 20},
    };
    ViewFormatEdit edit(state.schedule(), counter());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.days);
        auto input = ViewFormatRules::inputOf(format());
        input.daysOnScreen = QString::fromLatin1(c.days);
        input.coverageVisible = QString::fromLatin1(c.coverage);
        EXPECT_TRUE(edit.apply(input));
        EXPECT_EQ(format().daysOnScreen, c.storedDays);
        EXPECT_EQ(format().coverageVisible, c.storedCoverage);
        EXPECT_EQ(fileInteger(51), c.storedDays);
        EXPECT_EQ(fileInteger(93), c.storedCoverage);
        EXPECT_EQ(state.schedule().windowLength(), c.storedDays);
    }
    EXPECT_EQ(relayouts, int(std::size(cases)));
    EXPECT_TRUE(state.schedule().isModified());
}

TEST_F(ChgViewTest, TimeFormatsAreShownWithMAndStoredWithN) {
    ViewFormatEdit edit(state.schedule(), counter());
    for (const TimeFormatChoice& choice : kTimeFormats) {
        const QString shown =
            QString::fromLatin1(choice.shown.data(), qsizetype(choice.shown.size()));
        const QString stored =
            QString::fromLatin1(choice.stored.data(), qsizetype(choice.stored.size()));
        SCOPED_TRACE(shown.toStdString());
        auto input = ViewFormatRules::inputOf(format());
        input.timeFormat = shown;
        edit.apply(input);
        EXPECT_EQ(format().timeFormat, stored);
        EXPECT_EQ(formatFile().mid(24, 15).trimmed(), stored.toLatin1());
        EXPECT_EQ(ViewFormatRules::inputOf(format()).timeFormat, shown);
    }
    // Edited times follow the clock of the chosen format.
    struct Edited {
        const char* shown;
        const char* eight;
    };
    for (const Edited e : {Edited{"h:mma/p", "8:00a"}, Edited{"hh:mm", "08:00"}}) {
        auto input = ViewFormatRules::inputOf(format());
        input.timeFormat = QString::fromLatin1(e.shown);
        edit.apply(input);
        EXPECT_EQ(formatTime(QTime(8, 0), editTimeFormat(format().timeFormat)),
                  QString::fromLatin1(e.eight));
    }
}

TEST_F(ChgViewTest, StoringWhatTheDialogShowsLeavesEveryStoredFormatAsItWas) {
    for (int n = 1; n <= ViewFormat::kCount; ++n) {
        SCOPED_TRACE(n);
        ASSERT_TRUE(state.schedule().selectViewFormat(n));
        const QByteArray before = formatFile();
        ViewFormatEdit edit(state.schedule(), counter());
        ASSERT_TRUE(edit.apply(ViewFormatRules::inputOf(format())));
        EXPECT_EQ(formatFile(), before);
    }
}

TEST_F(ChgViewTest, ApplyThenCancelRestoresMemoryAndFileByteForByte) {
    const QByteArray fileBefore = formatFile();
    const QByteArray memoryBefore = memoryBytes();
    ViewFormatEdit edit(state.schedule(), counter());
    auto input = ViewFormatRules::inputOf(format());
    input.name = QStringLiteral("  Fortnight ");
    input.timeFormat = QStringLiteral("hh:mm");
    input.daysOnScreen = QStringLiteral("14");
    input.coverageVisible = QStringLiteral("6");
    input.rulerDay = 2;
    input.rulerDate = 1;
    input.useAbbreviations = !input.useAbbreviations;
    input.rows[5] = {310, true, true};
    input.ties[0] = false;
    ASSERT_TRUE(edit.apply(input));
    EXPECT_EQ(format().name, QStringLiteral("Fortnight"));
    EXPECT_EQ(state.schedule().windowLength(), 14);
    EXPECT_NE(formatFile(), fileBefore);
    edit.setFont(QStringLiteral("Liberation Serif"), 11, true, false);

    ASSERT_TRUE(edit.cancel());
    EXPECT_EQ(formatFile(), fileBefore);
    EXPECT_EQ(memoryBytes(), memoryBefore);
    EXPECT_EQ(state.schedule().windowLength(), 28);
    EXPECT_EQ(relayouts, 2);
}

TEST_F(ChgViewTest, OpensWithTheCurrentFormatInItsControls) {
    state.dialogCancelled = true;
    open();
    EXPECT_FALSE(state.dialogCancelled);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Edit Schedule Format"));
    EXPECT_EQ(dialog->size(), QSize(343, 286));
    EXPECT_EQ(control<QPushButton>("ButtonPrint")->geometry(), QRect(272, 256, 65, 25));
    EXPECT_EQ(control<QLineEdit>("TmpName")->text(), QStringLiteral("28 Day"));
    EXPECT_EQ(control<QLineEdit>("Text1")->text(), QStringLiteral("28"));
    EXPECT_EQ(control<QLineEdit>("CoverageVisible")->text(), QStringLiteral("4"));
    EXPECT_EQ(control<QComboBox>("TimeFormat")->currentText(), QStringLiteral("h:mma/p"));
    EXPECT_EQ(control<QComboBox>("RulerDate")->currentText(), QStringLiteral("dd"));
    EXPECT_TRUE(control<QCheckBox>("AbbrFlag")->isChecked());
    EXPECT_TRUE(control<QCheckBox>("Symbols")->isChecked());
    EXPECT_TRUE(control<QCheckBox>("Symbols")->isHidden());
    // The icon is offered, and shown, in the first row only, never printed.
    auto* first = control<QComboBox>("Item", 0);
    EXPECT_EQ(first->currentData().toInt(), 999);
    EXPECT_FALSE(control<QCheckBox>("ItemReportFlag", 0)->isEnabled());
    EXPECT_TRUE(control<QCheckBox>("ItemLinkFlag", 0)->isChecked());
    for (int r = 1; r < ViewFormat::kCellRows; ++r) {
        auto* list = control<QComboBox>("Item", r);
        EXPECT_EQ(list->count(), first->count() - 1);
        EXPECT_EQ(list->findData(999), -1);
        EXPECT_TRUE(control<QCheckBox>("ItemReportFlag", r)->isEnabled());
    }
    EXPECT_EQ(dialog->findChildren<QCheckBox*>(QStringLiteral("ItemLinkFlag")).size(), 5);
}

TEST_F(ChgViewTest, ChoosingAnEntrySetsTheBoxesOfItsRow) {
    // Rows of the "28 Day" format: 0 icon (screen, tie), 1 shift description
    // (screen), 2 shift & explanation (report), 3 on call (report, tie),
    // 4 note status (report), 5 none.
    struct Case {
        int row;
        std::vector<int> chosen;
        bool screen, report, tie, reportEnabled;
    };
    const Case cases[] = {
        {0, {120}, true, false, true, true},       // from an item: boxes kept
        {0, {120, 999}, true, false, true, false}, // the icon again: no report
        {1, {0}, false, false, false, true},       // "None" clears all three
        {2, {0, 150}, true, true, false, true},    // coming from "None" ticks both
        {3, {130}, false, true, true, true},       {5, {310}, true, true, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row);
        open();
        for (int code : c.chosen) {
            choose(c.row, code);
        }
        EXPECT_EQ(control<QCheckBox>("ItemScreenFlag", c.row)->isChecked(), c.screen);
        EXPECT_EQ(control<QCheckBox>("ItemReportFlag", c.row)->isChecked(), c.report);
        EXPECT_EQ(control<QCheckBox>("ItemReportFlag", c.row)->isEnabled(), c.reportEnabled);
        if (c.row < ViewFormatRules::kTieBoxes) {
            EXPECT_EQ(control<QCheckBox>("ItemLinkFlag", c.row)->isChecked(), c.tie);
        }
    }
}

TEST_F(ChgViewTest, ApplyWritesTheClampedNumbersBackAndOkCloses) {
    open();
    retype(control<QLineEdit>("Text1"), QStringLiteral("0"));
    retype(control<QLineEdit>("CoverageVisible"), QStringLiteral("25"));
    choose(5, 310);
    click("ButtonApply");
    EXPECT_EQ(control<QLineEdit>("Text1")->text(), QStringLiteral("1"));
    EXPECT_EQ(control<QLineEdit>("CoverageVisible")->text(), QStringLiteral("20"));
    EXPECT_EQ(format().cellRows[5].item, 310);
    EXPECT_EQ(fileInteger(51), 1);
    EXPECT_EQ(relayouts, 1);
    EXPECT_TRUE(dialog->isVisible());
    click("ButtonOK");
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_FALSE(state.dialogCancelled);
}

TEST_F(ChgViewTest, TheFontDialogOffersFourToThirteenPointsAndEscapePutsTheFontBack) {
    open();
    QFont chosen(QStringLiteral("Liberation Serif"));
    chosen.setPointSize(11);
    chosen.setBold(true);
    platform.fontAnswers.push_back(chosen);
    click("Command2");
    ASSERT_EQ(platform.fontDialogs.size(), 1u);
    EXPECT_EQ(platform.fontDialogs[0].minPointSize, 4);
    EXPECT_EQ(platform.fontDialogs[0].maxPointSize, 13);
    EXPECT_EQ(platform.fontDialogs[0].initial.family(), QStringLiteral("MS Sans Serif"));
    EXPECT_EQ(format().fontName, QStringLiteral("Liberation Serif"));
    EXPECT_EQ(format().fontSize, 11.0f);
    EXPECT_TRUE(format().fontBold);
    EXPECT_EQ(control<QPushButton>("Command2")->font().family(),
              QStringLiteral("Liberation Serif"));
    platform.fontAnswers.push_back(std::nullopt);
    click("Command2"); // closed without choosing: the font stays
    EXPECT_EQ(format().fontName, QStringLiteral("Liberation Serif"));

    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_TRUE(state.dialogCancelled);
    EXPECT_EQ(format().fontName, QStringLiteral("MS Sans Serif"));
    EXPECT_EQ(relayouts, 1);
}

TEST_F(ChgViewTest, PrintAppliesThenOpensThePrintWindowOverTheDialog) {
    QWidget* over = nullptr;
    QByteArray written;
    dialog = std::make_unique<ChgView>(state, platform, counter(), nullptr, [&](QWidget* w) {
        over = w;
        written = formatFile().mid(2, 20).trimmed();
    });
    showActive(dialog.get());
    retype(control<QLineEdit>("TmpName"), QStringLiteral("Month"));
    click("ButtonPrint");
    EXPECT_EQ(written, QByteArray("Month"));
    EXPECT_EQ(over, dialog.get());
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_TRUE(dialog->isVisible());
}
