// Building the main window's widgets: the tool strip, the drawing areas, the
// side panel and the named hidden controls.
#include "MainForm.h"

#include "PaintArea.h"
#include "SpinButton.h"
#include "ToolIcons.h"
#include "files/ProgramState.h"
#include "view/GridPainter.h"

#include <QAction>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <functional>
#include <string_view>

namespace kalmur {
namespace {

QLabel* panel(const char* name, QWidget* parent, int minimumWidth) {
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setMinimumWidth(minimumWidth);
    label->setContentsMargins(4, 0, 4, 0);
    return label;
}

QToolButton* toolButton(const char* name, const QIcon& icon, const QString& tip, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setIcon(icon);
    button->setIconSize(QSize(20, 20));
    button->setToolTip(tip);
    button->setAutoRaise(true);
    return button;
}

} // namespace

void MainForm::createToolPanel() {
    auto* central = new QWidget(this);
    setCentralWidget(central);
    auto* outer = new QVBoxLayout(central);
    outer->setContentsMargins(2, 2, 2, 2);
    outer->setSpacing(2);

    auto* tools = new QFrame(central);
    tools->setObjectName(QStringLiteral("ToolPanel"));
    tools->setFrameStyle(QFrame::Panel | QFrame::Raised);
    auto* row = new QHBoxLayout(tools);
    row->setContentsMargins(4, 2, 4, 2);
    row->setSpacing(4);
    m_shiftSelector = new QComboBox(tools);
    m_shiftSelector->setObjectName(QStringLiteral("ShiftSelector"));
    m_shiftSelector->setMinimumWidth(150);
    m_shiftSelector->setToolTip(tr("Shift used by Assign Shift"));
    m_shiftHours = panel("TopInfoShiftHours", tools, 56);
    m_shiftHours->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_shiftDesc = panel("TopInfoShiftDesc", tools, 220);
    m_dateOn = panel("DateOn", tools, 110);
    m_dateDisplay = panel("DateDisplay", tools, 170);
    m_empRow = panel("EmpRow", tools, 36);
    m_empRow->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_empRow->setToolTip(tr("Row"));
    m_daysTagged = panel("DaysTagged", tools, 30);
    m_daysTagged->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_daysTagged->setToolTip(tr("Days selected"));
    row->addWidget(m_shiftSelector);
    row->addWidget(m_shiftHours);
    row->addWidget(m_shiftDesc, 1);
    row->addWidget(m_dateOn);
    row->addWidget(m_dateDisplay);
    row->addWidget(m_empRow);
    row->addWidget(m_daysTagged);

    m_spin = new SpinButton(m_platform.clock(), tools);
    connect(m_spin, &SpinButton::step, this, [this](int direction) {
        stepDays(direction);
        m_grid->setFocus();
    });
    row->addWidget(m_spin);

    const auto assign = toolButton("ButtonAssign", ToolIcons::assign(), tr("Assign Shift"), tools);
    const auto timeOff = toolButton("ButtonTimeOff", ToolIcons::timeOff(), tr("Time Off"), tools);
    const auto erase =
        toolButton("ButtonErase", ToolIcons::erase(), tr("Erase Shift / Time Off"), tools);
    const auto call = toolButton("ButtonCall", ToolIcons::onCall(), tr("On Call (toggle)"), tools);
    const auto cal = toolButton("ButtonCal", ToolIcons::calendar(), tr("Change Page"), tools);
    for (QToolButton* b : {assign, timeOff, erase, call, cal}) {
        b->setFocusPolicy(Qt::NoFocus);
        row->addWidget(b);
    }
    // The buttons do what their menu items do, then the grid takes the keys again.
    auto same = [this](QToolButton* b, const char* item) {
        connect(b, &QToolButton::clicked, this, [this, item] {
            if (QAction* a = action(item); a && a->isEnabled() && m_state.isOpen()) {
                a->trigger();
            }
            m_grid->setFocus();
        });
    };
    same(assign, "Edit_DrawShift");
    same(timeOff, "Edit_TimeOff");
    same(erase, "Edit_EraseShift");
    same(call, "Edit_OnCall");
    connect(cal, &QToolButton::clicked, this, [this] { openPager(); });
    outer->addWidget(tools);
}

void MainForm::createAreas() {
    auto* body = new QWidget(centralWidget());
    auto* columns = new QHBoxLayout(body);
    columns->setContentsMargins(0, 0, 0, 0);
    columns->setSpacing(4);

    auto* gridBox = new QWidget(body);
    auto* grid = new QGridLayout(gridBox);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    m_nameHeading = new QLabel(tr("Name"), gridBox);
    m_nameHeading->setObjectName(QStringLiteral("Label1"));
    m_positionHeading = new QLabel(tr("Position"), gridBox);
    m_positionHeading->setObjectName(QStringLiteral("Label2"));
    for (QLabel* l : {m_nameHeading, m_positionHeading}) {
        l->setFrameStyle(QFrame::Panel | QFrame::Raised);
        l->setAlignment(Qt::AlignCenter);
    }
    m_ruler = new PaintArea(QStringLiteral("DayRuler"), gridBox);
    m_names = new PaintArea(QStringLiteral("EmpList"), gridBox);
    m_positions = new PaintArea(QStringLiteral("EmpPos"), gridBox);
    m_grid = new PaintArea(QStringLiteral("Grid"), gridBox);
    m_grid->setFocusPolicy(Qt::StrongFocus);
    m_coverageDesc = new PaintArea(QStringLiteral("CoverageDesc"), gridBox);
    m_coverage = new PaintArea(QStringLiteral("Coverage"), gridBox);
    m_rowScroll = new QScrollBar(Qt::Vertical, gridBox);
    m_rowScroll->setObjectName(QStringLiteral("VScroll2"));
    grid->addWidget(m_nameHeading, 0, 0);
    grid->addWidget(m_positionHeading, 0, 1);
    grid->addWidget(m_ruler, 0, 2);
    grid->addWidget(m_names, 1, 0);
    grid->addWidget(m_positions, 1, 1);
    grid->addWidget(m_grid, 1, 2);
    grid->addWidget(m_rowScroll, 1, 3);
    grid->addWidget(m_coverageDesc, 2, 0, 1, 2);
    grid->addWidget(m_coverage, 2, 2);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(1, 1);
    columns->addWidget(gridBox, 1);

    auto* side = new QWidget(body);
    side->setFixedWidth(160);
    auto* sideLayout = new QVBoxLayout(side);
    sideLayout->setContentsMargins(0, 0, 0, 0);
    sideLayout->addWidget(new QLabel(tr("Explanation"), side));
    m_explanations = new QListWidget(side);
    m_explanations->setObjectName(QStringLiteral("Explainations"));
    sideLayout->addWidget(m_explanations, 1);
    sideLayout->addWidget(new QLabel(tr("Note"), side));
    auto* noteRow = new QHBoxLayout();
    m_notePad = new QLineEdit(side);
    m_notePad->setObjectName(QStringLiteral("NotePad"));
    m_notePad->setMaxLength(60);
    m_noteCheck = toolButton("NoteCheck", ToolIcons::noteCheck(), tr("Store the note"), side);
    m_noteX = toolButton("NoteX", ToolIcons::noteCancel(), tr("Discard the typed note"), side);
    m_noteCheck->setEnabled(false);
    m_noteX->setEnabled(false);
    m_noteCheck->setFocusPolicy(Qt::NoFocus);
    m_noteX->setFocusPolicy(Qt::NoFocus);
    noteRow->addWidget(m_notePad, 1);
    noteRow->addWidget(m_noteCheck);
    noteRow->addWidget(m_noteX);
    sideLayout->addLayout(noteRow);
    columns->addWidget(side);
    static_cast<QVBoxLayout*>(centralWidget()->layout())->addWidget(body, 1);
    createHiddenControls(gridBox);

    connect(m_grid, &PaintArea::pressed, this, [this](QPoint p, Qt::MouseButton button, auto) {
        if (button == Qt::LeftButton) {
            gridPressed(p);
        }
    });
    connect(m_grid, &PaintArea::keyPressed, this, [this](QKeyEvent* e) { gridKey(e); });
    connect(m_names, &PaintArea::pressed, this, [this](QPoint p, Qt::MouseButton button, auto) {
        if (button == Qt::LeftButton) {
            namePressed(p);
        }
    });
    connect(m_coverageDesc, &PaintArea::pressed, this,
            [this](QPoint p, Qt::MouseButton, auto) { coverageCaptionClicked(p); });
    m_nameHeading->installEventFilter(this);
    m_shiftSelector->installEventFilter(this);
    m_explanations->installEventFilter(this);
    m_notePad->installEventFilter(this);
    connect(m_shiftSelector, &QComboBox::activated, this, [this](int index) {
        if (!m_browsingShifts) {
            m_chosenShift = m_shiftSelector->itemData(index).toInt();
        }
    });
    connect(m_explanations, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { explanationChosen(item->data(Qt::UserRole).toInt()); });
    connect(m_notePad, &QLineEdit::returnPressed, this, [this] { noteCommit(); });
    connect(m_noteCheck, &QToolButton::clicked, this, [this] { noteCommit(); });
    connect(m_noteX, &QToolButton::clicked, this, [this] { noteDiscard(); });
    connect(m_grid, &PaintArea::dragged, this, [this](QPoint p) { gridDragged(p); });
    connect(m_grid, &PaintArea::released, this, [this](QPoint) { m_dragging = false; });
    // A change of size lays the view out again once the layout has settled.
    for (PaintArea* area : {m_ruler, m_names, m_positions, m_grid, m_coverage, m_coverageDesc}) {
        connect(area, &PaintArea::resized, this, [this] {
            if (!m_relayoutPending) {
                m_relayoutPending = true;
                QMetaObject::invokeMethod(
                    this,
                    [this] {
                        m_relayoutPending = false;
                        layoutView();
                    },
                    Qt::QueuedConnection);
            }
        });
    }
    connect(m_rowScroll, &QScrollBar::valueChanged, this, [this](int value) { scrollRows(value); });
}

// The in-place editors of a row's name and position (shown while one is
// edited) and the mark shapes the cells draw, kept as named hidden controls.
void MainForm::createHiddenControls(QWidget* parent) {
    m_empText = new QLineEdit(parent);
    m_empText->setObjectName(QStringLiteral("EmpText"));
    m_empText->setMaxLength(20);
    m_empText2 = new QLineEdit(parent);
    m_empText2->setObjectName(QStringLiteral("EmpText2"));
    m_empText2->setMaxLength(10);
    for (QLineEdit* editor : {m_empText, m_empText2}) {
        editor->setFrame(false);
        editor->hide();
        editor->installEventFilter(this);
    }
    struct Shape {
        const char* name;
        std::function<void(QPainter&, const QRect&)> draw;
    };
    const Shape shapes[] = {
        {"VectorX",
         [](QPainter& p, const QRect& r) {
             GridPainter::paintX(p, r);
         }},
        {"VectorO",
         [](QPainter& p, const QRect& r) {
             GridPainter::paintO(p, r);
         }},
        {"VectorBell",
         [](QPainter& p, const QRect& r) {
             GridPainter::paintBell(p, r);
         }},
        {"VectorBlueBox",
         [](QPainter& p, const QRect& r) {
             GridPainter::paintBox(p, r, QColor(40, 110, 255));
         }},
        {"VectorYellowBox",
         [](QPainter& p, const QRect& r) {
             GridPainter::paintBox(p, r, QColor(255, 230, 0));
         }},
        {"VectorGreenBox",
         [](QPainter& p, const QRect& r) {
             GridPainter::paintBox(p, r, QColor(0, 190, 60));
         }},
    };
    for (const Shape& shape : shapes) {
        auto* picture = new QLabel(parent);
        picture->setObjectName(QLatin1String(shape.name));
        QPixmap pixmap(16, 16);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        shape.draw(p, pixmap.rect());
        p.end();
        picture->setPixmap(pixmap);
        picture->hide();
    }
    const std::pair<const char*, QIcon> faces[] = {{"CheckAct", ToolIcons::noteCheck()},
                                                   {"CheckInAct", ToolIcons::noteCheck()},
                                                   {"XAct", ToolIcons::noteCancel()},
                                                   {"XInAct", ToolIcons::noteCancel()}};
    for (const auto& [name, icon] : faces) {
        auto* picture = new QLabel(parent);
        picture->setObjectName(QLatin1String(name));
        const bool active = std::string_view(name).find("InAct") == std::string_view::npos;
        picture->setPixmap(icon.pixmap(QSize(16, 16), active ? QIcon::Normal : QIcon::Disabled));
        picture->hide();
    }
}

} // namespace kalmur
