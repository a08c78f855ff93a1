#pragma once

#include "CriteriaRules.h"

#include <QTabWidget>

class QCheckBox;
class QComboBox;
class QListWidget;

namespace kalmur {

// The tabs "Names", "Explanations" and "Shifts" that choose what a coverage
// line or a stored query looks for: an ignore box per tab, the position to
// check by, and lists with extended multiple selection. The rules are
// CriteriaRules; a dialog may add tabs of its own.
class CriteriaTabs : public QTabWidget {
    Q_OBJECT
public:
    explicit CriteriaTabs(QWidget* parent = nullptr);

    // Fills the lists and shows `state`.
    void load(const CriteriaRules::Lists& lists, const CriteriaRules::State& state);
    const CriteriaRules::Lists& lists() const { return m_lists; }
    // What the controls hold now.
    CriteriaRules::State state() const;
    // Every filter off and nothing selected, as "Remove" asks.
    void removeAll();

signals:
    // The user clicked one of the ignore boxes (after the tab was updated).
    void ignoreClicked();

private:
    QWidget* addPage(const QString& caption, const char* boxName, const QString& boxText,
                     QCheckBox*& box, QListWidget*& list, const char* listName, int listTop);
    void show(const CriteriaRules::State& state);
    void onIgnore(CriteriaRules::Tab tab);
    void onByPosition();

    CriteriaRules::Lists m_lists;
    QCheckBox* m_nameFilterOff = nullptr;
    QCheckBox* m_byPosition = nullptr;
    QComboBox* m_position = nullptr;
    QListWidget* m_employees = nullptr;
    QCheckBox* m_expFilterOff = nullptr;
    QListWidget* m_explanations = nullptr;
    QCheckBox* m_shiftFilterOff = nullptr;
    QListWidget* m_shifts = nullptr;
};

} // namespace kalmur
