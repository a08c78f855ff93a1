#include "FindName.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace kalmur {

FindName::FindName(const QList<Entry>& rows, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("FindName"));
    setWindowTitle(tr("Find Name"));
    auto* layout = new QVBoxLayout(this);
    m_text = new QLineEdit(this);
    m_text->setObjectName(QStringLiteral("Text1"));
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("List1"));
    // A first entry of one space stands for no choice.
    auto* none = new QListWidgetItem(QStringLiteral(" "), m_list);
    none->setData(Qt::UserRole, 0);
    for (const Entry& e : rows) {
        auto* item = new QListWidgetItem(e.name, m_list);
        item->setData(Qt::UserRole, e.row);
    }
    layout->addWidget(m_text);
    layout->addWidget(m_list, 1);
    auto* buttons = new QHBoxLayout();
    auto* go = new QPushButton(tr("Go To"), this);
    go->setObjectName(QStringLiteral("Command3"));
    go->setDefault(true);
    auto* cancel = new QPushButton(tr("Cancel"), this);
    cancel->setObjectName(QStringLiteral("Command1"));
    buttons->addWidget(go);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(m_text, &QLineEdit::textEdited, this, &FindName::findTyped);
    connect(go, &QPushButton::clicked, this, &FindName::goTo);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_list, &QListWidget::itemClicked, this, [this] { m_text->setFocus(); });
    m_text->installEventFilter(this);
    resize(260, 360);
}

void FindName::findTyped(const QString& text) {
    if (text.isEmpty()) {
        return;
    }
    for (int i = 1; i < m_list->count(); ++i) {
        if (m_list->item(i)->text().startsWith(text, Qt::CaseInsensitive)) {
            m_list->setCurrentRow(i);
            return;
        }
    }
}

void FindName::goTo() {
    const QListWidgetItem* item = m_list->currentItem();
    m_chosen = item ? item->data(Qt::UserRole).toInt() : 0;
    if (m_chosen == 0) {
        reject(); // the blank entry counts as Cancel
        return;
    }
    accept();
}

bool FindName::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_text && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Down || key == Qt::Key_Up) {
            const int row = std::clamp(m_list->currentRow() + (key == Qt::Key_Down ? 1 : -1), 0,
                                       m_list->count() - 1);
            m_list->setCurrentRow(row);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace kalmur
