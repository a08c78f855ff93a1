#include "SpinButton.h"

#include <QEvent>
#include <QToolButton>
#include <QVBoxLayout>

namespace kalmur {

SpinButton::SpinButton(Clock& clock, QWidget* parent)
    : QWidget(parent)
    , m_timer(clock.timer([this] { stepOnce(); })) {
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
        b->installEventFilter(this);
        layout->addWidget(b);
        connect(b, &QToolButton::released, this, &SpinButton::stopRepeat);
    }
    connect(m_up, &QToolButton::pressed, this, [this] { press(1); });
    connect(m_down, &QToolButton::pressed, this, [this] { press(-1); });
}

SpinButton::~SpinButton() {
    m_held = false;
    m_up->removeEventFilter(this);
    m_down->removeEventFilter(this);
}

bool SpinButton::isRepeating() const {
    return m_held && m_timer->isActive();
}

void SpinButton::press(int direction) {
    if (direction != m_direction) {
        m_steps = 0; // the other direction counts again
    }
    m_direction = direction;
    m_held = true;
    stepOnce();
}

void SpinButton::stepOnce() {
    ++m_steps;
    emit step(m_direction);
    // A modal window that the step opened has ended the press.
    if (m_held) {
        m_timer->start(repeatInterval(m_steps));
    }
}

void SpinButton::stopRepeat() {
    m_held = false;
    m_timer->stop();
    // A release taken by another window never reaches the arrow.
    m_up->setDown(false);
    m_down->setDown(false);
}

bool SpinButton::event(QEvent* event) {
    // The window passes these on to its children: a modal window opened over
    // it, or it lost the focus.
    if (event->type() == QEvent::WindowBlocked || event->type() == QEvent::WindowDeactivate) {
        stopRepeat();
    }
    return QWidget::event(event);
}

bool SpinButton::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == m_up || watched == m_down) && event->type() == QEvent::Leave) {
        stopRepeat();
    }
    return QWidget::eventFilter(watched, event);
}

void SpinButton::hideEvent(QHideEvent* event) {
    stopRepeat();
    QWidget::hideEvent(event);
}

} // namespace kalmur
