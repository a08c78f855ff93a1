#include "KeyCodes.h"

#include <QKeyEvent>

namespace kalmur {

int gridKeyCode(const QKeyEvent& event) {
    const int key = event.key();
    if (key >= Qt::Key_A && key <= Qt::Key_Z) {
        return key; // Qt's codes of letters are the upper-case characters
    }
    if (key >= Qt::Key_0 && key <= Qt::Key_9) {
        return key;
    }
    // Shift with a digit reports the symbol above the digit.
    static constexpr char16_t kShifted[] = u")!@#$%^&*(";
    for (int d = 0; d < 10; ++d) {
        if (key == kShifted[d]) {
            return Qt::Key_0 + d;
        }
    }
    switch (key) {
    case Qt::Key_Space:
        return 32;
    case Qt::Key_PageUp:
        return 33;
    case Qt::Key_PageDown:
        return 34;
    case Qt::Key_End:
        return 35;
    case Qt::Key_Home:
        return 36;
    case Qt::Key_Left:
        return 37;
    case Qt::Key_Up:
        return 38;
    case Qt::Key_Right:
        return 39;
    case Qt::Key_Down:
        return 40;
    case Qt::Key_Delete:
        return 46;
    default:
        return 0;
    }
}

} // namespace kalmur
