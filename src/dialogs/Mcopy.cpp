#include "Mcopy.h"

#include "model/patterns/DateText.h"
#include "platform/LeaveFieldCheck.h"
#include "platform/Platform.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace kalmur {

namespace {

constexpr std::array<const char*, 5> kKindCaptions{"Shifts", "Time Off", "Explanations", "Notes",
                                                   "On Call"};

QLabel* caption(const QString& text, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

} // namespace

Mcopy::Mcopy(const CopyMultipleSetup& setup, Platform& platform, QWidget* parent)
    : QDialog(parent)
    , m_setup(setup)
    , m_platform(platform)
    , m_start(setup.start) {
    setObjectName(QStringLiteral("Mcopy"));
    setWindowTitle(QStringLiteral("Copy Multiple"));
    auto* grid = new QGridLayout(this);

    m_startDate = new QLineEdit(formatShortDate(m_start), this);
    m_startDate->setObjectName(QStringLiteral("StartDate"));
    m_startDate->setMaxLength(20);
    grid->addWidget(caption(QStringLiteral("&Starting Date :"), m_startDate, this), 0, 0);
    grid->addWidget(m_startDate, 0, 1);
    m_weekday = new QLabel(this);
    m_weekday->setObjectName(QStringLiteral("Label5"));
    grid->addWidget(m_weekday, 0, 2);
    m_days = new QLineEdit(QString::number(std::clamp(setup.days, 1, 99)), this);
    m_days->setObjectName(QStringLiteral("NumWeeks"));
    m_days->setMaxLength(2);
    m_days->setValidator(new QIntValidator(0, 99, m_days));
    grid->addWidget(caption(QStringLiteral("Number of &Days :"), m_days, this), 1, 0);
    grid->addWidget(m_days, 1, 1);

    m_names = new QListWidget(this);
    m_names->setObjectName(QStringLiteral("List1"));
    m_names->setSelectionMode(QAbstractItemView::MultiSelection);
    for (const CopyMultipleName& name : setup.names) {
        auto* item = new QListWidgetItem(name.text, m_names);
        item->setData(Qt::UserRole, name.row);
    }
    grid->addWidget(caption(QStringLiteral("&Names:"), m_names, this), 2, 0);
    grid->addWidget(m_names, 3, 0, 4, 2);
    m_destinations = new QListWidget(this);
    m_destinations->setObjectName(QStringLiteral("DestList"));
    m_destinations->setSelectionMode(QAbstractItemView::MultiSelection);
    grid->addWidget(caption(QStringLiteral("Des&tination(s):"), m_destinations, this), 2, 2);
    grid->addWidget(m_destinations, 3, 2, 4, 1);

    auto* frame = new QGroupBox(QStringLiteral("C&opy"), this);
    frame->setObjectName(QStringLiteral("Frame1"));
    auto* kinds = new QVBoxLayout(frame);
    const PasteOptions::Flags flags = setup.options.flags();
    for (std::size_t i = 0; i < m_kinds.size(); ++i) {
        auto* box = new QCheckBox(QString::fromLatin1(kKindCaptions[i]), frame);
        box->setObjectName(QStringLiteral("Check2"));
        box->setProperty("index", static_cast<int>(i));
        box->setChecked(flags[i]);
        kinds->addWidget(box);
        m_kinds[i] = box;
    }
    grid->addWidget(frame, 3, 3);
    m_overwrite = new QCheckBox(QStringLiteral("&Overwrite?"), this);
    m_overwrite->setObjectName(QStringLiteral("Check3"));
    m_overwrite->setChecked(setup.options.overwrite);
    grid->addWidget(m_overwrite, 4, 3);

    auto* selectAll = new QPushButton(QStringLiteral("Select &All"), this);
    selectAll->setObjectName(QStringLiteral("Command1"));
    auto* clearAll = new QPushButton(QStringLiteral("C&lear All"), this);
    clearAll->setObjectName(QStringLiteral("Command2"));
    m_execute = new QPushButton(QStringLiteral("&Execute"), this);
    m_execute->setObjectName(QStringLiteral("Command3"));
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("Command4"));
    cancel->setProperty(LeaveFieldCheck::kSkipsChecksProperty, true);
    grid->addWidget(selectAll, 7, 0);
    grid->addWidget(clearAll, 7, 1);
    grid->addWidget(m_execute, 5, 3);
    grid->addWidget(cancel, 6, 3);
    for (QPushButton* button : {selectAll, clearAll, m_execute, cancel}) {
        button->setAutoDefault(false);
    }

