#pragma once

#include "files/ScheduleLocation.h"
#include "files/conversion/OldScheduleConversion.h"

#include <QDialog>

#include <optional>

class QLabel;
class QProgressBar;
class QPushButton;

namespace kalmur {

class Platform;
class ProgramState;

// "Convert NAME.SCH": turns a schedule of the previous format into a schedule
// archive of the same name beside it, showing each step and its progress.
// It clears the dialog-cancelled flag when it opens and sets it on Cancel and
// on every failure; when the flag is clear afterwards, archiveLocation() holds
// the converted schedule, ready to be opened. The open schedule (its working
// files and, unless it is the archive being replaced, its archive) is left as
// it was in every case.
class Convert : public QDialog {
    Q_OBJECT
public:
    Convert(ProgramState& state, Platform& platform, const QString& oldSchedulePath,
            QWidget* parent = nullptr);

    // Shows the dialog for the old ".SCH" file at `oldSchedulePath`: the
    // location of the new archive once converted, nothing when cancelled or
    // failed.
    static std::optional<ScheduleLocation> convert(ProgramState& state, Platform& platform,
                                                   const QString& oldSchedulePath,
                                                   QWidget* parent = nullptr);

    ScheduleLocation archiveLocation() const { return m_conversion.archiveLocation(); }

    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void build();
    void onOk();
    // Checks before anything is written; false when the dialog must close.
    bool confirm();
    bool refuse(OldScheduleConversion::Verdict verdict);
    void showStep(const QString& step, int percent);
    void failed();
    // The open schedule's own archive is let go while it is being replaced.
    void releaseIfReplaced();

    ProgramState& m_state;
    Platform& m_platform;
    OldScheduleConversion m_conversion;
    bool m_running = false;
    bool m_released = false;

    QLabel* m_label = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
    QWidget* m_progress = nullptr;
    QLabel* m_panel = nullptr;
    QProgressBar* m_done = nullptr;
};

} // namespace kalmur
