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

// The size `window` will be shown with. A window never resized takes its size
// hint when it is first shown; one still being built has only its first small
// size, so it is given the size of its contents now, and shown again at what
// its contents then ask for.
QSize shownSize(QWidget* window) {
    if (!window->isVisible() && !window->testAttribute(Qt::WA_Resized)) {
        window->adjustSize();
        window->setAttribute(Qt::WA_Resized, false);
    }
    return window->frameGeometry().size();
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
    dialog->move(centredOn(main->frameGeometry(), shownSize(dialog), screen));
}

void centreOnScreen(QWidget* window) {
    if (!window) {
        return;
    }
    const QRect screen = screenArea(window);
    window->move(centredOn(screen, shownSize(window), screen));
}

} // namespace kalmur::Placement
