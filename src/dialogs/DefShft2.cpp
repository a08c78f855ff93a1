#include "DefShft2.h"

#include "QuickKeyCapture.h"
#include "QuickKeyRules.h"
#include "SelectAllOnFocus.h"
#include "ShiftRules.h"
#include "StorableTextValidator.h"
#include "files/ProgramState.h"
#include "model/codec/OleDate.h"
#include "model/patterns/NumberPattern.h"
#include "model/patterns/TimePattern.h"
#include "platform/LeaveFieldCheck.h"
#include "platform/Placement.h"
#include "platform/Platform.h"
#include "platform/Twips.h"
#include "platform/WriteFailure.h"
#include "view/Palette.h"

#include <QApplication>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyledItemDelegate>

#include <algorithm>

namespace kalmur {

namespace {

// The colour squares: where each stands, what it shows and the palette
// number it gives a shift.
struct Swatch {
    int index;
    int left;
    QColor shown;
    int number;
};
const std::array<Swatch, 7> kSwatches{{{0, 120, QColor(0, 0, 0), 0},
                                       {3, 480, QColor(0, 128, 0), 2},
                                       {2, 840, QColor(128, 0, 0), 4},
                                       {4, 1200, QColor(0, 0, 128), 1},
                                       {5, 1560, QColor(0, 128, 128), 3},
                                       {6, 1920, QColor(128, 0, 128), 5},
                                       {1, 2280, QColor(192, 192, 192), 8}}};

const QColor kLabelGrey(192, 192, 192);
constexpr double kLargestBreak = 99999.0; // what five typed characters can hold

QLineEdit* field(QWidget* parent, const char* name, int top, int width, int maxLength) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setGeometry(twipRect(1440, top, width, 288));
    if (maxLength > 0) {
        edit->setMaxLength(maxLength);
    }
    return edit;
}

// The label left of a field, named after it ("StartTimeLabel").
QLabel* fieldLabel(QWidget* parent, const QString& text, QLineEdit* buddy, int top) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(buddy->objectName() + QStringLiteral("Label"));
    label->setGeometry(twipRect(240, top, 1152, 288));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, kLabelGrey);
    label->setPalette(palette);
    label->setBuddy(buddy);
    return label;
}

// Draws an entry "label<tab>description" in two columns: the descriptions
// start where the longest label ends, and one too long for the list is cut
// short with an ellipsis.
class TabbedEntries : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem item(option);
        initStyleOption(&item, index);
        const QString text = item.text;
        item.text.clear();
        const QWidget* widget = option.widget;
        QStyle* style = widget ? widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &item, painter, widget);

        const QRect area =
            style->subElementRect(QStyle::SE_ItemViewItemText, &item, widget).adjusted(2, 0, -2, 0);
        const qsizetype tab = text.indexOf(QLatin1Char('\t'));
        const QString label = tab < 0 ? text : text.left(tab);
        const QString description = tab < 0 ? QString() : text.mid(tab + 1);
        const QFontMetrics metrics(item.font);
        int column = 0;
        for (const int number : {ShiftRecord::kOff, ShiftRecord::kOnCall, 99}) {
            column = std::max(column, metrics.horizontalAdvance(ShiftRules::label(number)));
        }
        column += metrics.averageCharWidth() * 2;
        painter->save();
        painter->setFont(item.font);
        painter->setPen(item.palette.color(QPalette::Normal, (item.state & QStyle::State_Selected)
                                                                 ? QPalette::HighlightedText
                                                                 : QPalette::Text));
        const auto flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
        painter->drawText(area, flags, label);
        const QRect right = area.adjusted(column, 0, 0, 0);
        painter->drawText(right, flags,
                          metrics.elidedText(description, Qt::ElideRight, right.width()));
        painter->restore();
    }
};

} // namespace

