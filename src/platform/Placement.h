#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace kalmur {

// Where dialogs go before they are shown: centred over the main window, or
// centred on the screen, and in both cases kept inside the screen.
namespace Placement {

// The top-left corner that puts a window of `size` centred on `over`
// (left = over left + (over width - width) / 2, top likewise), then moved the
// least needed to lie inside `screen`. A window larger than the screen keeps
// its top-left corner on the screen's.
QPoint centredOn(const QRect& over, const QSize& size, const QRect& screen);

// Centres `dialog` over the top-level window of `owner` (the main window, or
// the dialog that opened it); on the screen when there is no owner.
void centreOver(QWidget* dialog, const QWidget* owner);

// Centres `window` on the screen it belongs to (the primary screen before it
// has been shown).
void centreOnScreen(QWidget* window);

} // namespace Placement

} // namespace kalmur
