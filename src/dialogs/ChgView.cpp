#include "ChgView.h"

#include "SelectAllOnFocus.h"
#include "StorableTextValidator.h"
#include "files/ProgramState.h"
#include "platform/Placement.h"
#include "platform/Platform.h"
#include "platform/Twips.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

#include <cmath>

namespace kalmur {

namespace {

// The positions inside the tab control are measured from its top, tab strip
// included; a page begins below the strip.
constexpr int kTabStrip = 345;

QRect pageRect(int left, int top, int width, int height) {
    return twipRect(left, top - kTabStrip, width, height);
}

QLabel* label(QWidget* parent, const QString& text, const QRect& geometry,
              Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter) {
    auto* l = new QLabel(text, parent);
    l->setGeometry(geometry);
    l->setAlignment(alignment);
    return l;
}

QComboBox* dropDownList(QWidget* parent, const char* name, const QRect& geometry) {
    auto* list = new QComboBox(parent);
    list->setObjectName(QLatin1String(name));
    list->setGeometry(geometry);
    return list;
}

QCheckBox* checkBox(QWidget* parent, const char* name, const QString& text, const QRect& geometry) {
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(QLatin1String(name));
    box->setGeometry(geometry);
    return box;
}

// One member of a row of controls sharing a name, as the cell-content rows are.
template <typename W>
W* indexed(W* widget, int index) {
    widget->setProperty("index", index);
    return widget;
}

// A record that could not be written: the format is applied all the same, but
// the file would not keep it.
MessageRequest writeFailure(const QString& reason) {
    MessageRequest failure;
    failure.text = QStringLiteral("Kalmur cannot write the schedule format.\n") + reason;
    failure.title = QStringLiteral("Error");
    failure.icon = MessageIcon::Stop;
    return failure;
}

std::optional<int> selectedIndex(const QComboBox* list) {
    const int index = list->currentIndex();
    return index >= 0 ? std::optional<int>(index) : std::nullopt;
}

} // namespace

ChgView::ChgView(ProgramState& state, Platform& platform, ViewFormatEdit::Relayout relayout,
                 QWidget* parent, std::function<void(QWidget*)> print)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , m_state(state)
    , m_platform(platform)
    , m_edit(state.schedule(), std::move(relayout))
    , m_print(std::move(print)) {
    m_state.dialogCancelled = false;
    build();
    fill();
    Placement::centreOver(this, parent);
}

void ChgView::build() {
    setObjectName(QStringLiteral("ChgView"));
    setWindowTitle(QStringLiteral("Edit Schedule Format"));
    setFont(dialogFont(true));
    setFixedSize(twips(5145), twips(4290));

    label(this, QStringLiteral("Format Name :"), twipRect(120, 150, 1200, 285));
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("TmpName"));
    m_name->setGeometry(twipRect(1320, 120, 2535, 285));
    m_name->setMaxLength(ViewFormatRules::kNameLength);
    m_name->setValidator(new StorableTextValidator(m_name));
    new SelectAllOnFocus(m_name);

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("SSTab1"));
    m_tabs->setGeometry(twipRect(120, 585, 4935, 3135));
    m_tabs->addTab(buildCellContents(), QStringLiteral("Cell Contents"));
    m_tabs->addTab(buildProperties(), QStringLiteral("Properties"));

    struct Button {
        const char* name;
        const char* text;
        int left;
    };
    static constexpr std::array<Button, 4> kButtons{{{"ButtonOK", "OK", 120},
                                                     {"ButtonApply", "Apply", 1200},
                                                     {"ButtonCancel", "Cancel", 2280},
                                                     {"ButtonPrint", "Print...", 4080}}};
    std::array<QPushButton*, 4> buttons{};
    for (std::size_t i = 0; i < kButtons.size(); ++i) {
        buttons[i] = new QPushButton(QString::fromLatin1(kButtons[i].text), this);
        buttons[i]->setObjectName(QLatin1String(kButtons[i].name));
        buttons[i]->setGeometry(twipRect(kButtons[i].left, 3840, 972, 372));
        buttons[i]->setAutoDefault(false);
    }
    buttons[0]->setDefault(true);
    connect(buttons[0], &QPushButton::clicked, this, &ChgView::onOk);
    connect(buttons[1], &QPushButton::clicked, this, &ChgView::storeAndApply);
    connect(buttons[2], &QPushButton::clicked, this, &ChgView::reject);
    connect(buttons[3], &QPushButton::clicked, this, &ChgView::onPrint);
}

