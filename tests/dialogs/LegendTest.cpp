// "Legend": the edit button's caption and what it opens, the list shown again
// after an edit, and the print options stored at once.
#include "DialogFixture.h"

#include "dialogs/Legend.h"
#include "support/WardSchedule.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

using namespace kalmur;

namespace {

struct LegendTest : DialogFixture {
    std::unique_ptr<Legend> window;
    std::vector<std::pair<char, int>> opened; // 's' or 'e' and the number

    LegendTest() {
        Schedule& s = state.schedule();
        s.loadSettings(QDate(1997, 1, 1));
        setDates(QDate(1997, 1, 1), QDate(1997, 3, 31));
        EXPECT_TRUE(s.openAll());
        furnishWard(s, 3);
        s.shifts()[0].description = QStringLiteral("Day");
        s.shifts()[0].abbreviation = QStringLiteral("D");
        window = std::make_unique<Legend>(state, platform);
        window->setEditors({[this](int n) {
                                opened.emplace_back('s', n);
                                state.schedule().shifts()[std::size_t(n - 1)].description =
                                    QStringLiteral("Early");
                                return true;
                            },
                            [this](int n) {
                                opened.emplace_back('e', n);
                                return false;
                            }});
        showActive(window.get());
    }
    template <typename W>
    W* control(const char* name) const {
        W* w = window->findChild<W*>(QLatin1String(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    int rowOf(LegendLine::Kind kind, int number) const {
        const auto& lines = window->lines();
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (lines[i].kind == kind && lines[i].number == number) {
                return int(i);
            }
        }
        ADD_FAILURE() << "no line for " << number;
        return -1;
    }
};

} // namespace

TEST_F(LegendTest, TheEditButtonFollowsTheLineAndOpensItsDefinition) {
    auto* list = control<QListWidget>("List1");
    auto* edit = control<QPushButton>("Edit");
    EXPECT_EQ(window->findChildren<QLabel*>(QStringLiteral("ListCaption")).size(), 7);
    struct Case {
        LegendLine::Kind kind;
        int number;
        const char* caption;
        std::pair<char, int> opens;
    };
    const Case cases[] = {
        {LegendLine::Kind::Explanation, 3, "Edit Explanation", {'e', 3}},
        {LegendLine::Kind::Tag, ShiftRecord::kOnCall, "Edit Tag", {'s', 101}},
        {LegendLine::Kind::Shift, 1, "Edit Shift", {'s', 1}},
    };
    for (const Case& c : cases) {
        list->setCurrentRow(rowOf(c.kind, c.number));
        EXPECT_EQ(edit->text(), QLatin1String(c.caption));
        opened.clear();
        edit->click();
        EXPECT_EQ(opened, (std::vector<std::pair<char, int>>{c.opens})) << c.caption;
    }
    // The shift edited last shows its new description on the same line.
    const int row = rowOf(LegendLine::Kind::Shift, 1);
    EXPECT_TRUE(list->item(row)->text().startsWith(QStringLiteral("D\tEarly\t")));
    EXPECT_EQ(list->currentRow(), row);
    // A double click opens the definition of the line clicked.
    opened.clear();
    QListWidgetItem* item = list->item(rowOf(LegendLine::Kind::Explanation, 3));
    list->scrollToItem(item);
    const QPoint centre = list->visualItemRect(item).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, centre);
    EXPECT_EQ(opened, (std::vector<std::pair<char, int>>{{'e', 3}}));
}

TEST_F(LegendTest, ThePrintOptionsAreStoredAtOnce) {
    const auto boxes = window->findChildren<QCheckBox*>(QStringLiteral("Options"));
    ASSERT_EQ(boxes.size(), 5);
    const ReportSetup& setup = settings().legendSetup;
    EXPECT_EQ(boxes[4]->text(), QStringLiteral("Separate Shifts && Explanations"));
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(boxes[i]->isChecked(), i < 4) << i;
    }
    EXPECT_FALSE(state.settingsChanged);
    boxes[4]->click();
    boxes[0]->click();
    EXPECT_TRUE(setup.options[4]);
    EXPECT_FALSE(setup.options[0]);
    EXPECT_TRUE(state.settingsChanged);
}
