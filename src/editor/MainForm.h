#pragma once

#include "FileCommands.h"
#include "GridMetrics.h"
#include "ScheduleDialogs.h"
#include "ViewLayout.h"

#include <QMainWindow>

#include <array>
#include <memory>
#include <optional>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QScrollBar;
class QToolButton;

namespace kalmur {

class PaintArea;
class ProgramState;
class Platform;

// The program's main window: the schedule grid with its day ruler, names,
// positions and coverage totals, the tool strip, the menus, and the file
// commands.
class MainForm : public QMainWindow {
    Q_OBJECT
public:
    MainForm(ProgramState& state, Platform& platform, ScheduleDialogs& dialogs,
             QWidget* parent = nullptr);
    ~MainForm() override;

    // The load step after start-up: opens the command-line schedule, if any.
    void loadInitial();

    // The editor's cursor: screen row (from 1), top row offset, day column
    // (from 1) and the selected days of the cursor row.
    int cursorRow() const { return m_cursorRow; }
    int topRow() const { return m_topRow; }
    int selectionFirst() const { return m_selFirst; }
    int selectionLast() const { return m_selLast; }
    int visibleRows() const { return m_visibleRows; }
    const GridMetrics& metrics() const { return m_metrics; }
    const ViewLayout& viewLayout() const { return *m_layout; }
    FileCommands& fileCommands() { return *m_files; }

    // Selects the cell at a screen row and day column.
    void selectCell(int row, int column);
    // Chooses view format 1..5 as the View menu entries do.
    void chooseViewFormat(int number);
    // Lays the view out for the current view format and repaints (steps of
    // the view layout).
    void layoutView();
    // Repaints every drawing area from the model.
    void repaintAll();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void createMenus();
    void createToolPanel();
    void createAreas();
    QAction* addItem(QMenu* menu, const char* name, const QString& caption,
                     const QKeySequence& shortcut = {}, bool enabled = true);
    void notAvailable(QAction* action);

    void scheduleShown();
    void scheduleClosed();
    void updateMenus();
    void updateCaption();
    void updateViewMenu();
    void fillShiftSelector();
    void fillExplanations();

    const ViewFormat& currentFormat() const;
    // The display row shown on a screen row, and the slot of its cells.
    int displayRow(int screenRow) const { return screenRow + m_topRow; }
    int slotOfScreenRow(int screenRow) const;
    bool isDivider(int displayRow) const;
    int columns() const;

    void paintRuler();
    void paintNames();
    void paintCells();
    void paintCoverage();
    void highlightSelection();
    void refreshCurrentCell();
    void gridPressed(QPoint position);
    void gridDragged(QPoint position);
    void scrollRows(int top);
    void stepDays(int direction);

    ProgramState& m_state;
    Platform& m_platform;
    ScheduleDialogs& m_dialogs;
    std::unique_ptr<FileCommands> m_files;

    // The format shown while no schedule is open.
    ViewFormat m_untitled;
    std::optional<ViewLayout> m_layout;
    GridMetrics m_metrics;
    int m_cursorRow = 1;
    int m_topRow = 0;
    int m_selFirst = 1;
    int m_selLast = 1;
    int m_visibleRows = 1;
    bool m_dragging = false;
    bool m_relayoutPending = false;

    // Menus and items by name.
    QMenu* m_fileMenu = nullptr;
    QMenu* m_editMenu = nullptr;
    QMenu* m_viewMenu = nullptr;
    QMenu* m_defineMenu = nullptr;
    QMenu* m_reportsMenu = nullptr;
    QMenu* m_helpMenu = nullptr;
    QAction* m_save = nullptr;
    QAction* m_saveAs = nullptr;
    QAction* m_viewChange = nullptr;
    QAction* m_reportCurrent = nullptr;
    std::array<QAction*, ViewFormat::kCount> m_viewFormats{};

    // Tool strip and panels.
    QComboBox* m_shiftSelector = nullptr;
    QLabel* m_shiftHours = nullptr;
    QLabel* m_shiftDesc = nullptr;
    QLabel* m_dateOn = nullptr;
    QLabel* m_dateDisplay = nullptr;
    QLabel* m_empRow = nullptr;
    QLabel* m_daysTagged = nullptr;

    // Drawing areas.
    PaintArea* m_ruler = nullptr;
    PaintArea* m_names = nullptr;
    PaintArea* m_positions = nullptr;
    PaintArea* m_grid = nullptr;
    PaintArea* m_coverage = nullptr;
    PaintArea* m_coverageDesc = nullptr;
    QLabel* m_nameHeading = nullptr;
    QLabel* m_positionHeading = nullptr;
    QScrollBar* m_rowScroll = nullptr;
    QListWidget* m_explanations = nullptr;
    QLineEdit* m_notePad = nullptr;
    QToolButton* m_noteCheck = nullptr;
    QToolButton* m_noteX = nullptr;
};

} // namespace kalmur
