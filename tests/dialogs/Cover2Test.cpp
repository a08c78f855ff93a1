// "CoverageWatch" on an open schedule: the enabled states as boxes are
// clicked, and what OK and Cancel leave in memory and in the file.
#include "DialogFixture.h"

#include "dialogs/Cover2.h"
#include "model/schedule/Members.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QListWidget>
#include <QPushButton>

using namespace kalmur;

namespace {

struct Cover2Test : DialogFixture {
    std::unique_ptr<Cover2> dialog;

    void SetUp() override {
        ASSERT_TRUE(state.schedule().loadSettings(QDate(1997, 6, 1)).ok);
        ASSERT_TRUE(state.schedule().openAll());
        EmployeeTable& e = state.schedule().employees();
        e.names[0] = QStringLiteral("Adams, Ann");
        e.positions[0] = QStringLiteral("RN");
        e.names[1] = QStringLiteral("/ Nights");
        e.names[2] = QStringLiteral("Baker, Bo");
        e.positions[2] = QStringLiteral("rn ");
        state.schedule().setModified(false);
    }
    void open(int line) {
        dialog = std::make_unique<Cover2>(state, platform, line);
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
    QString title() const { return dialog->findChild<QLineEdit*>("CoverageDesc")->text(); }
    // Which of ByPosition, Position, List1, List2, List3 take input.
    std::array<bool, 5> enabledStates() const {
        std::array<bool, 5> on{};
        int i = 0;
        for (const char* name : {"ByPosition", "Position", "List1", "List2", "List3"}) {
            on[static_cast<std::size_t>(i++)] =
                dialog->findChild<QWidget*>(QString::fromLatin1(name))->isEnabled();
        }
        return on;
    }
    CoverageLine& line(int n) {
        return state.schedule().viewFormat().coverageLines[std::size_t(n - 1)];
    }
    QByteArray file() const {
        QFile f(memberPath(dir.path(), Member::ViewFormats));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

} // namespace

TEST_F(Cover2Test, BoxesSetTheEnabledStatesAndNameAnUndefinedLine) {
    line(7) = CoverageLine::undefined();
    open(7);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("CoverageWatch"));
    EXPECT_EQ(title(), QStringLiteral("undefined"));
    EXPECT_EQ(child<QListWidget>("List1")->count(), 2);  // the divider is not listed
    EXPECT_EQ(child<QComboBox>("Position")->count(), 2); // "None" and one RN
    EXPECT_EQ(child<QListWidget>("List3")->selectionMode(), QAbstractItemView::ExtendedSelection);
    using E = std::array<bool, 5>;
    EXPECT_EQ(enabledStates(), (E{false, false, false, false, false}));

    // Each step: the box clicked and what takes input after it.
    const std::pair<const char*, E> steps[] = {
        {"NameFilterOff", {true, false, true, false, false}},
        {"ByPosition", {true, true, false, false, false}},
        {"ShiftFilterOff", {true, true, false, false, true}},
        {"NameFilterOff", {false, false, false, false, true}},
    };
    for (const auto& [box, expected] : steps) {
        click(box);
        EXPECT_EQ(enabledStates(), expected) << box;
    }
    EXPECT_FALSE(child<QCheckBox>("ByPosition")->isChecked());
    EXPECT_EQ(title(), QStringLiteral("C7"));
}

TEST_F(Cover2Test, OkStoresTheSelectionAndWritesTheViewFormat) {
    line(2) = CoverageLine::undefined();
    open(2);
    click("NameFilterOff");
    click("ShiftFilterOff");
    auto* employees = child<QListWidget>("List1");
    employees->item(1)->setSelected(true); // Baker, on row 3
    auto* shifts = child<QListWidget>("List3");
    shifts->item(0)->setSelected(true); // "Not Scheduled"
    retype(child<QLineEdit>("CoverageDesc"), QStringLiteral("  Nobody on  "));
    click("OK");
    EXPECT_FALSE(state.dialogCancelled);
    EXPECT_TRUE(state.schedule().isModified());
    const CoverageLine stored = line(2);
    EXPECT_EQ(stored.title, QStringLiteral("Nobody on"));
    EXPECT_FALSE(stored.ignoreNames);
    EXPECT_FALSE(stored.ignoreShifts);
    EXPECT_TRUE(stored.ignoreExplanations);
    const int slot = state.schedule().settings().rowOrder[2];
    EXPECT_EQ(stored.employeeMarks[std::size_t(slot - 1)], 1);
    EXPECT_EQ(stored.shiftMarks[0], 1);
    const auto reread = state.schedule().readViewFormat(state.schedule().viewFormatNumber());
    ASSERT_TRUE(reread);
    EXPECT_EQ(reread->coverageLines[1], stored);
}

TEST_F(Cover2Test, RemoveThenCancelLeavesEveryLineAsItWas) {
    line(1).ignoreNames = false;
    line(1).employeeMarks[0] = 1;
    ASSERT_TRUE(state.schedule().writeCurrentViewFormat());
    const ViewFormat before = state.schedule().viewFormat();
    const QByteArray bytes = file();
    open(1);
    EXPECT_TRUE(child<QListWidget>("List1")->item(0)->isSelected());
    click("Remove");
    EXPECT_EQ(title(), QStringLiteral("C1"));
    EXPECT_TRUE(child<QListWidget>("List1")->selectedItems().isEmpty());
    click("Cancel");
    EXPECT_TRUE(state.dialogCancelled);
    EXPECT_EQ(state.schedule().viewFormat(), before);
    EXPECT_EQ(file(), bytes);
}
