#include "HelpKey.h"

#include "Platform.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

namespace kalmur {

HelpKey* HelpKey::install(Platform& platform) {
    auto* filter = new HelpKey(platform, QCoreApplication::instance());
    if (QCoreApplication::instance()) {
        QCoreApplication::instance()->installEventFilter(filter);
    }
    return filter;
}

HelpKey::HelpKey(Platform& platform, QObject* parent)
    : QObject(parent)
    , m_platform(platform) {
}

bool HelpKey::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return false;
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || key->key() != Qt::Key_F1 || key->modifiers() != Qt::NoModifier) {
        return false;
    }
    QWidget* window = widget->window();
    if (!window->property(kNoHelpProperty).toBool()) {
        m_platform.showHelp(window, 1);
    }
    return true;
}

} // namespace kalmur
