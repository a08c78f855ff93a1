#pragma once

#include <QObject>

#include <cstdint>

class QLineEdit;

namespace kalmur {

// Turns a text box into a quick-key field: a key press shows the key it
// stands for ("K", "SHIFT-K", or nothing for a key that is no quick key) and
// reports it; the key itself is never typed into the box. Tab, Escape, Enter
// and modifier keys on their own keep their usual meaning. The box selects
// its whole text whenever it gains the focus.
class QuickKeyCapture : public QObject {
    Q_OBJECT
public:
    explicit QuickKeyCapture(QLineEdit* field);

    // Shows a stored key without reporting it.
    void show(std::uint8_t key);

signals:
    void captured(std::uint8_t key);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* m_field;
};

} // namespace kalmur
