#include "PGSetup.h"

#include "SelectAllOnFocus.h"
#include "StorableTextValidator.h"
#include "files/ProgramState.h"
#include "platform/Placement.h"
#include "platform/Platform.h"
#include "platform/Twips.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace kalmur {

namespace {

constexpr int kGeneralPage = 0;
constexpr int kMarginsPage = 1;
constexpr int kColourPage = 2;

QComboBox* list(const char* name, const QStringList& entries) {
    auto* box = new QComboBox;
    box->setObjectName(QLatin1String(name));
    box->addItems(entries);
    return box;
}

QCheckBox* check(const char* name, const QString& text) {
    auto* box = new QCheckBox(text);
    box->setObjectName(QLatin1String(name));
    return box;
}

std::optional<int> selected(const QComboBox* box) {
    return box->currentIndex() >= 0 ? std::optional<int>(box->currentIndex()) : std::nullopt;
}

} // namespace

PGSetup::PGSetup(ReportSetup& working, ReportKind kind, ProgramState& state, Platform& platform,
                 QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , m_working(working)
    , m_state(state)
    , m_platform(platform) {
    build(ReportSetupRules::adaptationFor(kind));
    load();
    Placement::centreOver(this, parent);
}

void PGSetup::build(const ReportSetupRules::Adaptation& adaptation) {
    setObjectName(QStringLiteral("PGSetup"));
    setWindowTitle(QStringLiteral("Report Setup"));
    setFont(dialogFont(true));

    m_pages = new QTabWidget;
    m_pages->setObjectName(QStringLiteral("SSTab1"));
    m_pages->addTab(buildGeneral(), QStringLiteral("General"));
    m_pages->addTab(buildMargins(), QStringLiteral("Margins"));
    m_pages->addTab(buildColour(adaptation), adaptation.colourPageCaption);

    auto* ok = new QPushButton(QStringLiteral("OK"));
    ok->setObjectName(QStringLiteral("ButtonOK"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"));
    cancel->setObjectName(QStringLiteral("ButtonCancel"));
    cancel->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &PGSetup::onOk);
    connect(cancel, &QPushButton::clicked, this, &PGSetup::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    m_fontDescription = new QLabel;
    m_fontDescription->setObjectName(QStringLiteral("FontDescription"));
    m_fontDescription->setFont(dialogFont(false));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);
    layout->addLayout(buttons);
    layout->addWidget(m_fontDescription);
    setFixedSize(twips(5040), twips(4200));

    m_useScreenFont->setVisible(adaptation.screenFontShown);
    m_shadeRuler->setText(adaptation.rulerCaption);
    m_shadeCoverage->setVisible(adaptation.coverageShown);
    m_shading->setVisible(adaptation.shadingShown);
}

QWidget* PGSetup::buildGeneral() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("GeneralPage"));
    m_title = new QLineEdit(QStringLiteral("My Report"));
    m_title->setObjectName(QStringLiteral("Title"));
    m_title->setMaxLength(ReportSetupRules::kTitleLength);
    m_title->setValidator(new StorableTextValidator(m_title));
    new SelectAllOnFocus(m_title);
    m_quality = list("PrintQuality", ReportSetupRules::qualityEntries());
    m_orientation = list("Orientation", ReportSetupRules::orientationEntries());
    m_useScreenFont = check("UseScreenFont", QStringLiteral("Use Screen Font"));
    m_fontButton = new QPushButton(QStringLiteral("Font..."));
    m_fontButton->setObjectName(QStringLiteral("FontButton"));
    m_fontButton->setAutoDefault(false);
    connect(m_useScreenFont, &QCheckBox::clicked, this, &PGSetup::showFont);
    connect(m_fontButton, &QPushButton::clicked, this, &PGSetup::onFont);

    auto* form = new QFormLayout(page);
    form->addRow(QStringLiteral("Title:"), m_title);
    form->addRow(QStringLiteral("Print Quality:"), m_quality);
    form->addRow(QStringLiteral("Orientation:"), m_orientation);
    auto* font = new QHBoxLayout;
    font->addWidget(m_useScreenFont);
    font->addStretch();
    font->addWidget(m_fontButton);
    form->addRow(font);
    return page;
}

QWidget* PGSetup::buildMargins() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("MarginsPage"));
    auto* form = new QFormLayout(page);
    static constexpr std::array<const char*, 4> kNames{"MarginTop", "MarginBottom", "MarginLeft",
                                                       "MarginRight"};
    static constexpr std::array<const char*, 4> kLabels{"Top:", "Bottom:", "Left:", "Right:"};
    for (std::size_t i = 0; i < m_margins.size(); ++i) {
        m_margins[i] = new QLineEdit;
        m_margins[i]->setObjectName(QLatin1String(kNames[i]));
        m_margins[i]->setMaxLength(12);
        new SelectAllOnFocus(m_margins[i]);
        connect(m_margins[i], &QLineEdit::editingFinished, this, [this, i] { marginEdited(i); });
        form->addRow(QLatin1String(kLabels[i]), m_margins[i]);
    }
    m_centimeters = check("Centimeters", QStringLiteral("Centimeters"));
    connect(m_centimeters, &QCheckBox::clicked, this, [this] {
        commitMargins();
        showMargins();
    });
    form->addRow(m_centimeters);
    return page;
}

