#include "DefExp.h"

#include "QuickKeyCapture.h"
#include "QuickKeyRules.h"
#include "SelectAllOnFocus.h"
#include "StorableTextValidator.h"
#include "files/ProgramState.h"
#include "platform/Placement.h"
#include "platform/Platform.h"
#include "platform/Twips.h"
#include "platform/WriteFailure.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

namespace kalmur {

namespace {

constexpr int kDescriptionLength = 20;
constexpr int kAbbreviationLength = 5;
// "01, " comes before the description in a list entry.
constexpr int kEntryPrefix = 4;

QLineEdit* field(QWidget* parent, const char* name, const QString& label, int top, int width) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setGeometry(twipRect(1320, top, width, 288));
    auto* text = new QLabel(label, parent);
    text->setObjectName(edit->objectName() + QStringLiteral("Label"));
    text->setGeometry(twipRect(120, top, 1152, 288));
    text->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    text->setBuddy(edit);
    return edit;
}

} // namespace

QString DefExp::entryText(int number, const QString& description) {
    return QStringLiteral("%1, ").arg(number, 2, 10, QLatin1Char('0')) + description;
}

DefExp::DefExp(ProgramState& state, Platform& platform, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , m_state(state)
    , m_platform(platform) {
    build();
    Placement::centreOver(this, parent);
    m_state.dialogCancelled = false;
    fill();
}

void DefExp::build() {
    setObjectName(QStringLiteral("DefExp"));
    setWindowTitle(QStringLiteral("Define Explanations"));
    setFont(dialogFont(true));
    setFixedSize(twips(5250), twips(2640));

    m_description = field(this, "Text1", QStringLiteral("Description :"), 240, 1812);
    m_description->setMaxLength(kDescriptionLength);
    m_description->setValidator(new StorableTextValidator(m_description));
    m_abbr = field(this, "Abbr", QStringLiteral("Abbreviation :"), 600, 972);
    m_abbr->setMaxLength(kAbbreviationLength);
    m_abbr->setValidator(new StorableTextValidator(m_abbr));
    m_quickKey = field(this, "Text2", QStringLiteral("Quick Key :"), 960, 972);
    new SelectAllOnFocus(m_description);
    new SelectAllOnFocus(m_abbr);
    m_capture = new QuickKeyCapture(m_quickKey);

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("List1"));
    m_list->setGeometry(twipRect(3240, 240, 1935, 1785));

    // A quick key used elsewhere too is allowed; the user is only told of it.
    m_clash = new QLabel(this);
    m_clash->setObjectName(QStringLiteral("KeyClash"));
    m_clash->setGeometry(twipRect(120, 1380, 3000, 600));
    m_clash->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_clash->setWordWrap(true);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("Command1"));
    ok->setGeometry(twipRect(2880, 2160, 1095, 375));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("Command2"));
    cancel->setGeometry(twipRect(4080, 2160, 1095, 375));
    cancel->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &DefExp::onOk);
    connect(cancel, &QPushButton::clicked, this, &DefExp::reject);

    setTabOrder(m_description, m_abbr);
    setTabOrder(m_abbr, m_quickKey);
    setTabOrder(m_quickKey, m_list);
    setTabOrder(m_list, ok);
    setTabOrder(ok, cancel);

    connect(m_list, &QListWidget::currentRowChanged, this, &DefExp::onSelected);
    connect(m_description, &QLineEdit::textEdited, this, &DefExp::onDescriptionEdited);
    connect(m_abbr, &QLineEdit::textEdited, this, &DefExp::onAbbreviationEdited);
    connect(m_capture, &QuickKeyCapture::captured, this, &DefExp::pickQuickKey);
}

void DefExp::fill() {
    const ExplanationTable& table = m_state.schedule().explanations();
    {
        const QSignalBlocker blocker(m_list);
        for (int n = 1; n <= ExplanationTable::kCount; ++n) {
            const auto i = static_cast<std::size_t>(n - 1);
            QString description = table.descriptions[i].left(kDescriptionLength);
            while (description.endsWith(QLatin1Char(' '))) {
                description.chop(1);
            }
            m_list->addItem(entryText(n, description));
            m_abbreviations[i] = table.abbreviations[i];
            m_quickKeys[i] = table.quickKeys[i];
        }
        m_list->setCurrentRow(0);
    }
    onSelected(0);
    m_description->setFocus(Qt::OtherFocusReason);
    m_description->selectAll();
}

