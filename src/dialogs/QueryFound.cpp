#include "QueryFound.h"

#include "platform/Placement.h"
#include "platform/Twips.h"

#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace kalmur {

QStringList queryFoundEntries(const QueryRun::Result& result) {
    QStringList entries;
    for (const QueryRun::Found& f : result.found) {
        entries << f.name + QStringLiteral(", ") + QString::number(f.days);
    }
    if (entries.isEmpty()) {
        entries << QStringLiteral("[None Found]");
    }
    return entries;
}

void showQueryFound(const QueryRun::Result& result, QWidget* parent) {
    QDialog window(parent);
    window.setObjectName(QStringLiteral("QueryPrt"));
    window.setWindowTitle(QStringLiteral("Print ") + result.title);
    window.setFont(dialogFont(true));
    window.setFixedSize(twips(3135), twips(3615));
    auto* label = new QLabel(QStringLiteral("Names:"), &window);
    label->setGeometry(twipRect(120, 120, 2895, 240));
    auto* list = new QListWidget(&window);
    list->setObjectName(QStringLiteral("List1"));
    list->setGeometry(twipRect(120, 360, 2895, 2580));
    list->addItems(queryFoundEntries(result));
    list->setEnabled(!result.found.empty());
    auto* close = new QPushButton(QStringLiteral("Close"), &window);
    close->setObjectName(QStringLiteral("Close"));
    close->setGeometry(twipRect(2040, 3120, 972, 372));
    close->setDefault(true);
    QObject::connect(close, &QPushButton::clicked, &window, &QDialog::accept);
    Placement::centreOver(&window, parent);
    window.exec();
}

} // namespace kalmur
