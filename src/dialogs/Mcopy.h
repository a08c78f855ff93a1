#pragma once

#include "editor/CopyMultiple.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace kalmur {

class LeaveFieldCheck;
class Platform;

// "Copy Multiple": a start date, a pattern length, the employees and the
// destination dates, and the kinds of content to copy. Execute closes with the
// job; the caller copies.
class Mcopy : public QDialog {
    Q_OBJECT
public:
    Mcopy(const CopyMultipleSetup& setup, Platform& platform, QWidget* parent = nullptr);

    // What the window holds now: the start, length, selected rows and dates
    // and the check boxes.
    CopyMultipleJob job() const;
    // "&Execute": checks the start date and closes with the job.
    void execute();

private:
    void refillDestinations();
    void updateWeekday();
    void updateExecute();
    int patternDays() const;

    CopyMultipleSetup m_setup;
    Platform& m_platform;
    QDate m_start;
    QLineEdit* m_startDate = nullptr;
    LeaveFieldCheck* m_startCheck = nullptr;
    QLabel* m_weekday = nullptr;
    QLineEdit* m_days = nullptr;
    QListWidget* m_names = nullptr;
    QListWidget* m_destinations = nullptr;
    std::array<QCheckBox*, 5> m_kinds{};
    QCheckBox* m_overwrite = nullptr;
    QPushButton* m_execute = nullptr;
};

} // namespace kalmur
