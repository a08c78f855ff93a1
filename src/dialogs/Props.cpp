#include "Props.h"

#include "PropertiesRules.h"
#include "StorableTextValidator.h"
#include "files/ProgramState.h"
#include "model/codec/OleDate.h"
#include "model/patterns/DateText.h"
#include "platform/LeaveFieldCheck.h"
#include "platform/Placement.h"
#include "platform/Platform.h"
#include "platform/Twips.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace kalmur {

namespace {

QString shownDate(double oleDate) {
    const auto date = OleDate::toDate(oleDate);
    return date ? formatShortDate(*date) : QString();
}

QLabel* fieldLabel(QWidget* parent, const QString& text, QWidget* buddy, int top) {
    auto* label = new QLabel(text, parent);
    label->setGeometry(twipRect(0, top, 1650, 288));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setBuddy(buddy);
    return label;
}

} // namespace

Props::Props(ProgramState& state, Platform& platform, bool newSchedule, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , m_state(state)
    , m_platform(platform)
    , m_newSchedule(newSchedule) {
    build();
    load();
    Placement::centreOver(this, parent);
}

void Props::build() {
    setObjectName(QStringLiteral("Props"));
    setFont(dialogFont(true));
    setFixedSize(twips(7305), twips(2160));

    m_startDate = new QLineEdit(this);
    m_startDate->setObjectName(QStringLiteral("StartDate"));
    m_startDate->setGeometry(twipRect(1680, 120, 1092, 288));
    m_startDate->setMaxLength(20);
    m_endDate = new QLineEdit(this);
    m_endDate->setObjectName(QStringLiteral("EndDate"));
    m_endDate->setGeometry(twipRect(1680, 600, 1092, 288));
    m_endDate->setMaxLength(20);
    m_password = new QLineEdit(this);
    m_password->setObjectName(QStringLiteral("PassWord"));
    m_password->setGeometry(twipRect(1680, 1080, 1332, 288));
    m_password->setMaxLength(PropertiesRules::kPasswordLength);
    m_password->setValidator(new StorableTextValidator(m_password));
    fieldLabel(this, QStringLiteral("File Sta&rting Date :"), m_startDate, 120);
    fieldLabel(this, QStringLiteral("File &Ending Date :"), m_endDate, 600);
    fieldLabel(this, QStringLiteral("Access &Password :"), m_password, 1080);

    auto* frame = new QGroupBox(QStringLiteral("Beginning day of week"), this);
    frame->setObjectName(QStringLiteral("Frame1"));
    frame->setGeometry(twipRect(3240, 120, 3972, 1452));
    static const std::array<const char*, 7> names{"&Sunday",   "&Monday", "&Tuesday", "&Wednesday",
                                                  "T&hursday", "&Friday", "S&aturday"};
    static const std::array<int, 3> columns{120, 1560, 2880};
    m_days = new QButtonGroup(this);
    for (int i = 0; i < 7; ++i) {
        auto* option = new QRadioButton(QString::fromLatin1(names[i]), frame);
        // One name for the row of options, as for the other control arrays.
        option->setObjectName(QStringLiteral("Option1"));
        option->setProperty("index", i);
        option->setGeometry(
            twipRect(columns[i % 3], 360 + 360 * (i / 3), i % 3 == 2 ? 1032 : 1400, 288));
        m_days->addButton(option, i);
        m_options[i] = option;
    }

    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName(QStringLiteral("ButtonOK"));
    m_ok->setGeometry(twipRect(4920, 1680, 1092, 372));
    m_cancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_cancel->setObjectName(QStringLiteral("ButtonCancel"));
    m_cancel->setGeometry(twipRect(6120, 1680, 1092, 372));
    m_cancel->setProperty(LeaveFieldCheck::kSkipsChecksProperty, true);
    connect(m_ok, &QPushButton::clicked, this, &Props::onOk);
    connect(m_cancel, &QPushButton::clicked, this, &Props::reject);

    setTabOrder(m_startDate, m_endDate);
    setTabOrder(m_endDate, m_password);
    QWidget* previous = m_password;
    for (QRadioButton* option : m_options) {
        setTabOrder(previous, option);
        previous = option;
    }
    setTabOrder(previous, m_ok);
    setTabOrder(m_ok, m_cancel);

    m_startCheck = new LeaveFieldCheck(m_startDate, m_platform, [](const QString& text) {
        return PropertiesRules::dateField(text);
    });
    m_endCheck = new LeaveFieldCheck(m_endDate, m_platform, [](const QString& text) {
        return PropertiesRules::dateField(text);
    });
    m_passwordCheck = new LeaveFieldCheck(m_password, m_platform, [](const QString& text) {
        return FieldVerdict::accept(PropertiesRules::storedPassword(text));
    });
}

void Props::load() {
    setWindowTitle(QStringLiteral("Set File Properties [ ") + m_state.displayName() +
                   QStringLiteral(" ]"));
    m_state.dialogCancelled = false;
    const ScheduleSettings& settings = m_state.schedule().settings();
    m_weekDay = settings.weekStart >= 1 && settings.weekStart <= 7 ? settings.weekStart : 1;
    m_options[static_cast<std::size_t>(m_weekDay - 1)]->setChecked(true);
    m_password->setText(settings.password.trimmed());
    m_startDate->setText(shownDate(settings.startDate));
    m_endDate->setText(shownDate(settings.endDate));
    // A refused date puts back what was shown when the dialog opened.
    m_startCheck->setRestoreText(m_startDate->text());
    m_endCheck->setRestoreText(m_endDate->text());

    connect(m_days, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked) {
            m_weekDay = id + 1;
            m_state.schedule().setModified();
        }
    });
    m_startDate->setFocus();
    m_startDate->selectAll();
}

