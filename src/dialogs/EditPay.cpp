#include "EditPay.h"

#include "SelectAllOnFocus.h"
#include "files/ProgramState.h"
#include "model/cost/Currency.h"
#include "model/patterns/NumberPattern.h"
#include "platform/LeaveFieldCheck.h"
#include "platform/Placement.h"
#include "platform/Platform.h"
#include "platform/Twips.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace kalmur {

namespace {

QLabel* heading(const QString& text, const QRect& geometry, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setGeometry(geometry);
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, QColor(128, 128, 128));
    palette.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(palette);
    return label;
}

QLineEdit* display(const QRect& geometry, QWidget* parent) {
    auto* field = new QLineEdit(parent);
    field->setGeometry(geometry);
    field->setReadOnly(true);
    field->setFocusPolicy(Qt::NoFocus);
    field->setFrame(false);
    return field;
}

FieldVerdict checkCost(const QString& text) {
    const double value = leadingNumber(text);
    if (value < 0 || value > EditPay::kMaxCost) {
        return FieldVerdict::refuse({QStringLiteral("Only values from 0.00 to 999.99 are valid."),
                                     QStringLiteral("Error"), MessageIcon::Exclamation,
                                     MessageButtons::Ok, std::nullopt});
    }
    return FieldVerdict::accept(formatNumber(value, u"##0.00"));
}

} // namespace

EditPay::EditPay(ProgramState& state, Platform& platform, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , m_state(state)
    , m_platform(platform) {
    setObjectName(QStringLiteral("EditPay"));
    setWindowTitle(QStringLiteral("Edit Employee Cost Information"));
    setFixedSize(twips(4710), twips(2460));
    setFont(dialogFont(false));

    heading(QStringLiteral(" Name"), twipRect(120, 120, 2295, 255), this);
    heading(QStringLiteral(" Position"), twipRect(2400, 120, 2175, 255), this);
    m_name = display(twipRect(120, 360, 2295, 255), this);
    m_name->setObjectName(QStringLiteral("EmpName"));
    m_position = display(twipRect(2400, 360, 2175, 255), this);
    m_position->setObjectName(QStringLiteral("Position"));

    auto* costLabel = new QLabel(QStringLiteral("Cost :"), this);
    costLabel->setFont(dialogFont(true));
    costLabel->setGeometry(twipRect(120, 960, 735, 255));
    m_cost = new QLineEdit(this);
    m_cost->setObjectName(QStringLiteral("PayRate"));
    m_cost->setGeometry(twipRect(840, 960, 975, 285));
    m_cost->setMaxLength(6);
    costLabel->setBuddy(m_cost);
    new SelectAllOnFocus(m_cost);

    auto* frame = new QGroupBox(QStringLiteral("Cost entered by"), this);
    frame->setObjectName(QStringLiteral("Frame3D1"));
    frame->setFont(dialogFont(true));
    frame->setGeometry(twipRect(3000, 720, 1575, 1095));
    m_hour = new QRadioButton(QStringLiteral("Hour"), frame);
    m_hour->setObjectName(QStringLiteral("PayTypeHour"));
    m_hour->setFont(dialogFont(false));
    m_hour->setGeometry(twipRect(120, 360, 975, 255));
    m_day = new QRadioButton(QStringLiteral("Day"), frame);
    m_day->setObjectName(QStringLiteral("PayTypeDay"));
    m_day->setFont(dialogFont(false));
    m_day->setGeometry(twipRect(120, 720, 975, 255));

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("Command2"));
    ok->setGeometry(twipRect(1920, 2040, 1215, 375));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("Command1"));
    cancel->setGeometry(twipRect(3360, 2040, 1215, 375));
    cancel->setAutoDefault(false);
    cancel->setProperty(LeaveFieldCheck::kSkipsChecksProperty, true);
    setTabOrder(m_cost, m_hour);
    setTabOrder(m_hour, m_day);
    setTabOrder(m_day, ok);
    setTabOrder(ok, cancel);

    // A refused cost is replaced by zero, shown in the field's own format.
    m_costCheck = new LeaveFieldCheck(m_cost, m_platform, checkCost);
    m_costCheck->setRestoreText(formatNumber(0, u"##0.00"));
    connect(m_cost, &QLineEdit::textEdited, this, [this] { m_state.schedule().setModified(); });
    connect(m_hour, &QRadioButton::clicked, this, [this] { m_state.schedule().setModified(); });
    connect(m_day, &QRadioButton::clicked, this, [this] { m_state.schedule().setModified(); });
    connect(ok, &QPushButton::clicked, this, &EditPay::onOk);
    connect(cancel, &QPushButton::clicked, this, &EditPay::reject);

    m_state.dialogCancelled = false;
    Placement::centreOver(this, parent);
}

bool EditPay::edit(ProgramState& state, Platform& platform, QWidget* parent, int entry) {
    if (entry < 1 || entry > EmployeeTable::kRows) {
        return false;
    }
    EditPay dialog(state, platform, parent);
    dialog.load(entry);
    dialog.exec();
    if (state.dialogCancelled) {
        return false;
    }
    EmployeeTable& table = state.schedule().employees();
    const auto at = static_cast<std::size_t>(entry - 1);
    table.payRate[at] = dialog.cost();
    table.payType[at] = dialog.daily() ? 1 : 0;
    return true;
}

void EditPay::load(int entry) {
    const EmployeeTable& table = m_state.schedule().employees();
    const auto at = static_cast<std::size_t>(entry - 1);
    m_name->setText(QLatin1Char(' ') + table.names[at]);
    m_position->setText(QLatin1Char(' ') + table.positions[at]);
    m_cost->setText(formatNumber(Currency::fromUnits(table.payRate[at]).toDouble(), u"##0.00"));
    (table.payType[at] == 1 ? m_day : m_hour)->setChecked(true);
    m_cost->setFocus();
}

std::int64_t EditPay::cost() const {
    return Currency::fromDouble(leadingNumber(m_cost->text())).units();
}

bool EditPay::daily() const {
    return m_day->isChecked();
}

void EditPay::onOk() {
    // The cost field's own check runs first, as when it is left.
    QApplication::processEvents();
    if (m_costCheck->refusedJustNow() || !m_costCheck->run()) {
        return;
    }
    m_state.dialogCancelled = false;
    accept();
}

void EditPay::reject() {
    QApplication::processEvents();
    m_state.dialogCancelled = true;
    QDialog::reject();
}

} // namespace kalmur