QWidget* PGSetup::buildColour(const ReportSetupRules::Adaptation& adaptation) {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("ColourPage"));
    m_inColor = check("InColor", QStringLiteral("Print In Color"));
    m_shading = new QGroupBox(QStringLiteral("Shading"));
    m_shading->setObjectName(QStringLiteral("ShadingFrame"));
    m_shadeRuler = check("ShadeRuler", adaptation.rulerCaption);
    m_shadeCoverage = check("ShadeCoverage", QStringLiteral("Coverage"));
    m_shadePercent = new QComboBox;
    m_shadePercent->setObjectName(QStringLiteral("ShadePercent"));
    auto* shading = new QFormLayout(m_shading);
    shading->addRow(m_shadeRuler);
    shading->addRow(m_shadeCoverage);
    shading->addRow(QStringLiteral("Shade Percent:"), m_shadePercent);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(m_inColor);
    layout->addWidget(m_shading);
    layout->addStretch();
    return page;
}

void PGSetup::load() {
    m_pages->setTabEnabled(kColourPage, m_working.shadingAllowed);
    m_pages->setTabEnabled(kMarginsPage, m_working.marginsAllowed);
    m_pages->setCurrentIndex(kGeneralPage);
    if (m_working.shadingAllowed) {
        m_shadeRuler->setChecked(m_working.shadeRuler);
        m_shadeCoverage->setChecked(m_working.shadeCoverage);
        for (const auto& shade : ReportSetupRules::kShades) {
            m_shadePercent->addItem(QLatin1String(shade.text), shade.percent);
        }
        m_shadePercent->setCurrentIndex(ReportSetupRules::shadePosition(m_working.shadePercent));
    }
    m_quality->setCurrentIndex(
        ReportSetupRules::listPosition(m_working.printQuality, int(m_quality->count())));
    m_orientation->setCurrentIndex(
        ReportSetupRules::listPosition(m_working.orientation, int(m_orientation->count())));
    m_inColor->setChecked(m_working.inColor);
    m_centimeters->setChecked(m_working.centimeters);
    m_useScreenFont->setChecked(m_working.useScreenFont);
    m_working.title = m_working.title.trimmed();
    m_title->setText(m_working.title);
    showMargins();
    showFont();
}

void PGSetup::showMargins() {
    for (std::size_t i = 0; i < m_margins.size(); ++i) {
        m_margins[i]->setText(
            ReportSetupRules::marginText(m_working.margins[i], m_centimeters->isChecked()));
        m_margins[i]->setModified(false);
    }
}

void PGSetup::marginEdited(std::size_t index) {
    QLineEdit* box = m_margins[index];
    if (box->isModified()) {
        m_working.margins[index] =
            ReportSetupRules::marginTwips(box->text(), m_centimeters->isChecked());
    }
    box->setText(
        ReportSetupRules::marginText(m_working.margins[index], m_centimeters->isChecked()));
    box->setModified(false);
}

// A box typed into and not yet left when the unit is switched counts in the
// unit it was typed in; untouched boxes keep their exact twips.
void PGSetup::commitMargins() {
    for (std::size_t i = 0; i < m_margins.size(); ++i) {
        if (m_margins[i]->isModified()) {
            m_working.margins[i] =
                ReportSetupRules::marginTwips(m_margins[i]->text(), !m_centimeters->isChecked());
            m_margins[i]->setModified(false);
        }
    }
}

void PGSetup::showFont() {
    if (m_useScreenFont->isChecked()) {
        const ViewFormat& screen = m_state.schedule().viewFormat();
        m_fontDescription->setText(ReportSetupRules::fontDescription(
            screen.fontName, screen.fontSize, screen.fontBold, screen.fontItalic));
        m_fontButton->setEnabled(false);
        return;
    }
    m_working.fontName = m_working.fontName.trimmed();
    m_fontDescription->setText(ReportSetupRules::fontDescription(
        m_working.fontName, m_working.fontSize, m_working.fontBold, m_working.fontItalic));
    m_fontButton->setEnabled(true);
}

void PGSetup::onFont() {
    QFont initial(m_working.fontName.trimmed());
    initial.setPointSizeF(ReportSetupRules::dialogPointSize(m_working.fontSize));
    initial.setBold(m_working.fontBold);
    initial.setItalic(m_working.fontItalic);
    const auto chosen = m_platform.chooseFont(this, initial, ReportSetupRules::kMinFontPoints,
                                              ReportSetupRules::kMaxFontPoints);
    if (chosen) {
        m_working.fontName = chosen->family().left(ReportSetupRules::kFontNameLength);
        m_working.fontSize = float(chosen->pointSizeF());
        m_working.fontBold = chosen->bold();
        m_working.fontItalic = chosen->italic();
    }
    showFont();
}

void PGSetup::onOk() {
    for (std::size_t i = 0; i < m_margins.size(); ++i) {
        if (m_margins[i]->isModified()) {
            marginEdited(i);
        }
    }
    ReportSetupRules::Input input;
    input.title = m_title->text();
    input.quality = selected(m_quality);
    input.orientation = selected(m_orientation);
    input.inColor = m_inColor->isChecked();
    input.centimeters = m_centimeters->isChecked();
    input.useScreenFont = m_useScreenFont->isChecked();
    input.shadeRuler = m_shadeRuler->isChecked();
    input.shadeCoverage = m_shadeCoverage->isChecked();
    if (m_shadePercent->currentIndex() >= 0) {
        input.shadePercent = m_shadePercent->currentData().toInt();
    }
    ReportSetupRules::store(m_working, input);
    m_state.settingsChanged = true;
    m_state.dialogCancelled = false;
    accept();
}

void PGSetup::reject() {
    m_state.dialogCancelled = true;
    QDialog::reject();
}

} // namespace kalmur