void Props::onOk() {
    // Clicking OK to leave a refused field does not close the dialog.
    if (m_startCheck->refusedJustNow() || m_endCheck->refusedJustNow()) {
        return;
    }
    m_platform.processEvents();
    // The field being typed in has not been left when OK is chosen by a key.
    m_passwordCheck->run();
    if (!m_startCheck->run() || !m_endCheck->run()) {
        return;
    }
    const auto start = readDate(m_startDate->text());
    const auto end = readDate(m_endDate->text());
    if (!start || !end) {
        return; // both fields were just accepted, so this cannot happen
    }
    if (const auto refusal = PropertiesRules::rangeRefusal(*start, *end)) {
        m_platform.warn(this, *refusal);
        m_endDate->setFocus();
        m_endDate->selectAll();
        return;
    }
    Schedule& schedule = m_state.schedule();
    ScheduleSettings& settings = schedule.settings();
    const DateRange chosen{*start, *end};
    if (!m_newSchedule) {
        const auto oldStart = OleDate::toDate(settings.startDate);
        const auto oldEnd = OleDate::toDate(settings.endDate);
        if (oldStart && oldEnd && (chosen.start != *oldStart || chosen.end != *oldEnd)) {
            const QString dropped = PropertiesRules::droppedDays({*oldStart, *oldEnd}, chosen);
            if (!dropped.isEmpty() && m_platform.warn(this, PropertiesRules::removalQuestion(
                                                                dropped)) != MessageAnswer::Ok) {
                m_startDate->setFocus();
                m_startDate->selectAll();
                return;
            }
        }
    }
    settings.weekStart = static_cast<std::int16_t>(m_weekDay);
    const QString password = PropertiesRules::storedPassword(m_password->text());
    if (!m_newSchedule && password.trimmed() != settings.password.trimmed()) {
        // Kept only when the schedule is saved, so closing must offer that.
        schedule.setModified();
    }
    settings.password = password;
    m_range = chosen;
    m_state.dialogCancelled = false;
    accept();
}

void Props::reject() {
    m_state.dialogCancelled = true;
    m_range.reset();
    QDialog::reject();
}

} // namespace kalmur
