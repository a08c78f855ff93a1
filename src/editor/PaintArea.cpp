#include "PaintArea.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace kalmur {

PaintArea::PaintArea(const QString& name, QWidget* parent)
    : QWidget(parent) {
    setObjectName(name);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(1, 1);
}

void PaintArea::resetBack(const QColor& fill) {
    const qreal ratio = devicePixelRatioF();
    m_back = QPixmap(size() * ratio);
    m_back.setDevicePixelRatio(ratio);
    m_back.fill(fill);
}

void PaintArea::setInverted(const QRect& area) {
    if (area == m_inverted) {
        return;
    }
    update(m_inverted);
    m_inverted = area;
    update(m_inverted);
}

void PaintArea::scrollBack(int dx, int dy, const QRect& area) {
    if (!m_back.isNull()) {
        const qreal ratio = m_back.devicePixelRatio();
        const QRect scaled(area.topLeft() * ratio, area.size() * ratio);
        m_back.scroll(static_cast<int>(dx * ratio), static_cast<int>(dy * ratio), scaled);
    }
}

void PaintArea::keyPressEvent(QKeyEvent* event) {
    event->ignore(); // a handler accepts the keys it uses
    emit keyPressed(event);
    if (!event->isAccepted()) {
        QWidget::keyPressEvent(event);
    }
}

void PaintArea::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    if (m_back.isNull()) {
        p.fillRect(event->rect(), palette().window());
        return;
    }
    const QRect drawn =
        event->rect() & QRect(QPoint(0, 0), m_back.deviceIndependentSize().toSize());
    p.drawPixmap(drawn, m_back,
                 QRectF(drawn.topLeft() * m_back.devicePixelRatio(),
                        drawn.size() * m_back.devicePixelRatio()));
    // A widget grown since the last drawing shows the window colour until the
    // next one.
    const QRegion rest = QRegion(event->rect()).subtracted(drawn);
    for (const QRect& r : rest) {
        p.fillRect(r, palette().window());
    }
    if (!m_inverted.isEmpty()) {
        p.setCompositionMode(QPainter::RasterOp_NotDestination);
        p.fillRect(m_inverted & event->rect(), Qt::white);
    }
}

void PaintArea::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    emit resized();
}

void PaintArea::mousePressEvent(QMouseEvent* event) {
    emit pressed(event->position().toPoint(), event->button(), event->modifiers());
}

void PaintArea::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton) {
        emit dragged(event->position().toPoint());
    }
}

void PaintArea::mouseReleaseEvent(QMouseEvent* event) {
    emit released(event->position().toPoint());
}

} // namespace kalmur
