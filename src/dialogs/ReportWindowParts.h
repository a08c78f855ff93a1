#pragma once

#include <QString>

#include <vector>

class QBoxLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QWidget;

namespace kalmur {

// A push button of the report windows: named for the tests, never the
// default button by accident.
QPushButton* windowButton(const char* name, const QString& text, QWidget* parent);

// A text box of the report windows: named for the tests, at most `maxLength`
// characters, its text selected when it takes the focus.
QLineEdit* windowField(const char* name, int maxLength, QWidget* parent);

// The names column the report windows share: the "N&ames:" label, the list in
// which several names are chosen at once, and the Select All and Clear All
// buttons under it (in `buttons`, where a window may add its own).
struct NamesColumn {
    QLabel* label = nullptr;
    QListWidget* list = nullptr;
    QHBoxLayout* buttons = nullptr;

    NamesColumn(QWidget* parent, const QString& listName, int minimumWidth,
                const QString& selectAllText, const QString& clearAllText);
};

// The command buttons of a report window, added to `into` in this order:
// "Report Setup..." (disabled until the window has a setup to edit), Print,
// "Preview..." and Close (which leaves a field without its checks).
struct ReportButtons {
    QPushButton* setup = nullptr;
    QPushButton* print = nullptr;
    QPushButton* preview = nullptr;
    QPushButton* close = nullptr;

    ReportButtons(QWidget* parent, const QString& printText, QBoxLayout* into);
};

// The `role` data of the names chosen in `list`, in list order.
std::vector<int> chosenData(const QListWidget* list, int role);

} // namespace kalmur
