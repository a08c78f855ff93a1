#include "KeyCodes.h"

#include <QKeyEvent>

namespace kalmur {

namespace {

constexpr int code(GridKey key) {
    return static_cast<int>(key);
}

} // namespace

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
        return code(GridKey::Space);
    case Qt::Key_PageUp:
        return code(GridKey::PageUp);
    case Qt::Key_PageDown:
        return code(GridKey::PageDown);
    case Qt::Key_End:
        return code(GridKey::End);
    case Qt::Key_Home:
        return code(GridKey::Home);
    case Qt::Key_Left:
        return code(GridKey::Left);
    case Qt::Key_Up:
        return code(GridKey::Up);
    case Qt::Key_Right:
        return code(GridKey::Right);
    case Qt::Key_Down:
        return code(GridKey::Down);
    case Qt::Key_Delete:
        return code(GridKey::Delete);
    default:
        return 0;
    }
}

GridKey gridKeyName(int keyCode) {
    switch (static_cast<GridKey>(keyCode)) {
    case GridKey::Space:
    case GridKey::PageUp:
    case GridKey::PageDown:
    case GridKey::End:
    case GridKey::Home:
    case GridKey::Left:
    case GridKey::Up:
    case GridKey::Right:
    case GridKey::Down:
    case GridKey::Delete:
        return static_cast<GridKey>(keyCode);
    default:
        return GridKey::None;
    }
}

} // namespace kalmur
