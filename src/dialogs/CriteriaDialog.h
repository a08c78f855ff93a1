#pragma once

#include "model/records/ViewFormat.h"

#include <QDialog>

class QLineEdit;

namespace kalmur {

class CriteriaTabs;
class Platform;
class ProgramState;
class Schedule;

// The frame shared by the windows that edit one set of criteria (a coverage
// line, a saved query): the title box, the criteria tabs and the Remove, OK
// and Cancel buttons. The window supplies the default title and what OK
// stores; Remove switches every filter off and the title back to the default.
class CriteriaDialog : public QDialog {
    Q_OBJECT
protected:
    CriteriaDialog(ProgramState& state, Platform& platform, const QString& objectName,
                   const QString& caption, QWidget* parent);

    // Fills the title and the tabs from stored criteria.
    void load(const CoverageLine& criteria);
    // The criteria the tabs show, on top of `stored`, with the title typed.
    CoverageLine edited(const CoverageLine& stored) const;

    virtual QString defaultTitle() const = 0;
    virtual void onOk() = 0;

    ProgramState& m_state;
    Platform& m_platform;
    QLineEdit* m_title = nullptr;
    CriteriaTabs* m_tabs = nullptr;

private:
    void onIgnoreClicked();
    void onRemove();
};

} // namespace kalmur
