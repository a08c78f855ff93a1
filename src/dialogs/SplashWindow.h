#pragma once

#include "platform/Clock.h"

#include <QWidget>

#include <chrono>
#include <functional>

class QFrame;

namespace kalmur {

// The borderless window shown while the program starts (object name
// "Startup"): the logo, the product name and the version.
class SplashWindow : public QWidget {
    Q_OBJECT
public:
    // `clock` measures the time the window stays.
    explicit SplashWindow(Clock& clock = systemClock(), QWidget* parent = nullptr);

    // Shows the window centred on the screen and lets window events run until
    // at least `minimum` has passed; then runs `afterWait` (the main window's
    // loading) while it is still shown, and closes it.
    void run(std::chrono::milliseconds minimum = std::chrono::seconds(1),
             const std::function<void()>& afterWait = {});

    // Builds, runs and destroys a splash window.
    static void showFor(Clock& clock, std::chrono::milliseconds minimum,
                        const std::function<void()>& afterWait = {});

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    Clock& m_clock;
    QFrame* m_picture = nullptr;
};

} // namespace kalmur