DefShft2::DefShft2(ProgramState& state, Platform& platform, QString editTimeFormat, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , m_state(state)
    , m_platform(platform)
    , m_timeFormat(std::move(editTimeFormat)) {
    m_state.dialogCancelled = true;
    m_opened = m_state.schedule().shifts();
    build();
    Placement::centreOver(this, parent);
    fill();
}

void DefShft2::build() {
    setObjectName(QStringLiteral("DefShft2"));
    setWindowTitle(QStringLiteral("Define Shifts"));
    setFont(dialogFont(false));
    setFixedSize(twips(6120), twips(2970));

    m_description = field(this, "Description", 120, 1812, ShiftRules::kDescriptionLength);
    m_abbr = field(this, "Abbr", 480, 972, ShiftRules::kAbbreviationLength);
    m_startTime = field(this, "StartTime", 840, 972, ShiftRules::kTimeLength);
    m_endTime = field(this, "EndTime", 1200, 972, ShiftRules::kTimeLength);
    m_breakLength = field(this, "BreakLength", 1560, 972, ShiftRules::kBreakLength);
    m_quickKey = field(this, "Text1", 1920, 972, 0);
    m_description->setValidator(new StorableTextValidator(m_description));
    m_abbr->setValidator(new StorableTextValidator(m_abbr));
    for (QLineEdit* edit : {m_description, m_abbr, m_startTime, m_endTime, m_breakLength}) {
        new SelectAllOnFocus(edit);
    }
    m_capture = new QuickKeyCapture(m_quickKey);

    fieldLabel(this, QStringLiteral("Description :"), m_description, 120);
    fieldLabel(this, QStringLiteral("Abbreviation :"), m_abbr, 480);
    m_timedOnly = {m_startTime,
                   m_endTime,
                   m_breakLength,
                   m_quickKey,
                   fieldLabel(this, QStringLiteral("Start Time :"), m_startTime, 840),
                   fieldLabel(this, QStringLiteral("End Time :"), m_endTime, 1200),
                   fieldLabel(this, QStringLiteral("Break Length :"), m_breakLength, 1560),
                   fieldLabel(this, QStringLiteral("Quick Key :"), m_quickKey, 1920)};

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("List1"));
    m_list->setGeometry(twipRect(3480, 120, 2535, 1980));
    m_list->setItemDelegate(new TabbedEntries(m_list));
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    // Another shift or explanation with the same quick key is allowed; the
    // user is only told of it.
    m_clash = new QLabel(this);
    m_clash->setObjectName(QStringLiteral("KeyClash"));
    m_clash->setGeometry(twipRect(3480, 2130, 2535, 300));
    m_clash->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("Command1"));
    ok->setGeometry(twipRect(3720, 2520, 1095, 375));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("Command2"));
    cancel->setGeometry(twipRect(4920, 2520, 1095, 375));
    cancel->setAutoDefault(false);
    cancel->setProperty(LeaveFieldCheck::kSkipsChecksProperty, true);
    connect(ok, &QPushButton::clicked, this, &DefShft2::onOk);
    connect(cancel, &QPushButton::clicked, this, &DefShft2::reject);

    buildColours();
    m_timedOnly << m_colours << m_clash;

    QWidget* previous = m_description;
    for (QWidget* next : std::initializer_list<QWidget*>{
             m_abbr, m_startTime, m_endTime, m_breakLength, m_quickKey, m_list, ok, cancel}) {
        setTabOrder(previous, next);
        previous = next;
    }

    const auto timeCheck = [this](const QString& text) {
        return ShiftRules::timeField(text, m_timeFormat);
    };
    m_startCheck = new LeaveFieldCheck(m_startTime, m_platform, timeCheck);
    m_endCheck = new LeaveFieldCheck(m_endTime, m_platform, timeCheck);
    m_breakCheck = new LeaveFieldCheck(m_breakLength, m_platform, [](const QString& text) {
        return FieldVerdict::accept(ShiftRules::breakLengthText(text));
    });
    m_startTime->installEventFilter(this);
    m_endTime->installEventFilter(this);

    connect(m_list, &QListWidget::currentRowChanged, this, &DefShft2::onSelected);
    connect(m_description, &QLineEdit::textEdited, this, &DefShft2::onDescriptionEdited);
    connect(m_abbr, &QLineEdit::textEdited, this, &DefShft2::edited);
    connect(m_breakLength, &QLineEdit::textEdited, this, &DefShft2::edited);
    connect(m_capture, &QuickKeyCapture::captured, this, &DefShft2::pickQuickKey);
}

