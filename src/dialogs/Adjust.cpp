#include "Adjust.h"

#include "platform/Twips.h"

#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>

#include <algorithm>

namespace kalmur {

Adjust::Adjust(QWidget* owner)
    : QWidget(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("Adjust"));
    setWindowTitle(QStringLiteral("Kalmur Pro"));
    setWindowModality(Qt::ApplicationModal);
    setFixedSize(twips(4800), twips(1320));

    auto* panel = new QLabel(QStringLiteral("Adjusting Schedule File"), this);
    panel->setObjectName(QStringLiteral("Panel3D1"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(2);
    panel->setAlignment(Qt::AlignCenter);
    QFont arial(QStringLiteral("Arial"), 12);
    arial.setBold(true);
    panel->setFont(arial);
    panel->setGeometry(twipRect(120, 120, 4560, 540));

    m_done = new QProgressBar(this);
    m_done->setObjectName(QStringLiteral("Done"));
    m_done->setRange(0, 100);
    m_done->setValue(0);
    m_done->setTextVisible(true);
    m_done->setAlignment(Qt::AlignCenter);
    m_done->setGeometry(twipRect(120, 780, 4560, 420));
}

void Adjust::setPercent(int percent) {
    m_done->setValue(std::clamp(percent, 0, 100));
}

int Adjust::percent() const {
    return m_done->value();
}

void Adjust::finish() {
    m_finished = true;
    close();
}

void Adjust::closeEvent(QCloseEvent* event) {
    if (m_finished) {
        event->accept();
    } else {
        event->ignore();
    }
}

} // namespace kalmur
