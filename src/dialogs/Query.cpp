#include "Query.h"

#include "QueryRules.h"
#include "files/ProgramState.h"
#include "model/patterns/DateText.h"
#include "platform/LeaveFieldCheck.h"
#include "platform/Placement.h"
#include "platform/Platform.h"
#include "platform/Twips.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace kalmur {

namespace {

constexpr int kDateLength = 10;

QPushButton* button(QWidget* parent, const char* name, const QString& text, QRect geometry) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(geometry);
    b->setAutoDefault(false);
    return b;
}

QLineEdit* dateBox(QWidget* parent, const char* name, int left) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometry(twipRect(left, 1080, 1212, 288));
    box->setMaxLength(kDateLength);
    return box;
}

QLabel* label(QWidget* parent, const QString& text, QRect geometry) {
    auto* l = new QLabel(text, parent);
    l->setGeometry(geometry);
    return l;
}

} // namespace

Query::Query(ProgramState& state, Platform& platform, ScheduleDialogs& dialogs,
             const DateRange& days, QWidget* parent)
    : QDialog(parent)
    , m_state(state)
    , m_platform(platform)
    , m_dialogs(dialogs) {
    build();
    const Schedule& schedule = m_state.schedule();
    std::array<QString, QueryRecord::kCount> titles;
    for (int n = 1; n <= QueryRecord::kCount; ++n) {
        titles[static_cast<std::size_t>(n - 1)] =
            schedule.readQuery(n).value_or(QueryRecord::undefined()).criteria.title;
    }
    m_queries->addItems(QueryRules::entries(titles));
    m_queries->setCurrentIndex(0);
    onChosen();
    m_startDate->setText(formatShortDate(days.start));
    m_endDate->setText(formatShortDate(days.end));
    Placement::centreOnScreen(this);
}

void Query::build() {
    setObjectName(QStringLiteral("Query"));
    setWindowTitle(QStringLiteral("Query"));
    setFont(dialogFont(true));
    setFixedSize(twips(3735), twips(2535));

    label(this, QStringLiteral("Query Name"), twipRect(120, 120, 2295, 240));
    m_queries = new QComboBox(this);
    m_queries->setObjectName(QStringLiteral("Combo1"));
    m_queries->setGeometry(twipRect(120, 360, 2295, 300));
    m_edit = button(this, "Edit", QStringLiteral("Edit..."), twipRect(2520, 360, 1095, 300));

    label(this, QStringLiteral("Start Date"), twipRect(600, 840, 1212, 240));
    label(this, QStringLiteral("End Date"), twipRect(1920, 840, 1212, 240));
    m_startDate = dateBox(this, "StartDate", 600);
    m_endDate = dateBox(this, "EndDate", 1920);
    auto* bof = button(this, "BOF", QStringLiteral("BOF"), twipRect(600, 1440, 495, 300));
    auto* eof = button(this, "EOF", QStringLiteral("EOF"), twipRect(2640, 1440, 495, 300));
    auto* run = button(this, "Run", QStringLiteral("Run..."), twipRect(840, 2040, 1095, 375));
    run->setDefault(true);
    auto* close = button(this, "Close", QStringLiteral("Close"), twipRect(2040, 2040, 1095, 375));
    close->setProperty(LeaveFieldCheck::kSkipsChecksProperty, true);

    const Schedule& schedule = m_state.schedule();
    const QDate first = schedule.startDate();
    const QDate last = schedule.endDate();
    m_startCheck = new LeaveFieldCheck(m_startDate, m_platform, [first, last](const QString& t) {
        return QueryRules::dateField(QueryRules::DateField::Start, t, first, last);
    });
    m_endCheck = new LeaveFieldCheck(m_endDate, m_platform, [first, last](const QString& t) {
        return QueryRules::dateField(QueryRules::DateField::End, t, first, last);
    });

    connect(m_queries, &QComboBox::currentIndexChanged, this, &Query::onChosen);
    connect(m_edit, &QPushButton::clicked, this, &Query::onEdit);
    connect(bof, &QPushButton::clicked, this,
            [this, first] { m_startDate->setText(formatShortDate(first)); });
    connect(eof, &QPushButton::clicked, this,
            [this, last] { m_endDate->setText(formatShortDate(last)); });
    connect(run, &QPushButton::clicked, this, &Query::onRun);
    connect(close, &QPushButton::clicked, this, &Query::accept);

    setTabOrder(m_queries, m_edit);
    setTabOrder(m_edit, m_startDate);
    setTabOrder(m_startDate, m_endDate);
    setTabOrder(m_endDate, bof);
    setTabOrder(bof, eof);
    setTabOrder(eof, run);
    setTabOrder(run, close);
}

int Query::chosen() const {
    return std::max(m_queries->currentIndex(), 0);
}

void Query::onChosen() {
    m_edit->setEnabled(chosen() != QueryRun::kNotes);
}

void Query::onEdit() {
    const int number = chosen();
    if (number == QueryRun::kNotes) {
        return;
    }
    m_dialogs.editQuery(this, m_state, number);
    // The title may have changed, or the query gone back to "undefined".
    const auto query = m_state.schedule().readQuery(number);
    m_queries->setItemText(number,
                           QueryRules::entry(number, query ? query->criteria.title : QString()));
}

void Query::onRun() {
    // Clicking Run to leave a refused field does not run.
    if (m_startCheck->refusedJustNow() || m_endCheck->refusedJustNow()) {
        return;
    }
    m_platform.processEvents();
    // A field being typed in has not been left when Run is chosen by a key.
    if (!m_startCheck->run() || !m_endCheck->run()) {
        return;
    }
    const auto start = readDate(m_startDate->text());
    const auto end = readDate(m_endDate->text());
    if (!start || !end) {
        return; // both fields were just accepted, so this cannot happen
    }
    if (const auto refusal = QueryRules::runRefusal(*start, *end)) {
        m_platform.warn(this, *refusal);
        m_endDate->setText(m_endCheck->restoreText());
        m_endDate->setFocus();
        m_endDate->selectAll();
        return;
    }
    const Schedule& schedule = m_state.schedule();
    m_state.dialogCancelled = false;
    std::optional<QueryRun::Result> result;
    {
        const BusyCursor busy(m_platform);
        result =
            QueryRun::run(schedule, chosen(), schedule.dayOfDate(*start), schedule.dayOfDate(*end));
    }
    if (!result) {
        m_platform.warn(this, {QStringLiteral("The query could not be run (") +
                                   schedule.errorString() + QStringLiteral(")."),
                               QStringLiteral("Error"), MessageIcon::Stop, MessageButtons::Ok,
                               std::nullopt});
        return;
    }
    m_dialogs.queryFound(this, m_state, *result);
}

void openQuery(ProgramState& state, Platform& platform, ScheduleDialogs& dialogs,
               const DateRange& days, QWidget* parent) {
    if (!state.isOpen()) {
        return;
    }
    Query dialog(state, platform, dialogs, days, parent);
    dialog.exec();
}

} // namespace kalmur
