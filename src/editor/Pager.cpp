#include "Pager.h"

#include "model/patterns/DateText.h"
#include "platform/Platform.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace kalmur {

Pager::Pager(const PagerRules& rules, QDate firstShown, Platform& platform, QWidget* parent)
    : QDialog(parent)
    , m_rules(rules)
    , m_firstShown(firstShown)
    , m_platform(platform) {
    setObjectName(QStringLiteral("Pager"));
    setWindowTitle(tr("Change Page"));
    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(tr("Start Date :"), this), 0, 0);
    m_text = new QLineEdit(this);
    m_text->setObjectName(QStringLiteral("Text1"));
    m_text->setMaxLength(20);
    m_lastGood = formatShortDate(firstShown);
    m_text->setText(m_lastGood);
    m_text->selectAll();
    grid->addWidget(m_text, 0, 1, 1, 2);
    struct Button {
        const char* name;
        const char* caption;
        PagerMove (PagerRules::*rule)(QDate) const;
        int row;
        int column;
    };
    const Button buttons[] = {
        {"WeekBack", "<< Week", &PagerRules::weekBack, 1, 0},
        {"WeekForward", "Week >>", &PagerRules::weekForward, 1, 2},
        {"MonthBack", "<< Month", &PagerRules::monthBack, 2, 0},
        {"MonthForward", "Month >>", &PagerRules::monthForward, 2, 2},
        {"PageBack", "<< Page", &PagerRules::pageBack, 3, 0},
        {"PageForward", "Page >>", &PagerRules::pageForward, 3, 2},
    };
    for (const Button& b : buttons) {
        auto* button = new QPushButton(QString::fromUtf8(b.caption), this);
        button->setObjectName(QLatin1String(b.name));
        button->setAutoDefault(false);
        grid->addWidget(button, b.row, b.column);
        connect(button, &QPushButton::clicked, this, [this, rule = b.rule] { move(rule); });
    }
    auto* okButton = new QPushButton(tr("OK"), this);
    okButton->setObjectName(QStringLiteral("Command1"));
    okButton->setDefault(true);
    auto* cancel = new QPushButton(tr("Cancel"), this);
    cancel->setObjectName(QStringLiteral("Command2"));
    grid->addWidget(okButton, 4, 0);
    grid->addWidget(cancel, 4, 2);
    connect(okButton, &QPushButton::clicked, this, &Pager::ok);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void Pager::move(PagerMove (PagerRules::*rule)(QDate) const) {
    const QDate from =
        readDate(m_text->text()).value_or(readDate(m_lastGood).value_or(m_firstShown));
    const PagerMove result = (m_rules.*rule)(from);
    if (result.clamped) {
        m_platform.beep();
    }
    m_lastGood = formatShortDate(result.date);
    m_text->setText(m_lastGood);
}

void Pager::ok() {
    const auto date = readDate(m_text->text());
    if (!date) {
        m_platform.warn(this, MessageRequest{QStringLiteral("The date entered ") + m_text->text() +
                                                 QStringLiteral(" is not a valid date."),
                                             QStringLiteral("Error"), MessageIcon::Exclamation,
                                             MessageButtons::Ok, std::nullopt});
        m_text->setText(m_lastGood);
        m_text->setFocus();
        return;
    }
    if (*date != m_firstShown) {
        const QDate start = m_rules.clampStart(*date);
        if (start != m_firstShown) {
            m_chosen = start;
        }
    }
    accept();
}

} // namespace kalmur
