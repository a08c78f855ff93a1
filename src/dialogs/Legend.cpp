#include "Legend.h"

#include "ReportOutput.h"
#include "ReportProgress.h"
#include "ReportWindowParts.h"
#include "files/ProgramState.h"
#include "platform/Placement.h"
#include "platform/Platform.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include <algorithm>

namespace kalmur {

// Draws a list entry's tab-separated fields at the list's tab stops.
class TabStopDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    std::array<int, LegendReport::kFields> stops{};

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem plain = option;
        initStyleOption(&plain, index);
        const QStringList fields = plain.text.split(QLatin1Char('\t'));
        plain.text.clear();
        const QWidget* view = option.widget;
        QStyle* style = view ? view->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &plain, painter, view);
        painter->save();
        const bool selected = option.state & QStyle::State_Selected;
        painter->setPen(
            option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
        for (int f = 0; f < fields.size() && f < LegendReport::kFields; ++f) {
            const auto i = static_cast<std::size_t>(f);
            const int right = i + 1 < stops.size() ? stops[i + 1] : option.rect.right();
            const QRect cell(option.rect.left() + stops[i], option.rect.top(),
                             std::max(0, right - stops[i]), option.rect.height());
            painter->drawText(cell, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine,
                              fields[f]);
        }
        painter->restore();
    }
};

namespace {

constexpr int kCaptions = 7;
const std::array<const char*, kCaptions> kCaptionTexts = {"Abbr.", "Description", "Start",    "End",
                                                          "Break", "Length",      "Quick Key"};
const std::array<const char*, 5> kOptionTexts = {"Start/End Times", "Break Length", "Shift Length",
                                                 "Quick Keys", "Separate Shifts && Explanations"};
// Times pending window events run after a run, so that the grid repaints.
constexpr int kSettleRounds = 10;

QString editCaption(LegendLine::Kind kind) {
    switch (kind) {
    case LegendLine::Kind::Shift:
        return QStringLiteral("Edit Shift");
    case LegendLine::Kind::Tag:
        return QStringLiteral("Edit Tag");
    case LegendLine::Kind::Explanation:
        break;
    }
    return QStringLiteral("Edit Explanation");
}

} // namespace

Legend::Legend(ProgramState& state, Platform& platform, QWidget* parent)
    : QDialog(parent)
    , m_state(state)
    , m_platform(platform) {
    setObjectName(QStringLiteral("Legend"));
    setWindowTitle(tr("Legend"));
    build();
    fill();
    const ReportSetup& setup = m_state.schedule().settings().legendSetup;
    for (std::size_t i = 0; i < m_options.size(); ++i) {
        m_options[i]->setChecked(setup.options[i]);
    }
    Placement::centreOver(this, parent);
}

