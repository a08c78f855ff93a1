#pragma once

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
    // Copies the off-screen area to the screen.
    void present() { update(); }
    void present(const QRect& area) { update(area); }

signals:
    void pressed(QPoint position, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    void dragged(QPoint position);
    void released(QPoint position);
    void resized();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QPixmap m_back;
};

} // namespace kalmur
