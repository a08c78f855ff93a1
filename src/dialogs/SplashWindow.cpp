#include "SplashWindow.h"

#include "ProductBadge.h"
#include "platform/Placement.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QFrame>
#include <QTimer>

namespace kalmur {

SplashWindow::SplashWindow(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
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
    QElapsedTimer shown;
    shown.start();
    for (qint64 left = minimum.count(); left > 0; left = minimum.count() - shown.elapsed()) {
        QEventLoop wait;
        QTimer::singleShot(std::chrono::milliseconds(left), Qt::PreciseTimer, &wait,
                           &QEventLoop::quit);
        wait.exec();
    }
    if (afterWait) {
        afterWait();
    }
    close();
}

void SplashWindow::showFor(std::chrono::milliseconds minimum,
                           const std::function<void()>& afterWait) {
    SplashWindow splash;
    splash.run(minimum, afterWait);
}

} // namespace kalmur
