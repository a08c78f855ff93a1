#include "MainForm.h"

#include "PaintArea.h"
#include "files/ProgramState.h"
#include "model/schedule/Presets.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QScreen>
#include <QScrollBar>

namespace kalmur {

MainForm::MainForm(ProgramState& state, Platform& platform, ScheduleDialogs& dialogs,
                   QWidget* parent)
    : QMainWindow(parent)
    , m_state(state)
    , m_platform(platform)
    , m_dialogs(dialogs)
    , m_edit(state.schedule()) {
    setObjectName(QStringLiteral("MainForm"));
    FileCommands::Hooks hooks;
    hooks.endEditing = [this] {
        closeEditors();
        m_notePad->clearFocus();
    };
    hooks.scheduleShown = [this] {
        scheduleShown();
    };
    hooks.scheduleClosed = [this] {
        scheduleClosed();
    };
    hooks.repaint = [this] {
        layoutView();
    };
    m_files = std::make_unique<FileCommands>(state, platform, dialogs, this, std::move(hooks));
    RowCommands::Hooks rowHooks;
    rowHooks.repaintRows = [this] {
        paintRows(1, m_cursor.visibleRows() + 1);
        highlightSelection();
        refreshCurrentCell();
    };
    rowHooks.recountCoverage = [this] {
        paintCoverage(1, columns());
    };
    rowHooks.undoChanged = [this] {
        showUndo();
    };
    m_rows = std::make_unique<RowCommands>(state, platform, m_edit.undoStep(), this,
                                           std::move(rowHooks));
    ReportCommands::Hooks reportHooks;
    reportHooks.endEditing = [this] {
        closeEditors();
        m_notePad->clearFocus();
    };
    reportHooks.reloaded = [this] {
        repaintAll();
    };
    m_reports =
        std::make_unique<ReportCommands>(state, platform, dialogs, this, std::move(reportHooks));

    // Until a schedule is open the view shows the "28 Day" preset, untitled.
    m_untitled = Presets::viewFormat(Presets::ViewPreset::TwentyEightDay);
    m_untitled.name = QStringLiteral("untitled");

    createMenus();
    createToolPanel();
    createAreas();
    if (const QScreen* screen = QApplication::primaryScreen()) {
        const QRect available = screen->availableGeometry();
        // A large screen leaves a margin; a small one is used across its whole
        // width, which the day columns need.
        const int width = std::max(available.width() * 9 / 10, std::min(available.width(), 1280));
        resize(width, available.height() * 9 / 10);
    }
    updateMenus();
    layoutView();
}

MainForm::~MainForm() = default;

const ViewFormat& MainForm::currentFormat() const {
    return m_state.isOpen() ? m_state.schedule().viewFormat() : m_untitled;
}

bool MainForm::isDivider(int row) const {
    return m_state.isOpen() && m_edit.isDivider(row);
}

int MainForm::columns() const {
    return m_state.isOpen() ? m_state.schedule().windowLength() : currentFormat().daysOnScreen;
}

int MainForm::coverageLines() const {
    return m_state.isOpen() ? std::clamp<int>(currentFormat().coverageVisible, 0, 20) : 0;
}

EditSelection MainForm::editSelection() const {
    const Schedule& s = m_state.schedule();
    return {m_cursor.displayRow(), s.window().dayNumber(m_cursor.selectionFirst()),
            s.window().dayNumber(m_cursor.selectionLast())};
}

QAction* MainForm::action(const char* name) const {
    for (QAction* a : findChildren<QAction*>()) {
        if (a->objectName() == QLatin1String(name)) {
            return a;
        }
    }
    return nullptr;
}

void MainForm::loadInitial() {
    m_files->openCommandLine();
}

// --- state after opening and closing ------------------------------------------

void MainForm::scheduleShown() {
    m_cursor.home();
    m_edit.reset();
    m_rows->clearMark();
    definitionsChanged();
    updateMenus();
    layoutView();
    m_grid->setFocus();
}

void MainForm::scheduleClosed() {
    closeEditors();
    m_edit.reset();
    m_rows->clearMark();
    updateMenus();
    layoutView();
}

void MainForm::definitionsChanged() {
    fillShiftSelector();
    fillExplanations();
    m_keys.rebuild(m_state.schedule().shifts(), m_state.schedule().explanations());
}

void MainForm::updateMenus() {
    const bool open = m_state.isOpen();
    m_save->setEnabled(open);
    m_saveAs->setEnabled(open);
    for (QMenu* m : {m_editMenu, m_viewMenu, m_defineMenu, m_reportsMenu}) {
        m->menuAction()->setEnabled(open);
        m->setEnabled(open);
    }
    m_paste->setEnabled(open && m_edit.hasClipboard());
    m_selPaste->setEnabled(open && m_edit.hasClipboard());
    showUndo();
    m_shiftSelector->setEnabled(open);
    m_explanations->setEnabled(open);
    m_notePad->setEnabled(open);
    if (!open) {
        m_shiftSelector->clear();
        m_explanations->clear();
        m_notePad->clear();
    }
    updateViewMenu();
}

void MainForm::updateViewMenu() {
    const bool open = m_state.isOpen();
    const auto names = open ? m_state.schedule().viewFormatNames() : std::array<QString, 5>{};
    for (int i = 0; i < ViewFormat::kCount; ++i) {
        QAction* a = m_viewFormats[static_cast<std::size_t>(i)];
        const QString& name = names[static_cast<std::size_t>(i)];
        a->setText(open && !name.isEmpty() ? name : tr("undefined"));
        a->setChecked(open && m_state.schedule().viewFormatNumber() == i + 1);
    }
    const QString current = currentFormat().name.trimmed();
    m_viewChange->setText(open ? tr("Edit Schedule Format (") + current + QLatin1Char(')')
                               : tr("&Edit Schedule Format (undefined)"));
    m_reportCurrent->setText(current);
}

void MainForm::updateCaption() {
    if (!m_state.isOpen()) {
        setWindowTitle(QStringLiteral("Kalmur Pro"));
        return;
    }
    setWindowTitle(m_state.displayName() + QStringLiteral(" - Kalmur Pro [") +
                   currentFormat().name.trimmed() + QLatin1Char(']'));
}

void MainForm::fillShiftSelector() {
    m_shiftSelector->clear();
    const Schedule& s = m_state.schedule();
    for (int n = 1; n <= ShiftRecord::kUserShifts; ++n) {
        if (!s.shift(n).isUndefined()) {
            m_shiftSelector->addItem(s.shift(n).description.trimmed(), n);
        }
    }
    const int index = m_shiftSelector->findData(m_chosenShift);
    m_shiftSelector->setCurrentIndex(index >= 0 ? index : 0);
    m_chosenShift = m_shiftSelector->currentData().toInt();
}

void MainForm::fillExplanations() {
    m_explanations->clear();
    auto* none = new QListWidgetItem(tr("None"), m_explanations);
    none->setData(Qt::UserRole, 0);
    const ExplanationTable& table = m_state.schedule().explanations();
    for (int n = 1; n <= ExplanationTable::kCount; ++n) {
        if (!table.isUndefined(n)) {
            auto* item = new QListWidgetItem(table.description(n).trimmed(), m_explanations);
            item->setData(Qt::UserRole, n);
        }
    }
}

void MainForm::chooseViewFormat(int number) {
    Schedule& s = m_state.schedule();
    if (!s.isOpen() || number == s.viewFormatNumber()) {
        updateViewMenu();
        return;
    }
    s.selectViewFormat(number);
    layoutView();
}

// --- layout -------------------------------------------------------------------

void MainForm::layoutView() {
    // The editors lie over a row whose place the layout may change.
    closeEditors();
    updateCaption();
    updateViewMenu();
    const ViewFormat& format = currentFormat();
    m_layout.emplace(format, ViewTarget::Screen);
    const int days = std::max(1, columns());
    m_metrics = GridMetrics::compute(format, *m_layout, m_grid->width(), days);
    const bool hidePosition = format.hidePosition;
    m_names->setFixedWidth(m_metrics.nameWidth);
    m_nameHeading->setFixedWidth(m_metrics.nameWidth);
    m_positions->setVisible(!hidePosition);
    m_positionHeading->setVisible(!hidePosition);
    m_positions->setFixedWidth(m_metrics.positionWidth);
    m_positionHeading->setFixedWidth(m_metrics.positionWidth);
    m_ruler->setFixedHeight(m_metrics.rulerHeight);
    m_nameHeading->setFixedHeight(m_metrics.rulerHeight);
    m_positionHeading->setFixedHeight(m_metrics.rulerHeight);
    const int lines = coverageLines();
    const int coverageHeight = lines * (m_metrics.lineHeight + 2);
    m_coverage->setVisible(lines > 0);
    m_coverageDesc->setVisible(lines > 0);
    m_coverage->setFixedHeight(std::max(1, coverageHeight));
    m_coverageDesc->setFixedHeight(std::max(1, coverageHeight));

    m_cursor.fit(m_grid->height() / m_metrics.cellHeight, days);
    m_rowScroll->blockSignals(true);
    m_rowScroll->setRange(0, m_cursor.maxTop());
    m_rowScroll->setPageStep(m_cursor.visibleRows());
    m_rowScroll->setValue(m_cursor.topRow());
    m_rowScroll->blockSignals(false);
    repaintAll();
}

void MainForm::closeEvent(QCloseEvent* event) {
    if (m_files->mayClose()) {
        event->accept();
    } else {
        event->ignore();
    }
}

bool MainForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_nameHeading && event->type() == QEvent::MouseButtonPress) {
        if (m_state.isOpen()) {
            openFindName();
        }
        return true;
    }
    if (watched == m_empText || watched == m_empText2) {
        if (editorEvent(static_cast<QLineEdit*>(watched), event)) {
            return true;
        }
    }
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (watched == m_shiftSelector) {
            return shiftSelectorKey(key);
        }
        if (watched == m_explanations) {
            return explanationsKey(key);
        }
    }
    if (watched == m_notePad) {
        if (event->type() == QEvent::FocusIn) {
            noteFocused();
        } else if (event->type() == QEvent::FocusOut) {
            noteLeft();
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace kalmur
