#pragma once

#include <QObject>

class QLineEdit;

namespace kalmur {

// Makes a text box select its whole text whenever it gains the focus, also
// when it is clicked into (a click would otherwise place the cursor).
class SelectAllOnFocus : public QObject {
    Q_OBJECT
public:
    explicit SelectAllOnFocus(QLineEdit* field);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* m_field;
};

} // namespace kalmur
