#include "SelPaste.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace kalmur {

namespace {

// The five kinds, in the order of the settings flags.
constexpr std::array<const char*, 5> kKindCaptions{"Shifts", "Time Off", "Explanations", "Notes",
                                                   "On Call"};

} // namespace

SelPaste::SelPaste(const PasteOptions& current, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("SelPaste"));
    setWindowTitle(QStringLiteral("Selective Paste"));
    auto* grid = new QGridLayout(this);
    auto* frame = new QGroupBox(QStringLiteral("Paste"), this);
    frame->setObjectName(QStringLiteral("Frame1"));
    auto* kinds = new QVBoxLayout(frame);
    const PasteOptions::Flags flags = current.flags();
    for (std::size_t i = 0; i < m_kinds.size(); ++i) {
        auto* box = new QCheckBox(QString::fromLatin1(kKindCaptions[i]), frame);
        box->setObjectName(QStringLiteral("Check1"));
        box->setProperty("index", static_cast<int>(i));
        box->setChecked(flags[i]);
        kinds->addWidget(box);
        m_kinds[i] = box;
    }
    grid->addWidget(frame, 0, 0, 3, 1);
    m_overwrite = new QCheckBox(QStringLiteral("Overwrite?"), this);
    m_overwrite->setObjectName(QStringLiteral("Check2"));
    m_overwrite->setChecked(current.overwrite);
    grid->addWidget(m_overwrite, 3, 0);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("Command1"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("Command2"));
    grid->addWidget(ok, 0, 1);
    grid->addWidget(cancel, 1, 1);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

PasteOptions SelPaste::chosen() const {
    PasteOptions::Flags flags{};
    for (std::size_t i = 0; i < m_kinds.size(); ++i) {
        flags[i] = m_kinds[i]->isChecked();
    }
    flags[5] = m_overwrite->isChecked();
    return PasteOptions::fromFlags(flags);
}

} // namespace kalmur
