#include "Cover2.h"

#include "CriteriaTabs.h"
#include "SelectAllOnFocus.h"
#include "StorableTextValidator.h"
#include "files/ProgramState.h"
#include "platform/Placement.h"
#include "platform/Platform.h"
#include "platform/Twips.h"
#include "platform/WriteFailure.h"

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

QString Cover2::defaultTitle(int line) {
    return QStringLiteral("C%1").arg(line);
}

Cover2::Cover2(ProgramState& state, Platform& platform, int line, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , m_state(state)
    , m_platform(platform)
    , m_line(std::clamp(line, 1, ViewFormat::kCoverageLines)) {
    build();
    Placement::centreOver(this, parent);
    m_state.dialogCancelled = false;
    const Schedule& schedule = m_state.schedule();
    m_backup = schedule.viewFormat();
    const CoverageLine& current =
        schedule.viewFormat().coverageLines[static_cast<std::size_t>(m_line - 1)];
    m_title->setText(current.title.trimmed());
    const CriteriaRules::Lists lists = CriteriaRules::lists(
        schedule.employees(), schedule.explanations(), m_state.schedule().shifts());
    m_tabs->load(lists, CriteriaRules::fromLine(current, lists, schedule.settings().rowOrder));
    m_title->setFocus(Qt::OtherFocusReason);
}

void Cover2::build() {
    setObjectName(QStringLiteral("Cover2"));
    setWindowTitle(QStringLiteral("CoverageWatch"));
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
    connect(remove, &QPushButton::clicked, this, &Cover2::onRemove);
    connect(ok, &QPushButton::clicked, this, &Cover2::onOk);
    connect(cancel, &QPushButton::clicked, this, &Cover2::reject);
    connect(m_tabs, &CriteriaTabs::ignoreClicked, this, &Cover2::onIgnoreClicked);

    setTabOrder(m_title, m_tabs);
    setTabOrder(m_tabs, remove);
    setTabOrder(remove, ok);
    setTabOrder(ok, cancel);
}

void Cover2::onIgnoreClicked() {
    m_title->setText(CriteriaRules::titleAfterIgnore(m_title->text(), defaultTitle(m_line)));
}

void Cover2::onRemove() {
    m_tabs->removeAll();
    m_title->setText(defaultTitle(m_line));
}

void Cover2::onOk() {
    Schedule& schedule = m_state.schedule();
    CoverageLine& line = schedule.viewFormat().coverageLines[static_cast<std::size_t>(m_line - 1)];
    line =
        CriteriaRules::toLine(m_tabs->state(), m_tabs->lists(), schedule.settings().rowOrder, line);
    line.title = m_title->text().trimmed();
    schedule.setModified();
    if (!schedule.writeCurrentViewFormat()) {
        // Memory keeps matching the file: the line stays as it was.
        schedule.viewFormat() = m_backup;
        warnNotWritten(m_platform, this, QStringLiteral("The coverage line"),
                       schedule.errorString());
        return;
    }
    m_state.dialogCancelled = false;
    accept();
}

void Cover2::reject() {
    m_state.schedule().viewFormat() = m_backup;
    m_state.dialogCancelled = true;
    QDialog::reject();
}

bool editCoverageLine(ProgramState& state, Platform& platform, int line, QWidget* parent) {
    if (!state.isOpen() || line < 1 || line > ViewFormat::kCoverageLines) {
        return false;
    }
    Cover2 dialog(state, platform, line, parent);
    dialog.exec();
    return !state.dialogCancelled;
}

} // namespace kalmur
