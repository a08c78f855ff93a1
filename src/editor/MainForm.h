#pragma once

#include "EditCommands.h"
#include "FileCommands.h"
#include "GridCursor.h"
#include "QuickKeyTable.h"
#include "ReportCommands.h"
#include "RowCommands.h"
#include "ScheduleDialogs.h"
#include "view/GridMetrics.h"
#include "view/ViewLayout.h"

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
class SpinButton;

// The program's main window: the schedule grid with its day ruler, names,
// positions and coverage totals, the tool strip, the menus, the editing of
// cells and the navigation through days and rows.
class MainForm : public QMainWindow {
    Q_OBJECT
public:
    MainForm(ProgramState& state, Platform& platform, ScheduleDialogs& dialogs,
             QWidget* parent = nullptr);
    ~MainForm() override;

    // The load step after start-up: opens the command-line schedule, if any.
    void loadInitial();

    // The editor's cursor: screen row (from 1), the row scroll position, and
    // the selected day columns of the cursor row (from 1).
    int cursorRow() const { return m_cursor.cursorRow(); }
    int topRow() const { return m_cursor.topRow(); }
    int selectionFirst() const { return m_cursor.selectionFirst(); }
    int selectionLast() const { return m_cursor.selectionLast(); }
    int cursorColumn() const { return m_cursor.cursorColumn(); }
    int visibleRows() const { return m_cursor.visibleRows(); }
    const GridCursor& cursor() const { return m_cursor; }
    const GridMetrics& metrics() const { return m_metrics; }
    const ViewLayout& viewLayout() const { return *m_layout; }
    FileCommands& fileCommands() { return *m_files; }
    EditCommands& editCommands() { return m_edit; }
    RowCommands& rowCommands() { return *m_rows; }
    ReportCommands& reportCommands() { return *m_reports; }

    // The selection operation (GridCursor::Select). Every call shows the
    // selection, refreshes the panels and makes the last command no longer
    // undoable.
    using Select = GridCursor::Select;
    void select(Select mode, int column = 0, int row = 0);
    // Convenience for a single cell.
    void selectCell(int row, int column) { select(Select::Single, column, row); }
    // Chooses view format 1..5 as the View menu entries do.
    void chooseViewFormat(int number);
    // Lays the view out for the current view format and repaints.
    void layoutView();
    // Repaints every drawing area from the model.
    void repaintAll();
    // One day later (+1) or earlier (-1); beyond the schedule's dates it beeps
    // and offers to add days.
    void stepDays(int direction);
    // Scrolls the rows so that `top` is the row scroll position.
    void scrollRows(int top);
    // Makes `first` the first visible day (days after the start), reloading
    // the day window.
    void showDaysFrom(int first);
    // Moves the cursor to display row `row` (from 1), scrolling as needed.
    void goToRow(int row);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createMenus();
    // Widgets (MainFormWidgets.cpp).
    void createToolPanel();
    void createAreas();
    void createHiddenControls(QWidget* parent);
    QAction* addItem(QMenu* menu, const char* name, const QString& caption,
                     const QKeySequence& shortcut = {}, bool enabled = true);
    QAction* action(const char* name) const;

    // State after opening and closing.
    void scheduleShown();
    void scheduleClosed();
    void updateMenus();
    void updateCaption();
    void updateViewMenu();
    void fillShiftSelector();
    void fillExplanations();
    void definitionsChanged();

    const ViewFormat& currentFormat() const;
    int displayRow(int screenRow) const { return screenRow + m_cursor.topRow(); }
    bool isDivider(int displayRow) const;
    int columns() const;
    int coverageLines() const;
    EditSelection editSelection() const;

    // Painting (MainFormPaint.cpp).
    void paintRuler(int fromColumn, int toColumn);
    void paintRows(int fromRow, int toRow);
    void paintCells(int fromRow, int toRow, int fromColumn, int toColumn);
    void paintCoverage(int fromColumn, int toColumn);
    void paintCoverageCaptions();
    void highlightSelection();
    void refreshCurrentCell();
    QRect cellRect(int row, int column) const;

