#include "ToolIcons.h"

#include "view/GridPainter.h"

#include <QPainter>
#include <QPixmap>

#include <functional>

namespace kalmur::ToolIcons {

namespace {

QIcon drawn(const std::function<void(QPainter&, const QRect&)>& draw) {
    QPixmap pixmap(40, 40);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    draw(p, QRect(4, 4, 32, 32));
    p.end();
    return QIcon(pixmap);
}

} // namespace

QIcon assign() {
    return drawn([](QPainter& p, const QRect& r) { GridPainter::paintO(p, r); });
}

QIcon timeOff() {
    return drawn([](QPainter& p, const QRect& r) { GridPainter::paintX(p, r); });
}

QIcon erase() {
    return drawn([](QPainter& p, const QRect& r) {
        p.translate(r.center());
        p.rotate(-35);
        p.setPen(QPen(QColor(90, 60, 60), 2));
        p.setBrush(QColor(240, 150, 160));
        p.drawRoundedRect(QRectF(-14, -7, 28, 14), 3, 3);
        p.setBrush(QColor(80, 110, 200));
        p.drawRoundedRect(QRectF(-14, -7, 10, 14), 3, 3);
    });
}

QIcon onCall() {
    return drawn([](QPainter& p, const QRect& r) { GridPainter::paintBell(p, r); });
}

QIcon calendar() {
    return drawn([](QPainter& p, const QRect& r) {
        p.setPen(QPen(QColor(60, 60, 60), 2));
        p.setBrush(Qt::white);
        p.drawRect(r.adjusted(2, 4, -2, -2));
        p.fillRect(QRect(r.left() + 2, r.top() + 4, r.width() - 4, 7), QColor(200, 40, 40));
        p.setPen(QPen(QColor(120, 120, 120), 1));
        for (int i = 1; i < 4; ++i) {
            const int x = r.left() + 2 + i * (r.width() - 4) / 4;
            p.drawLine(x, r.top() + 11, x, r.bottom() - 2);
            const int y = r.top() + 11 + i * (r.height() - 13) / 4;
            p.drawLine(r.left() + 2, y, r.right() - 2, y);
        }
    });
}

QIcon noteCheck() {
    return drawn([](QPainter& p, const QRect& r) {
        p.setPen(QPen(QColor(0, 150, 0), 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(
            QPolygon({QPoint(r.left() + 4, r.center().y()), QPoint(r.left() + 13, r.bottom() - 5),
                      QPoint(r.right() - 3, r.top() + 5)}));
    });
}

QIcon noteCancel() {
    return drawn(
        [](QPainter& p, const QRect& r) { GridPainter::paintX(p, r.adjusted(4, 4, -4, -4)); });
}

} // namespace kalmur::ToolIcons
