#include "Placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace kalmur::Placement {

namespace {

int fitted(int start, int length, int low, int highExclusive) {
    start = std::min(start, highExclusive - length);
    return std::max(start, low);
}

QRect screenArea(const QWidget* widget) {
    QScreen* screen = widget ? widget->screen() : nullptr;
    if (!screen) {
        screen = QGuiApplication::primaryScreen();
    }
    return screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

} // namespace

QPoint centredOn(const QRect& over, const QSize& size, const QRect& screen) {
    const int left = over.left() + (over.width() - size.width()) / 2;
    const int top = over.top() + (over.height() - size.height()) / 2;
    return {fitted(left, size.width(), screen.left(), screen.left() + screen.width()),
            fitted(top, size.height(), screen.top(), screen.top() + screen.height())};
}

void centreOver(QWidget* dialog, const QWidget* owner) {
    if (!dialog) {
        return;
    }
    const QWidget* main = owner ? owner->window() : nullptr;
    if (!main || !main->isVisible()) {
        centreOnScreen(dialog);
        return;
    }
    const QRect screen = screenArea(main);
    dialog->move(centredOn(main->frameGeometry(), dialog->frameGeometry().size(), screen));
}

void centreOnScreen(QWidget* window) {
    if (!window) {
        return;
    }
    const QRect screen = screenArea(window);
    window->move(centredOn(screen, window->frameGeometry().size(), screen));
}

} // namespace kalmur::Placement