void Legend::build() {
    auto* outer = new QVBoxLayout(this);
    m_form = new QWidget(this);
    outer->addWidget(m_form);
    auto* columns = new QHBoxLayout(m_form);
    columns->setContentsMargins(0, 0, 0, 0);

    auto* left = new QVBoxLayout;
    left->setSpacing(0);
    m_captionRow = new QWidget(m_form);
    for (int c = 0; c < kCaptions; ++c) {
        auto* caption = new QLabel(QLatin1String(kCaptionTexts[std::size_t(c)]), m_captionRow);
        caption->setObjectName(QStringLiteral("ListCaption"));
        caption->setProperty("index", c);
        caption->setFrameStyle(QFrame::Panel | QFrame::Raised);
        m_captions[std::size_t(c)] = caption;
    }
    m_captionRow->setFixedHeight(m_captions[0]->sizeHint().height());
    m_list = new QListWidget(m_form);
    m_list->setObjectName(QStringLiteral("List1"));
    m_delegate = new TabStopDelegate(m_list);
    m_list->setItemDelegate(m_delegate);
    left->addWidget(m_captionRow);
    left->addWidget(m_list);
    columns->addLayout(left, 1);

    auto* right = new QVBoxLayout;
    auto* box = new QGroupBox(tr("Print"), m_form);
    auto* boxLayout = new QVBoxLayout(box);
    for (std::size_t i = 0; i < m_options.size(); ++i) {
        auto* option = new QCheckBox(QLatin1String(kOptionTexts[i]), box);
        option->setObjectName(QStringLiteral("Options"));
        option->setProperty("index", int(i));
        boxLayout->addWidget(option);
        m_options[i] = option;
        connect(option, &QCheckBox::toggled, this, [this, i](bool on) { setOption(int(i), on); });
    }
    right->addWidget(box);
    m_edit = windowButton("Edit", tr("Edit Shift"), m_form);
    m_edit->setEnabled(false);
    m_setup = windowButton("ReportSetup", tr("Report Setup..."), m_form);
    m_setup->setEnabled(false);
    m_print = windowButton("ButtonPrint", tr("Print"), m_form);
    auto* previewButton = windowButton("ButtonPreview", tr("Preview..."), m_form);
    auto* closeButton = windowButton("ButtonClose", tr("Close"), m_form);
    for (QPushButton* b : {m_edit, m_setup, m_print, previewButton, closeButton}) {
        right->addWidget(b);
    }
    right->addStretch();
    columns->addLayout(right);

    m_panel = new ReportProgress(m_platform, this);
    outer->addWidget(m_panel);
    resize(760, 420);

    connect(m_list, &QListWidget::currentRowChanged, this, &Legend::onSelected);
    connect(m_list, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { editLine(m_list->row(item)); });
    connect(m_edit, &QPushButton::clicked, this, [this] { editLine(m_list->currentRow()); });
    connect(m_setup, &QPushButton::clicked, this, [this] {
        if (m_editSetup) {
            m_editSetup(this);
        }
    });
    connect(m_print, &QPushButton::clicked, this, [this] { print(); });
    connect(previewButton, &QPushButton::clicked, this, [this] { preview(); });
    connect(closeButton, &QPushButton::clicked, this, &QDialog::reject);
}

void Legend::fill() {
    const int row = m_list->currentRow();
    const QString timeFormat = LegendReport::timeFormat(m_state.schedule().viewFormat().timeFormat);
    m_lines = LegendReport::lines(m_state.schedule(), timeFormat);
    m_list->clear();
    for (const LegendLine& line : m_lines) {
        m_list->addItem(LegendReport::listText(line));
    }
    if (row >= 0 && row < m_list->count()) {
        m_list->setCurrentRow(row);
    }
    arrangeColumns();
}

void Legend::arrangeColumns() {
    using namespace LegendReport;
    const QFontMetrics m(m_list->font());
    auto caption = [this](int c) {
        return m_captions[std::size_t(c)]->sizeHint().width();
    };
    // A column is as wide as its texts and its caption panels; the quick
    // keys as wide as "[SHIFT-W]", the widest of them.
    std::array<int, kFields> widths{};
    int startPart = caption(2); // the start time and " - ", under "Start"
    for (const LegendLine& line : m_lines) {
        const auto texts = fields(line, QStringLiteral("##.##"));
        for (std::size_t f = 0; f < texts.size(); ++f) {
            widths[f] = std::max(widths[f], m.horizontalAdvance(texts[f]));
        }
        startPart =
            std::max(startPart, m.horizontalAdvance(line.times.section(QLatin1Char('-'), 0, 0) +
                                                    QStringLiteral("- ")));
    }
    widths[Abbreviation] = std::max(widths[Abbreviation], caption(0));
    widths[Description] = std::max(widths[Description], caption(1));
    widths[Times] = std::max(widths[Times], startPart + caption(3));
    widths[Break] = std::max(widths[Break], caption(4));
    widths[Length] = std::max(widths[Length], caption(5));
    widths[QuickKey] = std::max(m.horizontalAdvance(QStringLiteral("[SHIFT-W]")), caption(6));

    // The tab stops, from the left of an entry; the panels stand over them,
    // "End" over the end time.
    const int gap = m.horizontalAdvance(QLatin1Char('M'));
    int x = m.horizontalAdvance(QLatin1Char(' '));
    for (std::size_t f = 0; f < widths.size(); ++f) {
        m_delegate->stops[f] = x;
        x += widths[f] + gap;
    }
    const int frame = m_list->frameWidth();
    const auto& stops = m_delegate->stops;
    const std::array<int, kCaptions> lefts = {0,
                                              stops[1] + frame,
                                              stops[2] + frame,
                                              stops[2] + frame + startPart,
                                              stops[3] + frame,
                                              stops[4] + frame,
                                              stops[5] + frame};
    const int total =
        std::max(x + 2 * frame + m_list->verticalScrollBar()->sizeHint().width(), m_list->width());
    for (std::size_t c = 0; c < lefts.size(); ++c) {
        const int right = c + 1 < lefts.size() ? lefts[c + 1] : total;
        m_captions[c]->setGeometry(lefts[c], 0, right - lefts[c], m_captionRow->height());
    }
    m_list->setMinimumWidth(x + 2 * frame + m_list->verticalScrollBar()->sizeHint().width());
    m_list->viewport()->update();
}

