#pragma once

#include "reports/ScheduleReportPrinter.h"

#include <QFrame>

class QProgressBar;

namespace kalmur {

class Platform;
class ReportOutput;

// The "Printing Report" panel of the report windows: the share printed and
// "Abort", and the hooks a run reports through. Hidden except while printing.
class ReportProgress : public QFrame {
    Q_OBJECT
public:
    ReportProgress(Platform& platform, QWidget* parent);

    // Shows or hides the panel, the bar back at 0.
    void setRunning(bool running);
    // Hooks for one run on `output`: events let through (Abort is heard
    // there), the bar moved, the device's failure asked.
    RunHooks hooks(const ReportOutput& output);
    // Says "Printer Error" when the run ended on one; returns the outcome.
    RunOutcome finish(RunOutcome outcome);

private:
    Platform& m_platform;
    QProgressBar* m_bar = nullptr;
    bool m_abort = false;
};

} // namespace kalmur
