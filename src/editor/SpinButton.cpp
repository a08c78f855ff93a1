#include "SpinButton.h"

#include <QToolButton>
#include <QVBoxLayout>

namespace kalmur {

SpinButton::SpinButton(QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("SpinButton1"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_up = new QToolButton(this);
    m_up->setArrowType(Qt::UpArrow);
    m_up->setToolTip(tr("One day later"));
    m_down = new QToolButton(this);
    m_down->setArrowType(Qt::DownArrow);
    m_down->setToolTip(tr("One day earlier"));
    for (QToolButton* b : {m_up, m_down}) {
        b->setFixedSize(22, 13);
        b->setFocusPolicy(Qt::NoFocus);
        layout->addWidget(b);
    }
    connect(m_up, &QToolButton::pressed, this, [this] { press(1); });
    connect(m_down, &QToolButton::pressed, this, [this] { press(-1); });
    connect(m_up, &QToolButton::released, this, &SpinButton::release);
    connect(m_down, &QToolButton::released, this, &SpinButton::release);
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &SpinButton::repeat);
}

void SpinButton::press(int direction) {
    if (direction != m_direction) {
        m_steps = 0; // the other direction counts again
    }
    m_direction = direction;
    ++m_steps;
    emit step(direction);
    m_timer.start(repeatInterval(m_steps));
}

void SpinButton::repeat() {
    ++m_steps;
    emit step(m_direction);
    m_timer.start(repeatInterval(m_steps));
}

void SpinButton::release() {
    m_timer.stop();
}

} // namespace kalmur
