#include "CriteriaDialog.h"

#include "CriteriaRules.h"
#include "CriteriaTabs.h"
#include "SelectAllOnFocus.h"
#include "StorableTextValidator.h"
#include "files/ProgramState.h"
#include "platform/Platform.h"
#include "platform/Twips.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace kalmur {

namespace {

constexpr int kTitleLength = 20;

QPushButton* button(QWidget* parent, const char* name, const QString& text, int left) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(twipRect(left, 4080, 972, 372));
    b->setAutoDefault(false);
    return b;
}

} // namespace

CriteriaDialog::CriteriaDialog(ProgramState& state, Platform& platform, const QString& objectName,
                               const QString& caption, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , m_state(state)
    , m_platform(platform) {
    setObjectName(objectName);
    setWindowTitle(caption);
    setFont(dialogFont(true));
    setFixedSize(twips(3495), twips(4575));

    auto* label = new QLabel(QStringLiteral("Title:"), this);
    label->setObjectName(QStringLiteral("TitleLabel"));
    label->setGeometry(twipRect(120, 150, 600, 288));
    m_title = new QLineEdit(this);
    m_title->setObjectName(QStringLiteral("CoverageDesc"));
    m_title->setGeometry(twipRect(720, 150, 2655, 288));
    m_title->setMaxLength(kTitleLength);
    m_title->setValidator(new StorableTextValidator(m_title));
    new SelectAllOnFocus(m_title);
    label->setBuddy(m_title);

    m_tabs = new CriteriaTabs(this);
    m_tabs->setGeometry(twipRect(120, 600, 3255, 3375));
    m_tabs->setFont(dialogFont(false));

    auto* remove = button(this, "Remove", QStringLiteral("Remove"), 120);
    auto* ok = button(this, "OK", QStringLiteral("OK"), 1320);
    ok->setDefault(true);
    auto* cancel = button(this, "Cancel", QStringLiteral("Cancel"), 2400);
    connect(remove, &QPushButton::clicked, this, &CriteriaDialog::onRemove);
    connect(ok, &QPushButton::clicked, this, [this] { onOk(); });
    connect(cancel, &QPushButton::clicked, this, &CriteriaDialog::reject);
    connect(m_tabs, &CriteriaTabs::ignoreClicked, this, &CriteriaDialog::onIgnoreClicked);

    setTabOrder(m_title, m_tabs);
    setTabOrder(m_tabs, remove);
    setTabOrder(remove, ok);
    setTabOrder(ok, cancel);
    m_state.dialogCancelled = false;
}

void CriteriaDialog::load(const CoverageLine& criteria) {
    const Schedule& schedule = m_state.schedule();
    m_title->setText(criteria.title.trimmed());
    const CriteriaRules::Lists lists = CriteriaRules::lists(
        schedule.employees(), schedule.explanations(), m_state.schedule().shifts());
    m_tabs->load(lists, CriteriaRules::fromLine(criteria, lists, schedule.settings().rowOrder));
}

CoverageLine CriteriaDialog::edited(const CoverageLine& stored) const {
    CoverageLine line = CriteriaRules::toLine(m_tabs->state(), m_tabs->lists(),
                                              m_state.schedule().settings().rowOrder, stored);
    line.title = m_title->text().trimmed();
    return line;
}

void CriteriaDialog::onIgnoreClicked() {
    m_title->setText(CriteriaRules::titleAfterIgnore(m_title->text(), defaultTitle()));
}

void CriteriaDialog::onRemove() {
    m_tabs->removeAll();
    m_title->setText(defaultTitle());
}

} // namespace kalmur
