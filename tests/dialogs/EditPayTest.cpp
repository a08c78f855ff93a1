#include "DialogFixture.h"

#include "dialogs/EditPay.h"

#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

using namespace kalmur;

namespace {

struct EditPayTest : DialogFixture {
    EditPayTest() {
        auto& e = state.schedule().employees();
        e.names[4] = QStringLiteral("Smith");
        e.positions[4] = QStringLiteral("Nurse");
        e.payRate[4] = 125000; // 12.50
        e.payType[4] = 1;
    }
    // Runs the window for entry 5, acting on it once it is shown.
    bool edit(std::function<void(EditPay*)> act) {
        QTimer::singleShot(0, [this, act = std::move(act)] {
            auto* dialog = qobject_cast<EditPay*>(QApplication::activeModalWidget());
            ASSERT_TRUE(dialog);
            showActive(dialog);
            act(dialog);
        });
        return EditPay::edit(state, platform, nullptr, 5);
    }
    static QLineEdit* cost(EditPay* d) { return d->findChild<QLineEdit*>("PayRate"); }
    static void click(EditPay* d, const char* name) {
        QTest::mouseClick(d->findChild<QAbstractButton*>(name), Qt::LeftButton);
    }
};

} // namespace

TEST_F(EditPayTest, ShowsTheEntryAndStoresCostAndTypeOnOk) {
    EXPECT_TRUE(edit([](EditPay* d) {
        EXPECT_EQ(d->findChild<QLineEdit*>("EmpName")->text(), " Smith");
        EXPECT_EQ(d->findChild<QLineEdit*>("Position")->text(), " Nurse");
        EXPECT_EQ(cost(d)->text(), "12.50");
        EXPECT_TRUE(d->findChild<QRadioButton*>("PayTypeDay")->isChecked());
        retype(cost(d), "999.99");
        click(d, "PayTypeHour");
        click(d, "Command2");
    }));
    EXPECT_EQ(state.schedule().employees().payRate[4], 9999900);
    EXPECT_EQ(state.schedule().employees().payType[4], 0);
    EXPECT_TRUE(state.schedule().isModified());
}

TEST_F(EditPayTest, OutOfRangeCostsAreRefusedAndReplacedByZero) {
    platform.answers = {MessageAnswer::Ok, MessageAnswer::Ok};
    EXPECT_TRUE(edit([this](EditPay* d) {
        // Leaving the field with 1000: the message, 0.00, the focus back.
        retype(cost(d), "1000");
        d->findChild<QRadioButton*>("PayTypeHour")->setFocus(Qt::TabFocusReason);
        EXPECT_EQ(cost(d)->text(), "0.00");
        EXPECT_TRUE(cost(d)->hasFocus());
        // Enter with -1 runs the check and keeps the window open.
        retype(cost(d), "-1");
        QTest::keyClick(cost(d), Qt::Key_Return);
        EXPECT_TRUE(d->isVisible());
        EXPECT_EQ(cost(d)->text(), "0.00");
        retype(cost(d), "12.75");
        QTest::keyClick(cost(d), Qt::Key_Return);
    }));
    ASSERT_EQ(platform.messages.size(), 2U);
    for (const auto& m : platform.messages) {
        EXPECT_EQ(m.request.text, "Only values from 0.00 to 999.99 are valid.");
        EXPECT_EQ(m.request.title, "Error");
        EXPECT_TRUE(m.beeped);
    }
    EXPECT_EQ(state.schedule().employees().payRate[4], 127500);
}

TEST_F(EditPayTest, CancelKeepsTheStoredCost) {
    EXPECT_FALSE(edit([](EditPay* d) {
        retype(cost(d), "40");
        click(d, "PayTypeHour");
        click(d, "Command1");
    }));
    EXPECT_TRUE(state.dialogCancelled);
    EXPECT_EQ(state.schedule().employees().payRate[4], 125000);
    EXPECT_EQ(state.schedule().employees().payType[4], 1);
}
