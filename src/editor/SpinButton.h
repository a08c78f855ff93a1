#pragma once

#include "platform/Clock.h"

#include <QWidget>

#include <chrono>
#include <memory>

class QToolButton;

namespace kalmur {

// Two arrows that step the visible days one day later (up) or earlier (down).
// Holding an arrow repeats the step: every 175 ms at first, every 25 ms once
// more than two steps were made in the same direction. The repeat lasts only
// while the arrow is held: it ends on release, when the pointer leaves the
// arrow, when the window loses the focus and when any modal window opens (a
// question asked by the step takes the release with it).
class SpinButton : public QWidget {
    Q_OBJECT
public:
    explicit SpinButton(Clock& clock, QWidget* parent = nullptr);
    ~SpinButton() override;

    // The wait before the next repeated step, after `steps` steps in one
    // direction.
    static std::chrono::milliseconds repeatInterval(int steps) {
        return std::chrono::milliseconds(steps > 2 ? 25 : 175);
    }

    QToolButton* upButton() const { return m_up; }
    QToolButton* downButton() const { return m_down; }
    // True while a held arrow is waiting for its next step.
    bool isRepeating() const;
    // Ends a held press: no more steps, both arrows drawn released.
    void stopRepeat();

signals:
    // +1 for a day later, -1 for a day earlier.
    void step(int direction);

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void press(int direction);
    void stepOnce();

    QToolButton* m_up = nullptr;
    QToolButton* m_down = nullptr;
    std::unique_ptr<OneShotTimer> m_timer;
    bool m_held = false;
    int m_direction = 0;
    int m_steps = 0;
};

} // namespace kalmur
