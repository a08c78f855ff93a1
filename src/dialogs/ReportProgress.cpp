#include "ReportProgress.h"

#include "ReportOutput.h"
#include "platform/Platform.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

namespace kalmur {

ReportProgress::ReportProgress(Platform& platform, QWidget* parent)
    : QFrame(parent)
    , m_platform(platform) {
    setObjectName(QStringLiteral("PrintProgress"));
    setFrameShape(QFrame::StyledPanel);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(new QLabel(tr("Printing Report"), this));
    m_bar = new QProgressBar(this);
    m_bar->setRange(0, 100);
    layout->addWidget(m_bar);
    auto* abort = new QPushButton(tr("Abort"), this);
    abort->setObjectName(QStringLiteral("ButtonAbort"));
    abort->setAutoDefault(false);
    layout->addWidget(abort);
    connect(abort, &QPushButton::clicked, this, [this] { m_abort = true; });
    hide();
}

void ReportProgress::setRunning(bool running) {
    m_bar->setValue(0);
    setVisible(running);
}

RunHooks ReportProgress::hooks(const ReportOutput& output) {
    m_abort = false;
    RunHooks hooks;
    hooks.goOn = [this] {
        m_platform.processEvents();
        return !m_abort;
    };
    hooks.progress = [this](int percent) {
        m_bar->setValue(percent);
    };
    hooks.failed = [&output] {
        return output.failed();
    };
    return hooks;
}

RunOutcome ReportProgress::finish(RunOutcome outcome) {
    if (outcome == RunOutcome::PrinterError) {
        showPrinterError(m_platform, parentWidget());
    }
    return outcome;
}

} // namespace kalmur