    // Editing (MainFormEditing.cpp).
    void runCommand(const EditOutcome& outcome);
    void showUndo();
    void redrawDays(int firstDay, int lastDay);
    void gridKey(QKeyEvent* event);
    void gridPressed(QPoint position);
    void gridDragged(QPoint position);
    void commandAssign();
    void commandCopy();
    void commandPaste();
    void commandSelectivePaste();
    void commandCopyMultiple();
    // The paste choices of the settings record, given their first-use values.
    PasteOptions pasteOptions();
    void storePasteOptions(const PasteOptions& options);
    void commandUndo();
    void explanationChosen(int number);
    void noteFocused();
    void noteCommit();
    void noteDiscard();
    void noteLeft();
    bool shiftSelectorKey(QKeyEvent* event);
    bool explanationsKey(QKeyEvent* event);

    // Rows (MainFormRows.cpp).
    void createRowItems();
    void updateEditMenu();
    void rowCommand(RowCommands::Result result);
    void sortRows(RowRules::SortKey key);
    void namePressed(QPoint position);
    // Stores what the in-place editor holds into the edited row.
    void storeEditor(QLineEdit* editor);
    // Stores both in-place editors and hides them.
    void closeEditors();
    bool editorEvent(QLineEdit* editor, QEvent* event);

    // Navigation (MainFormNavigation.cpp).
    void applyMove(const GridCursor::Move& move);
    // The number of day columns, told to the cursor before it is used.
    GridCursor& syncedCursor();
    void outOfRange();
    void openPager();
    void openFindName();
    void coverageCaptionClicked(QPoint position);

    ProgramState& m_state;
    Platform& m_platform;
    ScheduleDialogs& m_dialogs;
    std::unique_ptr<FileCommands> m_files;
    EditCommands m_edit;
    std::unique_ptr<RowCommands> m_rows;
    std::unique_ptr<ReportCommands> m_reports;
    QuickKeyTable m_keys;

    // The format shown while no schedule is open.
    ViewFormat m_untitled;
    std::optional<ViewLayout> m_layout;
    GridMetrics m_metrics;
    GridCursor m_cursor;
    bool m_dragging = false;
    bool m_relayoutPending = false;
    int m_chosenShift = 0;
    bool m_browsingShifts = false;
    bool m_browsingExplanations = false;
    int m_explanationShown = 0;
    QString m_noteBefore;

    QMenu* m_fileMenu = nullptr;
    QMenu* m_editMenu = nullptr;
    QMenu* m_viewMenu = nullptr;
    QMenu* m_defineMenu = nullptr;
    QMenu* m_reportsMenu = nullptr;
    QMenu* m_helpMenu = nullptr;
    QAction* m_save = nullptr;
    QAction* m_saveAs = nullptr;
    QAction* m_undo = nullptr;
    QAction* m_paste = nullptr;
    QAction* m_selPaste = nullptr;
    QAction* m_viewChange = nullptr;
    QAction* m_reportCurrent = nullptr;
    QAction* m_insertLine = nullptr;
    QAction* m_removeLine = nullptr;
    QAction* m_divider = nullptr;
    QAction* m_markName = nullptr;
    QAction* m_moveName = nullptr;
    std::array<QAction*, ViewFormat::kCount> m_viewFormats{};

    QComboBox* m_shiftSelector = nullptr;
    QLabel* m_shiftHours = nullptr;
    QLabel* m_shiftDesc = nullptr;
    QLabel* m_dateOn = nullptr;
    QLabel* m_dateDisplay = nullptr;
    QLabel* m_empRow = nullptr;
    QLabel* m_daysTagged = nullptr;
    SpinButton* m_spin = nullptr;

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
    // The in-place editors of a row's name and position, and the display row
    // they edit (0 while they are hidden).
    QLineEdit* m_empText = nullptr;
    QLineEdit* m_empText2 = nullptr;
    int m_editRow = 0;
};

} // namespace kalmur
