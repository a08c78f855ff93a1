#include "Cover2.h"

#include "files/ProgramState.h"
#include "platform/Placement.h"
#include "platform/WriteFailure.h"

#include <QLineEdit>

#include <algorithm>

namespace kalmur {

QString Cover2::defaultTitle(int line) {
    return QStringLiteral("C%1").arg(line);
}

Cover2::Cover2(ProgramState& state, Platform& platform, int line, QWidget* parent)
    : CriteriaDialog(state, platform, QStringLiteral("Cover2"), QStringLiteral("CoverageWatch"),
                     parent)
    , m_line(std::clamp(line, 1, ViewFormat::kCoverageLines)) {
    Placement::centreOver(this, parent);
    m_backup = m_state.schedule().viewFormat();
    load(m_backup.coverageLines[static_cast<std::size_t>(m_line - 1)]);
    m_title->setFocus(Qt::OtherFocusReason);
}

void Cover2::onOk() {
    Schedule& schedule = m_state.schedule();
    CoverageLine& line = schedule.viewFormat().coverageLines[static_cast<std::size_t>(m_line - 1)];
    line = edited(line);
    schedule.setModified();
    if (!schedule.writeCurrentViewFormat()) {
        // Memory keeps matching the file: the line stays as it was.
        schedule.viewFormat() = m_backup;
        warnNotWritten(m_platform, this, QStringLiteral("The coverage line"),
                       schedule.errorString());
        return;
    }
    m_state.dialogCancelled = false;
    accept();
}

void Cover2::reject() {
    m_state.schedule().viewFormat() = m_backup;
    m_state.dialogCancelled = true;
    QDialog::reject();
}

bool editCoverageLine(ProgramState& state, Platform& platform, int line, QWidget* parent) {
    if (!state.isOpen() || line < 1 || line > ViewFormat::kCoverageLines) {
        return false;
    }
    Cover2 dialog(state, platform, line, parent);
    dialog.exec();
    return !state.dialogCancelled;
}

} // namespace kalmur
