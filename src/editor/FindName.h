#pragma once

#include "ScheduleDialogs.h"

#include <QDialog>

class QLineEdit;
class QListWidget;

namespace kalmur {

// "Find Name": type the beginning of a name, choose the row to go to.
class FindName : public QDialog {
    Q_OBJECT
public:
    using Entry = FindNameEntry;
    explicit FindName(const QList<Entry>& rows, QWidget* parent = nullptr);

    // The display row chosen with "Go To"; 0 when none.
    int chosenRow() const { return m_chosen; }

    // Selects the first entry starting with `text`, ignoring case.
    void findTyped(const QString& text);
    void goTo();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* m_text = nullptr;
    QListWidget* m_list = nullptr;
    int m_chosen = 0;
};

} // namespace kalmur
