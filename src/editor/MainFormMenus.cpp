// The menu tree of the main window.
#include "MainForm.h"

#include "files/ProgramState.h"
#include "platform/FontCheck.h"

#include <QAction>
#include <QMenuBar>

namespace kalmur {

QAction* MainForm::addItem(QMenu* menu, const char* name, const QString& caption,
                           const QKeySequence& shortcut, bool enabled) {
    auto* action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    if (!shortcut.isEmpty()) {
        action->setShortcut(shortcut);
    }
    action->setEnabled(enabled);
    return action;
}

void MainForm::createMenus() {
    auto menu = [this](const char* name, const QString& caption) {
        QMenu* m = menuBar()->addMenu(caption);
        m->setObjectName(QLatin1String(name));
        m->menuAction()->setObjectName(QLatin1String(name));
        return m;
    };
    auto run = [this](QAction* action, auto command) {
        connect(action, &QAction::triggered, this, command);
        return action;
    };
    // The days and the current day of the grid, as the report windows open on.
    auto gridDays = [this] {
        const Schedule& s = m_state.schedule();
        PrintDays::Grid grid;
        grid.firstShown = s.dateOfDay(s.window().dayNumber(1));
        grid.daysOnScreen = s.windowLength();
        grid.currentDay = s.dateOfDay(s.window().dayNumber(cursorColumn()));
        grid.taggedDays = selectionLast() - selectionFirst() + 1;
        return grid;
    };
    // The print window over `over`; the model is written out before and the
    // grid read again after.
    auto print = [this, gridDays](QWidget* over) {
        if (!m_state.isOpen()) {
            return;
        }
        const PrintDays::Grid grid = gridDays();
        m_reports->run([&] { m_dialogs.printSchedule(over, m_state, grid); });
    };

    m_fileMenu = menu("MenuFile", tr("&File"));
    connect(addItem(m_fileMenu, "File_New", tr("&New...")), &QAction::triggered, this,
            [this] { m_files->open(); });
    connect(addItem(m_fileMenu, "File_Open", tr("&Open...")), &QAction::triggered, this,
            [this] { m_files->open(); });
    m_save =
        addItem(m_fileMenu, "File_Save", tr("&Save"), QKeySequence(Qt::CTRL | Qt::Key_S), false);
    connect(m_save, &QAction::triggered, this, [this] {
        m_files->save();
        repaintAll();
    });
    m_saveAs = addItem(m_fileMenu, "File_SaveAs", tr("Save &As..."), {}, false);
    connect(m_saveAs, &QAction::triggered, this, [this] { m_files->saveAs(); });
    m_fileMenu->addSeparator();
    run(addItem(m_fileMenu, "File_Print", tr("Print...")), [this, print] { print(this); });
    run(addItem(m_fileMenu, "File_PrintSetup", tr("Printer Setup...")),
        [this] { m_dialogs.choosePrinter(this); });
    m_fileMenu->addSeparator();
    connect(addItem(m_fileMenu, "File_Exit", tr("E&xit")), &QAction::triggered, this,
            &QWidget::close);

    m_editMenu = menu("MenuEdit", tr("&Edit"));
    m_undo = run(addItem(m_editMenu, "Edit_Undo", tr("Can't Undo"), {}, false),
                 [this] { commandUndo(); });
    m_editMenu->addSeparator();
    run(addItem(m_editMenu, "Edit_Cut", tr("Cu&t"), QKeySequence(Qt::SHIFT | Qt::Key_Delete)),
        [this] {
            runCommand(m_edit.cut(editSelection()));
            // Cut copied the days first, so they can be pasted now.
            m_paste->setEnabled(m_edit.hasClipboard());
            m_selPaste->setEnabled(m_edit.hasClipboard());
        });
    run(addItem(m_editMenu, "Edit_Copy", tr("&Copy"), QKeySequence(Qt::CTRL | Qt::Key_Insert)),
        [this] { commandCopy(); });
    run(addItem(m_editMenu, "Edit_Mcopy", tr("Copy &Multiple...")),
        [this] { commandCopyMultiple(); });
    m_paste = run(addItem(m_editMenu, "Edit_Paste", tr("&Paste"),
                          QKeySequence(Qt::SHIFT | Qt::Key_Insert), false),
                  [this] { commandPaste(); });
    m_selPaste = run(addItem(m_editMenu, "Edit_SelPaste", tr("Paste &Selective..."), {}, false),
                     [this] { commandSelectivePaste(); });
    run(addItem(m_editMenu, "Edit_Clear", tr("C&lear")),
        [this] { runCommand(m_edit.clear(editSelection())); });
    m_editMenu->addSeparator();
    createRowItems();
    m_editMenu->addSeparator();
    run(addItem(m_editMenu, "Edit_DrawShift", tr("&Assign Shift"),
                QKeySequence(Qt::CTRL | Qt::Key_A)),
        [this] { commandAssign(); });
    run(addItem(m_editMenu, "Edit_TimeOff", tr("Time &Off"), QKeySequence(Qt::CTRL | Qt::Key_X)),
        [this] { runCommand(m_edit.timeOff(editSelection())); });
    run(addItem(m_editMenu, "Edit_EraseShift", tr("&Erase Shift / Time Off"),
                QKeySequence(Qt::CTRL | Qt::Key_E)),
        [this] { runCommand(m_edit.erase(editSelection())); });
    run(addItem(m_editMenu, "Edit_OnCall", tr("O&n Call (toggle)"),
                QKeySequence(Qt::CTRL | Qt::Key_O)),
        [this] { runCommand(m_edit.toggleOnCall(editSelection())); });

    m_viewMenu = menu("MenuView", tr("&View"));
    run(addItem(m_viewMenu, "View_Alpha", tr("&Alphabetically by Name")),
        [this] { sortRows(RowRules::SortKey::Name); });
    run(addItem(m_viewMenu, "View_ByPos", tr("Sort by &Position")),
        [this] { sortRows(RowRules::SortKey::Position); });
    run(addItem(m_viewMenu, "View_FindName", tr("&Find Name"), QKeySequence(Qt::CTRL | Qt::Key_F)),
        [this] { openFindName(); });
    m_viewMenu->addSeparator();
    for (int i = 0; i < ViewFormat::kCount; ++i) {
        QAction* a = addItem(m_viewMenu, "View_format", tr("undefined"));
        a->setProperty("index", i);
        a->setCheckable(true);
        connect(a, &QAction::triggered, this, [this, i] { chooseViewFormat(i + 1); });
        m_viewFormats[static_cast<std::size_t>(i)] = a;
    }
    m_viewMenu->addSeparator();
    m_viewChange = run(addItem(m_viewMenu, "View_Change", tr("&Edit Schedule Format (undefined)")),
                       [this, print] {
                           m_dialogs.editViewFormat(
                               this, m_state, [this] { layoutView(); }, print);
                       });

    m_defineMenu = menu("MenuDefine", tr("&Define"));
    run(addItem(m_defineMenu, "Define_Shifts", tr("&Shifts")), [this] {
        if (m_dialogs.editShifts(this, m_state, m_layout->editTimeFormat())) {
            definitionsChanged();
            repaintAll();
        }
    });
    run(addItem(m_defineMenu, "Define_Explainations", tr("&Explanations")), [this] {
        if (m_dialogs.editExplanations(this, m_state)) {
            definitionsChanged();
            repaintAll();
        }
    });
    connect(addItem(m_defineMenu, "Define_Props", tr("&Properties")), &QAction::triggered, this,
            [this] {
                m_files->properties();
                layoutView();
                select(Select::Again);
            });

    m_reportsMenu = menu("Menu_Reports", tr("&Reports"));
    m_reportCurrent = run(addItem(m_reportsMenu, "Report_Current", tr("untitled"),
                                  QKeySequence(Qt::CTRL | Qt::Key_P)),
                          [this, print] { print(this); });
    run(addItem(m_reportsMenu, "Report_Legend", tr("Legend")), [this] {
        // The definitions the legend edited show in the lists, keys and cells.
        if (m_reports->run([this] { m_dialogs.legend(this, m_state); })) {
            definitionsChanged();
            repaintAll();
        }
    });
    run(addItem(m_reportsMenu, "Report_Query", tr("Query")), [this] {
        const EditSelection tagged = editSelection();
        m_reports->query(tagged.firstDay, tagged.lastDay);
    });
    QMenu* personal = m_reportsMenu->addMenu(tr("Personal Schedules"));
    personal->setObjectName(QStringLiteral("Report_Personal"));
    personal->menuAction()->setObjectName(QStringLiteral("Report_Personal"));
    auto personalReport = [this, gridDays](ReportKind kind) {
        if (m_state.isOpen()) {
            const PrintDays::Grid grid = gridDays();
            m_reports->run([&] { m_dialogs.personalReport(this, m_state, kind, grid); });
        }
    };
    run(addItem(personal, "Report_Personal_Day142", tr("1 to 42 Day")),
        [personalReport] { personalReport(ReportKind::Personal); });
    run(addItem(personal, "Report_Personal_Month", tr("Monthly Calendar")),
        [personalReport] { personalReport(ReportKind::Calendar); });
    // The cost report prints in Arial: without it the window does not open.
    run(addItem(m_reportsMenu, "Report_Proj", tr("Estimated &Cost")), [this, gridDays] {
        if (!m_state.isOpen() || FontCheck::reportFontMissing(m_platform, this)) {
            return;
        }
        const PrintDays::Grid grid = gridDays();
        m_reports->run([&] { m_dialogs.estimateCost(this, m_state, grid); });
    });

    m_helpMenu = menu("Menu_Help", tr("&Help"));
    connect(addItem(m_helpMenu, "Help_Contents", tr("&Contents")), &QAction::triggered, this,
            [this] {
                repaintAll();
                m_platform.processEvents();
                m_platform.showHelp(this, 1);
            });
    connect(addItem(m_helpMenu, "Help_About", tr("&About...")), &QAction::triggered, this,
            [this] { m_dialogs.about(this); });
}

} // namespace kalmur
