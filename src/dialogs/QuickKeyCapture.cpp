#include "QuickKeyCapture.h"

#include "QuickKeyRules.h"
#include "SelectAllOnFocus.h"
#include "editor/KeyCodes.h"
#include "model/records/QuickKey.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace kalmur {

namespace {

// Keys that move between controls, close the dialog or only modify others.
bool passesThrough(int key) {
    switch (key) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
    case Qt::Key_CapsLock:
    case Qt::Key_NumLock:
    case Qt::Key_unknown:
        return true;
    default:
        return false;
    }
}

} // namespace

QuickKeyCapture::QuickKeyCapture(QLineEdit* field)
    : QObject(field)
    , m_field(field) {
    // Nothing may reach the box but the captured keys: no paste, no drop, no
    // composed input.
    m_field->setReadOnly(true);
    m_field->setContextMenuPolicy(Qt::NoContextMenu);
    m_field->setAcceptDrops(false);
    m_field->installEventFilter(this);
    new SelectAllOnFocus(m_field);
}

void QuickKeyCapture::show(std::uint8_t key) {
    m_field->setText(QuickKey::toText(key));
}

bool QuickKeyCapture::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_field || event->type() != QEvent::KeyPress) {
        return false;
    }
    const auto* press = static_cast<QKeyEvent*>(event);
    if (passesThrough(press->key())) {
        return false;
    }
    const std::uint8_t key = QuickKeyRules::captured(
        gridKeyCode(*press), press->modifiers().testFlag(Qt::ShiftModifier));
    show(key);
    m_field->selectAll();
    emit captured(key);
    return true;
}

} // namespace kalmur