void DefShft2::buildColours() {
    m_colours = new QGroupBox(QStringLiteral("Color"), this);
    m_colours->setObjectName(QStringLiteral("Frame1"));
    m_colours->setGeometry(twipRect(120, 2280, 2652, 612));
    for (const Swatch& swatch : kSwatches) {
        auto* square = new QPushButton(m_colours);
        // One name for the row of squares, told apart by their index.
        square->setObjectName(QStringLiteral("Colors"));
        square->setProperty("index", swatch.index);
        square->setProperty("colourNumber", swatch.number);
        square->setGeometry(twipRect(swatch.left, 240, 252, 252));
        square->setFocusPolicy(Qt::NoFocus);
        square->setFlat(true);
        square->setStyleSheet(QStringLiteral("QPushButton { background-color: %1; border: 1px "
                                             "solid #808080; }")
                                  .arg(swatch.shown.name()));
        connect(square, &QPushButton::clicked, this,
                [this, number = swatch.number] { pickColour(number); });
    }
}

void DefShft2::fill() {
    const Schedule& schedule = m_state.schedule();
    {
        const QSignalBlocker blocker(m_list);
        for (const int number : ShiftRules::listOrder()) {
            auto* item = new QListWidgetItem(
                ShiftRules::entryText(number, schedule.shift(number).description), m_list);
            item->setData(Qt::UserRole, number);
        }
        m_list->setCurrentRow(0);
    }
    onSelected(0);
}

ShiftRecord* DefShft2::current() {
    if (m_current < 1 || m_current > ShiftRecord::kCount) {
        return nullptr;
    }
    return &m_state.schedule().shifts()[static_cast<std::size_t>(m_current - 1)];
}

void DefShft2::edited() {
    m_state.dialogCancelled = false;
}

void DefShft2::onSelected(int row) {
    if (m_startCheck->refusedJustNow() || m_endCheck->refusedJustNow()) {
        // The click that left a refused time field does not move on: the
        // shift being edited stays selected.
        const QSignalBlocker blocker(m_list);
        m_list->setCurrentRow(m_rememberedRow);
        return;
    }
    const QListWidgetItem* item = m_list->item(row);
    if (!item) {
        return;
    }
    const int number = item->data(Qt::UserRole).toInt();
    if (number < 1 || number > ShiftRecord::kCount) {
        return;
    }
    saveCurrent();
    m_current = number;
    load();
}

double DefShft2::timeValue(const QString& text, double stored) const {
    // A time shown as it was stored keeps its stored value to the second.
    if (text == formatTime(OleDate::toTime(stored), m_timeFormat)) {
        return stored;
    }
    const auto time = ShiftRules::timeOfText(text);
    return time ? OleDate::fromTime(*time) : stored;
}

void DefShft2::saveCurrent() {
    ShiftRecord* shift = current();
    if (!shift) {
        return;
    }
    shift->description = m_description->text().left(ShiftRules::kDescriptionLength);
    shift->abbreviation = m_abbr->text().left(ShiftRules::kAbbreviationLength);
    shift->startTime = timeValue(m_startTime->text(), shift->startTime);
    shift->endTime = timeValue(m_endTime->text(), shift->endTime);
    const QString breakText = m_breakLength->text();
    if (breakText != formatNumber(shift->breakLength, u"#0.00")) {
        shift->breakLength =
            static_cast<float>(std::clamp(leadingNumber(breakText), -kLargestBreak, kLargestBreak));
    }
    shift->paidLength =
        ShiftRules::paidLength(OleDate::toTime(shift->startTime), OleDate::toTime(shift->endTime),
                               static_cast<double>(shift->breakLength));
}

void DefShft2::load() {
    const ShiftRecord* shift = current();
    if (!shift) {
        return;
    }
    recolour();
    m_description->setText(shift->description.trimmed());
    m_abbr->setText(shift->abbreviation.trimmed());
    m_startTime->setText(formatTime(OleDate::toTime(shift->startTime), m_timeFormat));
    m_endTime->setText(formatTime(OleDate::toTime(shift->endTime), m_timeFormat));
    m_breakLength->setText(formatNumber(shift->breakLength, u"#0.00"));
    m_capture->show(shift->quickKey);
    const bool timed = ShiftRules::isUserShift(m_current);
    for (QWidget* widget : m_timedOnly) {
        widget->setVisible(timed);
    }
    showClash();
    m_description->setFocus(Qt::OtherFocusReason);
    m_description->selectAll();
}

