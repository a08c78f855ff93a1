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

constexpr int kNoteLength = 60;

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
    : CriteriaDialog(state, platform, QStringLiteral("EdQuery"), QStringLiteral("Edit Query"),
                     parent)
    , m_number(std::clamp(number, 1, QueryRecord::kCount)) {
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

    placeBeside(this, parent);
    const QueryRecord query =
        m_state.schedule().readQuery(m_number).value_or(QueryRecord::undefined());
    m_searchNote->setText(query.noteText.trimmed());
    load(query.criteria);
    m_tabs->setCurrentIndex(m_tabs->count() - 1);
    m_searchNote->setFocus(Qt::OtherFocusReason);
}

QString EdQuery::defaultTitle() const {
    return QueryRules::defaultTitle(m_number);
}

void EdQuery::onOk() {
    Schedule& schedule = m_state.schedule();
    QueryRecord query = schedule.readQuery(m_number).value_or(QueryRecord::undefined());
    query.criteria = edited(query.criteria);
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
