#include "SetPrt.h"

#include "platform/Placement.h"
#include "platform/Twips.h"

#include <QListWidget>
#include <QPushButton>

namespace kalmur {

SetPrt::SetPrt(Platform& platform, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , m_platform(platform) {
    setObjectName(QStringLiteral("SetPrt"));
    setWindowTitle(QStringLiteral("Printer Setup"));
    setFont(dialogFont(true));
    setFixedSize(twips(4695), twips(2775));

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("List1"));
    m_list->setGeometry(twipRect(120, 120, 4455, 1980));
    m_list->setFont(dialogFont(false));
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("ButtonOK"));
    ok->setGeometry(twipRect(2280, 2250, 1092, 372));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("ButtonCancel"));
    cancel->setGeometry(twipRect(3480, 2250, 1092, 372));
    cancel->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &SetPrt::onOk);
    connect(cancel, &QPushButton::clicked, this, &SetPrt::reject);

    m_offered = m_platform.printers();
    m_offered.append(pdfFilePrinter());
    // With no printer of its own the system prints into PDF files.
    const InstalledPrinter current = m_platform.currentPrinter().value_or(pdfFilePrinter());
    for (const InstalledPrinter& printer : m_offered) {
        m_list->addItem(entryText(printer));
    }
    m_list->setCurrentRow(int(m_offered.indexOf(current)), QItemSelectionModel::ClearAndSelect);
    Placement::centreOver(this, parent);
}

QString SetPrt::entryText(const InstalledPrinter& printer) {
    return printer.name + QStringLiteral(", ") + printer.port;
}

void SetPrt::onOk() {
    const int row = m_list->currentRow();
    // OK without a selection keeps the printer there was.
    if (row >= 0 && row < m_offered.size() && m_list->item(row)->isSelected()) {
        m_platform.setCurrentPrinter(m_offered[row]);
    }
    accept();
}

} // namespace kalmur