void DefShft2::recolour() {
    const ShiftRecord* shift = current();
    if (!shift) {
        return;
    }
    const QColor colour = paletteColour(shift->colour);
    for (QLineEdit* edit :
         {m_description, m_abbr, m_startTime, m_endTime, m_breakLength, m_quickKey}) {
        QPalette palette = edit->palette();
        palette.setColor(QPalette::Text, colour);
        edit->setPalette(palette);
    }
}

void DefShft2::pickColour(int number) {
    ShiftRecord* shift = current();
    if (!shift || !ShiftRules::isUserShift(m_current)) {
        return;
    }
    shift->colour = static_cast<std::int16_t>(number);
    recolour();
    edited();
}

void DefShft2::pickQuickKey(std::uint8_t key) {
    ShiftRecord* shift = current();
    if (!shift || !ShiftRules::isUserShift(m_current)) {
        return;
    }
    shift->quickKey = key;
    // A new key is an edit like any other: the caller must rebuild its keys.
    edited();
    showClash();
}

void DefShft2::showClash() {
    const ShiftRecord* shift = current();
    QuickKeyRules::Clash clash;
    if (shift && ShiftRules::isUserShift(m_current)) {
        std::array<std::uint8_t, ShiftRecord::kUserShifts> shiftKeys{};
        const auto& shifts = m_state.schedule().shifts();
        for (std::size_t i = 0; i < shiftKeys.size(); ++i) {
            shiftKeys[i] = shifts[i].quickKey;
        }
        clash = QuickKeyRules::clash(shift->quickKey, {false, m_current}, shiftKeys,
                                     m_state.schedule().explanations().quickKeys);
    }
    const QString line = QuickKeyRules::clashLine(clash);
    m_clash->setText(m_clash->fontMetrics().elidedText(line, Qt::ElideRight, m_clash->width()));
    const QString detail = shift ? QuickKeyRules::clashDetail(shift->quickKey, clash) : QString();
    m_clash->setToolTip(detail);
    m_quickKey->setToolTip(detail);
}

void DefShft2::onDescriptionEdited(const QString& text) {
    QListWidgetItem* item = m_list->currentItem();
    if (item && item->data(Qt::UserRole).toInt() == m_current) {
        item->setText(ShiftRules::entryText(m_current, text));
    }
    edited();
}

bool DefShft2::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn && (watched == m_startTime || watched == m_endTime)) {
        m_rememberedRow = m_list->currentRow();
        edited();
    }
    return QDialog::eventFilter(watched, event);
}

void DefShft2::onOk() {
    // Clicking OK to leave a refused field does not close the dialog.
    if (m_startCheck->refusedJustNow() || m_endCheck->refusedJustNow()) {
        return;
    }
    // OK chosen with Enter: the field being typed in has not been left.
    m_breakCheck->run();
    if (!m_startCheck->run() || !m_endCheck->run()) {
        return;
    }
    saveCurrent();
    Schedule& schedule = m_state.schedule();
    for (ShiftRecord& shift : schedule.shifts()) {
        if (shift.description.trimmed().isEmpty()) {
            shift.description = QStringLiteral("undefined");
        }
    }
    if (!schedule.writeShifts()) {
        warnNotWritten(m_platform, this, QStringLiteral("The shift definitions"),
                       schedule.errorString());
        return;
    }
    if (schedule.shifts() != m_opened) {
        schedule.setModified();
    }
    accept();
}

void DefShft2::reject() {
    Schedule& schedule = m_state.schedule();
    if (!schedule.reloadShifts()) {
        schedule.shifts() = m_opened;
    }
    m_state.dialogCancelled = true;
    QDialog::reject();
}

void DefShft2::showShift(int number) {
    for (int row = 0; row < m_list->count(); ++row) {
        if (m_list->item(row)->data(Qt::UserRole).toInt() == number) {
            m_list->setCurrentRow(row);
            return;
        }
    }
}

bool editShifts(ProgramState& state, Platform& platform, const QString& editTimeFormat,
                QWidget* parent, int first) {
    if (!state.isOpen()) {
        return false;
    }
    DefShft2 dialog(state, platform, editTimeFormat, parent);
    dialog.showShift(first);
    dialog.exec();
    return !state.dialogCancelled;
}

} // namespace kalmur
