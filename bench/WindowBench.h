#pragma once

#include "BenchSuite.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

namespace kalmur::bench {

// Measures the main window on one schedule archive: in this process, a real
// main window with the schedule opened as at start-up, sized to show a given
// number of rows (full repaint, one-day steps, a quick key in the grid); and
// the real program's start-up to its main window, started as a user starts it.
// The window is drawn on whatever platform the application runs on; the
// benchmark uses the offscreen one, so that no display is needed.
class WindowBench {
public:
    struct Options {
        QString archive;       // the schedule (copied, never changed)
        QString workDirectory; // scratch space; emptied first
        QString program;       // the kalmur binary, for the start-up
        int rounds = 15;       // start-ups of each kind
        int samples = 15;      // samples of the in-window operations
        int perSample = 200;   // operations per sample (a tenth of it for repaints)
        int rows = 40;         // rows the window is sized to show
        int width = 1920;      // the window's width and the image's size
        int height = 1080;
    };

    explicit WindowBench(Options options);
    ~WindowBench();
    WindowBench(const WindowBench&) = delete;
    WindowBench& operator=(const WindowBench&) = delete;

    // Copies the archive, opens it in a main window the way the program opens
    // a schedule named on its command line, and sizes the window. Empty on
    // success, otherwise what failed. The in-window measurements need it.
    QString prepare();

    void measureRepaint();
    void measureSteps();
    void measureQuickKey();
    void measureStartup();

    const std::vector<ResultRow>& rows() const { return m_rows; }
    const QStringList& notes() const { return m_notes; }

private:
    struct Window;
    struct Row {
        QString operation;
        double goal = 0; // seconds; 0 for none
        QString goalText;
    };

    // Adds the row of the median over samples of the mean time of one
    // operation in a sample. `before` runs untimed ahead of each sample and
    // `untimed` ahead of each operation (then each is timed on its own); any
    // of them returning false makes the row "failed".
    void timeRow(const Row& row, int count, const std::function<bool()>& before,
                 const std::function<bool(int)>& untimed,
                 const std::function<bool(int)>& operation);
    void failed(const QString& operation, const QString& why);
    QString openWindow(const QString& archive);
    QString path(const QString& name) const;

    Options m_options;
    std::unique_ptr<Window> m_window;
    std::vector<ResultRow> m_rows;
    QStringList m_notes;
};

} // namespace kalmur::bench
