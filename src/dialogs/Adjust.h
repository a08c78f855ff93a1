#pragma once

#include <QWidget>

class QProgressBar;

namespace kalmur {

// "Adjusting Schedule File": the progress of the day-file rebuild. It has no
// buttons and no close box; the user waits for it.
class Adjust : public QWidget {
    Q_OBJECT
public:
    explicit Adjust(QWidget* owner = nullptr);

    // 0..100; values outside are clamped.
    void setPercent(int percent);
    int percent() const;

    // Lets the window go (it refuses to be closed by the user).
    void finish();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QProgressBar* m_done = nullptr;
    bool m_finished = false;
};

} // namespace kalmur
