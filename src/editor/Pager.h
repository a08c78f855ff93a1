#pragma once

#include "PagerRules.h"

#include <QDialog>

#include <optional>

class QLineEdit;

namespace kalmur {

class Platform;

// "Change Page": moves the first visible day by weeks, months or pages, or to
// a typed date.
class Pager : public QDialog {
    Q_OBJECT
public:
    Pager(const PagerRules& rules, QDate firstShown, Platform& platform, QWidget* parent = nullptr);

    // The new first visible date after OK, or nothing (Cancel, or the same date).
    std::optional<QDate> chosen() const { return m_chosen; }

    // The commands, as the buttons run them.
    void move(PagerMove (PagerRules::*rule)(QDate) const);
    void ok();

private:
    PagerRules m_rules;
    QDate m_firstShown;
    Platform& m_platform;
    QLineEdit* m_text = nullptr;
    QString m_lastGood;
    std::optional<QDate> m_chosen;
};

} // namespace kalmur