QWidget* ChgView::buildCellContents() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("CellContentsTab"));
    label(page, QStringLiteral("Cell Contents"), pageRect(840, 600, 2055, 240));
    label(page, QStringLiteral("Show on"), pageRect(3240, 360, 1200, 240));
    label(page, QStringLiteral("Screen"), pageRect(3240, 600, 600, 240));
    label(page, QStringLiteral("Report"), pageRect(3840, 600, 600, 240));
    label(page, QStringLiteral("Tie"), pageRect(420, 600, 420, 240));
    for (int r = 0; r < ViewFormat::kCellRows; ++r) {
        const auto i = static_cast<std::size_t>(r);
        const int top = 840 + 360 * r;
        m_items[i] = indexed(dropDownList(page, "Item", pageRect(840, top, 2055, 315)), r);
        // The longest entries fit the list's width in the regular weight only.
        m_items[i]->setFont(dialogFont(false));
        m_screen[i] = indexed(
            checkBox(page, "ItemScreenFlag", QString(), pageRect(3240, top + 30, 255, 255)), r);
        m_report[i] = indexed(
            checkBox(page, "ItemReportFlag", QString(), pageRect(3840, top + 30, 255, 255)), r);
        if (r < ViewFormatRules::kTieBoxes) {
            m_tie[i] = indexed(
                checkBox(page, "ItemLinkFlag", QString(), pageRect(480, 1050 + 360 * r, 255, 255)),
                r);
        }
        for (const CellItem& item : ViewFormatRules::itemsOfRow(r)) {
            m_items[i]->addItem(QString::fromLatin1(item.text.data(), qsizetype(item.text.size())),
                                int(item.code));
        }
        connect(m_items[i], &QComboBox::activated, this,
                [this, r](int index) { itemChosen(r, index); });
    }
    return page;
}

