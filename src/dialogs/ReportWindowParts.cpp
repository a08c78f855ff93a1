#include "ReportWindowParts.h"

#include "SelectAllOnFocus.h"
#include "platform/LeaveFieldCheck.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace kalmur {

QPushButton* windowButton(const char* name, const QString& text, QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    return b;
}

QLineEdit* windowField(const char* name, int maxLength, QWidget* parent) {
    auto* f = new QLineEdit(parent);
    f->setObjectName(QLatin1String(name));
    f->setMaxLength(maxLength);
    new SelectAllOnFocus(f);
    return f;
}

NamesColumn::NamesColumn(QWidget* parent, const QString& listName, int minimumWidth,
                         const QString& selectAllText, const QString& clearAllText) {
    label = new QLabel(QObject::tr("N&ames:"), parent);
    list = new QListWidget(parent);
    list->setObjectName(listName);
    list->setSelectionMode(QAbstractItemView::MultiSelection);
    list->setMinimumWidth(minimumWidth);
    label->setBuddy(list);
    auto* selectAll = windowButton("SelectAll", selectAllText, parent);
    auto* clearAll = windowButton("ClearAll", clearAllText, parent);
    buttons = new QHBoxLayout;
    buttons->addWidget(selectAll);
    buttons->addWidget(clearAll);
    QObject::connect(selectAll, &QPushButton::clicked, list, &QListWidget::selectAll);
    QObject::connect(clearAll, &QPushButton::clicked, list, &QListWidget::clearSelection);
}

ReportButtons::ReportButtons(QWidget* parent, const QString& printText, QBoxLayout* into) {
    setup = windowButton("ReportSetup", QObject::tr("Report Setup..."), parent);
    setup->setEnabled(false);
    print = windowButton("ButtonPrint", printText, parent);
    preview = windowButton("ButtonPreview", QObject::tr("Preview..."), parent);
    close = windowButton("ButtonClose", QObject::tr("Close"), parent);
    close->setProperty(LeaveFieldCheck::kSkipsChecksProperty, true);
    for (QPushButton* b : {setup, print, preview, close}) {
        into->addWidget(b);
    }
}

std::vector<int> chosenData(const QListWidget* list, int role) {
    std::vector<int> values;
    for (int i = 0; i < list->count(); ++i) {
        if (list->item(i)->isSelected()) {
            values.push_back(list->item(i)->data(role).toInt());
        }
    }
    return values;
}

} // namespace kalmur
