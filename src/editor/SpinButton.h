#pragma once

#include <QTimer>
#include <QWidget>

class QToolButton;

namespace kalmur {

// Two arrows that step the visible days one day later (up) or earlier (down).
// Holding an arrow repeats the step: every 175 ms at first, every 25 ms once
// more than two steps were made in the same direction.
class SpinButton : public QWidget {
    Q_OBJECT
public:
    explicit SpinButton(QWidget* parent = nullptr);

    // The wait before the next repeated step, after `steps` steps in one
    // direction.
    static int repeatInterval(int steps) { return steps > 2 ? 25 : 175; }

    QToolButton* upButton() const { return m_up; }
    QToolButton* downButton() const { return m_down; }

signals:
    // +1 for a day later, -1 for a day earlier.
    void step(int direction);

private:
    void press(int direction);
    void release();
    void repeat();

    QToolButton* m_up = nullptr;
    QToolButton* m_down = nullptr;
    QTimer m_timer;
    int m_direction = 0;
    int m_steps = 0;
};

} // namespace kalmur