int DefExp::currentIndex() const {
    const int row = m_list->currentRow();
    return row >= 0 && row < ExplanationTable::kCount ? row : -1;
}

void DefExp::onSelected(int row) {
    const QListWidgetItem* item = m_list->item(row);
    if (!item || currentIndex() < 0) {
        return;
    }
    const auto i = static_cast<std::size_t>(row);
    m_description->setText(item->text().mid(kEntryPrefix));
    m_abbr->setText(m_abbreviations[i].trimmed());
    m_capture->show(m_quickKeys[i]);
    showClash();
    if (m_list->hasFocus()) {
        m_description->setFocus(Qt::OtherFocusReason);
        m_description->selectAll();
    }
}

void DefExp::onDescriptionEdited(const QString& text) {
    QListWidgetItem* item = m_list->currentItem();
    if (item && !m_list->hasFocus()) {
        item->setText(entryText(m_list->row(item) + 1, text));
    }
}

void DefExp::onAbbreviationEdited(const QString& text) {
    const int i = currentIndex();
    if (i >= 0) {
        m_abbreviations[static_cast<std::size_t>(i)] = text.left(kAbbreviationLength);
    }
}

void DefExp::pickQuickKey(std::uint8_t key) {
    const int i = currentIndex();
    if (i >= 0) {
        m_quickKeys[static_cast<std::size_t>(i)] = key;
    }
    showClash();
}

void DefExp::showClash() {
    const int i = currentIndex();
    QuickKeyRules::Clash clash;
    std::uint8_t key = 0;
    if (i >= 0) {
        key = m_quickKeys[static_cast<std::size_t>(i)];
        std::array<std::uint8_t, ShiftRecord::kUserShifts> shiftKeys{};
        const auto& shifts = m_state.schedule().shifts();
        for (std::size_t s = 0; s < shiftKeys.size(); ++s) {
            shiftKeys[s] = shifts[s].quickKey;
        }
        clash = QuickKeyRules::clash(key, {true, i + 1}, shiftKeys, m_quickKeys);
    }
    m_clash->setText(QuickKeyRules::clashLine(clash));
    const QString detail = QuickKeyRules::clashDetail(key, clash);
    m_clash->setToolTip(detail);
    m_quickKey->setToolTip(detail);
}

void DefExp::onOk() {
    Schedule& schedule = m_state.schedule();
    ExplanationTable table = schedule.explanations();
    for (int n = 1; n <= ExplanationTable::kCount; ++n) {
        const auto i = static_cast<std::size_t>(n - 1);
        const QListWidgetItem* item = m_list->item(n - 1);
        const QString description =
            item ? item->text().mid(kEntryPrefix).left(kDescriptionLength) : QString();
        table.descriptions[i] =
            description.trimmed().isEmpty() ? QStringLiteral("undefined") : description;
        table.abbreviations[i] = m_abbreviations[i];
        table.quickKeys[i] = m_quickKeys[i];
    }
    const ExplanationTable previous = schedule.explanations();
    schedule.explanations() = table;
    if (!schedule.writeExplanations()) {
        schedule.explanations() = previous;
        warnNotWritten(m_platform, this, QStringLiteral("The explanations"),
                       schedule.errorString());
        return;
    }
    if (table != previous) {
        schedule.setModified();
    }
    m_state.dialogCancelled = false;
    accept();
}

void DefExp::reject() {
    m_state.dialogCancelled = true;
    QDialog::reject();
}

void DefExp::showExplanation(int number) {
    if (number >= 1 && number <= ExplanationTable::kCount) {
        m_list->setCurrentRow(number - 1);
    }
}

bool editExplanations(ProgramState& state, Platform& platform, QWidget* parent, int first) {
    if (!state.isOpen()) {
        return false;
    }
    DefExp dialog(state, platform, parent);
    dialog.showExplanation(first);
    dialog.exec();
    return !state.dialogCancelled;
}

} // namespace kalmur
