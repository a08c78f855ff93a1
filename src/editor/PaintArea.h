#pragma once

#include "TileCache.h"

#include <QPixmap>
#include <QWidget>

namespace kalmur {

// A drawing area of the main window. Everything is drawn into its off-screen
// copy (the "Back" twin); painting the widget copies that pixmap unchanged.
class PaintArea : public QWidget {
    Q_OBJECT
public:
    explicit PaintArea(const QString& name, QWidget* parent = nullptr);

    // The off-screen copy, sized to the widget.
    QPixmap& back() { return m_back; }
    const QPixmap& back() const { return m_back; }
    // Resizes the copy to the widget (contents are cleared).
    void resetBack(const QColor& fill);
    // The area shown inverted over the copy (the highlighted selection); an
    // empty rectangle for none.
    void setInverted(const QRect& area);
    const QRect& inverted() const { return m_inverted; }
    // Moves the drawn contents inside `area` by dx, dy pixels; the part
    // uncovered keeps its old pixels until it is drawn.
    void scrollBack(int dx, int dy, const QRect& area);
    // Copies of the tiles drawn into the off-screen copy, for drawing them
    // again.
    TileCache& tiles() { return m_tiles; }
    // Copies the off-screen area to the screen.
    void present() { update(); }
    void present(const QRect& area) { update(area); }

signals:
    void pressed(QPoint position, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    void dragged(QPoint position);
    void released(QPoint position);
    void resized();
    void keyPressed(QKeyEvent* event);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QPixmap m_back;
    QRect m_inverted;
    TileCache m_tiles;
};

} // namespace kalmur