QWidget* ChgView::buildProperties() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("PropertiesTab"));
    m_abbreviations = checkBox(page, "AbbrFlag", QStringLiteral("Use Abbreviations"),
                               pageRect(240, 480, 2400, 255));
    m_timeOff =
        checkBox(page, "HardOff", QStringLiteral("Show TimeOff"), pageRect(240, 780, 2400, 255));
    m_hidePosition = checkBox(page, "EmpPosHider", QStringLiteral("Hide Position Column"),
                              pageRect(240, 1080, 2400, 255));
    // Kept in the record and in the dialog, but not offered.
    m_symbols = checkBox(page, "Symbols", QStringLiteral("Show Cell Status Icon"),
                         pageRect(240, 2520, 2400, 255));
    m_symbols->hide();

    const auto right = Qt::AlignRight | Qt::AlignVCenter;
    m_days = new QLineEdit(page);
    m_days->setObjectName(QStringLiteral("Text1"));
    m_days->setGeometry(pageRect(2100, 1440, 450, 285));
    m_coverage = new QLineEdit(page);
    m_coverage->setObjectName(QStringLiteral("CoverageVisible"));
    m_coverage->setGeometry(pageRect(2100, 1800, 450, 285));
    for (QLineEdit* box : {m_days, m_coverage}) {
        box->setMaxLength(6);
        new SelectAllOnFocus(box);
    }
    label(page, QStringLiteral("Days on Screen:"), pageRect(120, 1440, 1935, 285), right)
        ->setBuddy(m_days);
    label(page, QStringLiteral("Visible Coverage Totals:"), pageRect(120, 1800, 1935, 285), right)
        ->setBuddy(m_coverage);
    m_timeFormat = dropDownList(page, "TimeFormat", pageRect(1380, 2160, 1170, 315));
    m_timeFormat->addItems(ViewFormatRules::timeFormatEntries());
    label(page, QStringLiteral("Time Format:"), pageRect(120, 2160, 1215, 315), right)
        ->setBuddy(m_timeFormat);

    auto* ruler = new QGroupBox(QStringLiteral("Ruler Format"), page);
    ruler->setObjectName(QStringLiteral("Frame1"));
    ruler->setGeometry(pageRect(2700, 420, 2115, 1125));
    m_rulerDay = dropDownList(ruler, "RulerDOW", twipRect(600, 300, 1410, 315));
    m_rulerDay->addItems(ViewFormatRules::rulerDayEntries());
    m_rulerDate = dropDownList(ruler, "RulerDate", twipRect(600, 690, 1410, 315));
    m_rulerDate->addItems(ViewFormatRules::rulerDateEntries());
    label(ruler, QStringLiteral("Day:"), twipRect(90, 300, 480, 315))->setBuddy(m_rulerDay);
    label(ruler, QStringLiteral("Date:"), twipRect(90, 690, 480, 315))->setBuddy(m_rulerDate);

    label(page, QStringLiteral("Screen Font:"), pageRect(2700, 1680, 2115, 240));
    m_fontSample = new QPushButton(QStringLiteral("AaYy"), page);
    m_fontSample->setObjectName(QStringLiteral("Command2"));
    m_fontSample->setGeometry(pageRect(2700, 1950, 2115, 660));
    m_fontSample->setAutoDefault(false);
    connect(m_fontSample, &QPushButton::clicked, this, &ChgView::onFont);
    return page;
}

void ChgView::fill() {
    showFontSample();
    const ViewFormatRules::Input input = ViewFormatRules::inputOf(m_edit.format());
    m_name->setText(input.name);
    m_coverage->setText(input.coverageVisible);
    m_days->setText(input.daysOnScreen);
    m_symbols->setChecked(input.showCellIcon);
    m_abbreviations->setChecked(input.useAbbreviations);
    m_timeOff->setChecked(input.showTimeOff);
    m_hidePosition->setChecked(input.hidePosition);
    for (std::size_t r = 0; r < m_items.size(); ++r) {
        const ViewFormatRules::Input::Row& row = input.rows[r];
        m_items[r]->setCurrentIndex(row.item ? m_items[r]->findData(*row.item) : -1);
        m_previousItem[r] = itemCode(int(r));
        m_screen[r]->setChecked(row.screen);
        m_report[r]->setChecked(row.report);
        m_report[r]->setEnabled(ViewFormatRules::reportOffered(m_previousItem[r]));
        if (r < m_tie.size()) {
            m_tie[r]->setChecked(input.ties[r]);
        }
    }
    m_timeFormat->setCurrentIndex(input.timeFormat ? m_timeFormat->findText(*input.timeFormat)
                                                   : -1);
    m_rulerDay->setCurrentIndex(input.rulerDay.value_or(-1));
    m_rulerDate->setCurrentIndex(input.rulerDate.value_or(-1));
}

void ChgView::showFontSample() {
    const ViewFormat& format = m_edit.format();
    QFont font(format.fontName.trimmed());
    // A size the record should not hold still shows a readable sample.
    const double size = std::isfinite(format.fontSize) ? double(format.fontSize) : 0.0;
    font.setPointSizeF(
        std::clamp<double>(size, ViewFormatRules::kMinFontPoints, ViewFormatRules::kMaxFontPoints));
    font.setBold(format.fontBold);
    font.setItalic(format.fontItalic);
    m_fontSample->setFont(font);
}

