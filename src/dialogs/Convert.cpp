#include "Convert.h"

#include "files/ProgramState.h"
#include "platform/Placement.h"
#include "platform/Platform.h"
#include "platform/Twips.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

namespace kalmur {

namespace {

using Verdict = OldScheduleConversion::Verdict;

bool sameFile(const QString& a, const QString& b) {
    const QString first = QFileInfo(a).canonicalFilePath();
    return !first.isEmpty() && first == QFileInfo(b).canonicalFilePath();
}

} // namespace

Convert::Convert(ProgramState& state, Platform& platform, const QString& oldSchedulePath,
                 QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , m_state(state)
    , m_platform(platform)
    , m_conversion(state.workingDirectory(), oldSchedulePath) {
    build();
    setWindowTitle(QStringLiteral("Convert ") + m_conversion.group().name() +
                   QStringLiteral(".SCH"));
    m_state.dialogCancelled = false;
    Placement::centreOnScreen(this);
}

std::optional<ScheduleLocation> Convert::convert(ProgramState& state, Platform& platform,
                                                 const QString& oldSchedulePath, QWidget* parent) {
    Convert dialog(state, platform, oldSchedulePath, parent);
    dialog.exec();
    if (state.dialogCancelled) {
        return std::nullopt;
    }
    return dialog.archiveLocation();
}

void Convert::build() {
    setObjectName(QStringLiteral("Convert"));
    setFont(dialogFont(false));
    setFixedSize(twips(5175), twips(1860));

    m_label = new QLabel(QStringLiteral("The selected file is in an older format.  Press OK to "
                                        "convert the file to the new format."),
                         this);
    m_label->setObjectName(QStringLiteral("Label1"));
    m_label->setWordWrap(true);
    m_label->setGeometry(twipRect(240, 240, 4695, 735));

    m_progress = new QWidget(this);
    m_progress->setObjectName(QStringLiteral("Picture1"));
    m_progress->setGeometry(twipRect(120, 120, 4935, 975));
    m_panel = new QLabel(m_progress);
    m_panel->setObjectName(QStringLiteral("Panel3D1"));
    m_panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    m_panel->setLineWidth(2);
    m_panel->setAlignment(Qt::AlignCenter);
    m_panel->setGeometry(twipRect(0, 0, 4935, 420));
    m_done = new QProgressBar(m_progress);
    m_done->setObjectName(QStringLiteral("Done"));
    m_done->setRange(0, 100);
    m_done->setValue(0);
    m_done->setAlignment(Qt::AlignCenter);
    m_done->setGeometry(twipRect(0, 540, 4935, 375));
    m_progress->hide();

    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName(QStringLiteral("Command1"));
    m_ok->setGeometry(twipRect(1320, 1320, 1095, 375));
    m_ok->setDefault(true);
    m_cancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_cancel->setObjectName(QStringLiteral("Command2"));
    m_cancel->setGeometry(twipRect(2760, 1320, 1095, 375));
    m_cancel->setAutoDefault(false);
    connect(m_ok, &QPushButton::clicked, this, &Convert::onOk);
    connect(m_cancel, &QPushButton::clicked, this, &Convert::reject);
}

void Convert::releaseIfReplaced() {
    ScheduleArchive& current = m_state.archive();
    if (current.isHeld() && current.hasLocation() &&
        sameFile(current.currentLocation().archivePath(),
                 m_conversion.archiveLocation().archivePath())) {
        current.release();
        m_released = true;
    }
}

bool Convert::refuse(Verdict verdict) {
    m_platform.warn(
        this, MessageRequest{m_conversion.message(verdict), OldScheduleConversion::title(verdict),
                             MessageIcon::Exclamation, MessageButtons::Ok, std::nullopt});
    return false;
}

bool Convert::confirm() {
    Verdict verdict = m_conversion.check(false);
    if (verdict == Verdict::AlreadyExists) {
        const MessageAnswer answer = m_platform.warn(
            this,
            MessageRequest{m_conversion.message(verdict), OldScheduleConversion::title(verdict),
                           MessageIcon::Question, MessageButtons::YesNo, MessageAnswer::No});
        if (answer != MessageAnswer::Yes) {
            return false;
        }
        verdict = m_conversion.check(true);
    }
    return verdict == Verdict::Ready || refuse(verdict);
}

void Convert::showStep(const QString& step, int percent) {
    m_panel->setText(step);
    m_done->setValue(percent);
    m_platform.processEvents();
}

void Convert::onOk() {
    if (m_running) {
        return;
    }
    releaseIfReplaced();
    if (!confirm()) {
        failed();
        return;
    }
    m_running = true;
    m_ok->setEnabled(false);
    m_cancel->setEnabled(false);
    m_label->hide();
    m_progress->show();
    bool converted = false;
    {
        BusyCursor busy(m_platform);
        m_platform.processEvents();
        converted =
            m_conversion.run([this](const QString& step, int percent) { showStep(step, percent); });
    }
    m_progress->hide();
    m_running = false;
    if (!converted) {
        refuse(Verdict::CannotCreate);
        failed();
        return;
    }
    m_state.dialogCancelled = false;
    accept();
}

void Convert::failed() {
    if (m_released) {
        // The open schedule's archive was not replaced after all.
        m_state.archive().holdCurrent();
        m_released = false;
    }
    m_state.dialogCancelled = true;
    QDialog::reject();
}

void Convert::reject() {
    if (m_running) {
        return; // the conversion runs to its end
    }
    m_state.dialogCancelled = true;
    QDialog::reject();
}

void Convert::closeEvent(QCloseEvent* event) {
    if (m_running) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

} // namespace kalmur
