#include "Clock.h"

#include <QTimer>

namespace kalmur {

namespace {

class QtOneShotTimer : public OneShotTimer {
public:
    explicit QtOneShotTimer(std::function<void()> timeout) {
        m_timer.setSingleShot(true);
        m_timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&m_timer, &QTimer::timeout, &m_timer, std::move(timeout));
    }
    void start(std::chrono::milliseconds interval) override { m_timer.start(interval); }
    void stop() override { m_timer.stop(); }
    bool isActive() const override { return m_timer.isActive(); }

private:
    QTimer m_timer;
};

class SystemClock : public Clock {
public:
    std::chrono::milliseconds now() const override {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now().time_since_epoch());
    }
    std::unique_ptr<OneShotTimer> timer(std::function<void()> timeout) override {
        return std::make_unique<QtOneShotTimer>(std::move(timeout));
    }
};

} // namespace

Clock& systemClock() {
    static SystemClock clock;
    return clock;
}

} // namespace kalmur