int ChgView::itemCode(int row) const {
    const QComboBox* list = m_items[static_cast<std::size_t>(row)];
    return list->currentIndex() >= 0 ? list->currentData().toInt() : kItemNone;
}

void ChgView::itemChosen(int row, int index) {
    const auto r = static_cast<std::size_t>(row);
    const int chosen = m_items[r]->itemData(index).toInt();
    ViewFormatRules::RowBoxes boxes{m_screen[r]->isChecked(), m_report[r]->isChecked(),
                                    r < m_tie.size() && m_tie[r]->isChecked(),
                                    m_report[r]->isEnabled()};
    boxes = ViewFormatRules::afterChoice(boxes, m_previousItem[r], chosen);
    m_previousItem[r] = chosen;
    m_screen[r]->setChecked(boxes.screen);
    m_report[r]->setChecked(boxes.report);
    m_report[r]->setEnabled(boxes.reportEnabled);
    if (r < m_tie.size()) {
        m_tie[r]->setChecked(boxes.tie);
    }
}

ViewFormatRules::Input ChgView::collect() const {
    ViewFormatRules::Input input;
    input.name = m_name->text();
    if (m_timeFormat->currentIndex() >= 0) {
        input.timeFormat = m_timeFormat->currentText();
    }
    input.rulerDay = selectedIndex(m_rulerDay);
    input.rulerDate = selectedIndex(m_rulerDate);
    input.showCellIcon = m_symbols->isChecked();
    input.hidePosition = m_hidePosition->isChecked();
    input.useAbbreviations = m_abbreviations->isChecked();
    input.showTimeOff = m_timeOff->isChecked();
    input.daysOnScreen = m_days->text();
    input.coverageVisible = m_coverage->text();
    for (std::size_t r = 0; r < m_items.size(); ++r) {
        if (m_items[r]->currentIndex() >= 0) {
            input.rows[r].item = m_items[r]->currentData().toInt();
        }
        input.rows[r].screen = m_screen[r]->isChecked();
        input.rows[r].report = m_report[r]->isChecked();
    }
    for (std::size_t r = 0; r < m_tie.size(); ++r) {
        input.ties[r] = m_tie[r]->isChecked();
    }
    return input;
}

bool ChgView::storeAndApply() {
    const bool written = m_edit.apply(collect());
    const ViewFormat& format = m_edit.format();
    m_name->setText(format.name);
    m_coverage->setText(ViewFormatRules::numberText(format.coverageVisible));
    m_days->setText(ViewFormatRules::numberText(format.daysOnScreen));
    if (!written) {
        m_platform.warn(this, writeFailure(m_state.schedule().errorString()));
    }
    return written;
}

void ChgView::onOk() {
    storeAndApply();
    m_state.dialogCancelled = false;
    accept();
}

void ChgView::onPrint() {
    storeAndApply();
    if (m_print) {
        m_print(this);
    }
}

void ChgView::onFont() {
    const QFont initial = m_fontSample->font();
    const auto chosen = m_platform.chooseFont(this, initial, ViewFormatRules::kMinFontPoints,
                                              ViewFormatRules::kMaxFontPoints);
    if (!chosen) {
        return;
    }
    m_edit.setFont(chosen->family(), chosen->pointSizeF(), chosen->bold(), chosen->italic());
    showFontSample();
}

void ChgView::reject() {
    if (!m_edit.cancel()) {
        m_platform.warn(this, writeFailure(m_state.schedule().errorString()));
    }
    m_state.dialogCancelled = true;
    QDialog::reject();
}

bool editViewFormat(ProgramState& state, Platform& platform, ViewFormatEdit::Relayout relayout,
                    QWidget* parent, std::function<void(QWidget*)> print) {
    if (!state.isOpen()) {
        return false;
    }
    ChgView dialog(state, platform, std::move(relayout), parent, std::move(print));
    dialog.exec();
    return !state.dialogCancelled;
}

} // namespace kalmur
