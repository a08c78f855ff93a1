#include "LeaveFieldCheck.h"

#include <QApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QTimer>

namespace kalmur {

LeaveFieldCheck::LeaveFieldCheck(QLineEdit* field, Platform& platform, Check check)
    : QObject(field)
    , m_field(field)
    , m_platform(platform)
    , m_check(std::move(check)) {
    if (m_field) {
        m_restore = m_field->text();
        m_field->installEventFilter(this);
    }
}

void LeaveFieldCheck::setRestoreText(const QString& text) {
    m_restore = text;
    m_fixedRestore = true;
}

QLineEdit* LeaveFieldCheck::field() const {
    return m_field.data();
}

bool LeaveFieldCheck::run() {
    if (!m_field || !m_check || m_running) {
        return true;
    }
    m_running = true;
    const FieldVerdict verdict = m_check(m_field->text());
    if (verdict.accepted) {
        if (m_field->text() != verdict.text) {
            m_field->setText(verdict.text);
        }
        m_running = false;
        return true;
    }
    m_refused = true;
    m_platform.warn(m_field->window(), verdict.refusal);
    if (m_field) {
        m_field->setText(m_restore);
        m_field->setFocus(Qt::OtherFocusReason);
        m_field->selectAll();
    }
    // Closing a message box re-activates the dialog, which may hand the focus
    // to the control that was being entered; take it back once events run.
    QTimer::singleShot(0, this, [this] {
        m_refused = false;
        if (m_field && m_field->isVisible()) {
            m_field->setFocus(Qt::OtherFocusReason);
            m_field->selectAll();
        }
    });
    m_running = false;
    return false;
}

bool LeaveFieldCheck::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::FocusIn && event->type() != QEvent::FocusOut) {
        return false;
    }
    // A field being destroyed is no longer a line edit; it is not checked.
    auto* edit = qobject_cast<QLineEdit*>(watched);
    if (!edit || edit != m_field) {
        return false;
    }
    if (event->type() == QEvent::FocusIn) {
        if (!m_fixedRestore && !m_running) {
            m_restore = m_field->text();
        }
        return false;
    }
    if (event->type() != QEvent::FocusOut || m_running) {
        return false;
    }
    const auto reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) {
        return false;
    }
    if (m_field->window()->isHidden() || m_field->isHidden()) {
        return false; // the window is closing
    }
    const QWidget* next = QApplication::focusWidget();
    if (next && next->property(kSkipsChecksProperty).toBool()) {
        return false;
    }
    run();
    return false;
}

} // namespace kalmur