    m_startCheck = new LeaveFieldCheck(m_startDate, platform, [this](const QString& text) {
        const QString refusal = CopyMultiple::startDateRefusal(text, m_setup.fileStart);
        if (!refusal.isEmpty()) {
            return FieldVerdict::refuse({refusal, QStringLiteral("Error"), MessageIcon::Exclamation,
                                         MessageButtons::Ok, std::nullopt});
        }
        const QDate date = *readDate(text);
        if (date != m_start) {
            m_start = date;
            refillDestinations();
        }
        return FieldVerdict::accept(formatShortDate(date));
    });
    connect(m_startDate, &QLineEdit::textChanged, this, &Mcopy::updateWeekday);
    connect(m_days, &QLineEdit::textChanged, this, &Mcopy::refillDestinations);
    connect(m_names, &QListWidget::itemSelectionChanged, this, &Mcopy::updateExecute);
    connect(m_destinations, &QListWidget::itemSelectionChanged, this, &Mcopy::updateExecute);
    connect(selectAll, &QPushButton::clicked, m_names, &QListWidget::selectAll);
    connect(clearAll, &QPushButton::clicked, m_names, &QListWidget::clearSelection);
    connect(m_execute, &QPushButton::clicked, this, &Mcopy::execute);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    updateWeekday();
    refillDestinations();
}

int Mcopy::patternDays() const {
    return m_days->text().toInt();
}

void Mcopy::refillDestinations() {
    m_destinations->clear();
    for (const QDate& d : CopyMultiple::destinations(m_start, patternDays(), m_setup.fileEnd)) {
        auto* item = new QListWidgetItem(formatShortDate(d), m_destinations);
        item->setData(Qt::UserRole, d);
    }
    updateExecute();
}

void Mcopy::updateWeekday() {
    const auto date = readDate(m_startDate->text());
    m_weekday->setText(date ? weekdayName(date->dayOfWeek(), NameLength::Full) : QString());
}

void Mcopy::updateExecute() {
    m_execute->setEnabled(!m_names->selectedItems().isEmpty() &&
                          !m_destinations->selectedItems().isEmpty());
}

CopyMultipleJob Mcopy::job() const {
    CopyMultipleJob job;
    job.start = m_start;
    job.days = patternDays();
    for (int i = 0; i < m_names->count(); ++i) {
        if (m_names->item(i)->isSelected()) {
            job.rows.append(m_names->item(i)->data(Qt::UserRole).toInt());
        }
    }
    for (int i = 0; i < m_destinations->count(); ++i) {
        if (m_destinations->item(i)->isSelected()) {
            job.destinations.append(m_destinations->item(i)->data(Qt::UserRole).toDate());
        }
    }
    PasteOptions::Flags flags{};
    for (std::size_t i = 0; i < m_kinds.size(); ++i) {
        flags[i] = m_kinds[i]->isChecked();
    }
    flags[5] = m_overwrite->isChecked();
    job.options = PasteOptions::fromFlags(flags);
    return job;
}

void Mcopy::execute() {
    // A start date still being typed is checked first; a refused one keeps the
    // window open. A changed date refills the destinations and so clears them.
    if (m_startCheck->refusedJustNow() || !m_startCheck->run() || !m_execute->isEnabled()) {
        return;
    }
    accept();
}

} // namespace kalmur
