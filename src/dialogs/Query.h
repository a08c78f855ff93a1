#pragma once

#include "editor/ScheduleDialogs.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace kalmur {

class LeaveFieldCheck;
class Platform;
class ProgramState;

// "Query": picks "[Notes]" or one of the ten saved queries and the days to
// run it over. "Edit..." edits the chosen saved query; "Run..." runs it and
// hands what it found on to be shown.
class Query : public QDialog {
    Q_OBJECT
public:
    Query(ProgramState& state, Platform& platform, ScheduleDialogs& dialogs, const DateRange& days,
          QWidget* parent = nullptr);

    // The entry chosen: 0 for "[Notes]", 1..10 for a saved query.
    int chosen() const;

private:
    void build();
    void onChosen();
    void onEdit();
    void onRun();

    ProgramState& m_state;
    Platform& m_platform;
    ScheduleDialogs& m_dialogs;

    QComboBox* m_queries = nullptr;
    QPushButton* m_edit = nullptr;
    QLineEdit* m_startDate = nullptr;
    QLineEdit* m_endDate = nullptr;
    LeaveFieldCheck* m_startCheck = nullptr;
    LeaveFieldCheck* m_endCheck = nullptr;
};

// Shows "Query" centred on the screen, opened on `days`.
void openQuery(ProgramState& state, Platform& platform, ScheduleDialogs& dialogs,
               const DateRange& days, QWidget* parent);

} // namespace kalmur
