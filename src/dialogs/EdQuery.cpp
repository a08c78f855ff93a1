#include "EdQuery.h"

#include "CriteriaTabs.h"
#include "QueryRules.h"
#include "SelectAllOnFocus.h"
#include "StorableTextValidator.h"
#include "files/ProgramState.h"
#include "platform/Placement.h"
#include "platform/Platform.h"
#include "platform/Twips.h"
#include "platform/WriteFailure.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

namespace kalmur {

namespace {

constexpr int kTitleLength = 20;
constexpr int kNoteLength = 60;

QPushButton* button(QWidget* parent, const char* name, const QString& text, int left) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(twipRect(left, 4080, 972, 372));
    b->setAutoDefault(false);
    return b;
}

// Puts `dialog` to the right of `owner`'s window, inside the screen.
void placeBeside(QWidget* dialog, const QWidget* owner) {
    if (!owner) {
        Placement::centreOnScreen(dialog);
        return;
    }
    const QRect beside(owner->window()->frameGeometry().topRight() + QPoint(1, 0), dialog->size());
    const QScreen* screen = owner->screen() ? owner->screen() : QGuiApplication::primaryScreen();
    dialog->move(screen ? Placement::centredOn(beside, dialog->size(), screen->availableGeometry())
                        : beside.topLeft());
}

} // namespace

EdQuery::EdQuery(ProgramState& state, Platform& platform, int number, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , m_state(state)
    , m_platform(platform)
    , m_number(std::clamp(number, 1, QueryRecord::kCount)) {
    build();
    placeBeside(this, parent);
    m_state.dialogCancelled = false;
    const Schedule& schedule = m_state.schedule();
    const QueryRecord query = schedule.readQuery(m_number).value_or(QueryRecord::undefined());
    m_title->setText(query.criteria.title.trimmed());
    m_searchNote->setText(query.noteText.trimmed());
    const CriteriaRules::Lists lists = CriteriaRules::lists(
        schedule.employees(), schedule.explanations(), m_state.schedule().shifts());
    m_tabs->load(lists,
                 CriteriaRules::fromLine(query.criteria, lists, schedule.settings().rowOrder));
    m_tabs->setCurrentIndex(m_tabs->count() - 1);
    m_searchNote->setFocus(Qt::OtherFocusReason);
}

void EdQuery::build() {
    setObjectName(QStringLiteral("EdQuery"));
    setWindowTitle(QStringLiteral("Edit Query"));
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
    auto* notes = new QWidget(m_tabs);
    auto* hint = new QLabel(
        QStringLiteral("Enter note text to search for.  Leave blank to ignore note searching."),
        notes);
    hint->setWordWrap(true);
    hint->setGeometry(twipRect(120, 240, 2940, 600));
    m_searchNote = new QLineEdit(notes);
    m_searchNote->setObjectName(QStringLiteral("SearchNote"));
    m_searchNote->setGeometry(twipRect(120, 960, 2940, 288));
    m_searchNote->setMaxLength(kNoteLength);
    m_searchNote->setValidator(new StorableTextValidator(m_searchNote));
    new SelectAllOnFocus(m_searchNote);
    m_tabs->addTab(notes, QStringLiteral("Notes"));

    auto* remove = button(this, "Remove", QStringLiteral("Remove"), 120);
    auto* ok = button(this, "OK", QStringLiteral("OK"), 1320);
    ok->setDefault(true);
    auto* cancel = button(this, "Cancel", QStringLiteral("Cancel"), 2400);
    connect(remove, &QPushButton::clicked, this, &EdQuery::onRemove);
    connect(ok, &QPushButton::clicked, this, &EdQuery::onOk);
    connect(cancel, &QPushButton::clicked, this, &EdQuery::reject);
    connect(m_tabs, &CriteriaTabs::ignoreClicked, this, &EdQuery::onIgnoreClicked);

    setTabOrder(m_title, m_tabs);
    setTabOrder(m_tabs, remove);
    setTabOrder(remove, ok);
    setTabOrder(ok, cancel);
}

void EdQuery::onIgnoreClicked() {
    m_title->setText(
        CriteriaRules::titleAfterIgnore(m_title->text(), QueryRules::defaultTitle(m_number)));
}

void EdQuery::onRemove() {
    m_tabs->removeAll();
    m_title->setText(QueryRules::defaultTitle(m_number));
}

void EdQuery::onOk() {
    Schedule& schedule = m_state.schedule();
    QueryRecord query = schedule.readQuery(m_number).value_or(QueryRecord::undefined());
    query.criteria = CriteriaRules::toLine(m_tabs->state(), m_tabs->lists(),
                                           schedule.settings().rowOrder, query.criteria);
    query.criteria.title = m_title->text().trimmed();
    query.noteText = m_searchNote->text();
    query = QueryRules::finished(query, m_number);
    if (!schedule.writeQuery(m_number, query)) {
        warnNotWritten(m_platform, this, QStringLiteral("The query"), schedule.errorString());
        return;
    }
    schedule.setModified();
    m_state.dialogCancelled = false;
    accept();
}

void EdQuery::reject() {
    m_state.dialogCancelled = true;
    QDialog::reject();
}

bool editQuery(ProgramState& state, Platform& platform, int number, QWidget* parent) {
    if (!state.isOpen() || number < 1 || number > QueryRecord::kCount) {
        return false;
    }
    EdQuery dialog(state, platform, number, parent);
    dialog.exec();
    return !state.dialogCancelled;
}

} // namespace kalmur
