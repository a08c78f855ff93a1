#include "SelectAllOnFocus.h"

#include <QEvent>
#include <QLineEdit>
#include <QTimer>

namespace kalmur {

SelectAllOnFocus::SelectAllOnFocus(QLineEdit* field)
    : QObject(field)
    , m_field(field) {
    m_field->installEventFilter(this);
}

bool SelectAllOnFocus::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_field && event->type() == QEvent::FocusIn) {
        m_field->selectAll();
        // A mouse press that gave the focus places the cursor after this.
        QTimer::singleShot(0, m_field, [field = m_field] {
            if (field->hasFocus()) {
                field->selectAll();
            }
        });
    }
    return false;
}

} // namespace kalmur
