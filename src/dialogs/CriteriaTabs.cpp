#include "CriteriaTabs.h"

#include "platform/Twips.h"

#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QSignalBlocker>

namespace kalmur {

namespace {

using CriteriaRules::Entry;
using CriteriaRules::State;
using CriteriaRules::Tab;

void fill(QListWidget* list, const QList<Entry>& entries) {
    const QSignalBlocker blocker(list);
    list->clear();
    for (const Entry& e : entries) {
        auto* item = new QListWidgetItem(e.text, list);
        item->setData(Qt::UserRole, e.number);
    }
}

void select(QListWidget* list, const std::set<int>& numbers) {
    const QSignalBlocker blocker(list);
    for (int i = 0; i < list->count(); ++i) {
        QListWidgetItem* item = list->item(i);
        item->setSelected(numbers.contains(item->data(Qt::UserRole).toInt()));
    }
}

std::set<int> selected(const QListWidget* list) {
    std::set<int> numbers;
    for (const QListWidgetItem* item : list->selectedItems()) {
        numbers.insert(item->data(Qt::UserRole).toInt());
    }
    return numbers;
}

void tick(QCheckBox* box, bool on) {
    const QSignalBlocker blocker(box);
    box->setChecked(on);
}

} // namespace

CriteriaTabs::CriteriaTabs(QWidget* parent)
    : QTabWidget(parent) {
    setObjectName(QStringLiteral("SSTab1"));
    QWidget* names =
        addPage(QStringLiteral("Names"), "NameFilterOff", QStringLiteral("Ignore Name checking"),
                m_nameFilterOff, m_employees, "List1", 840);
    m_byPosition = new QCheckBox(QStringLiteral("Check by Position:"), names);
    m_byPosition->setObjectName(QStringLiteral("ByPosition"));
    m_byPosition->setGeometry(twipRect(120, 450, 1800, 288));
    m_position = new QComboBox(names);
    m_position->setObjectName(QStringLiteral("Position"));
    m_position->setGeometry(twipRect(1920, 435, 1140, 315));
    addPage(QStringLiteral("Explanations"), "ExpFilterOff",
            QStringLiteral("Ignore Explanation checking"), m_expFilterOff, m_explanations, "List2",
            480);
    addPage(QStringLiteral("Shifts"), "ShiftFilterOff", QStringLiteral("Ignore Shift checking"),
            m_shiftFilterOff, m_shifts, "List3", 480);

    connect(m_nameFilterOff, &QCheckBox::clicked, this, [this] { onIgnore(Tab::Names); });
    connect(m_expFilterOff, &QCheckBox::clicked, this, [this] { onIgnore(Tab::Explanations); });
    connect(m_shiftFilterOff, &QCheckBox::clicked, this, [this] { onIgnore(Tab::Shifts); });
    connect(m_byPosition, &QCheckBox::clicked, this, &CriteriaTabs::onByPosition);
}

QWidget* CriteriaTabs::addPage(const QString& caption, const char* boxName, const QString& boxText,
                               QCheckBox*& box, QListWidget*& list, const char* listName,
                               int listTop) {
    auto* page = new QWidget(this);
    box = new QCheckBox(boxText, page);
    box->setObjectName(QString::fromLatin1(boxName));
    box->setGeometry(twipRect(120, 120, 2940, 288));
    list = new QListWidget(page);
    list->setObjectName(QString::fromLatin1(listName));
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setGeometry(twipRect(120, listTop, 2940, 2880 - listTop));
    addTab(page, caption);
    return page;
}

void CriteriaTabs::load(const CriteriaRules::Lists& lists, const State& state) {
    m_lists = lists;
    {
        const QSignalBlocker blocker(m_position);
        m_position->clear();
        m_position->addItems(m_lists.positions);
    }
    fill(m_employees, m_lists.employees);
    fill(m_explanations, m_lists.explanations);
    fill(m_shifts, m_lists.shifts);
    State settled = state;
    CriteriaRules::settle(settled);
    show(settled);
}

State CriteriaTabs::state() const {
    State s;
    s.ignoreNames = m_nameFilterOff->isChecked();
    s.ignoreExplanations = m_expFilterOff->isChecked();
    s.ignoreShifts = m_shiftFilterOff->isChecked();
    s.byPosition = m_byPosition->isChecked();
    s.position = std::max(0, m_position->currentIndex());
    s.employees = selected(m_employees);
    s.explanations = selected(m_explanations);
    s.shifts = selected(m_shifts);
    return s;
}

void CriteriaTabs::show(const State& s) {
    tick(m_nameFilterOff, s.ignoreNames);
    tick(m_expFilterOff, s.ignoreExplanations);
    tick(m_shiftFilterOff, s.ignoreShifts);
    tick(m_byPosition, s.byPosition);
    {
        const QSignalBlocker blocker(m_position);
        m_position->setCurrentIndex(s.position < m_position->count() ? s.position : 0);
    }
    select(m_employees, s.employees);
    select(m_explanations, s.explanations);
    select(m_shifts, s.shifts);
    const CriteriaRules::Enabled on = CriteriaRules::enabled(s);
    m_byPosition->setEnabled(on.byPosition);
    m_position->setEnabled(on.position);
    m_employees->setEnabled(on.employees);
    m_explanations->setEnabled(on.explanations);
    m_shifts->setEnabled(on.shifts);
}

void CriteriaTabs::onIgnore(Tab tab) {
    State s = state();
    CriteriaRules::ignoreClicked(s, tab);
    show(s);
    emit ignoreClicked();
}

void CriteriaTabs::onByPosition() {
    State s = state();
    CriteriaRules::byPositionClicked(s);
    show(s);
}

void CriteriaTabs::removeAll() {
    State s = state();
    CriteriaRules::remove(s);
    show(s);
}

} // namespace kalmur