void Legend::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    arrangeColumns();
}

void Legend::setEditors(Editors editors) {
    m_editors = std::move(editors);
}

void Legend::setReportSetup(std::function<void(QWidget*)> edit) {
    m_editSetup = std::move(edit);
    m_setup->setEnabled(static_cast<bool>(m_editSetup));
}

void Legend::onSelected(int row) {
    if (row < 0 || row >= int(m_lines.size())) {
        m_edit->setEnabled(false);
        return;
    }
    m_edit->setText(editCaption(m_lines[std::size_t(row)].kind));
    m_edit->setEnabled(true);
}

void Legend::editLine(int row) {
    if (row < 0 || row >= int(m_lines.size())) {
        return;
    }
    const LegendLine& line = m_lines[std::size_t(row)];
    const auto& edit =
        line.kind == LegendLine::Kind::Explanation ? m_editors.explanation : m_editors.shift;
    // The dialog may change other definitions than the one it opened on, and
    // an edited one may drop out of the legend: the whole list is read again.
    if (edit && edit(line.number)) {
        fill();
    }
}

void Legend::setOption(int index, bool on) {
    ReportSetup& setup = m_state.schedule().settings().legendSetup;
    if (setup.options[std::size_t(index)] != on) {
        setup.options[std::size_t(index)] = on;
        m_state.settingsChanged = true;
    }
}

void Legend::setRunning(bool running) {
    m_form->setEnabled(!running);
    m_print->setEnabled(!running);
    m_platform.setBusy(running);
    m_panel->setRunning(running);
    if (!running) {
        for (int i = 0; i < kSettleRounds; ++i) {
            m_platform.processEvents();
        }
    }
}

LegendPrinter Legend::pages(const PrintFonts& fonts) const {
    const ReportSetup& stored = m_state.schedule().settings().legendSetup;
    return LegendPrinter(m_lines, LegendReport::Options::of(stored), PrintSetup::prepare(stored),
                         fonts, m_platform.clock().currentDateTime());
}

std::optional<RunOutcome> Legend::print() {
    struct Running {
        Legend* window;
        explicit Running(Legend* w)
            : window(w) {
            window->setRunning(true);
        }
        ~Running() { window->setRunning(false); }
    } running(this);
    const std::unique_ptr<ReportOutput> output = ReportOutput::open(
        m_platform, this,
        ReportOutput::suggestedPdf(m_state.locationText(), QStringLiteral(" legend.pdf")));
    if (!output) {
        return std::nullopt;
    }
    const PrintSetup setup = PrintSetup::prepare(m_state.schedule().settings().legendSetup);
    const std::optional<PrintFonts> fonts =
        applySetupToPrinter(m_platform, this, setup, output->controls());
    if (!fonts) {
        return std::nullopt;
    }
    LegendPrinter printer = pages(*fonts);
    return m_panel->finish(printer.print(output->device(), m_panel->hooks(*output)));
}

void Legend::preview() {
    previewReport(m_platform, this, PrintSetup::prepare(m_state.schedule().settings().legendSetup),
                  [this](QPrinter& target, const PrintFonts& fonts) {
                      LegendPrinter printer = pages(fonts);
                      printer.print(target);
                  });
}

} // namespace kalmur
