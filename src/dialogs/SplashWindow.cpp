#include "SplashWindow.h"

#include "ProductBadge.h"
#include "platform/Placement.h"

#include <QEventLoop>
#include <QFrame>

namespace kalmur {

SplashWindow::SplashWindow(Clock& clock, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
    , m_clock(clock) {
    setObjectName(QStringLiteral("Startup"));
    setWindowTitle(QStringLiteral("Kalmur Pro"));
    m_picture = new QFrame(this);
    m_picture->setObjectName(QStringLiteral("Picture1"));
    m_picture->setFrameStyle(QFrame::Box | QFrame::Plain);
    m_picture->setStyleSheet(QStringLiteral(
        "#Picture1 { border: 1px solid #1b3f66; background: qlineargradient(x1:0, y1:0, "
        "x2:0, y2:1, stop:0 #f4f8fc, stop:1 #d6e4f2); }"));
    ProductBadge::build(m_picture);
    const QSize wanted = m_picture->sizeHint().expandedTo(QSize(440, 170));
    resize(wanted);
    m_picture->setGeometry(rect());
}

void SplashWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    m_picture->setGeometry(rect());
}

void SplashWindow::run(std::chrono::milliseconds minimum, const std::function<void()>& afterWait) {
    Placement::centreOnScreen(this);
    show();
    raise();
    const auto until = m_clock.now() + minimum;
    QEventLoop wait;
    const auto timer = m_clock.timer([&wait] { wait.quit(); });
    // A timer may end the wait a little early: wait again for the rest.
    while (m_clock.now() < until) {
        timer->start(until - m_clock.now());
        wait.exec();
    }
    if (afterWait) {
        afterWait();
    }
    close();
}

void SplashWindow::showFor(Clock& clock, std::chrono::milliseconds minimum,
                           const std::function<void()>& afterWait) {
    SplashWindow splash(clock);
    splash.run(minimum, afterWait);
}

} // namespace kalmur
